#pragma once

/// \file
/// A console for diagnostic output.

#include <windows.h>

#include "../library/TqExport.h"

/// Gives the process a new console (`AllocConsole`).
/// \return `AllocConsole`'s result: nonzero on success, 0 when it fails (for
///         example when the process already has a console).
TQ_API int TqAllocConsole();

/// Writes length characters of text to the standard output handle with the
/// system's `WriteConsoleA`. An overload of the system's name, exported under
/// that name: it is told apart from the system function by its two
/// parameters.
/// \param text The text; it need not be NUL-terminated.
/// \param length The number of characters (bytes, for multibyte text) to
///        write.
/// \return The system function's result (nonzero on success; the count
///         written is not returned), or 0 for a null text.
TQ_API int WriteConsoleA(const char* text, unsigned int length);

/// Detaches the process from its console (`FreeConsole`).
/// \return `FreeConsole`'s result: nonzero on success, else 0.
TQ_API int TqFreeConsole();
