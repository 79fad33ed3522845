#include "controls/CTqBmpButtonCtrl.h"

#include "controls/internal/TqButtonFace.h"
#include "graphics/internal/TqKeyColor.h"

CTqBmpButtonCtrl::CTqBmpButtonCtrl()
    : m_bChecked(0),
      m_nBmpID(0),
      m_crBmp(tq::kMagentaKey),
      m_nCheckedBmpID(0),
      m_crCheckedBmp(tq::kMagentaKey)
{
}

CTqBmpButtonCtrl::~CTqBmpButtonCtrl() = default;

void CTqBmpButtonCtrl::SetBmpID(int id, unsigned long transparentColor)
{
    tq::ReplaceButtonFace(m_hWnd, m_nBmpID, m_crBmp, id, transparentColor);
}

void CTqBmpButtonCtrl::SetCheckedBmpID(int id, unsigned long transparentColor)
{
    tq::ReplaceButtonFace(m_hWnd, m_nCheckedBmpID, m_crCheckedBmp, id, transparentColor);
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
    tq::RepaintWindow(m_hWnd);
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
    const tq::CheckableFaces faces = {m_bChecked, m_nBmpID, m_crBmp, m_nCheckedBmpID,
                                      m_crCheckedBmp};
    tq::DrawCheckableFace(dc, rect, faces, pushed, disabled, bitmapRect);
}
