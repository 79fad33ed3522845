#pragma once

#include <windows.h>

#include "library/internal/TqGdiGuards.h"

// GDI objects shared by the slider controls: the pens of their 3-D edges and
// the duplicates a copied control owns. Not installed.

namespace tq {

// A solid pen as wide as a 3-D edge, in a system colour taken now.
inline HPEN CreateEdgePen(int sysColorIndex)
{
    return CreatePen(PS_SOLID, GetSystemMetrics(SM_CXEDGE), GetSysColor(sysColorIndex));
}

// A new pen drawing like pen; null for a null pen.
inline HPEN DuplicatePen(HPEN pen)
{
    LOGPEN description = {};
    if (!pen || !GetObjectA(pen, sizeof description, &description))
        return nullptr;
    return CreatePenIndirect(&description);
}

// A new screen-compatible bitmap with the picture of bitmap; null for a null
// bitmap or when no copy can be made.
inline HBITMAP DuplicateBitmap(HBITMAP bitmap)
{
    BITMAP description = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof description, &description))
        return nullptr;
    const WindowDC screen(nullptr);
    if (!screen.Get())
        return nullptr;
    GdiObject<HBITMAP> copy(
        CreateCompatibleBitmap(screen, description.bmWidth, description.bmHeight));
    const MemoryDC source(screen);
    const MemoryDC target(screen);
    if (!copy.Get() || !source.Get() || !target.Get())
        return nullptr;
    {
        const SelectedObject sourceBitmap(source, bitmap);
        const SelectedObject targetBitmap(target, copy);
        BitBlt(target, 0, 0, description.bmWidth, description.bmHeight, source, 0, 0, SRCCOPY);
    }
    return copy.Release();
}

// Deletes a GDI object the caller owns and forgets it.
template <class Handle>
void DeleteOwned(Handle& handle)
{
    if (handle)
        DeleteObject(handle);
    handle = nullptr;
}

}  // namespace tq
