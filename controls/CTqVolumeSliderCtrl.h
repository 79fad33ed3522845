#pragma once

/// \file
/// The wedge-shaped trackbar CTqVolumeSliderCtrl.

#include <windows.h>

#include "CTqSliderCtrl.h"
#include "../library/TqExport.h"

/// A trackbar whose channel is drawn as a rising wedge, the usual picture of a
/// volume control: a dark slanted edge, light bottom and right edges. Tics and
/// thumb keep the system's drawing.
///
/// The wedge needs the parent's help: its OnNotify passes every NM_CUSTOMDRAW
/// whose hwndFrom is this slider to CustomDraw and answers with its result.
/// Without that the slider shows the ordinary channel.
class TQ_API CTqVolumeSliderCtrl : public CTqSliderCtrl {
public:
    /// Creates the two edge pens in the system colours of this moment.
    CTqVolumeSliderCtrl();
    /// A copy draws with pens of its own, so that each object deletes only
    /// what it owns.
    CTqVolumeSliderCtrl(const CTqVolumeSliderCtrl& other);
    /// Copies the handle and duplicates the pens, deleting its own.
    /// \return `*this`.
    CTqVolumeSliderCtrl& operator=(const CTqVolumeSliderCtrl& other);
    /// Deletes the pens; the window is left alive.
    virtual ~CTqVolumeSliderCtrl();

    /// Handles the slider's `NM_CUSTOMDRAW` (the `NMCUSTOMDRAW` behind the
    /// first argument): asks for the trackbar's parts at the prepaint stage
    /// (result `CDRF_NOTIFYITEMDRAW`) and draws the channel itself (result
    /// `CDRF_SKIPDEFAULT`).
    /// \return 1 when the result was set; 0 for the parts the trackbar draws
    ///         (tics, thumb), for anything else and for a null argument.
    // Asks for the trackbar's parts at the prepaint stage and draws the
    // channel itself; 1 when *result was set, 0 for the parts the trackbar
    // draws (tics, thumb) and for anything else.
    int CustomDraw(NMHDR* nmhdr, LRESULT* result) override;

protected:
    /// The light edge pen (owned).
    HPEN m_hLightPen;
    /// The dark edge pen (owned).
    HPEN m_hShadowPen;

private:
    void DrawWedge(HDC dc, const RECT& channel) const;
};
