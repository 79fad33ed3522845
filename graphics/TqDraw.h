#pragma once

/// \file
/// Small GDI drawing helpers. Each leaves the DC's pen, brush and mix mode as
/// it found them; the caller keeps owning the DC and the pen. None reports
/// failure.

#include <windows.h>

#include "../library/TqExport.h"

/// Paints an owner-drawn colour-picker button from item (its hDC, rcItem and
/// itemState), meant for the WM_DRAWITEM of a BS_OWNERDRAW button: a push-button
/// frame (pressed when ODS_SELECTED, the content then one pixel right and
/// down), an etched separator 11 pixels from the right edge, a small black
/// arrow pointing down right of it, a swatch of color (a COLORREF) outlined in
/// black unless ODS_DISABLED, and a focus rectangle 2 pixels inside rcItem when
/// ODS_FOCUS. For a 75 x 23 item at (0, 0), not pressed: separator at x = 64,
/// arrow (66, 10), (70, 10), (68, 12), swatch (5, 4, 60, 19).
TQ_API void TqDrawColorBtn(DRAWITEMSTRUCT* item, unsigned long color);

/// A horizontal and a vertical line through the centre of the width x height
/// rectangle at (x, y), drawn with pen in inverting mode (R2_NOT): the pen's
/// width and style apply, its colour does not, and drawing the same cross-hair
/// again erases it. The pixel where the lines cross is inverted twice.
TQ_API void TqDrawCrossHair(HDC dc, HPEN pen, int x, int y, int width, int height);

/// The outline of the width x height rectangle at (x, y), drawn with pen in
/// inverting mode like TqDrawCrossHair; drawing it again erases it. Lines run
/// from (x, y) to (x + width, y + height) inclusive.
TQ_API void TqDrawFrame(HDC dc, HPEN pen, int x, int y, int width, int height);
