// Message dispatch: every message of the table sent to a bound window, its
// unpacked arguments and its result against what DefWindowProcA gives for
// the same message on a plain twin window; messages outside the table.
#include <gtest/gtest.h>

#include "Recorder.h"
#include "TestWindow.h"

namespace {

const DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
const char kTitle[] = "Dispatch";

struct DispatchCase {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::optional<int> answer;  // what the recorder's handlers return
    std::string call;           // the one handler call expected
    bool byDefault;             // the result is DefWindowProcA's ...
    LRESULT result;             // ... or this
};

class WndDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(wnd.CreateTop(kTitle), 1);
        self = wnd.GetHwnd();
        create.lpCreateParams = &wnd;
        measureItem.CtlType = ODT_BUTTON;
        drawItem.CtlType = ODT_BUTTON;
        notify.code = 0xFFFFFFFE;  // NM_CLICK
        help.cbSize = sizeof help;
    }
    void TearDown() override
    {
        DeleteObject(region);
        DestroyMenu(menu);
        DeleteDC(dc);
    }

    // The dispatched messages with the values each unpacks to. Messages whose
    // handler returns int appear with answer 0 (left to the default) and with
    // a nonzero answer.
    std::vector<DispatchCase> Cases()
    {
        const LPARAM otherParam = reinterpret_cast<LPARAM>(other.Handle());
        const HWND otherHandle = other.Handle();
        const auto ptr = [](auto* p) { return reinterpret_cast<LPARAM>(p); };
        const LPARAM negative = MAKELPARAM(-5, -10);
        const POINT negativePoint = {-5, -10};
        const DWORD flags = MK_LBUTTON | MK_SHIFT;
        return {
            {WM_CREATE, 0, ptr(&create), 0, Call("OnCreate", &create), true, 0},
            {WM_CREATE, 0, ptr(&create), 5, Call("OnCreate", &create), false, 5},
            {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 40000), {}, "OnSize(2,640,40000)", false, 0},
            {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), otherParam, {},
             Call("OnActivate", 2, otherHandle, 1), false, 0},
            {WM_SETFOCUS, reinterpret_cast<WPARAM>(otherHandle), 0, {},
             Call("OnSetFocus", otherHandle), false, 0},
            {WM_KILLFOCUS, reinterpret_cast<WPARAM>(otherHandle), 0, {},
             Call("OnKillFocus", otherHandle), false, 0},
            {WM_PAINT, 0, 0, {}, "OnPaint()", false, 0},
            {WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, 0, Call("OnEraseBkgnd", dc), true, 0},
            {WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, 7, Call("OnEraseBkgnd", dc), false, 1},
            {WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 0,
             Call("OnSetCursor", self, HTCLIENT, WM_MOUSEMOVE), true, 0},
            {WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 7,
             Call("OnSetCursor", self, HTCLIENT, WM_MOUSEMOVE), false, 1},
            {WM_DRAWITEM, 12, ptr(&drawItem), 0, Call("OnDrawItem", 12, &drawItem), true, 0},
            {WM_DRAWITEM, 12, ptr(&drawItem), 7, Call("OnDrawItem", 12, &drawItem), false, 1},
            {WM_MEASUREITEM, 13, ptr(&measureItem), 0, Call("OnMeasureItem", 13, &measureItem),
             true, 0},
            {WM_MEASUREITEM, 13, ptr(&measureItem), 7, Call("OnMeasureItem", 13, &measureItem),
             false, 1},
            {WM_NOTIFY, 14, ptr(&notify), 0, Call("OnNotify", 14, &notify), true, 0},
            {WM_NOTIFY, 14, ptr(&notify), 7, Call("OnNotify", 14, &notify), false, 0x1234},
            {WM_HELP, 0, ptr(&help), 0, Call("OnHelpInfo", &help), true, 0},
            {WM_HELP, 0, ptr(&help), 7, Call("OnHelpInfo", &help), false, 0},
            {WM_NCCALCSIZE, 0, ptr(&calcRect), {}, Call("OnNcCalcSize", 0, &calcRect), true, 0},
            {WM_NCPAINT, 1, 0, 0, Call("OnNcPaint", HRGN{}), true, 0},
            {WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0, 7, Call("OnNcPaint", region), false,
             0},
            {WM_NCACTIVATE, 1, 0, {}, "OnNcActivate(1)", true, 0},
            {WM_NCACTIVATE, 1, 0, 0, "OnNcActivate(1)", false, 0},
            {WM_KEYDOWN, VK_F5, static_cast<LPARAM>(0xC03F0003), {}, "OnKeyDown(116,3,49215)",
             false, 0},
            {WM_COMMAND, MAKEWPARAM(40001, 2), otherParam, 0,
             Call("OnCommand", MAKEWPARAM(40001, 2), otherParam), true, 0},
            {WM_COMMAND, MAKEWPARAM(40001, 2), otherParam, 7,
             Call("OnCommand", MAKEWPARAM(40001, 2), otherParam), false, 0},
            {WM_TIMER, 0xABCDEF, 0, {}, "OnTimer(11259375)", false, 0},
            {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50000), otherParam, 0,
             Call("OnHScroll", SB_THUMBTRACK, 50000, otherHandle), true, 0},
            {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50000), otherParam, 7,
             Call("OnHScroll", SB_THUMBTRACK, 50000, otherHandle), false, 0},
            {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(3, 1), {},
             Call("OnInitMenuPopup", menu, 3, 1), false, 0},
            {WM_MOUSEMOVE, flags, negative, {}, Call("OnMouseMove", flags, negativePoint), false,
             0},
            {WM_LBUTTONDOWN, flags, negative, {}, Call("OnLButtonDown", flags, negativePoint),
             false, 0},
            {WM_LBUTTONUP, flags, negative, {}, Call("OnLButtonUp", flags, negativePoint), false,
             0},
            {WM_RBUTTONDOWN, flags, negative, {}, Call("OnRButtonDown", flags, negativePoint),
             false, 0},
            {WM_RBUTTONUP, flags, negative, {}, Call("OnRButtonUp", flags, negativePoint), false,
             0},
            {WM_MBUTTONDOWN, flags, negative, {}, Call("OnMButtonDown", flags, negativePoint),
             false, 0},
            {WM_MBUTTONUP, flags, negative, {}, Call("OnMButtonUp", flags, negativePoint), false,
             0},
            {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120), MAKELPARAM(300, -2), 0,
             Call("OnMouseWheel", MK_CONTROL, -120, POINT{300, -2}), true, 0},
            {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120), MAKELPARAM(300, -2), 7,
             Call("OnMouseWheel", MK_CONTROL, -120, POINT{300, -2}), false, 0},
            {WM_DROPFILES, 0x5150, 0, {}, "OnDropFiles(20816)", false, 0},
        };
    }

    // What the default window procedure makes of the message on the twin;
    // WM_SETCURSOR names the window itself.
    LRESULT TwinDefault(const DispatchCase& c)
    {
        const WPARAM wParam = c.msg == WM_SETCURSOR ? reinterpret_cast<WPARAM>(twin.Handle())
                                                    : c.wParam;
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
    RECT calcRect = {0, 0, 300, 200};
};

}  // namespace

TEST_F(WndDispatch, EveryMessageOfTheTableReachesItsHandler)
{
    wnd.notifyResult = 0x1234;
    for (const DispatchCase& c : Cases()) {
        SCOPED_TRACE(c.call + (c.answer ? " answering " + std::to_string(*c.answer) : ""));
        const LRESULT expected = c.byDefault ? TwinDefault(c) : c.result;
        const WPARAM wParam = c.msg == WM_SETCURSOR ? reinterpret_cast<WPARAM>(self) : c.wParam;
        calcRect = {0, 0, 300, 200};
        wnd.answer = c.answer;
        wnd.calls.clear();
        EXPECT_EQ(SendMessageA(self, c.msg, wParam, c.lParam), expected);
        ASSERT_FALSE(wnd.calls.empty());
        EXPECT_EQ(wnd.calls.front(), c.call);
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
