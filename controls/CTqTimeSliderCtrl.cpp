#include "controls/CTqTimeSliderCtrl.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "controls/internal/TqGradient.h"
#include "controls/internal/TqRepaint.h"
#include "controls/internal/TqSliderGdi.h"
#include "library/internal/TqGdiGuards.h"
#include "strings/CTqString.h"
#include "window/internal/TqWndClass.h"

namespace {

tq::WndClass g_timeSliderClass("TqTimeSliderCtrl");

const int kThumbWidth = 12;
const int kHalfThumb = kThumbWidth / 2;

// The widest read-out the layout reserves room for, with a blank each side.
const char kReadOutSample[] = " 00:00 / 00:00 ";
const char kReadOutFormat[] = "%02d:%02d / %02d:%02d";
const UINT kReadOutFormatFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_PATH_ELLIPSIS;
static_assert(kReadOutFormatFlags == 0x4025, "centred on one line, shortened in the middle");

// Truncation toward zero that stays defined for any double: values beyond
// the int range saturate and NaN counts as 0. Ranges, rates and positions
// are the caller's, so their quotients can be anything.
int TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

CTqTimeSliderCtrl::CTqTimeSliderCtrl()
    : m_bFocusEnabled(1),
      m_bHasValue(0),
      m_dFps(1.0),
      m_nTextWidth(0),
      m_bGradated(0),
      m_bVolumeShape(0),
      m_dRangeMin(0.0),
      m_dRangeMax(100.0),
      m_dPos(50.0),
      m_bTracking(0),
      m_nTrackOffset(0),
      m_rcTrack(),
      m_rcThumb(),
      m_hLightPen(tq::CreateEdgePen(COLOR_BTNHIGHLIGHT)),
      m_hShadowPen(tq::CreateEdgePen(COLOR_BTNSHADOW)),
      m_hWorkBmp(nullptr),
      m_hBackBmp(nullptr)
{
}

CTqTimeSliderCtrl::CTqTimeSliderCtrl(const CTqTimeSliderCtrl& other)
    : CTqWnd(other),
      m_bFocusEnabled(other.m_bFocusEnabled),
      m_bHasValue(other.m_bHasValue),
      m_dFps(other.m_dFps),
      m_nTextWidth(other.m_nTextWidth),
      m_bGradated(other.m_bGradated),
      m_bVolumeShape(other.m_bVolumeShape),
      m_dRangeMin(other.m_dRangeMin),
      m_dRangeMax(other.m_dRangeMax),
      m_dPos(other.m_dPos),
      m_bTracking(other.m_bTracking),
      m_nTrackOffset(other.m_nTrackOffset),
      m_rcTrack(other.m_rcTrack),
      m_rcThumb(other.m_rcThumb),
      m_hLightPen(tq::DuplicatePen(other.m_hLightPen)),
      m_hShadowPen(tq::DuplicatePen(other.m_hShadowPen)),
      m_hWorkBmp(tq::DuplicateBitmap(other.m_hWorkBmp)),
      m_hBackBmp(tq::DuplicateBitmap(other.m_hBackBmp))
{
}

CTqTimeSliderCtrl& CTqTimeSliderCtrl::operator=(const CTqTimeSliderCtrl& other)
{
    if (this == &other)
        return *this;
    // The duplicates are made first; the old objects leave with the copy.
    CTqTimeSliderCtrl copy(other);
    CTqWnd::operator=(other);
    m_bFocusEnabled = other.m_bFocusEnabled;
    m_bHasValue = other.m_bHasValue;
    m_dFps = other.m_dFps;
    m_nTextWidth = other.m_nTextWidth;
    m_bGradated = other.m_bGradated;
    m_bVolumeShape = other.m_bVolumeShape;
    m_dRangeMin = other.m_dRangeMin;
    m_dRangeMax = other.m_dRangeMax;
    m_dPos = other.m_dPos;
    m_bTracking = other.m_bTracking;
    m_nTrackOffset = other.m_nTrackOffset;
    m_rcTrack = other.m_rcTrack;
    m_rcThumb = other.m_rcThumb;
    std::swap(m_hLightPen, copy.m_hLightPen);
    std::swap(m_hShadowPen, copy.m_hShadowPen);
    std::swap(m_hWorkBmp, copy.m_hWorkBmp);
    std::swap(m_hBackBmp, copy.m_hBackBmp);
    return *this;
}

CTqTimeSliderCtrl::~CTqTimeSliderCtrl()
{
    tq::DeleteOwned(m_hLightPen);
    tq::DeleteOwned(m_hShadowPen);
    DeleteBitmaps();
}

int CTqTimeSliderCtrl::Create(unsigned long style, int x, int y, int width, int height,
                              CTqWnd* parent, unsigned int id, int volumeShape)
{
    if (!g_timeSliderClass.Register())
        return 0;
    m_bVolumeShape = volumeShape;
    return CTqWnd::Create(g_timeSliderClass.Name(), nullptr, style, x, y, width, height, parent,
                          id)
               ? 1
               : 0;
}

// ---------------------------------------------------------------------------
// Values

double CTqTimeSliderCtrl::GetRangeMin() const
{
    return m_dRangeMin;
}

double CTqTimeSliderCtrl::GetRangeMax() const
{
    return m_dRangeMax;
}

double CTqTimeSliderCtrl::GetPos() const
{
    return m_dPos;
}

double CTqTimeSliderCtrl::GetFps() const
{
    return m_dFps;
}

int CTqTimeSliderCtrl::IsRangeValid() const
{
    return m_dRangeMax - m_dRangeMin > 0 ? 1 : 0;
}

int& CTqTimeSliderCtrl::HasValue()
{
    return m_bHasValue;
}

const int& CTqTimeSliderCtrl::HasValue() const
{
    return m_bHasValue;
}

int& CTqTimeSliderCtrl::IsGradated()
{
    return m_bGradated;
}

const int& CTqTimeSliderCtrl::IsGradated() const
{
    return m_bGradated;
}

int& CTqTimeSliderCtrl::IsFocusEnabled()
{
    return m_bFocusEnabled;
}

const int& CTqTimeSliderCtrl::IsFocusEnabled() const
{
    return m_bFocusEnabled;
}

int CTqTimeSliderCtrl::SetFps(double fps, int redraw)
{
    // Written so that NaN is refused too: the read-out divides by the rate.
    if (!(fps > 0) || fps == m_dFps)
        return 0;
    m_dFps = fps;
    if (redraw)
        Invalidate();
    return 1;
}

void CTqTimeSliderCtrl::SetRangeMin(double value, int redraw)
{
    if (value == m_dRangeMin)
        return;
    m_dRangeMin = value;
    Moved(redraw);
}

void CTqTimeSliderCtrl::SetRangeMax(double value, int redraw)
{
    if (value == m_dRangeMax)
        return;
    m_dRangeMax = value;
    Moved(redraw);
}

void CTqTimeSliderCtrl::SetRange(double min, double max, int redraw)
{
    if (min == m_dRangeMin && max == m_dRangeMax)
        return;
    m_dRangeMin = min;
    m_dRangeMax = max;
    Moved(redraw);
}

void CTqTimeSliderCtrl::SetPos(double pos, int redraw)
{
    if (pos == m_dPos)
        return;
    m_dPos = pos;
    Moved(redraw);
}

void CTqTimeSliderCtrl::Moved(int redraw)
{
    UpdateThumbRect();
    if (redraw)
        Invalidate();
}

void CTqTimeSliderCtrl::Invalidate()
{
    tq::RepaintWindow(m_hWnd);
}

// ---------------------------------------------------------------------------
// Geometry

void CTqTimeSliderCtrl::OnSize(unsigned int type, int cx, int cy)
{
    if (type != SIZE_RESTORED && type != SIZE_MAXIMIZED)
        return;
    const int edge = GetSystemMetrics(SM_CYEDGE);
    // The groove is about two edges high and centred vertically.
    const int margin = cy >= 6 * edge ? (cy - 2 * edge) / 2 : 2 * edge;
    m_rcTrack.left = margin;
    m_rcTrack.top = margin;
    const int needed =
        m_bHasValue ? m_nTextWidth + margin + kThumbWidth : 2 * margin + kThumbWidth;
    if (cx >= needed)
        m_rcTrack.right = m_bHasValue ? cx - m_nTextWidth : cx - margin;
    else
        m_rcTrack.right = margin + kThumbWidth;
    m_rcTrack.bottom = cy >= 2 * edge + 2 * margin ? cy - margin : margin + 2 * edge;
    UpdateThumbRect();
    RenewBitmaps();
}

void CTqTimeSliderCtrl::UpdateThumbRect()
{
    if (!IsRangeValid())
        return;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    m_rcThumb.top = client.top;
    m_rcThumb.bottom = client.bottom;
    // Written so that a NaN position sits at the start like one below it.
    if (!(m_dPos > m_dRangeMin)) {
        m_rcThumb.left = m_rcTrack.left;
        m_rcThumb.right = m_rcTrack.left + kThumbWidth;
    } else if (m_dPos >= m_dRangeMax) {
        m_rcThumb.right = m_rcTrack.right;
        m_rcThumb.left = m_rcTrack.right - kThumbWidth;
    } else {
        const int travel = m_rcTrack.right - m_rcTrack.left - kThumbWidth;
        const int centre = TruncateToInt(travel * (m_dPos - m_dRangeMin) /
                                             (m_dRangeMax - m_dRangeMin) +
                                         m_rcTrack.left + kHalfThumb);
        m_rcThumb.left = centre - kHalfThumb;
        m_rcThumb.right = centre + kHalfThumb;
    }
}

int CTqTimeSliderCtrl::CalcPos(double& pos, long x) const
{
    if (!IsRangeValid())
        return 0;
    const long lo = m_rcTrack.left + kHalfThumb;
    const long hi = m_rcTrack.right - kHalfThumb;
    if (x <= lo)
        pos = m_dRangeMin;
    else if (x >= hi)
        pos = m_dRangeMax;
    else
        pos = m_dRangeMin + (m_dRangeMax - m_dRangeMin) * (x - lo) / (hi - lo);
    return 1;
}

// ---------------------------------------------------------------------------
// Mouse and focus

void CTqTimeSliderCtrl::OnLButtonDown(unsigned int, POINT pt)
{
    m_bTracking = 0;
    if (IsRangeValid()) {
        if (!PtInRect(&m_rcThumb, pt)) {
            CalcPos(m_dPos, pt.x);
            UpdateThumbRect();
            Invalidate();
        }
        // Grabbing the thumb off-centre must not make it jump.
        m_nTrackOffset = (m_rcThumb.left + m_rcThumb.right) / 2 - pt.x;
        m_bTracking = 1;
        SetCapture(m_hWnd);
        OnStartTrack(m_dPos);
    }
    if (m_bFocusEnabled)
        SetFocus(m_hWnd);
}

void CTqTimeSliderCtrl::OnMouseMove(unsigned int, POINT pt)
{
    if (!m_bTracking)
        return;
    double pos = m_dPos;
    CalcPos(pos, pt.x + m_nTrackOffset);
    if (pos == m_dPos)
        return;
    m_dPos = pos;
    UpdateThumbRect();
    Invalidate();
    OnTracking(m_dPos);
}

void CTqTimeSliderCtrl::OnLButtonUp(unsigned int, POINT)
{
    if (!m_bTracking)
        return;
    ReleaseCapture();
    m_bTracking = 0;
    OnEndTrack(m_dPos);
}

void CTqTimeSliderCtrl::OnSetFocus(HWND)
{
    FocusChanged();
}

void CTqTimeSliderCtrl::OnKillFocus(HWND)
{
    FocusChanged();
}

void CTqTimeSliderCtrl::FocusChanged()
{
    RenewBitmaps();
    Invalidate();
}

void CTqTimeSliderCtrl::OnStartTrack(double) {}
void CTqTimeSliderCtrl::OnTracking(double) {}
void CTqTimeSliderCtrl::OnEndTrack(double) {}

// ---------------------------------------------------------------------------
// Drawing

int CTqTimeSliderCtrl::OnCreate(CREATESTRUCTA*)
{
    // A window destroyed during a drag left the flag set for this object.
    m_bTracking = 0;
    const CTqString sample(kReadOutSample);
    SIZE extent = {};
    const tq::WindowDC window(m_hWnd);
    if (window.Get()) {
        const tq::SelectedObject font(window, GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32A(window, sample, static_cast<int>(std::strlen(sample)), &extent);
    }
    m_nTextWidth = extent.cx + 2 * GetSystemMetrics(SM_CXEDGE);
    return 0;
}

int CTqTimeSliderCtrl::OnEraseBkgnd(HDC)
{
    return 1;
}

void CTqTimeSliderCtrl::DeleteBitmaps()
{
    tq::DeleteOwned(m_hWorkBmp);
    tq::DeleteOwned(m_hBackBmp);
}

void CTqTimeSliderCtrl::RenewBitmaps()
{
    DeleteBitmaps();
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const tq::WindowDC window(m_hWnd);
    if (!window.Get())
        return;
    m_hWorkBmp = CreateCompatibleBitmap(window, client.right, client.bottom);
    m_hBackBmp = CreateCompatibleBitmap(window, client.right, client.bottom);
    const tq::MemoryDC dc(window);
    if (!m_hWorkBmp || !m_hBackBmp || !dc.Get()) {
        DeleteBitmaps();
        return;
    }
    const tq::SelectedObject bitmap(dc, m_hBackBmp);
    const tq::SelectedObject brush(dc, GetSysColorBrush(COLOR_BTNFACE));
    DrawBackground(dc, client);
}

// Background, track and focus rectangle: everything that stays put while the
// thumb moves. The face brush is selected.
void CTqTimeSliderCtrl::DrawBackground(HDC dc, const RECT& client) const
{
    if (m_bGradated)
        DrawGradient(dc, client);
    else
        PatBlt(dc, client.left, client.top, client.right - client.left,
               client.bottom - client.top, PATCOPY);
    if (m_bVolumeShape) {
        DrawWedge(dc, client);
    } else {
        RECT track = m_rcTrack;
        DrawEdge(dc, &track, EDGE_SUNKEN, BF_RECT);
    }
    if (GetFocus() == m_hWnd)
        DrawFocusRect(dc, &client);
}

// The face gradient with an etched line on the left edge.
void CTqTimeSliderCtrl::DrawGradient(HDC dc, const RECT& client) const
{
    tq::FillFaceGradient(dc, client);
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_LEFT);
}

// A wedge rising over the track: the slanted edge dark, the bottom and right
// edges light.
void CTqTimeSliderCtrl::DrawWedge(HDC dc, const RECT& client) const
{
    const int bottom = (m_rcTrack.bottom + client.bottom) / 2;
    const int top = (m_rcTrack.top + client.top) / 2;
    const POINT corners[3] = {
        {m_rcTrack.left, bottom}, {m_rcTrack.right, bottom}, {m_rcTrack.right, top}};
    {
        const tq::SelectedObject pen(dc, m_hShadowPen);
        Polygon(dc, corners, 3);
    }
    const tq::SelectedObject pen(dc, m_hLightPen);
    Polyline(dc, corners, 3);
}

void CTqTimeSliderCtrl::OnPaint()
{
    const tq::PaintDC paint(m_hWnd);
    if (!paint.Get() || !m_hWorkBmp)
        return;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const tq::MemoryDC work(paint);
    const tq::MemoryDC back(paint);
    if (!work.Get() || !back.Get())
        return;
    const tq::SelectedObject workBitmap(work, m_hWorkBmp);
    const tq::SelectedObject backBitmap(back, m_hBackBmp);
    BitBlt(work, 0, 0, client.right, client.bottom, back, 0, 0, SRCCOPY);
    if (IsRangeValid()) {
        RECT thumb = m_rcThumb;
        DrawFrameControl(work, &thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    if (m_bHasValue)
        DrawReadOut(work, client);
    BitBlt(paint, 0, 0, client.right, client.bottom, work, 0, 0, SRCCOPY);
}

// Elapsed time since the range start, then the length of the range, in whole
// seconds; the minutes have no upper limit.
void CTqTimeSliderCtrl::DrawReadOut(HDC dc, const RECT& client) const
{
    const int total = TruncateToInt((m_dRangeMax - m_dRangeMin) / m_dFps);
    const int current = TruncateToInt((m_dPos - m_dRangeMin) / m_dFps);
    char text[64];
    std::snprintf(text, sizeof text, kReadOutFormat, current / 60, current % 60, total / 60,
                  total % 60);
    RECT box = {m_rcTrack.right, client.top, m_rcTrack.right + m_nTextWidth, client.bottom};

    const tq::SavedDC saved(dc);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(::IsWindowEnabled(m_hWnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, text, -1, &box, kReadOutFormatFlags);
}
