#pragma once

#include <windows.h>

// The three-colour gradient behind the gradated controls (the custom button
// and the time slider). Not installed.

namespace tq {

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

// Light at the top, the face colour at the middle row, shadow at the bottom:
// two vertical gradients that meet at the middle.
inline void FillFaceGradient(HDC dc, const RECT& rect)
{
    const LONG middle = (rect.top + rect.bottom) / 2;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    TRIVERTEX vertices[4] = {
        GradientVertex(rect.left, rect.top, GetSysColor(COLOR_BTNHIGHLIGHT)),
        GradientVertex(rect.right, middle, face),
        GradientVertex(rect.left, middle, face),
        GradientVertex(rect.right, rect.bottom, GetSysColor(COLOR_BTNSHADOW)),
    };
    GRADIENT_RECT halves[2] = {{0, 1}, {2, 3}};
    GradientFill(dc, vertices, 4, halves, 2, GRADIENT_FILL_RECT_V);
}

}  // namespace tq
