#pragma once

#include <windows.h>

#include "CTqCstmButtonCtrl.h"
#include "CTqPlayerTimeSliderCtrl.h"
#include "CTqPlayerVolumeSliderCtrl.h"
#include "../library/TqExport.h"
#include "../window/CTqWnd.h"

/// \file
/// The media-player bar CTqPlayerCtrl.

/// A media-player bar of window class "TqPlayerCtrl": one row 24 pixels high
/// with a play/pause button (child id 101) on the left, a time slider with a
/// minutes:seconds read-out (102) in the middle and a wedge-shaped volume
/// slider (107) on the right.
///
/// It plays nothing itself. A click on the button becomes OnPlay, a drag on a
/// slider becomes three notifications with the slider's position; the
/// application overrides them. The bar never changes the button's face or the
/// sliders' values by itself: the owner does, through PlayBtn().SetChecked
/// (1 shows the pause face), TimeSlider().SetFps, SetRange and SetPos, and the
/// volume slider's setters.
///
/// The children are members, created with the bar's window and destroyed with
/// it; the object must outlive its window.
///
/// The button is a gradient CTqCstmButtonCtrl with the faces IDB_TQ_PLAY
/// (unchecked) and IDB_TQ_PAUSE (checked) that takes no focus; the time slider
/// shows its read-out; both sliders are gradient and take no focus. Layout
/// (for `SIZE_RESTORED` and `SIZE_MAXIMIZED`): the button 32 pixels wide, the
/// volume slider 64, the time slider the rest (none when the bar is narrower
/// than 96); all 24 high, whatever the bar's height (GetClientHeight()).
/// \image html player-playing.png "The bar while playing (pause face)"
class TQ_API CTqPlayerCtrl : public CTqWnd {
public:
    /// A bar without windows; the sliders report to this object.
    CTqPlayerCtrl();
    /// A copy shares the windows, as every CTqWnd copy does; its sliders
    /// report to the copy.
    CTqPlayerCtrl(const CTqPlayerCtrl& other);
    /// Copies as the copy constructor does; the sliders report to this
    /// object.
    /// \return `*this`.
    CTqPlayerCtrl& operator=(const CTqPlayerCtrl& other);
    /// The windows are left alive.
    virtual ~CTqPlayerCtrl();

    /// Registers the window class on first use and creates the bar with its
    /// children.
    /// \return 1 on success; 0 when the class cannot be registered (the next
    ///         call tries again) or the bar cannot be created. A child that
    ///         cannot be created leaves the bar without it and the later
    ///         children, and the result is still 1.
    TQ_NEW_VIRTUAL_CREATE_BEGIN
    virtual int Create(unsigned long style, int x, int y, int width, int height, CTqWnd* parent,
                       unsigned int id);
    TQ_NEW_VIRTUAL_CREATE_END

    /// The height the bar needs: 24.
    static int GetClientHeight();

    /// \name Children
    /// The child objects, to configure them after Create() (faces, checked
    /// flag, rate, range, position). Owned by the bar.
    ///@{

    /// The play/pause button.
    CTqCstmButtonCtrl& PlayBtn();
    /// The play/pause button.
    const CTqCstmButtonCtrl& PlayBtn() const;
    /// The time slider.
    CTqPlayerTimeSliderCtrl& TimeSlider();
    /// The time slider.
    const CTqPlayerTimeSliderCtrl& TimeSlider() const;
    /// The volume slider.
    CTqPlayerVolumeSliderCtrl& VolumeSlider();
    /// The volume slider.
    const CTqPlayerVolumeSliderCtrl& VolumeSlider() const;
    ///@}

    /// \name Notifications
    /// Overridden by the application; they do nothing here.
    ///@{

    /// The play button was clicked (unless the command window took the click).
    virtual void OnPlay();
    /// A drag on the time slider started, with its position in frames.
    virtual void OnTimeStartTrack(double pos);
    /// A drag on the time slider moved the position (in frames).
    virtual void OnTimeTracking(double pos);
    /// A drag on the time slider ended at the position (in frames).
    virtual void OnTimeEndTrack(double pos);
    /// A drag on the volume slider started, with its position.
    virtual void OnVolumeStartTrack(double pos);
    /// A drag on the volume slider moved the position.
    virtual void OnVolumeTracking(double pos);
    /// A drag on the volume slider ended at the position.
    virtual void OnVolumeEndTrack(double pos);
    ///@}

protected:
    /// The command window first; then a click of the play button (code
    /// `BN_CLICKED` from the button's own window) is OnPlay().
    /// \return Nonzero when handled.
    int OnCmdMsg(unsigned int id, int code, HWND control) override;
    /// Creates the children; the bar exists even when one of them fails.
    /// \return 0: the bar is created.
    int OnCreate(CREATESTRUCTA* create) override;
    /// Erases only the gaps between the children.
    /// \return 0: the class brush erases them.
    int OnEraseBkgnd(HDC dc) override;
    /// Lays the children out in one row for SIZE_RESTORED and SIZE_MAXIMIZED.
    void OnSize(unsigned int type, int cx, int cy) override;
    /// Passes `WM_DRAWITEM` of the play button to the button's DrawItem(), which
    /// draws nothing (the button paints itself).
    /// \return The button's answer, 0; 0 for other items.
    // Owner drawing of the play button and custom drawing of the volume
    // slider are passed to them.
    int OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
    int OnNotify(WPARAM id, LPARAM lParam, LRESULT* result) override;

    /// Creates and configures the three children at zero size.
    /// \return 1, or 0 at the first that fails.
    int CreateControls();

    /// The play/pause button (id 101).
    CTqCstmButtonCtrl m_btnPlay;
    /// The time slider (id 102).
    CTqPlayerTimeSliderCtrl m_timeSlider;
    /// The volume slider (id 107).
    CTqPlayerVolumeSliderCtrl m_volumeSlider;

private:
    void ExcludeChild(HDC dc, const CTqWnd& child);
};

/// \fn CTqPlayerCtrl::OnNotify
/// Passes `NM_CUSTOMDRAW` from the volume slider to its CustomDraw() (CTqWnd's,
/// which answers 0: the slider paints itself).
/// \return The slider's answer; 0 for every other notification.
