// Message dispatch: every message of the table, and some outside it, sent to a
// bound window; its unpacked arguments and its result against what
// DefWindowProcA gives for the same message on a plain twin window.
#include "Recorder.h"

namespace {

// The expected result when it is the default window procedure's.
const LRESULT kDefault = 0x7EADBEEF;

struct DispatchCase {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::string call;     // the handler call expected first, "" for none
    LRESULT whenZero;     // the result when int handlers answer 0
    LRESULT whenNonzero;  // ... and when they answer 7
};

template <class T>
LPARAM P(T* pointer)
{
    return reinterpret_cast<LPARAM>(pointer);
}

}  // namespace

TEST(WndDispatch, EveryMessageReachesItsHandlerOrTheDefault)
{
    Recorder wnd;
    ASSERT_EQ(wnd.CreateTop("Dispatch"), 1);
    const HWND self = wnd.GetHwnd(), other = reinterpret_cast<HWND>(0x5678);
    const HMENU menu = reinterpret_cast<HMENU>(0x9ABC);
    TestWindow twin(kFrame, nullptr, 0, "Dispatch");
    const HDC dc = CreateCompatibleDC(nullptr);
    const HRGN region = CreateRectRgn(0, 0, 10, 10);
    CREATESTRUCTA create = {};
    MEASUREITEMSTRUCT measure = {};
    DRAWITEMSTRUCT draw = {};
    NMHDR notify = {nullptr, 0, 0x1234}, silent = {};
    HELPINFO help = {};
    create.lpCreateParams = &wnd;
    measure.CtlType = draw.CtlType = ODT_BUTTON;
    help.cbSize = sizeof help;
    const RECT frameRect = {0, 0, 300, 200};
    RECT calc = frameRect;
    NCCALCSIZE_PARAMS client = {};  // the default's client area goes to the handler
    client.rgrc[0] = frameRect;
    DefWindowProcA(twin, WM_NCCALCSIZE, 0, P(&client));
    const LPARAM at = MAKELPARAM(-5, -10);
    const POINT pt = {-5, -10};
    const WPARAM keys = MK_LBUTTON | MK_SHIFT, command = MAKEWPARAM(40001, 2);
    const DispatchCase cases[] = {
        {WM_CREATE, 0, P(&create), Call("OnCreate", &create), kDefault, 7},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 40000), "OnSize 2 640 40000", 0, 0},
        {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), P(other), Call("OnActivate", 2, other, 1),
         0, 0},
        {WM_SETFOCUS, WPARAM(other), 0, Call("OnSetFocus", other), 0, 0},
        {WM_KILLFOCUS, WPARAM(other), 0, Call("OnKillFocus", other), 0, 0},
        {WM_PAINT, 0, 0, "OnPaint", 0, 0},
        {WM_ERASEBKGND, WPARAM(dc), 0, Call("OnEraseBkgnd", dc), kDefault, 1},
        {WM_SETCURSOR, WPARAM(self), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE),
         Call("OnSetCursor", self, HTCLIENT, WM_MOUSEMOVE), kDefault, 1},
        {WM_DRAWITEM, 12, P(&draw), Call("OnDrawItem", 12, &draw), kDefault, 1},
        {WM_MEASUREITEM, 13, P(&measure), Call("OnMeasureItem", 13, &measure), kDefault, 1},
        {WM_NOTIFY, 14, P(&notify), Call("OnNotify", 14, P(&notify)), kDefault, 0x1234},
        {WM_NOTIFY, 15, P(&silent), Call("OnNotify", 15, P(&silent)), kDefault, 0},
        {WM_HELP, 0, P(&help), Call("OnHelpInfo", &help), kDefault, 0},
        {WM_NCCALCSIZE, 0, P(&calc), Call("OnNcCalcSize", 0, &client), kDefault, kDefault},
        {WM_NCPAINT, 1, 0, Call("OnNcPaint", HRGN{}), kDefault, 0},
        {WM_NCPAINT, WPARAM(region), 0, Call("OnNcPaint", region), kDefault, 0},
        {WM_NCACTIVATE, 1, 0, "OnNcActivate 1", 0, kDefault},
        {WM_KEYDOWN, VK_F5, LPARAM(0xC03F0003), "OnKeyDown 116 3 49215", 0, 0},
        {WM_COMMAND, command, P(other), Call("OnCommand", command, P(other)), kDefault, 0},
        {WM_TIMER, 0xABCDEF, 0, "OnTimer 11259375", 0, 0},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50000), P(other),
         Call("OnHScroll", 5, 50000, other), kDefault, 0},
        {WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(3, 1), Call("OnInitMenuPopup", menu, 3, 1),
         0, 0},
        {WM_MOUSEMOVE, keys, at, Call("OnMouseMove", keys, pt), 0, 0},
        {WM_LBUTTONDOWN, keys, at, Call("OnLButtonDown", keys, pt), 0, 0},
        {WM_LBUTTONUP, keys, at, Call("OnLButtonUp", keys, pt), 0, 0},
        {WM_RBUTTONDOWN, keys, at, Call("OnRButtonDown", keys, pt), 0, 0},
        {WM_RBUTTONUP, keys, at, Call("OnRButtonUp", keys, pt), 0, 0},
        {WM_MBUTTONDOWN, keys, at, Call("OnMButtonDown", keys, pt), 0, 0},
        {WM_MBUTTONUP, keys, at, Call("OnMButtonUp", keys, pt), 0, 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120), MAKELPARAM(300, -2),
         Call("OnMouseWheel", MK_CONTROL, -120, POINT{300, -2}), kDefault, 0},
        {WM_DROPFILES, 0x5150, 0, "OnDropFiles 20816", 0, 0},
        // Outside the table.
        {WM_CHAR, 'x', 1, "", kDefault, kDefault},
        {WM_VSCROLL, SB_LINEDOWN, 0, "", kDefault, kDefault},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5), "", kDefault, kDefault},
        {WM_GETTEXTLENGTH, 0, 0, "", kDefault, kDefault},
        {WM_NCHITTEST, 0, MAKELPARAM(-30000, -30000), "", kDefault, kDefault},
        {WM_USER + 1, 2, 3, "", kDefault, kDefault},
    };
    for (const DispatchCase& c : cases) {
        for (const int answer : {0, 7}) {
            SCOPED_TRACE(std::to_string(c.msg) + " answered with " + std::to_string(answer));
            LRESULT expected = answer ? c.whenNonzero : c.whenZero;
            calc = frameRect;
            if (expected == kDefault)  // WM_SETCURSOR names the window itself
                expected = DefWindowProcA(twin, c.msg, c.msg == WM_SETCURSOR ? WPARAM(twin.Handle())
                                                                             : c.wParam,
                                          c.lParam);
            calc = frameRect;
            wnd.answer = answer;
            wnd.calls.clear();
            EXPECT_EQ(SendMessageA(self, c.msg, c.wParam, c.lParam), expected);
            EXPECT_EQ(wnd.calls.empty() ? "" : wnd.calls.front(), c.call);
        }
    }
    // CTqWnd's own OnPaint validates the update region.
    InvalidateRect(self, nullptr, TRUE);
    UpdateWindow(self);
    EXPECT_FALSE(GetUpdateRect(self, nullptr, FALSE));
    DeleteObject(region);
    DeleteDC(dc);
}
