#pragma once

#include <windows.h>

#include "graphics/TqBlt.h"
#include "library/TqModule.h"
#include "library/internal/TqGdiGuards.h"

// Drawing shared by the bitmap buttons: the face loaded from the library's
// own bitmaps and the three-colour gradient. Not installed.

namespace tq {

// Draws bitmap resource id of the library module centred in rect, one pixel
// right and down when pushed, greyed when disabled, its transparentColor left
// out otherwise. bitmapRect (optional) receives the unpushed place. Nothing
// happens for a null dc, id 0 or a resource that cannot be loaded.
inline void DrawButtonFace(HDC dc, const RECT& rect, int id, COLORREF transparentColor,
                           int pushed, int disabled, RECT* bitmapRect)
{
    if (!dc || !id)
        return;
    const GdiObject<HBITMAP> bitmap(
        LoadBitmapA(TqGetLibraryInstance(), MAKEINTRESOURCEA(id & 0xFFFF)));
    BITMAP size = {};
    if (!bitmap.Get() || !GetObjectA(bitmap, sizeof size, &size))
        return;
    int x = rect.left + (rect.right - rect.left - size.bmWidth) / 2;
    int y = rect.top + (rect.bottom - rect.top - size.bmHeight) / 2;
    if (bitmapRect)
        *bitmapRect = {x, y, x + size.bmWidth, y + size.bmHeight};
    if (pushed) {
        ++x;
        ++y;
    }
    if (disabled)
        TqDisabledBlt(dc, x, y, size.bmWidth, size.bmHeight, bitmap, 0, 0);
    else
        TqTransparentBlt(dc, x, y, size.bmWidth, size.bmHeight, bitmap, 0, 0, transparentColor,
                         nullptr);
}

// GradientFill takes 16-bit channels.
inline TRIVERTEX GradientVertex(LONG x, LONG y, COLORREF colour)
{
    TRIVERTEX vertex = {};
    vertex.x = x;
    vertex.y = y;
    vertex.Red = static_cast<COLOR16>(GetRValue(colour) << 8);
    vertex.Green = static_cast<COLOR16>(GetGValue(colour) << 8);
    vertex.Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
    vertex.Alpha = 0;
    return vertex;
}

// One vertical gradient from the top edge of rect in top to its bottom edge
// in bottom.
inline void FillVerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom)
{
    TRIVERTEX vertices[2] = {GradientVertex(rect.left, rect.top, top),
                             GradientVertex(rect.right, rect.bottom, bottom)};
    GRADIENT_RECT span = {0, 1};
    GradientFill(dc, vertices, 2, &span, 1, GRADIENT_FILL_RECT_V);
}

// Light at the top, the face colour at the middle row, shadow at the bottom.
inline void FillButtonGradient(HDC dc, const RECT& rect)
{
    const LONG middle = (rect.top + rect.bottom) / 2;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    FillVerticalGradient(dc, {rect.left, rect.top, rect.right, middle},
                         GetSysColor(COLOR_BTNHIGHLIGHT), face);
    FillVerticalGradient(dc, {rect.left, middle, rect.right, rect.bottom}, face,
                         GetSysColor(COLOR_BTNSHADOW));
}

// The focus rectangle of a button: inside its 3-D edge.
inline void DrawButtonFocus(HDC dc, const RECT& rect)
{
    RECT focus = rect;
    InflateRect(&focus, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    DrawFocusRect(dc, &focus);
}

}  // namespace tq
