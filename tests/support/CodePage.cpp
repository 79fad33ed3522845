#include "CodePage.h"

#include <windows.h>

std::string Cp932(const char* utf8)
{
    wchar_t wide[512];
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 512);
    char bytes[1024];
    const int length =
        WideCharToMultiByte(932, 0, wide, units, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, length > 0 ? length - 1 : 0);
}
