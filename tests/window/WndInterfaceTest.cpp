// What applications build on: the binary interface (virtual slots and field
// offsets), the rectangle wrappers, the registration of control classes,
// routing along a chain of command windows, accelerators from this program's
// resources through a real message loop, the reserved cursor and wait cursors.
#include "Recorder.h"
#include "VtableSlots.h"

namespace {

// Posts an F5 press (TqTestAccel's command 40001) to hWnd, then runs the
// application's message loop until the queue is empty; returns how many
// messages PreTranslateProc took.
int PressF5(HWND hWnd)
{
    PostMessageA(hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
    int translated = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CTqWnd::PreTranslateProc(&msg)) {
            ++translated;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return translated;
}

struct WndLayout : CTqWnd {
    using L = WndLayout;
    static int FirstMisplacedVirtual()
    {
        return FirstMisplaced(2,  // after the two destructors
            &L::Attach, &L::Create, &L::CreateEx, &L::MeasureItem, &L::DrawItem, &L::CustomDraw,
            &L::OnMessage, &L::PreTranslateMessage, &L::OnCmdMsg, &L::OnCreate, &L::OnDestroy,
            &L::OnCommand, &L::OnHelpInfo, &L::OnNcPaint, &L::OnPaint, &L::OnEraseBkgnd,
            &L::OnNcCalcSize, &L::OnSize, &L::OnKeyDown, &L::OnTimer, &L::OnLButtonDown,
            &L::OnLButtonUp, &L::OnRButtonDown, &L::OnRButtonUp, &L::OnMButtonDown,
            &L::OnMButtonUp, &L::OnMouseMove, &L::OnMouseWheel, &L::OnNcActivate, &L::OnActivate,
            &L::OnHScroll, &L::OnMeasureItem, &L::OnDrawItem, &L::OnNotify, &L::OnSetCursor,
            &L::OnSetFocus, &L::OnKillFocus, &L::OnInitMenuPopup, &L::OnDropFiles);
    }
    std::vector<std::ptrdiff_t> FieldOffsets() const
    {
        const auto at = [this](const void* field) {
            return static_cast<const char*>(field) - reinterpret_cast<const char*>(this);
        };
        return {at(&m_hWnd), at(&m_hMenu), at(&m_hAccel), at(&m_bAttached), at(&m_pCmdWnd)};
    }
};

}  // namespace

TEST(WndInterface, VirtualOperationsAndFieldsKeepTheirPlaces)
{
    EXPECT_EQ(WndLayout::FirstMisplacedVirtual(), -1);
    using P = CTqBaseProgressWnd;
    EXPECT_EQ(FirstMisplaced(2, &P::TqShow, &P::TqDoModal, &P::TqSetTitle, &P::TqSetText,
                             &P::TqSetRange, &P::TqSetPos, &P::TqPeekAndPump, &P::TqIsCancelled),
              -1);
    // Pointer-sized fields after the virtual table pointer (the int padded in 64 bits).
    const std::ptrdiff_t p = sizeof(void*);
    EXPECT_EQ(WndLayout().FieldOffsets(), (std::vector<std::ptrdiff_t>{p, 2 * p, 3 * p, 4 * p, 5 * p}));
    static_assert(sizeof(CTqWnd) == 6 * sizeof(void*) && sizeof(CTqWaitCursor) == sizeof(void*) &&
                  sizeof(CTqBaseProgressWnd) == sizeof(void*), "sizes of the binary interface");
    EXPECT_EQ(P().TqIsCancelled(), 0);  // a plain progress interface is never cancelled
}

TEST(WndInterface, RectangleWrappersConvertBothCornersOrFail)
{
    TestWindow parent(kFrame), child(WS_CHILD | WS_VISIBLE, parent);
    CTqWnd wnd;
    ASSERT_EQ(wnd.Attach(child), 1);
    const RECT target = {12, 15, 62, 45};
    ASSERT_EQ(wnd.MoveWindow(&target, 1), 1);
    EXPECT_EQ(wnd.MoveWindow(nullptr, 1), 0);  // without moving
    RECT rect;
    wnd.GetWindowRect(&rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_TRUE(EqualRect(&rect, &target));

    const RECT original = {1, 2, 30, 40};
    RECT onScreen = original;
    MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
    rect = original;
    ASSERT_EQ(wnd.ClientToScreen(&rect), 1);
    EXPECT_TRUE(EqualRect(&rect, &onScreen));
    ASSERT_EQ(wnd.ScreenToClient(&rect), 1);
    EXPECT_TRUE(EqualRect(&rect, &original));
    EXPECT_EQ(wnd.ClientToScreen(static_cast<RECT*>(nullptr)), 0);
    DestroyWindow(child);
    EXPECT_EQ(wnd.ClientToScreen(&rect), 0);
    EXPECT_EQ(wnd.ScreenToClient(&rect), 0);
    EXPECT_TRUE(EqualRect(&rect, &original));
}

TEST(WndInterface, ControlClassIsRegisteredOnceAndRetriedAfterAFailure)
{
    const HINSTANCE application = GetModuleHandleA(nullptr);
    const char kName[] = "TqTestControlClass";
    WNDCLASSA squatter = {};
    squatter.lpfnWndProc = DefWindowProcA;
    squatter.hInstance = application;
    squatter.lpszClassName = kName;
    ASSERT_TRUE(RegisterClassA(&squatter));
    tq::WndClass control(kName);
    EXPECT_EQ(control.Register(), 0);
    UnregisterClassA(kName, application);
    ASSERT_EQ(control.Register(), 1);

    WNDCLASSA registered = {};
    ASSERT_TRUE(GetClassInfoA(application, kName, &registered));
    EXPECT_EQ(registered.lpfnWndProc, &CTqWnd::WndProc);
    EXPECT_EQ(registered.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(registered.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    UnregisterClassA(kName, application);
    EXPECT_EQ(control.Register(), 1);  // registered once: not again
    EXPECT_FALSE(GetClassInfoA(application, kName, &registered));
}

TEST(WndCommand, CommandsTravelAlongTheChainWhichNeverLoops)
{
    Recorder first, second, last;
    first.SetCmdWnd(&second);
    second.SetCmdWnd(&last);
    const std::string routed = Call("OnCmdMsg", 40010, 0xFFFF, reinterpret_cast<HWND>(0x4320));
    const auto command = [&] { return first.Command(MAKEWPARAM(40010, 0xFFFF), 0x4320); };

    last.answer = 1;
    EXPECT_EQ(command(), 1);
    for (const Recorder* link : {&first, &second, &last})
        EXPECT_EQ(link->calls.back(), routed);
    // Windows that would close a loop are refused and the chain kept (checked
    // before routing: a loop overflows the stack).
    first.SetCmdWnd(&first);
    last.SetCmdWnd(&first);
    ASSERT_EQ(first.CmdWnd(), &second);
    ASSERT_EQ(last.CmdWnd(), nullptr);
    last.answer.reset();
    EXPECT_EQ(command(), 0);
    EXPECT_EQ(last.Count(routed), 2);
    second.SetCmdWnd(nullptr);
    EXPECT_EQ(command(), 0);
    EXPECT_EQ(last.Count(routed), 2);
}

TEST(WndCommand, AcceleratorsTurnKeyPressesIntoCommandsInTheMessageLoop)
{
    Recorder wnd;
    ASSERT_EQ(wnd.CreateTop(), 1);
    TestWindow child(WS_CHILD | WS_VISIBLE, wnd.GetHwnd());
    PumpMessages();
    const std::string keyDown = "OnKeyDown 116 1 63", refresh = Call("OnCmdMsg", 40001, 1, HWND{});

    EXPECT_EQ(PressF5(wnd.GetHwnd()), 0);  // without a table
    EXPECT_EQ(wnd.Count(keyDown), 1);
    ASSERT_EQ(wnd.LoadAcceleratorsA(GetModuleHandleA(nullptr), "TqTestAccel"), 1);
    EXPECT_EQ(PressF5(wnd.GetHwnd()), 1);
    EXPECT_EQ(wnd.Count(keyDown), 1);
    EXPECT_EQ(wnd.Count(refresh), 1);
    // A child without its own object is not translated by its parent's table.
    EXPECT_EQ(PressF5(child), 0);
    // A table that is not found replaces the one loaded before.
    EXPECT_EQ(wnd.LoadAcceleratorsA(GetModuleHandleA(nullptr), "NoSuchTable"), 0);
    EXPECT_EQ(PressF5(wnd.GetHwnd()), 0);
    EXPECT_EQ(wnd.Count(refresh), 1);
    wnd.Destroy();
}

TEST(WndCommand, ReservedAndWaitCursorsReplaceTheClassCursor)
{
    CTqWnd wnd;  // with CTqWnd's own OnSetCursor
    ASSERT_EQ(wnd.Create(RecorderClass(), "Cursor", kFrame, 0, 0, 200, 100, nullptr, 0), 1);
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW), wait = LoadCursor(nullptr, IDC_WAIT),
                  cross = LoadCursor(nullptr, IDC_CROSS);
    // The cursor after WM_SETCURSOR as the system sends it while the mouse
    // moves over the client area.
    const auto shown = [&] {
        SetCursor(nullptr);
        SendMessageA(wnd.GetHwnd(), WM_SETCURSOR, WPARAM(wnd.GetHwnd()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(shown(), arrow);  // the class cursor
    CTqWnd::SetReservedCursor(cross);
    EXPECT_EQ(shown(), cross);
    {
        CTqWaitCursor outer;
        EXPECT_EQ(GetCursor(), wait);  // at once, over the reserved cursor
        SetCursor(arrow);
        {
            CTqWaitCursor copy(outer);
            EXPECT_EQ(GetCursor(), arrow);  // a copy shows nothing by itself
            CTqWaitCursor inner;
            EXPECT_EQ(shown(), wait);
        }
        // Not counted: the inner ones' ends end the outer one's wait cursor
        // and the reserved cursor set before it.
        EXPECT_EQ(shown(), arrow);
    }
    wnd.Destroy();
}
