#pragma once

#include <windows.h>

namespace tq {

// Every GUI thread may own a hidden, unowned "Default IME" window of the
// system class "IME". Searches for a process's own top-level windows pass it
// over: it is never the main window, and asking it to close would leave the
// program running.
inline bool IsImeWindow(HWND window)
{
    char className[8] = {};
    return GetClassNameA(window, className, sizeof className) && lstrcmpiA(className, "IME") == 0;
}

}  // namespace tq
