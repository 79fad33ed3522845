#pragma once

#include <windows.h>

#include "controls/internal/TqRepaint.h"
#include "graphics/TqBlt.h"
#include "library/TqModule.h"
#include "library/internal/TqGdiGuards.h"

// Drawing shared by the bitmap buttons: the faces loaded from the library's
// own bitmaps and the focus rectangle. Not installed.

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

// The faces of a two-state bitmap button as its members hold them: bitmap
// resource ids of the library module and the colours left out of them,
// unchecked and checked.
struct CheckableFaces {
    int checked;
    int id;
    COLORREF transparentColor;
    int checkedId;
    COLORREF checkedTransparentColor;
};

// Draws the face the button shows, the checked one while it is checked, as
// DrawButtonFace.
inline void DrawCheckableFace(HDC dc, const RECT& rect, const CheckableFaces& faces, int pushed,
                              int disabled, RECT* bitmapRect)
{
    if (faces.checked)
        DrawButtonFace(dc, rect, faces.checkedId, faces.checkedTransparentColor, pushed, disabled,
                       bitmapRect);
    else
        DrawButtonFace(dc, rect, faces.id, faces.transparentColor, pushed, disabled, bitmapRect);
}

// Replaces one face of a button, held in its members id and transparentColor,
// and has the button repainted.
inline void ReplaceButtonFace(HWND button, int& id, unsigned long& transparentColor, int newId,
                              unsigned long newTransparentColor)
{
    id = newId;
    transparentColor = newTransparentColor;
    RepaintWindow(button);
}

// The focus rectangle of a button: inside its 3-D edge.
inline void DrawButtonFocus(HDC dc, const RECT& rect)
{
    RECT focus = rect;
    InflateRect(&focus, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    DrawFocusRect(dc, &focus);
}

}  // namespace tq
