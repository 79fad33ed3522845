#pragma once

#include <windows.h>

#include "CTqCstmButtonCtrl.h"
#include "CTqPlayerTimeSliderCtrl.h"
#include "CTqPlayerVolumeSliderCtrl.h"
#include "../library/TqExport.h"
#include "../window/CTqWnd.h"

// A media-player bar of window class "TqPlayerCtrl": one row 24 pixels high
// with a play/pause button (child id 101) on the left, a time slider with a
// minutes:seconds read-out (102) in the middle and a wedge-shaped volume
// slider (107) on the right.
//
// It plays nothing itself. A click on the button becomes OnPlay, a drag on a
// slider becomes three notifications with the slider's position; the
// application overrides them. The bar never changes the button's face or the
// sliders' values by itself: the owner does, through PlayBtn().SetChecked
// (1 shows the pause face), TimeSlider().SetFps, SetRange and SetPos, and the
// volume slider's setters.
//
// The children are members, created with the bar's window and destroyed with
// it; the object must outlive its window.
class TQ_API CTqPlayerCtrl : public CTqWnd {
public:
    CTqPlayerCtrl();
    // A copy shares the windows, as every CTqWnd copy does; its sliders
    // report to the copy.
    CTqPlayerCtrl(const CTqPlayerCtrl& other);
    CTqPlayerCtrl& operator=(const CTqPlayerCtrl& other);
    // The windows are left alive.
    virtual ~CTqPlayerCtrl();

    // Registers the window class on first use and creates the bar with its
    // children. 1 on success; 0 when the class cannot be registered (the next
    // call tries again) or the bar cannot be created. A child that cannot be
    // created leaves the bar without it and the later children.
    virtual int Create(unsigned long style, int x, int y, int width, int height, CTqWnd* parent,
                       unsigned int id);

    // The height the bar needs: 24.
    static int GetClientHeight();

    CTqCstmButtonCtrl& PlayBtn();
    const CTqCstmButtonCtrl& PlayBtn() const;
    CTqPlayerTimeSliderCtrl& TimeSlider();
    const CTqPlayerTimeSliderCtrl& TimeSlider() const;
    CTqPlayerVolumeSliderCtrl& VolumeSlider();
    const CTqPlayerVolumeSliderCtrl& VolumeSlider() const;

    // The play button was clicked (unless the command window took the click).
    virtual void OnPlay();
    // A drag on the time slider started, moved the position, ended; each
    // with the slider's position in frames.
    virtual void OnTimeStartTrack(double pos);
    virtual void OnTimeTracking(double pos);
    virtual void OnTimeEndTrack(double pos);
    // The same for the volume slider.
    virtual void OnVolumeStartTrack(double pos);
    virtual void OnVolumeTracking(double pos);
    virtual void OnVolumeEndTrack(double pos);

protected:
    // The command window first; then a click of the play button is OnPlay.
    int OnCmdMsg(unsigned int id, int code, HWND control) override;
    // Creates the children; the bar exists even when one of them fails.
    int OnCreate(CREATESTRUCTA* create) override;
    // Erases only the gaps between the children.
    int OnEraseBkgnd(HDC dc) override;
    // Lays the children out in one row for SIZE_RESTORED and SIZE_MAXIMIZED.
    void OnSize(unsigned int type, int cx, int cy) override;
    // Owner drawing of the play button and custom drawing of the volume
    // slider are passed to them.
    int OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
    int OnNotify(WPARAM id, LPARAM lParam, LRESULT* result) override;

    // Creates and configures the three children at zero size; 0 at the first
    // that fails.
    int CreateControls();

    CTqCstmButtonCtrl m_btnPlay;
    CTqPlayerTimeSliderCtrl m_timeSlider;
    CTqPlayerVolumeSliderCtrl m_volumeSlider;

private:
    void ExcludeChild(HDC dc, const CTqWnd& child);
};
