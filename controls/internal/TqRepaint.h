#pragma once

#include <windows.h>

namespace tq {

// Has the whole of window repainted, its background erased. Only a live
// window: a null handle would make InvalidateRect repaint every window on
// the screen. Not installed.
inline void RepaintWindow(HWND window)
{
    if (::IsWindow(window))
        ::InvalidateRect(window, nullptr, TRUE);
}

}  // namespace tq
