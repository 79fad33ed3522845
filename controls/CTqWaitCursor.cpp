#include "controls/CTqWaitCursor.h"

#include <windows.h>

#include "window/CTqWnd.h"

namespace {
const WORD kWaitCursorId = 32514;  // IDC_WAIT
}

CTqWaitCursor::CTqWaitCursor()
{
    CTqWnd::SetReservedCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(kWaitCursorId)));
    // Shown at once, not only at the next mouse move.
    SetCursor(CTqWnd::m_hReservedCursor);
}

CTqWaitCursor::~CTqWaitCursor()
{
    CTqWnd::SetReservedCursor(nullptr);
}
