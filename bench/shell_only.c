/* The yardstick for the launcher: a GUI program that only asks the shell to
   open jre6\bin\javaw with a fixed parameter string. Its size is what the
   toolchain costs for next to nothing; its run time is what a start request
   costs without the launcher's own work.

   usage: shell_only N     (N: the length of the parameter string) */
#include <windows.h>
#include <shellapi.h>

#include <stdlib.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int show)
{
    (void)instance;
    (void)previous;
    (void)show;
    size_t length = (size_t)atoi(cmdLine);
    char* params = (char*)malloc(length + 1);
    if (!params) return 8;
    memset(params, 'x', length);
    params[length] = '\0';
    return (int)(INT_PTR)ShellExecuteA(NULL, "open", "jre6\\bin\\javaw", params, NULL, SW_SHOWNORMAL);
}
