#pragma once

#include <windows.h>

#include "../library/TqExport.h"
#include "../window/CTqWnd.h"

// A push button of its own window class, "TqCstmButtonCtrl", that tracks the
// mouse and paints itself: the system push-button frame, or a three-colour
// gradient with a raised or sunken edge; a bitmap face of the library (by
// resource id, from the library's own module) centred on it; a focus
// rectangle while it has the focus.
//
// A completed click (pressed and released inside) is sent to the parent as
// the WM_COMMAND a system button sends: the control id in the low word of
// wParam, 0 (BN_CLICKED) in the high word, the button's window as lParam. It
// is sent before the button lets go of its pressed look. The button reacts
// to the mouse only; it has no keyboard activation.
//
// The checked flag picks the face and never changes by itself: the owner sets
// it, typically in answer to the click. The flags returned by reference take
// effect at the next paint (IsGradated) or the next press (IsFocusEnabled).
// A disabled window shows the greyed face from its next paint on: after
// EnableWindow, invalidate the button to show the change at once.
class TQ_API CTqCstmButtonCtrl : public CTqWnd {
public:
    // Focus enabled, not gradated, unchecked, no faces, magenta (0x00FF00FF)
    // as both transparent colours.
    CTqCstmButtonCtrl();
    CTqCstmButtonCtrl(const CTqCstmButtonCtrl& other) = default;
    CTqCstmButtonCtrl& operator=(const CTqCstmButtonCtrl& other) = default;
    virtual ~CTqCstmButtonCtrl();

    // Registers the window class on first use and creates the window; text is
    // not used. 1 on success; 0 when the class cannot be registered (the next
    // call tries again) or the window cannot be created.
    virtual int Create(const char* text, unsigned long style, int x, int y, int width, int height,
                       CTqWnd* parent, unsigned int id);

    // The face while unchecked and while checked; id 0 shows no face. Each
    // setter repaints the window when it exists.
    void SetBmpID(int id, unsigned long transparentColor);
    void SetCheckedBmpID(int id, unsigned long transparentColor);
    void SetChecked(int checked);
    int GetChecked() const;

    // Gradient face instead of the system frame; nothing is repainted.
    int& IsGradated();
    const int& IsGradated() const;
    // A press gives the button the keyboard focus. The focus rectangle shows
    // whenever the button has the focus, however it got it.
    int& IsFocusEnabled();
    const int& IsFocusEnabled() const;

protected:
    void OnPaint() override;
    // 0: the class brush erases the background.
    int OnEraseBkgnd(HDC dc) override;
    void OnSize(unsigned int type, int cx, int cy) override;
    void OnLButtonDown(unsigned int flags, POINT pt) override;
    void OnLButtonUp(unsigned int flags, POINT pt) override;
    void OnMouseMove(unsigned int flags, POINT pt) override;
    // Both repaint, with or without the focus rectangle.
    void OnSetFocus(HWND previous) override;
    void OnKillFocus(HWND next) override;

    // Draws the current face centred in rect; bitmapRect (optional) receives
    // where it goes when not pushed.
    void DrawBmp(HDC dc, const RECT& rect, int pushed, int disabled, RECT* bitmapRect);

    int m_bFocusEnabled;
    int m_bGradated;
    int m_bChecked;
    int m_nBmpID;
    unsigned long m_crBmp;
    int m_nCheckedBmpID;
    unsigned long m_crCheckedBmp;
    int m_bTracking;
    int m_bPressed;

private:
    void Repaint();
    bool IsInside(POINT pt) const;
    void NotifyClick();
};
