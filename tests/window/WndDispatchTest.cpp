// Message dispatch: every message of the table sent to a bound window, its
// unpacked arguments and its result against what DefWindowProcA gives for
// the same message on a plain twin window; messages outside the table.
#include <gtest/gtest.h>

#include "Recorder.h"
#include "TestWindow.h"

namespace {

const DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
const char kTitle[] = "Dispatch";

// What the window procedure answers when the default window procedure's
// result is expected.
const LRESULT kDefault = 0x7EADBEEF;

struct DispatchCase {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::string call;     // the one handler call expected
    LRESULT whenZero;     // the result when int handlers answer 0
    LRESULT whenNonzero;  // ... and when they answer 7
};

class WndDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(wnd.CreateTop(kTitle), 1);
        self = wnd.GetHwnd();
        create.lpCreateParams = &wnd;
        measureItem.CtlType = drawItem.CtlType = ODT_BUTTON;
        help.cbSize = sizeof help;
    }
    void TearDown() override
    {
        DeleteObject(region);
        DestroyMenu(menu);
        DeleteDC(dc);
    }

    // The dispatched messages with the values each unpacks to.
    std::vector<DispatchCase> Cases()
    {
        const HWND other = this->other.Handle();
        const auto param = [](auto p) { return reinterpret_cast<LPARAM>(p); };
        const auto word = [](auto p) { return reinterpret_cast<WPARAM>(p); };
        const LPARAM at = MAKELPARAM(-5, -10);
        const POINT pt = {-5, -10};
        const WPARAM keys = MK_LBUTTON | MK_SHIFT;
        const LPARAM setCursor = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
        const WPARAM command = MAKEWPARAM(40001, 2);
        const WPARAM scroll = MAKEWPARAM(SB_THUMBTRACK, 50000);
        const WPARAM wheel = MAKEWPARAM(MK_CONTROL, -120);
        return {
            {WM_CREATE, 0, param(&create), Call("OnCreate", &create), kDefault, 7},
            {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 40000), "OnSize(2,640,40000)", 0, 0},
            {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), param(other),
             Call("OnActivate", 2, other, 1), 0, 0},
            {WM_SETFOCUS, word(other), 0, Call("OnSetFocus", other), 0, 0},
            {WM_KILLFOCUS, word(other), 0, Call("OnKillFocus", other), 0, 0},
            {WM_PAINT, 0, 0, "OnPaint()", 0, 0},
            {WM_ERASEBKGND, word(dc), 0, Call("OnEraseBkgnd", dc), kDefault, 1},
            {WM_SETCURSOR, word(self), setCursor, Call("OnSetCursor", self, HTCLIENT, WM_MOUSEMOVE),
             kDefault, 1},
            {WM_DRAWITEM, 12, param(&drawItem), Call("OnDrawItem", 12, &drawItem), kDefault, 1},
            {WM_MEASUREITEM, 13, param(&measureItem), Call("OnMeasureItem", 13, &measureItem),
             kDefault, 1},
            {WM_NOTIFY, 14, param(&notify), Call("OnNotify", 14, &notify), kDefault, 0x1234},
            {WM_HELP, 0, param(&help), Call("OnHelpInfo", &help), kDefault, 0},
            {WM_NCCALCSIZE, 0, param(&calcRect), Call("OnNcCalcSize", 0, &calcRect), kDefault,
             kDefault},
            {WM_NCPAINT, 1, 0, Call("OnNcPaint", HRGN{}), kDefault, 0},
            {WM_NCPAINT, word(region), 0, Call("OnNcPaint", region), kDefault, 0},
            {WM_NCACTIVATE, 1, 0, "OnNcActivate(1)", 0, kDefault},
            {WM_KEYDOWN, VK_F5, LPARAM(0xC03F0003), "OnKeyDown(116,3,49215)", 0, 0},
            {WM_COMMAND, command, param(other), Call("OnCommand", command, other), kDefault, 0},
            {WM_TIMER, 0xABCDEF, 0, "OnTimer(11259375)", 0, 0},
            {WM_HSCROLL, scroll, param(other), Call("OnHScroll", 5, 50000, other), kDefault, 0},
            {WM_INITMENUPOPUP, word(menu), MAKELPARAM(3, 1), Call("OnInitMenuPopup", menu, 3, 1),
             0, 0},
            {WM_MOUSEMOVE, keys, at, Call("OnMouseMove", keys, pt), 0, 0},
            {WM_LBUTTONDOWN, keys, at, Call("OnLButtonDown", keys, pt), 0, 0},
            {WM_LBUTTONUP, keys, at, Call("OnLButtonUp", keys, pt), 0, 0},
            {WM_RBUTTONDOWN, keys, at, Call("OnRButtonDown", keys, pt), 0, 0},
            {WM_RBUTTONUP, keys, at, Call("OnRButtonUp", keys, pt), 0, 0},
            {WM_MBUTTONDOWN, keys, at, Call("OnMButtonDown", keys, pt), 0, 0},
            {WM_MBUTTONUP, keys, at, Call("OnMButtonUp", keys, pt), 0, 0},
            {WM_MOUSEWHEEL, wheel, MAKELPARAM(300, -2),
             Call("OnMouseWheel", MK_CONTROL, -120, POINT{300, -2}), kDefault, 0},
            {WM_DROPFILES, 0x5150, 0, "OnDropFiles(20816)", 0, 0},
        };
    }

    // The default window procedure's result for the message on the twin;
    // WM_SETCURSOR names the window itself.
    LRESULT TwinDefault(const DispatchCase& c)
    {
        const WPARAM wParam = c.msg == WM_SETCURSOR ? reinterpret_cast<WPARAM>(twin.Handle())
                                                    : c.wParam;
        calcRect = {0, 0, 300, 200};
        return DefWindowProcA(twin, c.msg, wParam, c.lParam);
    }

    Recorder wnd;
    HWND self = nullptr;
    TestWindow twin{kFrame, nullptr, 0, kTitle};
    TestWindow other{kFrame};
    HDC dc = CreateCompatibleDC(nullptr);
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    HMENU menu = CreatePopupMenu();
    CREATESTRUCTA create = {};
    MEASUREITEMSTRUCT measureItem = {};
    DRAWITEMSTRUCT drawItem = {};
    NMHDR notify = {};
    HELPINFO help = {};
    RECT calcRect = {};
};

}  // namespace

