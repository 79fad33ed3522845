#include "system/TqConsole.h"

int TqAllocConsole()
{
    return AllocConsole();
}

int WriteConsoleA(const char* text, unsigned int length)
{
    if (!text)
        return 0;
    DWORD written = 0;
    return ::WriteConsoleA(GetStdHandle(STD_OUTPUT_HANDLE), text, length, &written, nullptr);
}

int TqFreeConsole()
{
    return FreeConsole();
}
