// Starts a program with an exact raw command line, which wine's own argv
// quoting cannot give, and reports its exit status.
//
// usage: spawn JOBFILE
// The job file holds NUL-terminated fields, in order: the program's path
// (empty: the platform takes it from the command line), the raw command line, the working directory (empty: inherit), the show
// state (empty: none given), a file for the child's standard output (empty:
// none), then any number of environment changes, "NAME=VALUE" to set and
// "NAME" to remove. Prints "exit=N" once the child has ended.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: spawn JOBFILE\n");
        return 2;
    }
    FILE* f = fopen(argv[1], "rb");
    if (!f) {
        fprintf(stderr, "spawn: cannot read %s\n", argv[1]);
        return 2;
    }
    std::string job;
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, f)) > 0) job.append(chunk, got);
    fclose(f);

    std::vector<std::string> fields;
    for (size_t start = 0; start < job.size();) {
        size_t end = job.find('\0', start);
        if (end == std::string::npos) end = job.size();
        fields.push_back(job.substr(start, end - start));
        start = end + 1;
    }
    if (fields.size() < 5) {
        fprintf(stderr, "spawn: job file has %u fields, needs 5\n", (unsigned)fields.size());
        return 2;
    }

    for (size_t i = 5; i < fields.size(); ++i) {
        const std::string& op = fields[i];
        size_t eq = op.find('=', 1);  // a leading '=' belongs to names like "=K:"
        if (eq == std::string::npos)
            SetEnvironmentVariableA(op.c_str(), NULL);
        else
            SetEnvironmentVariableA(op.substr(0, eq).c_str(), op.substr(eq + 1).c_str());
    }

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!fields[3].empty()) {
        startup.dwFlags |= STARTF_USESHOWWINDOW;
        startup.wShowWindow = (WORD)atoi(fields[3].c_str());
    }
    HANDLE out = INVALID_HANDLE_VALUE;
    if (!fields[4].empty()) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
        out = CreateFileA(fields[4].c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, NULL);
        if (out == INVALID_HANDLE_VALUE) {
            fprintf(stderr, "spawn: cannot create %s\n", fields[4].c_str());
            return 2;
        }
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = INVALID_HANDLE_VALUE;
        startup.hStdOutput = out;
        startup.hStdError = INVALID_HANDLE_VALUE;
    }

    std::vector<char> cmdLine(fields[1].begin(), fields[1].end());
    cmdLine.push_back('\0');
    PROCESS_INFORMATION child;
    if (!CreateProcessA(fields[0].empty() ? NULL : fields[0].c_str(), cmdLine.data(), NULL, NULL, out != INVALID_HANDLE_VALUE, 0, NULL,
                        fields[2].empty() ? NULL : fields[2].c_str(), &startup, &child)) {
        fprintf(stderr, "spawn: CreateProcess failed with error %lu\n", GetLastError());
        return 2;
    }
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(child.hProcess, &status);
    printf("exit=%lu\n", status);
    return 0;
}
