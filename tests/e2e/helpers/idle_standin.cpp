// Stands in for a system program that the tested program starts (ctfmon.exe):
// it does nothing and runs until it is terminated.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ::Sleep(INFINITE);
    return 0;
}
