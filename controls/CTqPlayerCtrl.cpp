#include "controls/CTqPlayerCtrl.h"

#include <commctrl.h>

#include "graphics/internal/TqKeyColor.h"
#include "library/TqResourceIds.h"
#include "window/internal/TqWndClass.h"

namespace {

tq::WndClass g_playerClass("TqPlayerCtrl");

const unsigned int kPlayButtonId = 101;
const unsigned int kTimeSliderId = 102;
const unsigned int kVolumeSliderId = 107;

const int kBarHeight = 24;
const int kButtonWidth = 32;
const int kVolumeWidth = 64;
// The button and the volume slider; the time slider takes the rest.
const int kFixedWidth = kButtonWidth + kVolumeWidth;

const unsigned long kChildStyle = WS_CHILD | WS_VISIBLE;
const int kClicked = 0;  // BN_CLICKED

}  // namespace

CTqPlayerCtrl::CTqPlayerCtrl() : m_btnPlay(), m_timeSlider(this), m_volumeSlider(this) {}

CTqPlayerCtrl::CTqPlayerCtrl(const CTqPlayerCtrl& other)
    : CTqWnd(other),
      m_btnPlay(other.m_btnPlay),
      m_timeSlider(other.m_timeSlider),
      m_volumeSlider(other.m_volumeSlider)
{
    m_timeSlider.m_pOwner = this;
    m_volumeSlider.m_pOwner = this;
}

CTqPlayerCtrl& CTqPlayerCtrl::operator=(const CTqPlayerCtrl& other)
{
    CTqWnd::operator=(other);
    m_btnPlay = other.m_btnPlay;
    m_timeSlider = other.m_timeSlider;
    m_volumeSlider = other.m_volumeSlider;
    m_timeSlider.m_pOwner = this;
    m_volumeSlider.m_pOwner = this;
    return *this;
}

CTqPlayerCtrl::~CTqPlayerCtrl() = default;

int CTqPlayerCtrl::Create(unsigned long style, int x, int y, int width, int height,
                          CTqWnd* parent, unsigned int id)
{
    if (!g_playerClass.Register())
        return 0;
    return CTqWnd::Create(g_playerClass.Name(), nullptr, style, x, y, width, height, parent, id)
               ? 1
               : 0;
}

int CTqPlayerCtrl::GetClientHeight()
{
    return kBarHeight;
}

CTqCstmButtonCtrl& CTqPlayerCtrl::PlayBtn()
{
    return m_btnPlay;
}

const CTqCstmButtonCtrl& CTqPlayerCtrl::PlayBtn() const
{
    return m_btnPlay;
}

CTqPlayerTimeSliderCtrl& CTqPlayerCtrl::TimeSlider()
{
    return m_timeSlider;
}

const CTqPlayerTimeSliderCtrl& CTqPlayerCtrl::TimeSlider() const
{
    return m_timeSlider;
}

CTqPlayerVolumeSliderCtrl& CTqPlayerCtrl::VolumeSlider()
{
    return m_volumeSlider;
}

const CTqPlayerVolumeSliderCtrl& CTqPlayerCtrl::VolumeSlider() const
{
    return m_volumeSlider;
}

void CTqPlayerCtrl::OnPlay() {}
void CTqPlayerCtrl::OnTimeStartTrack(double) {}
void CTqPlayerCtrl::OnTimeTracking(double) {}
void CTqPlayerCtrl::OnTimeEndTrack(double) {}
void CTqPlayerCtrl::OnVolumeStartTrack(double) {}
void CTqPlayerCtrl::OnVolumeTracking(double) {}
void CTqPlayerCtrl::OnVolumeEndTrack(double) {}

// ---------------------------------------------------------------------------
// Children

int CTqPlayerCtrl::OnCreate(CREATESTRUCTA*)
{
    CreateControls();
    return 0;
}

// Everything at zero size: the first WM_SIZE of the bar lays them out, after
// the flags that count from the first layout are set.
int CTqPlayerCtrl::CreateControls()
{
    if (!m_btnPlay.Create("", kChildStyle | BS_OWNERDRAW, 0, 0, 0, 0, this, kPlayButtonId))
        return 0;
    m_btnPlay.SetBmpID(IDB_TQ_PLAY, tq::kMagentaKey);
    m_btnPlay.SetCheckedBmpID(IDB_TQ_PAUSE, tq::kMagentaKey);
    m_btnPlay.IsFocusEnabled() = 0;
    m_btnPlay.IsGradated() = 1;

    if (!m_timeSlider.Create(kChildStyle, 0, 0, 0, 0, this, kTimeSliderId, 0))
        return 0;
    m_timeSlider.HasValue() = 1;
    m_timeSlider.IsFocusEnabled() = 0;
    m_timeSlider.IsGradated() = 1;

    if (!m_volumeSlider.Create(kChildStyle, 0, 0, 0, 0, this, kVolumeSliderId, 1))
        return 0;
    m_volumeSlider.IsGradated() = 1;
    m_volumeSlider.IsFocusEnabled() = 0;
    return 1;
}

// The bar's own height is not used: the children are always one row high.
void CTqPlayerCtrl::OnSize(unsigned int type, int cx, int)
{
    if (type != SIZE_RESTORED && type != SIZE_MAXIMIZED)
        return;
    const int timeWidth = cx >= kFixedWidth ? cx - kFixedWidth : 0;
    m_btnPlay.MoveWindow(0, 0, kButtonWidth, kBarHeight, TRUE);
    m_timeSlider.MoveWindow(kButtonWidth, 0, timeWidth, kBarHeight, TRUE);
    m_volumeSlider.MoveWindow(kButtonWidth + timeWidth, 0, kVolumeWidth, kBarHeight, TRUE);
}

int CTqPlayerCtrl::OnEraseBkgnd(HDC dc)
{
    ExcludeChild(dc, m_btnPlay);
    ExcludeChild(dc, m_timeSlider);
    ExcludeChild(dc, m_volumeSlider);
    return 0;
}

void CTqPlayerCtrl::ExcludeChild(HDC dc, const CTqWnd& child)
{
    RECT area = {};
    if (!child.GetHwnd() || !child.GetWindowRect(&area) || !ScreenToClient(&area))
        return;
    ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
}

// ---------------------------------------------------------------------------
// Messages from the children

// A menu command has code 0 and no control window: only the button's own
// window makes a click.
int CTqPlayerCtrl::OnCmdMsg(unsigned int id, int code, HWND control)
{
    if (CTqWnd::OnCmdMsg(id, code, control))
        return 1;
    if (code != kClicked || !control || control != m_btnPlay.GetHwnd())
        return 0;
    OnPlay();
    return 1;
}

int CTqPlayerCtrl::OnDrawItem(int, DRAWITEMSTRUCT* item)
{
    if (!item || !item->hwndItem || item->hwndItem != m_btnPlay.GetHwnd())
        return 0;
    return m_btnPlay.DrawItem(item) ? 1 : 0;
}

int CTqPlayerCtrl::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || !header->hwndFrom || header->hwndFrom != m_volumeSlider.GetHwnd() ||
        header->code != static_cast<UINT>(NM_CUSTOMDRAW))
        return 0;
    return m_volumeSlider.CustomDraw(header, result);
}
