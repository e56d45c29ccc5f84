// korvel: starts the Java client with the bundled runtime or the shell's javaw.
#include <windows.h>
#include <shellapi.h>

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "compose.h"

static struct _stat stFileInfo;

// The longest path the platform can hand back, with room for its NUL.
static const DWORD kLongestModulePath = 32768;

std::string ExePath()
{
    // A path cut to fit the buffer would name an ancestor folder (and Wine
    // does not even terminate it), so the buffer grows until the whole path
    // fits. With no whole path the result is empty and nothing is changed.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(NULL, &path[0], (DWORD)path.size());
        if (n == 0) return std::string();
        if (n < path.size()) {
            path.resize(n);
            return dirOf(path);
        }
        if (path.size() >= kLongestModulePath) return std::string();
        path.resize(path.size() * 2);
    }
}

std::string getDirJars(std::string dir)
{
    std::string classPath;
    DIR* listing = opendir(dir.c_str());
    if (!listing) return classPath;
    while (struct dirent* entry = readdir(listing))
        appendClassPathElement(classPath, dir, entry->d_name);
    closedir(listing);
    return classPath;
}

void touchSignal()
{
    // Without a home path there is nowhere the client would look for the file.
    const char* home = getenv("HOMEPATH");
    if (!home) return;
    FILE* signal = fopen(signalPath(home).c_str(), "w");
    if (!signal) return;
    fprintf(signal, " ");
    fclose(signal);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int)
{
    std::string launcherDir = ExePath();
    if (!launcherDir.empty()) SetCurrentDirectoryA(workingDirFor(launcherDir).c_str());

    std::string classPath = getDirJars("lib");
    std::string launcherArgs = lpCmdLine;
    touchSignal();

    std::string options;
    if (const char* opts = getenv("KORVEL_OPTS"))
        options = opts;
    else
        printf("Empty!!");

    std::string params = paramString(classPath, options, launcherArgs);
    const char* program = runtimeProgram(_stat("jre6\\bin\\javaw.exe", &stFileInfo) == 0);

    HINSTANCE result = ShellExecuteA(NULL, "open", program, params.c_str(), NULL, SW_SHOWNORMAL);
    return (int)(INT_PTR)result;
}

// The C runtime's own start-up code cuts lpCmdLine by a different rule (it
// keeps leading blanks and takes control characters for blanks), so the
// launcher arguments are cut here from the raw command line. Returning from
// main lets the runtime's exit processing flush "Empty!!".
int main()
{
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    return WinMain(GetModuleHandleA(NULL), NULL, const_cast<char*>(argsTail(GetCommandLineA())), show);
}
