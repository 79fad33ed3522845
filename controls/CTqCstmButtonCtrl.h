#pragma once

/// \file
/// The self-drawn push button CTqCstmButtonCtrl.

#include <windows.h>

#include "../library/TqExport.h"
#include "../window/CTqWnd.h"

/// A push button of its own window class, "TqCstmButtonCtrl", that tracks the
/// mouse and paints itself: the system push-button frame, or a three-colour
/// gradient with a raised or sunken edge; a bitmap face of the library (by
/// resource id, from the library's own module) centred on it; a focus
/// rectangle while it has the focus.
///
/// A completed click (pressed and released inside) is sent to the parent as
/// the WM_COMMAND a system button sends: the control id in the low word of
/// wParam, 0 (BN_CLICKED) in the high word, the button's window as lParam. It
/// is sent before the button lets go of its pressed look. The button reacts
/// to the mouse only; it has no keyboard activation.
///
/// The checked flag picks the face and never changes by itself: the owner sets
/// it, typically in answer to the click. The flags returned by reference take
/// effect at the next paint (IsGradated) or the next press (IsFocusEnabled).
/// A disabled window shows the greyed face from its next paint on: after
/// EnableWindow, invalidate the button to show the change at once.
///
/// The faces are the bitmaps of library/TqResourceIds.h, loaded from
/// TqGetLibraryInstance() at every paint. The window class is registered under
/// the application's module on the first Create() (class brush
/// `COLOR_BTNFACE`, arrow cursor).
class TQ_API CTqCstmButtonCtrl : public CTqWnd {
public:
    /// Focus enabled, not gradated, unchecked, no faces, magenta (0x00FF00FF)
    /// as both transparent colours.
    CTqCstmButtonCtrl();
    /// A copy shares the handle, as every CTqWnd copy does, and copies the
    /// faces and flags.
    CTqCstmButtonCtrl(const CTqCstmButtonCtrl& other) = default;
    /// Copies the handle, the faces and the flags.
    /// \return `*this`.
    CTqCstmButtonCtrl& operator=(const CTqCstmButtonCtrl& other) = default;
    /// Leaves the window alive.
    virtual ~CTqCstmButtonCtrl();

    /// Registers the window class on first use and creates the window; text is
    /// not used.
    /// \return 1 on success; 0 when the class cannot be registered (the next
    ///         call tries again) or the window cannot be created.
    TQ_NEW_VIRTUAL_CREATE_BEGIN
    virtual int Create(const char* text, unsigned long style, int x, int y, int width, int height,
                       CTqWnd* parent, unsigned int id);
    TQ_NEW_VIRTUAL_CREATE_END

    /// \name Faces and flags
    /// The face while unchecked and while checked; id 0 shows no face. Each
    /// setter repaints the window when it exists.
    ///@{

    /// The face while unchecked: a bitmap id of the library and its
    /// transparent colour (a COLORREF, usually magenta 0x00FF00FF).
    void SetBmpID(int id, unsigned long transparentColor);
    /// The face while checked: a bitmap id of the library and its transparent
    /// colour.
    void SetCheckedBmpID(int id, unsigned long transparentColor);
    /// Sets the checked flag, which picks the face; nonzero is checked.
    void SetChecked(int checked);
    /// The checked flag as last set.
    int GetChecked() const;

    /// Gradient face instead of the system frame; nothing is repainted.
    int& IsGradated();
    /// Gradient face instead of the system frame.
    const int& IsGradated() const;
    /// A press gives the button the keyboard focus. The focus rectangle shows
    /// whenever the button has the focus, however it got it.
    int& IsFocusEnabled();
    /// Whether a press gives the button the keyboard focus.
    const int& IsFocusEnabled() const;
    ///@}

protected:
    /// Paints frame or gradient, face and focus rectangle.
    void OnPaint() override;
    /// 0: the class brush erases the background.
    int OnEraseBkgnd(HDC dc) override;
    /// Does nothing: every paint measures the client area.
    void OnSize(unsigned int type, int cx, int cy) override;
    /// Inside the client area: shows the pressed look, captures the mouse and,
    /// with IsFocusEnabled(), takes the focus.
    void OnLButtonDown(unsigned int flags, POINT pt) override;
    /// Ends a press: sends the click when the cursor was inside at the last
    /// move (the release point is not tested), then shows the normal look.
    void OnLButtonUp(unsigned int flags, POINT pt) override;
    /// During a press, shows the pressed look while the cursor is inside.
    void OnMouseMove(unsigned int flags, POINT pt) override;
    /// Repaints with the focus rectangle.
    void OnSetFocus(HWND previous) override;
    /// Repaints without the focus rectangle.
    void OnKillFocus(HWND next) override;

    /// Draws the current face centred in rect; bitmapRect (optional) receives
    /// where it goes when not pushed.
    void DrawBmp(HDC dc, const RECT& rect, int pushed, int disabled, RECT* bitmapRect);

    /// Whether a press takes the focus (IsFocusEnabled()).
    int m_bFocusEnabled;
    /// Whether the gradient face is drawn (IsGradated()).
    int m_bGradated;
    /// The checked flag.
    int m_bChecked;
    /// The unchecked face's bitmap id, 0 for none.
    int m_nBmpID;
    /// The unchecked face's transparent colour.
    unsigned long m_crBmp;
    /// The checked face's bitmap id, 0 for none.
    int m_nCheckedBmpID;
    /// The checked face's transparent colour.
    unsigned long m_crCheckedBmp;
    /// 1 while a press is tracked (the mouse is captured).
    int m_bTracking;
    /// 1 while the pressed look shows.
    int m_bPressed;

private:
    void Repaint();
    bool IsInside(POINT pt) const;
    void NotifyClick();
};