TEST_F(WndDispatch, EveryMessageOfTheTableReachesItsHandler)
{
    wnd.notifyResult = 0x1234;
    for (const DispatchCase& c : Cases()) {
        for (const int answer : {0, 7}) {
            SCOPED_TRACE(c.call + " answering " + std::to_string(answer));
            const LRESULT rule = answer ? c.whenNonzero : c.whenZero;
            const LRESULT expected = rule == kDefault ? TwinDefault(c) : rule;
            calcRect = {0, 0, 300, 200};
            wnd.answer = answer;
            wnd.calls.clear();
            EXPECT_EQ(SendMessageA(self, c.msg, c.wParam, c.lParam), expected);
            ASSERT_FALSE(wnd.calls.empty());
            EXPECT_EQ(wnd.calls.front(), c.call);
        }
    }
}

TEST_F(WndDispatch, NotifyHandledWithoutResultAnswersZero)
{
    wnd.answer = 1;
    EXPECT_EQ(SendMessageA(self, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&notify)), 0);
}

TEST_F(WndDispatch, NcCalcSizeHandlerSeesTheDefaultsRectangle)
{
    RECT expected = {0, 0, 300, 200};
    const LRESULT defaultResult =
        DefWindowProcA(twin, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&expected));
    RECT seen = {};
    wnd.afterNcCalcSize = [&seen](NCCALCSIZE_PARAMS* params) {
        seen = params->rgrc[0];
        params->rgrc[0].left += 1;
    };
    RECT rect = {0, 0, 300, 200};
    EXPECT_EQ(SendMessageA(self, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&rect)),
              defaultResult);
    EXPECT_TRUE(EqualRect(&seen, &expected));
    EXPECT_EQ(rect.left, expected.left + 1);
    EXPECT_NE(expected.top, 0);  // the frame was taken off before the handler ran
}

TEST_F(WndDispatch, MessagesOutsideTheTableGiveTheDefaultsResult)
{
    const struct {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    } outside[] = {
        {WM_CHAR, 'x', 1},
        {WM_VSCROLL, SB_LINEDOWN, 0},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)},
        {WM_GETTEXTLENGTH, 0, 0},
        {WM_NCHITTEST, 0, MAKELPARAM(-30000, -30000)},
        {WM_USER + 1, 2, 3},
    };
    for (const auto& m : outside) {
        SCOPED_TRACE(m.msg);
        wnd.calls.clear();
        EXPECT_EQ(SendMessageA(self, m.msg, m.wParam, m.lParam),
                  DefWindowProcA(twin, m.msg, m.wParam, m.lParam));
        EXPECT_TRUE(wnd.calls.empty());
    }
}

TEST_F(WndDispatch, CloseDestroysTheWindowAndUnbindsTheObject)
{
    wnd.calls.clear();
    EXPECT_EQ(SendMessageA(self, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(self));
    EXPECT_EQ(wnd.Count("OnDestroy("), 1);
    EXPECT_EQ(wnd.GetHwnd(), nullptr);
    EXPECT_EQ(Recorder::MappedObject(self), nullptr);
}

TEST_F(WndDispatch, DefaultPaintValidatesTheUpdateRegion)
{
    CTqWnd plain;
    ASSERT_EQ(plain.Create(RecorderClass(), "Paint", kFrame, 0, 0, 120, 90, nullptr, 0), 1);
    plain.UpdateWindow();
    plain.InvalidateRect(nullptr, 1);
    ASSERT_TRUE(GetUpdateRect(plain.GetHwnd(), nullptr, FALSE));
    plain.UpdateWindow();
    EXPECT_FALSE(GetUpdateRect(plain.GetHwnd(), nullptr, FALSE));
    plain.Destroy();
}
