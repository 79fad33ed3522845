#pragma once

#include <windows.h>

#include "../library/TqExport.h"
#include "../window/CTqWnd.h"

// A common-controls trackbar ("msctls_trackbar32") held by a CTqWnd.
//
// The trackbar keeps its own window procedure: the object holds the handle
// but receives no messages. The trackbar reports to its parent: WM_HSCROLL
// for position changes (read them in the parent's OnHScroll) and WM_NOTIFY
// with NM_CUSTOMDRAW for drawing (a parent that owns custom-drawn sliders
// passes those to their CustomDraw from its OnNotify).
class TQ_API CTqSliderCtrl : public CTqWnd {
public:
    CTqSliderCtrl();
    CTqSliderCtrl(const CTqSliderCtrl& other) = default;
    CTqSliderCtrl& operator=(const CTqSliderCtrl& other) = default;
    virtual ~CTqSliderCtrl();

    // Creates the trackbar; the first call in the process loads the
    // common-controls bar classes. 1 on success, 0 when the window cannot be
    // created.
    virtual int Create(unsigned long exStyle, unsigned long style, int x, int y, int width,
                       int height, CTqWnd* parent, unsigned int id);

    // The bounds travel as 16-bit values: larger ones are cut to their low
    // 16 bits.
    void SetRange(int min, int max, int redraw);
    // The previous page size.
    int SetPageSize(int size);
    int GetPos() const;
    void SetPos(int pos, int redraw);
};
