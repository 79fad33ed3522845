#pragma once

#include <windows.h>

// Monochrome bitmaps and the colours that convert to and from them: a blit
// from colour to monochrome makes the background colour 1 and every other
// colour 0; a blit back maps 0 to the text colour and 1 to the background
// colour. Shared by the transparent-blit functions; not installed.

namespace tq {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const UINT kMonochromePlanes = 1;
const UINT kMonochromeBits = 1;

// A device-dependent monochrome bitmap, uninitialised; null on failure.
inline HBITMAP CreateMonochromeBitmap(int width, int height)
{
    return CreateBitmap(width, height, kMonochromePlanes, kMonochromeBits, nullptr);
}

}  // namespace tq
