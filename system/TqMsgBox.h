#pragma once

#include <windows.h>

#include "../library/TqExport.h"

// Message boxes owned by the application's main window, and the look-ups
// behind them: the process's main window and name, and the captioned frame
// around a window.

// MessageBoxA with defaults: a null owner becomes TqGetMainWnd(), a null or
// empty caption the executable's name. Returns MessageBoxA's result.
TQ_API int TqMsgBox(const char* text, const char* caption, unsigned int type, HWND owner);

// Asks whether the existing file at path may be overwritten (the whole
// numbered series when serial is nonzero). 0 when path does not exist,
// otherwise IDOK or IDCANCEL.
TQ_API int TqOverwriteMsgBox(const char* path, int serial, const char* caption, HWND owner);

// The first unowned top-level window of the calling process, or null.
TQ_API HWND TqGetMainWnd();

// The executable's file name without directory and extension, cut to size
// bytes with its terminator. 1 on success, 0 on failure.
TQ_API int TqGetProcessName(char* buffer, unsigned long size);

// The nearest window, window itself first, whose style has all WS_CAPTION bits.
TQ_API HWND TqGetParentFrame(HWND window);

// 1 when TqGetParentFrame(window) is visible (and not minimised, with notIconic).
TQ_API int TqIsParentFrameVisible(HWND window, int notIconic);
