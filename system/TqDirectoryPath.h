#pragma once

#include "../library/TqExport.h"

// Creation of a whole directory chain.

// Makes every directory named by path up to its last backslash, walking the
// path by multibyte characters, so that a trail byte 0x5C of a double-byte
// character is never taken for a separator. "D:\out\2024\img.bmp" and
// "D:\out\2024\" both make D:\out\ and D:\out\2024\. 1 when they all exist
// afterwards; 0 for a null or empty path, a path longer than MAX_PATH bytes, a
// prefix that names a file, or a directory that cannot be created (those made
// before it stay).
TQ_API int TqCreateDirectoryPath(const char* path);
