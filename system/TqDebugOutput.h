#pragma once

/// \file
/// Formatted output to the debugger.

#include "../library/TqExport.h"

/// Formats like printf into 255 characters at most and sends the text to the
/// debugger with `OutputDebugStringA`.
///
/// Formatting is the runtime's `_vsnprintf`; a longer text is cut to its first
/// 255 bytes and still sent.
/// \return The number of bytes formatted (characters, for single-byte text),
///         or -1 when the text was cut. A null format sends nothing and
///         returns 0.
TQ_API int TqOutputDebugString(const char* format, ...);
