#include "system/TqDebugOutput.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace {

const size_t kDebugTextSize = 256;  // 255 characters and the terminator

}  // namespace

int TqOutputDebugString(const char* format, ...)
{
    if (!format)
        return 0;
    char text[kDebugTextSize];
    va_list arguments;
    va_start(arguments, format);
    // _vsnprintf leaves a text that fills the room unterminated and reports
    // a cut with -1; the last byte is kept for the terminator.
    const int result = _vsnprintf(text, kDebugTextSize - 1, format, arguments);
    va_end(arguments);
    text[kDebugTextSize - 1] = 0;
    OutputDebugStringA(text);
    return result;
}
