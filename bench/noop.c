/* Stands in for javaw in the launch benchmark: a GUI program that ends at once. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int show)
{
    (void)instance;
    (void)previous;
    (void)cmdLine;
    (void)show;
    return 0;
}
