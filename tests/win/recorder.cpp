// Stands in for javaw in the end-to-end tests: records what it was started
// with into a file of its own under %KVL_RECORD_DIR%, then ends.
//
// Each field is written as: name, "\n", byte length, "\n", bytes, "\n".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

static void field(std::string& out, const std::string& name, const std::string& value)
{
    out += name + "\n" + std::to_string(value.size()) + "\n" + value + "\n";
}

int main(int argc, char** argv)
{
    const char* dir = getenv("KVL_RECORD_DIR");
    if (!dir) return 3;

    std::string out;
    field(out, "cmdline", GetCommandLineA());

    char buf[32768];
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    field(out, "cwd", std::string(buf, n < sizeof buf ? n : 0));
    n = GetModuleFileNameA(NULL, buf, sizeof buf);
    field(out, "module", std::string(buf, n < sizeof buf ? n : 0));

    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    field(out, "show", (startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_string(startup.wShowWindow) : "none");

    for (int i = 0; i < argc; ++i) field(out, "argv", argv[i]);

    // Written under a temporary name and renamed, so a reader never sees half a record.
    std::string base = std::string(dir) + "\\record-" + std::to_string(GetCurrentProcessId());
    FILE* f = fopen((base + ".tmp").c_str(), "wb");
    if (!f) return 4;
    fwrite(out.data(), 1, out.size(), f);
    fclose(f);
    return MoveFileA((base + ".tmp").c_str(), (base + ".txt").c_str()) ? 0 : 5;
}
