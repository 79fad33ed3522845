#pragma once

#include "../library/TqExport.h"

// Formatted output to the debugger.

// Formats like printf into 255 characters at most and sends the text to the
// debugger with OutputDebugStringA. Returns the number of characters
// formatted, or -1 when the text was cut to its first 255 characters. A null
// format sends nothing and returns 0.
TQ_API int TqOutputDebugString(const char* format, ...);
