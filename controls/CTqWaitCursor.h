#pragma once

/// \file
/// The scoped hourglass CTqWaitCursor.

#include "../library/TqExport.h"

/// A scoped hourglass: from construction on, every CTqWnd window shows the
/// system wait cursor, even while the mouse moves. Wait cursors are not
/// counted: destroying any of them (a copy too) ends the wait cursor and any
/// reserved cursor set before, and the class cursors come back at the next
/// WM_SETCURSOR.
///
/// It works through CTqWnd::SetReservedCursor(), so windows not built on
/// CTqWnd keep their own cursors. Process-wide and unguarded: use it on the
/// user-interface thread.
class TQ_API CTqWaitCursor {
public:
    /// Reserves the system wait cursor (`IDC_WAIT`) and shows it at once.
    CTqWaitCursor();
    /// A copy shows nothing by itself.
    CTqWaitCursor(const CTqWaitCursor& other) = default;
    /// Changes no cursor.
    /// \return `*this`.
    CTqWaitCursor& operator=(const CTqWaitCursor& other) = default;
    /// Clears the reserved cursor, whoever set it; the cursor on screen stays
    /// until the next `WM_SETCURSOR`.
    virtual ~CTqWaitCursor();
};
