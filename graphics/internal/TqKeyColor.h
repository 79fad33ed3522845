#pragma once

#include <windows.h>

// The colour that the library's button faces and bitmaps treat as
// transparent by default: magenta, 0x00FF00FF. Not installed.

namespace tq {

const COLORREF kMagentaKey = RGB(255, 0, 255);

}  // namespace tq
