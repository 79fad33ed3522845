#pragma once

/// \file
/// Resource ids of the bitmaps inside TqCommon.dll.
///
/// Each is a 16 x 16 button face, 4 bits per pixel, drawn on a magenta
/// (0x00FF00FF) background that the library's buttons treat as transparent.
/// Load them from the library's module (TqGetLibraryInstance()), not from the
/// application's: `LoadBitmapA(TqGetLibraryInstance(), MAKEINTRESOURCEA(IDB_TQ_PLAY))`.
/// CTqBmpButtonCtrl::SetBmpID() and CTqCstmButtonCtrl::SetBmpID() take these
/// ids and do the loading themselves; CTqPlayerCtrl uses IDB_TQ_PLAY and
/// IDB_TQ_PAUSE for its play button. Plain macros, so that resource scripts can
/// use them too.

/// Face of a play button: a triangle pointing right.
#define IDB_TQ_PLAY 103
/// Face of a pause button: two bars.
#define IDB_TQ_PAUSE 104
/// Face of a go-to-start button: a bar and a triangle pointing left.
#define IDB_TQ_TO_START 105
/// Face of a go-to-end button: a triangle pointing right and a bar.
#define IDB_TQ_TO_END 106
