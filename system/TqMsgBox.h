#pragma once

/// \file
/// Message boxes owned by the application's main window, and the look-ups
/// behind them: the process's main window and name, and the captioned frame
/// around a window.

#include <windows.h>

#include "../library/TqExport.h"

/// `MessageBoxA` with defaults: a null owner becomes TqGetMainWnd(), a null or
/// empty caption the executable's name (TqGetProcessName(); when that fails
/// the caption is passed on as given, and the system shows its default).
///
/// This is the library's failure channel: the file operations of CTqArray and
/// CTqString report through it with `MB_OK | MB_ICONEXCLAMATION` and a null
/// owner. The box is modal: the call returns when the user closes it, and the
/// caller's windows keep receiving messages meanwhile. An owner of null that
/// finds no main window shows the box without an owner. To answer boxes
/// without a user (tests, tools), install a thread-local `WH_CBT` hook
/// (`SetWindowsHookExA(WH_CBT, proc, NULL, GetCurrentThreadId())`): at
/// `HCBT_ACTIVATE` the box is the window of class "#32770", its text is
/// dialog item 0xFFFF, and posting it `WM_COMMAND` with `IDOK` closes it.
/// \param text The message, shown as it is.
/// \param caption The caption; null or "" for the executable's name.
/// \param type Any combination of the `MB_` flags (buttons, icon, default
///        button, modality), passed on unchanged.
/// \param owner The owner window; null for the application's main window.
/// \return `MessageBoxA`'s result: `IDOK`, `IDCANCEL`, `IDYES`, `IDNO` and so
///         on, or 0 when no box could be shown (for example without a
///         display).
TQ_API int TqMsgBox(const char* text, const char* caption, unsigned int type, HWND owner);

/// Asks whether the existing file at path may be overwritten (the whole
/// numbered series when serial is nonzero).
///
/// When path exists (`FindFirstFileA`, so a wildcard matching a file counts),
/// shows through TqMsgBox() with `MB_OKCANCEL | MB_ICONEXCLAMATION` the path
/// followed by " は既に存在します｡", a line feed and "上書きしますか？", or with
/// serial nonzero "全ての連番ファイルを上書きしますか？" (code page 932; the
/// whole path, however long). caption and owner default as in TqMsgBox().
/// \return 0 without a box when path does not exist (or cannot be searched);
///         otherwise `IDOK` (overwrite) or `IDCANCEL` (keep), or 0 when the box
///         could not be shown.
TQ_API int TqOverwriteMsgBox(const char* path, int serial, const char* caption, HWND owner);

/// The application's main window: the first unowned top-level window of the
/// calling process in enumeration order (top of the Z order first), visible
/// or not. The system's hidden per-thread "IME" windows are skipped.
/// \return The window, or null when the process has none.
TQ_API HWND TqGetMainWnd();

/// The executable's file name without directory and extension, cut to size
/// bytes with its terminator (the extension is removed after the cut).
/// \param buffer Receives the name; owned by the caller.
/// \param size The size of buffer in bytes.
/// \return 1 on success; 0 for a null buffer, size 0, or a name that cannot
///         be read (buffer's content then undefined).
TQ_API int TqGetProcessName(char* buffer, unsigned long size);

/// The nearest window, window itself first, then its parents (`GetParent`),
/// whose style has all `WS_CAPTION` bits (a border alone or a dialog frame
/// alone is not enough).
/// \return That window, or null when there is none.
TQ_API HWND TqGetParentFrame(HWND window);

/// Whether the frame of window (TqGetParentFrame()) is visible.
/// \return 1 when the frame exists and is visible (and, with notIconic
///         nonzero, not minimised); else 0.
TQ_API int TqIsParentFrameVisible(HWND window, int notIconic);
