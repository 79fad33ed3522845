#include "window/CTqWnd.h"

#include <new>
#include <unordered_map>

#include "library/internal/TqGdiGuards.h"

namespace {

// Window handles are handed out in rising order, which would turn an
// unbalanced search tree into a list: a hash map keeps look-ups constant.
// It never owns the objects; its entries are freed when the library unloads.
using WndMap = std::unordered_map<HWND, CTqWnd*>;

WndMap& TheWndMap()
{
    static WndMap map;
    return map;
}

// What WM_CREATE answers to make CreateWindowExA fail.
const LRESULT kCreateFailed = -1;
// WM_NCPAINT's wParam for "the whole frame" rather than a region.
const WPARAM kWholeFrame = 1;

// Mouse positions are signed: with the mouse captured they can lie left of or
// above the client area.
POINT MousePoint(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Key codes, mouse flags and size types travel in wParam but are 32-bit
// values on every platform.
UINT Value32(WPARAM wParam)
{
    return static_cast<UINT>(wParam);
}

// A top-level window's id is its menu. A handle kept in 32 bits widens by sign
// extension, as 64-bit Windows does with the 32-bit handles it shares; a child
// id keeps its low 32 bits either way.
HMENU MenuOrId(unsigned int id)
{
    return reinterpret_cast<HMENU>(static_cast<LONG_PTR>(static_cast<LONG>(id)));
}

CTqWnd* CreationParameter(LPARAM lParam)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    return create ? static_cast<CTqWnd*>(create->lpCreateParams) : nullptr;
}

using PointMapping = BOOL(WINAPI*)(HWND, POINT*);

// Maps the top-left corner, then, if that worked, the bottom-right one.
int MapCorners(HWND hWnd, RECT* rect, PointMapping map)
{
    if (!rect)
        return 0;
    POINT topLeft = {rect->left, rect->top};
    if (!map(hWnd, &topLeft))
        return 0;
    rect->left = topLeft.x;
    rect->top = topLeft.y;
    POINT bottomRight = {rect->right, rect->bottom};
    if (!map(hWnd, &bottomRight))
        return 0;
    rect->right = bottomRight.x;
    rect->bottom = bottomRight.y;
    return 1;
}

}  // namespace

HICON CTqWnd::m_hReservedCursor = nullptr;

CTqWnd::CTqWnd()
    : m_hWnd(nullptr), m_hMenu(nullptr), m_hAccel(nullptr), m_bAttached(0), m_pCmdWnd(nullptr)
{
}

CTqWnd::~CTqWnd()
{
    if (m_hWnd)
        UnbindFrom(m_hWnd);
}

// ---------------------------------------------------------------------------
// The handle map

CTqWnd* CTqWnd::FromHandle(HWND hWnd)
{
    const WndMap& map = TheWndMap();
    const auto entry = map.find(hWnd);
    return entry == map.end() ? nullptr : entry->second;
}

void CTqWnd::Bind(HWND hWnd, CTqWnd* wnd)
{
    TheWndMap()[hWnd] = wnd;
    wnd->m_hWnd = hWnd;
}

void CTqWnd::Unbind(HWND hWnd)
{
    WndMap& map = TheWndMap();
    const auto entry = map.find(hWnd);
    if (entry == map.end())
        return;
    // The object may stand for another window by now (a copy assigned over
    // it, or a later Attach): only a handle that is still this one is reset.
    if (entry->second->m_hWnd == hWnd)
        entry->second->m_hWnd = nullptr;
    map.erase(entry);
}

void CTqWnd::UnbindFrom(HWND hWnd)
{
    WndMap& map = TheWndMap();
    const auto entry = map.find(hWnd);
    if (entry != map.end() && entry->second == this)
        map.erase(entry);
}

// ---------------------------------------------------------------------------
// The window procedure

LRESULT CALLBACK CTqWnd::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return DispatchCreate(hWnd, wParam, lParam);
    case WM_DESTROY:
        return DispatchDestroy(hWnd, wParam, lParam);
    case WM_NCDESTROY:
        // Normally unbound at WM_DESTROY already; some systems send no
        // WM_DESTROY to a window whose WM_CREATE failed.
        Unbind(hWnd);
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    CTqWnd* wnd = FromHandle(hWnd);
    return wnd ? wnd->OnMessage(hWnd, msg, wParam, lParam)
               : DefWindowProcA(hWnd, msg, wParam, lParam);
}

