#pragma once

#include <windows.h>

#include "CTqButtonCtrl.h"
#include "../library/TqExport.h"

// An owner-drawn push button showing one of two bitmaps of the library (its
// own resources, by id, not the application's), centred, with a transparent
// colour, pushed by one pixel while pressed and greyed while disabled.
//
// The checked flag picks the face and never changes by itself: the owner
// sets it, typically when the button's BN_CLICKED arrives, so that one button
// can toggle between two faces.
//
// Create it with BS_OWNERDRAW among the style bits. The system then sends
// WM_DRAWITEM to the parent, whose OnDrawItem must hand the DRAWITEMSTRUCT
// whose hwndItem is this button to DrawItem: CTqWnd forwards nothing.
class TQ_API CTqBmpButtonCtrl : public CTqButtonCtrl {
public:
    // No faces, magenta (0x00FF00FF) as both transparent colours, unchecked.
    CTqBmpButtonCtrl();
    CTqBmpButtonCtrl(const CTqBmpButtonCtrl& other) = default;
    CTqBmpButtonCtrl& operator=(const CTqBmpButtonCtrl& other) = default;
    virtual ~CTqBmpButtonCtrl();

    // Paints frame, face and focus rectangle; 1, or 0 for a null item.
    int DrawItem(DRAWITEMSTRUCT* item) override;

    // The face while unchecked and while checked; id 0 shows no face. Each
    // setter repaints the window when it exists.
    void SetBmpID(int id, unsigned long transparentColor);
    void SetCheckedBmpID(int id, unsigned long transparentColor);
    void SetChecked(int checked);
    int GetChecked() const;

protected:
    // Draws the current face centred in rect; bitmapRect (optional) receives
    // where it goes when not pushed.
    void DrawBmp(HDC dc, const RECT& rect, int pushed, int disabled, RECT* bitmapRect);

    int m_bChecked;
    int m_nBmpID;
    unsigned long m_crBmp;
    int m_nCheckedBmpID;
    unsigned long m_crCheckedBmp;

private:
    void Repaint();
};
