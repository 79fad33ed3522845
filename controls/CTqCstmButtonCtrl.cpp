#include "controls/CTqCstmButtonCtrl.h"

#include "controls/internal/TqButtonFace.h"
#include "controls/internal/TqGradient.h"
#include "graphics/internal/TqKeyColor.h"
#include "library/internal/TqGdiGuards.h"
#include "window/internal/TqWndClass.h"

namespace {

tq::WndClass g_cstmButtonClass("TqCstmButtonCtrl");

const WORD kClicked = 0;  // BN_CLICKED

}  // namespace

CTqCstmButtonCtrl::CTqCstmButtonCtrl()
    : m_bFocusEnabled(1),
      m_bGradated(0),
      m_bChecked(0),
      m_nBmpID(0),
      m_crBmp(tq::kMagentaKey),
      m_nCheckedBmpID(0),
      m_crCheckedBmp(tq::kMagentaKey),
      m_bTracking(0),
      m_bPressed(0)
{
}

CTqCstmButtonCtrl::~CTqCstmButtonCtrl() = default;

int CTqCstmButtonCtrl::Create(const char*, unsigned long style, int x, int y, int width,
                              int height, CTqWnd* parent, unsigned int id)
{
    if (!g_cstmButtonClass.Register())
        return 0;
    // A window destroyed during a press left the flags set for this object.
    m_bTracking = 0;
    m_bPressed = 0;
    return CTqWnd::Create(g_cstmButtonClass.Name(), nullptr, style, x, y, width, height, parent,
                          id)
               ? 1
               : 0;
}

// ---------------------------------------------------------------------------
// Faces and flags

void CTqCstmButtonCtrl::SetBmpID(int id, unsigned long transparentColor)
{
    tq::ReplaceButtonFace(m_hWnd, m_nBmpID, m_crBmp, id, transparentColor);
}

void CTqCstmButtonCtrl::SetCheckedBmpID(int id, unsigned long transparentColor)
{
    tq::ReplaceButtonFace(m_hWnd, m_nCheckedBmpID, m_crCheckedBmp, id, transparentColor);
}

void CTqCstmButtonCtrl::SetChecked(int checked)
{
    m_bChecked = checked;
    Repaint();
}

int CTqCstmButtonCtrl::GetChecked() const
{
    return m_bChecked;
}

int& CTqCstmButtonCtrl::IsGradated()
{
    return m_bGradated;
}

const int& CTqCstmButtonCtrl::IsGradated() const
{
    return m_bGradated;
}

int& CTqCstmButtonCtrl::IsFocusEnabled()
{
    return m_bFocusEnabled;
}

const int& CTqCstmButtonCtrl::IsFocusEnabled() const
{
    return m_bFocusEnabled;
}

void CTqCstmButtonCtrl::Repaint()
{
    tq::RepaintWindow(m_hWnd);
}

// ---------------------------------------------------------------------------
// Mouse and focus

bool CTqCstmButtonCtrl::IsInside(POINT pt) const
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    return PtInRect(&client, pt) != 0;
}

void CTqCstmButtonCtrl::OnLButtonDown(unsigned int, POINT pt)
{
    m_bTracking = 0;
    m_bPressed = 0;
    if (!IsInside(pt))
        return;
    m_bTracking = 1;
    m_bPressed = 1;
    Repaint();
    SetCapture(m_hWnd);
    if (m_bFocusEnabled)
        SetFocus(m_hWnd);
}

void CTqCstmButtonCtrl::OnMouseMove(unsigned int, POINT pt)
{
    if (!m_bTracking)
        return;
    const int inside = IsInside(pt) ? 1 : 0;
    if (inside == m_bPressed)
        return;
    m_bPressed = inside;
    Repaint();
}

// The click counts when the last move left the cursor inside; the release
// point itself is not tested.
void CTqCstmButtonCtrl::OnLButtonUp(unsigned int, POINT)
{
    if (!m_bTracking)
        return;
    ReleaseCapture();
    if (m_bPressed)
        NotifyClick();
    m_bTracking = 0;
    m_bPressed = 0;
    Repaint();
}

// A top-level button has the desktop as its ancestor, which is no parent to
// tell.
void CTqCstmButtonCtrl::NotifyClick()
{
    const HWND parent = GetAncestor(m_hWnd, GA_PARENT);
    if (!parent || parent == GetDesktopWindow())
        return;
    const WORD id = static_cast<WORD>(GetWindowLongPtrA(m_hWnd, GWLP_ID) & 0xFFFF);
    ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, kClicked), reinterpret_cast<LPARAM>(m_hWnd));
}

void CTqCstmButtonCtrl::OnSetFocus(HWND)
{
    Repaint();
}

void CTqCstmButtonCtrl::OnKillFocus(HWND)
{
    Repaint();
}

// ---------------------------------------------------------------------------
// Drawing

int CTqCstmButtonCtrl::OnEraseBkgnd(HDC)
{
    return 0;
}

void CTqCstmButtonCtrl::OnSize(unsigned int, int, int) {}

void CTqCstmButtonCtrl::OnPaint()
{
    const tq::PaintDC paint(m_hWnd);
    if (!paint.Get())
        return;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    RECT frame = client;
    if (m_bGradated) {
        tq::FillFaceGradient(paint, client);
        DrawEdge(paint, &frame, m_bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else {
        DrawFrameControl(paint, &frame, DFC_BUTTON,
                         DFCS_BUTTONPUSH | (m_bPressed ? DFCS_PUSHED : 0));
    }
    DrawBmp(paint, client, m_bPressed, !::IsWindowEnabled(m_hWnd), nullptr);
    if (GetFocus() == m_hWnd)
        tq::DrawButtonFocus(paint, client);
}

void CTqCstmButtonCtrl::DrawBmp(HDC dc, const RECT& rect, int pushed, int disabled,
                                RECT* bitmapRect)
{
    const tq::CheckableFaces faces = {m_bChecked, m_nBmpID, m_crBmp, m_nCheckedBmpID,
                                      m_crCheckedBmp};
    tq::DrawCheckableFace(dc, rect, faces, pushed, disabled, bitmapRect);
}
