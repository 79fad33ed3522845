#pragma once

/// \file
/// Transparent and disabled-look blitting of device-dependent bitmaps.
///
/// Putting a device-dependent bitmap onto a DC so that its background does not
/// show: a transparent copy that leaves out one colour, and the greyed,
/// embossed look of a disabled control. Both work with GDI memory DCs and
/// raster operations, and both leave dc as they found it apart from the pixels
/// they paint: its colours, selected objects and mix mode are restored (except
/// a palette that TqTransparentBlt() realises into dc, which stays selected).
/// Every GDI object they make is released before they return; the caller
/// keeps owning bitmap and palette. Neither reports failure: when a DC or
/// bitmap cannot be made, or bitmap cannot be selected (it is selected into
/// another DC), nothing is drawn.

#include <windows.h>

#include "../library/TqExport.h"

/// Copies the width x height rectangle at (xSrc, ySrc) of bitmap to (x, y) of
/// dc, leaving the destination untouched wherever the bitmap has
/// transparentColor (a COLORREF, 0x00BBGGRR; the library's usual one is
/// magenta, 0x00FF00FF). The bitmap is matched against the colour after
/// conversion to dc's format, so on palette or 16-bit devices nearby colours
/// count as transparent too. On a palette device a non-null palette is selected
/// and realised into dc first and stays selected. Nothing is drawn when width or
/// height is not positive.
TQ_API void TqTransparentBlt(HDC dc, int x, int y, int width, int height, HBITMAP bitmap,
                             int xSrc, int ySrc, unsigned long transparentColor, HPALETTE palette);

/// Draws the disabled look of the width x height rectangle at (xSrc, ySrc) of
/// bitmap at (x, y) of dc: the rectangle (x, y, x + width, y + height) is
/// filled with the button-face colour (COLOR_BTNFACE), then the shape of the
/// bitmap's non-white pixels is painted in the highlight colour
/// (COLOR_BTNHIGHLIGHT) one pixel right and down, and over it in the shadow
/// colour (COLOR_BTNSHADOW) at (x, y). The highlight can therefore reach one
/// column and one row beyond the rectangle. Which pixels count as white is
/// decided by a colour-to-monochrome blit into a 1-bit DIB section: white
/// always, and on some systems very light colours as well; keep the
/// background pure white and the shape dark. Does nothing at all (not even the
/// face) when dc or bitmap is null or width or height is not positive.
TQ_API void TqDisabledBlt(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, int xSrc,
                          int ySrc);
