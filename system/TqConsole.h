#pragma once

#include <windows.h>

#include "../library/TqExport.h"

// A console for diagnostic output.

// AllocConsole's result.
TQ_API int TqAllocConsole();

// Writes length characters of text to the standard output handle with the
// system's WriteConsoleA. Its result, or 0 for a null text. An overload of the
// system's name, exported under that name.
TQ_API int WriteConsoleA(const char* text, unsigned int length);

// FreeConsole's result.
TQ_API int TqFreeConsole();
