#pragma once

#include "../library/TqExport.h"

// A scoped hourglass: from construction on, every CTqWnd window shows the
// system wait cursor, even while the mouse moves. Wait cursors are not
// counted: destroying any of them (a copy too) ends the wait cursor and any
// reserved cursor set before, and the class cursors come back at the next
// WM_SETCURSOR.
class TQ_API CTqWaitCursor {
public:
    CTqWaitCursor();
    // A copy shows nothing by itself.
    CTqWaitCursor(const CTqWaitCursor& other) = default;
    CTqWaitCursor& operator=(const CTqWaitCursor& other) = default;
    virtual ~CTqWaitCursor();
};
