// korvel: starts the Java client with the bundled runtime or the shell's javaw.

// The build asks for the C runtime's own printf family
// (__USE_MINGW_ANSI_STDIO=0), and stdio.h must come first for that to hold:
// the C++ library's configuration, reached through windows.h, switches to
// MinGW's replacement, whose floating-point support would more than double
// the size of the executable for two constant strings.
#include <stdio.h>
#include <stdlib.h>

#include <windows.h>
#include <shellapi.h>

#include <dirent.h>
#include <sys/stat.h>

#include "compose.h"

static struct _stat stFileInfo;

// The longest path the platform can hand back, with room for its NUL.
static const DWORD kLongestModulePath = 32768;

Str ExePath()
{
    // A path cut to fit the buffer would name an ancestor folder (and Wine
    // does not even terminate it), so the buffer grows until the whole path
    // fits. With no whole path the result is empty and nothing is changed.
    for (DWORD size = MAX_PATH;; size *= 2) {
        char* path = (char*)malloc(size);
        if (!path) _exit(kOutOfMemoryStatus);
        DWORD n = GetModuleFileNameA(NULL, path, size);
        Str dir = n > 0 && n < size ? dirOf(Str(path, n)) : Str();
        free(path);
        if (n < size) return dir;
        if (size >= kLongestModulePath) return Str();
    }
}

Str getDirJars(Str dir)
{
    Str classPath;
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
    Str launcherDir = ExePath();
    if (!launcherDir.empty()) SetCurrentDirectoryA(workingDirFor(launcherDir).c_str());

    Str classPath = getDirJars("lib");
    Str launcherArgs = lpCmdLine;
    touchSignal();

    Str options;
    if (const char* opts = getenv("KORVEL_OPTS"))
        options = opts;
    else
        printf("Empty!!");

    Str params = paramString(classPath, options, launcherArgs);
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
