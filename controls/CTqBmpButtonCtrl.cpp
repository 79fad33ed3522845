#include "controls/CTqBmpButtonCtrl.h"

#include "controls/internal/TqButtonFace.h"

namespace {

const unsigned long kMagenta = RGB(255, 0, 255);

}  // namespace

CTqBmpButtonCtrl::CTqBmpButtonCtrl()
    : m_bChecked(0), m_nBmpID(0), m_crBmp(kMagenta), m_nCheckedBmpID(0), m_crCheckedBmp(kMagenta)
{
}

CTqBmpButtonCtrl::~CTqBmpButtonCtrl() = default;

void CTqBmpButtonCtrl::SetBmpID(int id, unsigned long transparentColor)
{
    m_nBmpID = id;
    m_crBmp = transparentColor;
    Repaint();
}

void CTqBmpButtonCtrl::SetCheckedBmpID(int id, unsigned long transparentColor)
{
    m_nCheckedBmpID = id;
    m_crCheckedBmp = transparentColor;
    Repaint();
}

void CTqBmpButtonCtrl::SetChecked(int checked)
{
    m_bChecked = checked;
    Repaint();
}

int CTqBmpButtonCtrl::GetChecked() const
{
    return m_bChecked;
}

void CTqBmpButtonCtrl::Repaint()
{
    if (IsWindow())
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

int CTqBmpButtonCtrl::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item)
        return 0;
    const int pushed = (item->itemState & ODS_SELECTED) != 0;
    const int disabled = (item->itemState & ODS_DISABLED) != 0;
    RECT frame = item->rcItem;
    DrawFrameControl(item->hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    DrawBmp(item->hDC, item->rcItem, pushed, disabled, nullptr);
    if (item->itemState & ODS_FOCUS)
        tq::DrawButtonFocus(item->hDC, item->rcItem);
    return 1;
}

void CTqBmpButtonCtrl::DrawBmp(HDC dc, const RECT& rect, int pushed, int disabled,
                               RECT* bitmapRect)
{
    if (m_bChecked)
        tq::DrawButtonFace(dc, rect, m_nCheckedBmpID, m_crCheckedBmp, pushed, disabled,
                           bitmapRect);
    else
        tq::DrawButtonFace(dc, rect, m_nBmpID, m_crBmp, pushed, disabled, bitmapRect);
}
