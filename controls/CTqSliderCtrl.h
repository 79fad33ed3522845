#pragma once

/// \file
/// The trackbar wrapper CTqSliderCtrl.

#include <windows.h>

#include "../library/TqExport.h"
#include "../window/CTqWnd.h"

/// A common-controls trackbar ("msctls_trackbar32") held by a CTqWnd.
///
/// The trackbar keeps its own window procedure: the object holds the handle
/// but receives no messages. The trackbar reports to its parent: WM_HSCROLL
/// for position changes (read them in the parent's OnHScroll) and WM_NOTIFY
/// with NM_CUSTOMDRAW for drawing (a parent that owns custom-drawn sliders
/// passes those to their CustomDraw from its OnNotify).
class TQ_API CTqSliderCtrl : public CTqWnd {
public:
    /// An object without a window.
    CTqSliderCtrl();
    /// A copy shares the handle, as every CTqWnd copy does.
    CTqSliderCtrl(const CTqSliderCtrl& other) = default;
    /// Copies the handle, as CTqWnd does.
    /// \return `*this`.
    CTqSliderCtrl& operator=(const CTqSliderCtrl& other) = default;
    /// Leaves the window alive.
    virtual ~CTqSliderCtrl();

    /// Creates the trackbar; the first call in the process loads the
    /// common-controls bar classes (`InitCommonControlsEx`).
    /// \return 1 on success, 0 when the window cannot be created.
    TQ_NEW_VIRTUAL_CREATE_BEGIN
    virtual int Create(unsigned long exStyle, unsigned long style, int x, int y, int width,
                       int height, CTqWnd* parent, unsigned int id);
    TQ_NEW_VIRTUAL_CREATE_END

    /// Sets the range (`TBM_SETRANGE`), redrawing when redraw is nonzero. The
    /// bounds travel as 16-bit values: larger ones are cut to their low 16
    /// bits.
    void SetRange(int min, int max, int redraw);
    /// Sets the page size (`TBM_SETPAGESIZE`).
    /// \return The previous page size.
    int SetPageSize(int size);
    /// The position (`TBM_GETPOS`); 0 without a window.
    int GetPos() const;
    /// Sets the position (`TBM_SETPOS`), redrawing when redraw is nonzero.
    void SetPos(int pos, int redraw);
};
