#pragma once

/// \file
/// The system push button wrapper CTqButtonCtrl.

#include <windows.h>

#include "../library/TqExport.h"
#include "../window/CTqWnd.h"

/// A window of the system class "BUTTON" (push button, check box, radio
/// button: whatever style the caller passes) with access to its check state.
///
/// The system's window procedure keeps the window: the object holds the
/// handle but receives no messages. A click reaches the parent as WM_COMMAND
/// with BN_CLICKED, in the parent's OnCommand.
class TQ_API CTqButtonCtrl : public CTqWnd {
public:
    /// An object without a window.
    CTqButtonCtrl();
    /// A copy shares the handle, as every CTqWnd copy does.
    CTqButtonCtrl(const CTqButtonCtrl& other) = default;
    /// Copies the handle, as CTqWnd does.
    /// \return `*this`.
    CTqButtonCtrl& operator=(const CTqButtonCtrl& other) = default;
    /// Leaves the window alive.
    virtual ~CTqButtonCtrl();

    /// Creates the "BUTTON" window with the style unchanged (`WS_CHILD`,
    /// `BS_` bits) under the application's module; text is its caption.
    /// \return 1 on success, 0 when the previous window cannot be destroyed or
    ///         the window cannot be created.
    TQ_NEW_VIRTUAL_CREATE_BEGIN
    virtual int Create(const char* text, unsigned long style, int x, int y, int width, int height,
                       CTqWnd* parent, unsigned int id);
    TQ_NEW_VIRTUAL_CREATE_END

    /// BM_GETCHECK: 0 unchecked, 1 checked, 2 indeterminate (0 without a
    /// window).
    int GetCheck() const;
    /// BM_SETCHECK: 0 unchecked, 1 checked, 2 indeterminate.
    void SetCheck(int state);

protected:
    /// A hook for subclasses; the library never calls it.
    virtual void OnClick();
};
