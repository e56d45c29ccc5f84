// Activates the manifest that an executable carries (resource type 24, id 1)
// and reports which comctl32.dll the loader then picks.
//
// usage: actctx EXE
// Prints "comctl32=PATH" and exits 0, or prints "error=N" (from
// CreateActCtxA or LoadLibraryA) and exits 1.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: actctx EXE\n");
        return 2;
    }
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = argv[1];
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE handle = CreateActCtxA(&context);
    if (handle == INVALID_HANDLE_VALUE) {
        printf("error=%lu\n", GetLastError());
        return 1;
    }
    ULONG_PTR cookie;
    if (!ActivateActCtx(handle, &cookie)) {
        printf("error=%lu\n", GetLastError());
        return 1;
    }
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    if (!comctl) {
        printf("error=%lu\n", GetLastError());
        return 1;
    }
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(comctl, path, sizeof path);
    printf("comctl32=%.*s\n", (int)n, path);
    return 0;
}
