#include "controls/CTqVolumeSliderCtrl.h"

#include <commctrl.h>

#include <utility>

#include "controls/internal/TqSliderGdi.h"
#include "library/internal/TqGdiGuards.h"

namespace {

const DWORD kPrePaint = 0x00000001;      // CDDS_PREPAINT
const DWORD kItemPrePaint = 0x00010001;  // CDDS_ITEMPREPAINT
const DWORD_PTR kChannel = 3;            // TBCD_CHANNEL
const LRESULT kNotifyItemDraw = 0x20;    // CDRF_NOTIFYITEMDRAW
const LRESULT kSkipDefault = 0x04;       // CDRF_SKIPDEFAULT

}  // namespace

CTqVolumeSliderCtrl::CTqVolumeSliderCtrl()
    : m_hLightPen(tq::CreateEdgePen(COLOR_BTNHIGHLIGHT)),
      m_hShadowPen(tq::CreateEdgePen(COLOR_BTNSHADOW))
{
}

CTqVolumeSliderCtrl::CTqVolumeSliderCtrl(const CTqVolumeSliderCtrl& other)
    : CTqSliderCtrl(other),
      m_hLightPen(tq::DuplicatePen(other.m_hLightPen)),
      m_hShadowPen(tq::DuplicatePen(other.m_hShadowPen))
{
}

CTqVolumeSliderCtrl& CTqVolumeSliderCtrl::operator=(const CTqVolumeSliderCtrl& other)
{
    if (this != &other) {
        CTqVolumeSliderCtrl copy(other);
        CTqSliderCtrl::operator=(other);
        std::swap(m_hLightPen, copy.m_hLightPen);
        std::swap(m_hShadowPen, copy.m_hShadowPen);
    }
    return *this;
}

CTqVolumeSliderCtrl::~CTqVolumeSliderCtrl()
{
    tq::DeleteOwned(m_hLightPen);
    tq::DeleteOwned(m_hShadowPen);
}

int CTqVolumeSliderCtrl::CustomDraw(NMHDR* nmhdr, LRESULT* result)
{
    if (!nmhdr || !result)
        return 0;
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(nmhdr);
    if (draw->dwDrawStage == kPrePaint) {
        *result = kNotifyItemDraw;
        return 1;
    }
    if (draw->dwDrawStage == kItemPrePaint && draw->dwItemSpec == kChannel) {
        DrawWedge(draw->hdc, draw->rc);
        *result = kSkipDefault;
        return 1;
    }
    return 0;
}

// The wedge spans the channel's width and rises from halfway between the
// channel's bottom and the client bottom to halfway between the client top
// and the channel's top; its right corners lie one pixel inside the channel.
void CTqVolumeSliderCtrl::DrawWedge(HDC dc, const RECT& channel) const
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const int bottom = (channel.bottom + client.bottom) / 2;
    const int top = (channel.top + client.top) / 2;
    const POINT corners[3] = {
        {channel.left, bottom}, {channel.right - 1, bottom}, {channel.right - 1, top}};

    const tq::SelectedObject brush(dc, GetSysColorBrush(COLOR_BTNFACE));
    {
        const tq::SelectedObject pen(dc, m_hShadowPen);
        Polygon(dc, corners, 3);
    }
    const tq::SelectedObject pen(dc, m_hLightPen);
    Polyline(dc, corners, 3);
}
