#pragma once

/// \file
/// Creation of a whole directory chain.

#include "../library/TqExport.h"

/// Makes every directory named by path up to its last backslash, walking the
/// path by multibyte characters, so that a trail byte 0x5C of a double-byte
/// character is never taken for a separator.
///
/// `D:\out\2024\img.bmp` and `D:\out\2024\ ` both make `D:\out\ ` and then
/// `D:\out\2024\ `; the last element of a path without a trailing backslash is
/// taken for a file and not made. No message is shown.
/// \return 1 when they all exist afterwards; 0 for a null or empty path, a path
///         longer than `MAX_PATH` (260) bytes, a prefix that names a file, or a
///         directory that cannot be created (those made before it stay).
TQ_API int TqCreateDirectoryPath(const char* path);
