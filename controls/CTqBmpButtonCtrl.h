#pragma once

/// \file
/// The owner-drawn bitmap button CTqBmpButtonCtrl.

#include <windows.h>

#include "CTqButtonCtrl.h"
#include "../library/TqExport.h"

/// An owner-drawn push button showing one of two bitmaps of the library (its
/// own resources, by id, not the application's), centred, with a transparent
/// colour, pushed by one pixel while pressed and greyed while disabled.
///
/// The checked flag picks the face and never changes by itself: the owner
/// sets it, typically when the button's BN_CLICKED arrives, so that one button
/// can toggle between two faces.
///
/// Create it with BS_OWNERDRAW among the style bits. The system then sends
/// WM_DRAWITEM to the parent, whose OnDrawItem must hand the DRAWITEMSTRUCT
/// whose hwndItem is this button to DrawItem: CTqWnd forwards nothing.
///
/// The faces are the bitmaps of library/TqResourceIds.h (IDB_TQ_PLAY,
/// IDB_TQ_PAUSE, IDB_TQ_TO_START, IDB_TQ_TO_END), loaded from
/// TqGetLibraryInstance() at every paint; an id that is not a bitmap of the
/// library shows no face.
class TQ_API CTqBmpButtonCtrl : public CTqButtonCtrl {
public:
    /// No faces, magenta (0x00FF00FF) as both transparent colours, unchecked.
    CTqBmpButtonCtrl();
    /// A copy shares the handle, as every CTqWnd copy does, and copies the
    /// faces and the checked flag.
    CTqBmpButtonCtrl(const CTqBmpButtonCtrl& other) = default;
    /// Copies the handle, the faces and the checked flag.
    /// \return `*this`.
    CTqBmpButtonCtrl& operator=(const CTqBmpButtonCtrl& other) = default;
    /// Leaves the window alive.
    virtual ~CTqBmpButtonCtrl();

    /// Paints frame, face and focus rectangle into item's DC, from its
    /// `itemState` (`ODS_SELECTED` pushed, `ODS_DISABLED` greyed, `ODS_FOCUS`
    /// focus rectangle).
    /// \return 1, or 0 for a null item.
    int DrawItem(DRAWITEMSTRUCT* item) override;

    /// \name Faces
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
    ///@}

protected:
    /// Draws the current face centred in rect; bitmapRect (optional) receives
    /// where it goes when not pushed.
    void DrawBmp(HDC dc, const RECT& rect, int pushed, int disabled, RECT* bitmapRect);

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

private:
    void Repaint();
};
