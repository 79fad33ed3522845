#include "controls/CTqSliderCtrl.h"

#include <commctrl.h>

namespace {

const char kTrackbarClass[] = "msctls_trackbar32";

const UINT kSetRange = 0x0406;     // TBM_SETRANGE
const UINT kSetPageSize = 0x0415;  // TBM_SETPAGESIZE
const UINT kGetPos = 0x0400;       // TBM_GETPOS
const UINT kSetPos = 0x0405;       // TBM_SETPOS

const DWORD kBarClasses = 0x0004;  // ICC_BAR_CLASSES

// Once per process, whatever the result: a missing class makes the creation
// fail, and that failure is what the caller sees.
void LoadBarClassesOnce()
{
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX classes = {};
        classes.dwSize = sizeof classes;
        classes.dwICC = kBarClasses;
        InitCommonControlsEx(&classes);
        return true;
    }();
    (void)loaded;
}

}  // namespace

CTqSliderCtrl::CTqSliderCtrl() = default;

CTqSliderCtrl::~CTqSliderCtrl() = default;

int CTqSliderCtrl::Create(unsigned long exStyle, unsigned long style, int x, int y, int width,
                          int height, CTqWnd* parent, unsigned int id)
{
    LoadBarClassesOnce();
    return CTqWnd::CreateEx(exStyle, kTrackbarClass, nullptr, style, x, y, width, height, parent,
                            id);
}

void CTqSliderCtrl::SetRange(int min, int max, int redraw)
{
    ::SendMessageA(m_hWnd, kSetRange, static_cast<WPARAM>(redraw), MAKELONG(min, max));
}

int CTqSliderCtrl::SetPageSize(int size)
{
    return static_cast<int>(::SendMessageA(m_hWnd, kSetPageSize, 0, size));
}

int CTqSliderCtrl::GetPos() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, kGetPos, 0, 0));
}

void CTqSliderCtrl::SetPos(int pos, int redraw)
{
    ::SendMessageA(m_hWnd, kSetPos, static_cast<WPARAM>(redraw), pos);
}