LRESULT CTqWnd::DispatchCreate(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    CTqWnd* wnd = CreationParameter(lParam);
    if (!wnd)
        return DefWindowProcA(hWnd, WM_CREATE, wParam, lParam);
    try {
        Bind(hWnd, wnd);
    } catch (const std::bad_alloc&) {
        // Without its entry the window could never reach its object.
        return kCreateFailed;
    }
    return wnd->OnMessage(hWnd, WM_CREATE, wParam, lParam);
}

LRESULT CTqWnd::DispatchDestroy(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    CTqWnd* wnd = FromHandle(hWnd);
    if (!wnd)
        return DefWindowProcA(hWnd, WM_DESTROY, wParam, lParam);
    const LRESULT result = wnd->OnMessage(hWnd, WM_DESTROY, wParam, lParam);
    // The handler may have destroyed the object (its destructor then removed
    // the entry): the map, not wnd, says what is left to unbind.
    Unbind(hWnd);
    return result;
}

LRESULT CTqWnd::OnMessage(HWND hWnd, unsigned int msg, WPARAM wParam, LPARAM lParam)
{
    // An int handler's 0 leaves the message to the default window procedure.
    const auto handledOrDefault = [&](int handled, LRESULT answer) -> LRESULT {
        return handled ? answer : DefWindowProcA(hWnd, msg, wParam, lParam);
    };
    switch (msg) {
    case WM_CREATE: {
        const int result = OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
        return handledOrDefault(result, result);
    }
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_SIZE:
        OnSize(Value32(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return handledOrDefault(OnEraseBkgnd(reinterpret_cast<HDC>(wParam)), 1);
    case WM_SETCURSOR:
        return handledOrDefault(
            OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)), 1);
    case WM_DRAWITEM:
        return handledOrDefault(
            OnDrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam)), 1);
    case WM_MEASUREITEM:
        return handledOrDefault(
            OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)),
            1);
    case WM_NOTIFY: {
        LRESULT result = 0;
        const int handled = OnNotify(wParam, lParam, &result);
        return handledOrDefault(handled, result);
    }
    case WM_HELP:
        return handledOrDefault(OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam)), 0);
    case WM_NCCALCSIZE: {
        const LRESULT result = DefWindowProcA(hWnd, msg, wParam, lParam);
        OnNcCalcSize(static_cast<int>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        return result;
    }
    case WM_NCPAINT:
        return handledOrDefault(
            OnNcPaint(wParam == kWholeFrame ? nullptr : reinterpret_cast<HRGN>(wParam)), 0);
    case WM_NCACTIVATE:
        // Here the handler's nonzero asks for the default; 0 refuses.
        return OnNcActivate(static_cast<int>(wParam)) ? DefWindowProcA(hWnd, msg, wParam, lParam)
                                                      : 0;
    case WM_KEYDOWN:
        OnKeyDown(Value32(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        return handledOrDefault(OnCommand(wParam, lParam), 0);
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_HSCROLL:
        return handledOrDefault(
            OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)), 0);
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(Value32(wParam), MousePoint(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(Value32(wParam), MousePoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(Value32(wParam), MousePoint(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(Value32(wParam), MousePoint(lParam));
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(Value32(wParam), MousePoint(lParam));
        return 0;
    case WM_MBUTTONDOWN:
        OnMButtonDown(Value32(wParam), MousePoint(lParam));
        return 0;
    case WM_MBUTTONUP:
        OnMButtonUp(Value32(wParam), MousePoint(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        return handledOrDefault(OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)),
                                             MousePoint(lParam)),
                                0);
    case WM_DROPFILES:
        OnDropFiles(wParam);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Creating, binding and destroying

int CTqWnd::Attach(HWND hWnd)
{
    if (!hWnd || !Destroy())
        return 0;
    const HWND previous = m_hWnd;  // an attached window that Destroy left alive
    Bind(hWnd, this);
    if (previous && previous != hWnd)
        UnbindFrom(previous);
    m_bAttached = 1;
    return 1;
}

int CTqWnd::Create(const char* className, const char* windowName, unsigned long style, int x,
                   int y, int width, int height, CTqWnd* parent, unsigned int id)
{
    return CreateEx(0, className, windowName, style, x, y, width, height, parent, id);
}

int CTqWnd::CreateEx(unsigned long exStyle, const char* className, const char* windowName,
                     unsigned long style, int x, int y, int width, int height, CTqWnd* parent,
                     unsigned int id)
{
    if (!Destroy())
        return 0;
    // An attached window stays alive but no longer leads to this object.
    if (m_hWnd)
        UnbindFrom(m_hWnd);
    const HWND parentHandle = parent ? parent->m_hWnd : nullptr;
    m_hWnd = CreateWindowExA(exStyle, className, windowName, style, x, y, width, height,
                             parentHandle, MenuOrId(id), GetModuleHandleA(nullptr), this);
    if (!m_hWnd)
        return 0;
    m_hMenu = GetMenu(m_hWnd);
    return 1;
}

int CTqWnd::Destroy()
{
    if (!m_hWnd || m_bAttached)
        return 1;
    if (!::IsWindow(m_hWnd)) {
        UnbindFrom(m_hWnd);
        m_hWnd = nullptr;
        return 1;
    }
    const HWND destroyed = m_hWnd;
    if (!DestroyWindow(destroyed))
        return 0;
    // WndProc has reset the handle of a bound window; a window of a system
    // class never told this object.
    if (m_hWnd == destroyed)
        m_hWnd = nullptr;
    return 1;
}

int CTqWnd::IsWindow() const
{
    return m_hWnd && ::IsWindow(m_hWnd) ? 1 : 0;
}

HWND CTqWnd::GetHwnd() const
{
    return m_hWnd;
}

CTqWnd* CTqWnd::GetParent() const
{
    const HWND parent = m_hWnd ? GetAncestor(m_hWnd, GA_PARENT) : nullptr;
    return parent ? FromHandle(parent) : nullptr;
}

// ---------------------------------------------------------------------------
// Message loop, commands and cursor

int CTqWnd::PreTranslateProc(MSG* msg)
{
    CTqWnd* wnd = msg ? FromHandle(msg->hwnd) : nullptr;
    return wnd && wnd->PreTranslateMessage(msg) ? 1 : 0;
}

int CTqWnd::PreTranslateMessage(MSG* msg)
{
    return m_hAccel && TranslateAcceleratorA(m_hWnd, m_hAccel, msg) ? 1 : 0;
}

int CTqWnd::LoadAcceleratorsA(HINSTANCE instance, const char* name)
{
    m_hAccel = ::LoadAcceleratorsA(instance, name);
    return m_hAccel ? 1 : 0;
}

void CTqWnd::SetCmdWnd(CTqWnd* wnd)
{
    // A loop would forward a command around it until the stack overflows.
    if (wnd && wnd->CommandChainReaches(this))
        return;
    m_pCmdWnd = wnd;
}

bool CTqWnd::CommandChainReaches(const CTqWnd* wnd) const
{
    for (const CTqWnd* link = this; link; link = link->m_pCmdWnd) {
        if (link == wnd)
            return true;
    }
    return false;
}

int CTqWnd::OnCmdMsg(unsigned int id, int code, HWND control)
{
    return m_pCmdWnd && m_pCmdWnd->OnCmdMsg(id, code, control) ? 1 : 0;
}

int CTqWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? 1 : 0;
}

void CTqWnd::SetReservedCursor(HICON cursor)
{
    m_hReservedCursor = cursor;
}

int CTqWnd::OnSetCursor(HWND, unsigned int, unsigned int)
{
    if (!m_hReservedCursor)
        return 0;
    SetCursor(m_hReservedCursor);
    return 1;
}

// ---------------------------------------------------------------------------
// Default handlers

int CTqWnd::MeasureItem(MEASUREITEMSTRUCT*)
{
    return 0;
}

int CTqWnd::DrawItem(DRAWITEMSTRUCT*)
{
    return 0;
}

int CTqWnd::CustomDraw(NMHDR*, LRESULT*)
{
    return 0;
}

int CTqWnd::OnCreate(CREATESTRUCTA*)
{
    return 0;
}

void CTqWnd::OnDestroy()
{
    m_hMenu = nullptr;
    m_bAttached = 0;
}

int CTqWnd::OnHelpInfo(HELPINFO*)
{
    return 0;
}

int CTqWnd::OnNcPaint(HRGN)
{
    return 0;
}

void CTqWnd::OnPaint()
{
    const tq::PaintDC paint(m_hWnd);
}

int CTqWnd::OnEraseBkgnd(HDC)
{
    return 0;
}

void CTqWnd::OnNcCalcSize(int, NCCALCSIZE_PARAMS*) {}
void CTqWnd::OnSize(unsigned int, int, int) {}
void CTqWnd::OnKeyDown(unsigned int, unsigned int, unsigned int) {}
void CTqWnd::OnTimer(UINT_PTR) {}
void CTqWnd::OnLButtonDown(unsigned int, POINT) {}
void CTqWnd::OnLButtonUp(unsigned int, POINT) {}
void CTqWnd::OnRButtonDown(unsigned int, POINT) {}
void CTqWnd::OnRButtonUp(unsigned int, POINT) {}
void CTqWnd::OnMButtonDown(unsigned int, POINT) {}
void CTqWnd::OnMButtonUp(unsigned int, POINT) {}
void CTqWnd::OnMouseMove(unsigned int, POINT) {}

int CTqWnd::OnMouseWheel(unsigned int, short, POINT)
{
    return 0;
}

int CTqWnd::OnNcActivate(int)
{
    return 1;
}

void CTqWnd::OnActivate(unsigned int, HWND, int) {}

int CTqWnd::OnHScroll(unsigned int, unsigned int, HWND)
{
    return 0;
}

int CTqWnd::OnMeasureItem(int, MEASUREITEMSTRUCT*)
{
    return 0;
}

int CTqWnd::OnDrawItem(int, DRAWITEMSTRUCT*)
{
    return 0;
}

int CTqWnd::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return 0;
}

void CTqWnd::OnSetFocus(HWND) {}
void CTqWnd::OnKillFocus(HWND) {}
void CTqWnd::OnInitMenuPopup(HMENU, unsigned int, int) {}
void CTqWnd::OnDropFiles(WPARAM) {}

// ---------------------------------------------------------------------------
// Thin wrappers

int CTqWnd::ShowWindow(int cmdShow)
{
    return ::ShowWindow(m_hWnd, cmdShow);
}

int CTqWnd::UpdateWindow()
{
    return ::UpdateWindow(m_hWnd);
}

int CTqWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

int CTqWnd::EnableWindow(int enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

int CTqWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

LRESULT CTqWnd::SendMessageA(unsigned int msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, msg, wParam, lParam);
}

long CTqWnd::PostMessageA(unsigned int msg, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, msg, wParam, lParam);
}

int CTqWnd::InvalidateRect(const RECT* rect, int erase)
{
    return ::InvalidateRect(m_hWnd, rect, erase);
}

int CTqWnd::ClientToScreen(POINT* pt) const
{
    return ::ClientToScreen(m_hWnd, pt);
}

int CTqWnd::ScreenToClient(POINT* pt) const
{
    return ::ScreenToClient(m_hWnd, pt);
}

int CTqWnd::ClientToScreen(RECT* rect) const
{
    return MapCorners(m_hWnd, rect, ::ClientToScreen);
}

int CTqWnd::ScreenToClient(RECT* rect) const
{
    return MapCorners(m_hWnd, rect, ::ScreenToClient);
}

int CTqWnd::GetClientRect(RECT* rect) const
{
    return ::GetClientRect(m_hWnd, rect);
}

int CTqWnd::GetWindowRect(RECT* rect) const
{
    return ::GetWindowRect(m_hWnd, rect);
}

int CTqWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, unsigned int flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
}

int CTqWnd::MoveWindow(int x, int y, int width, int height, int repaint)
{
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

int CTqWnd::MoveWindow(const RECT* rect, int repaint)
{
    if (!rect)
        return 0;
    return ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left,
                        rect->bottom - rect->top, repaint);
}
