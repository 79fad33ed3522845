#pragma once

#include <windows.h>

// Saves the client area of window as it shows on the screen (children
// included) as a 24-bit BMP file through CTqDib. Returns 1 when the file was
// written.
int SaveClientShot(HWND window, const char* path);
