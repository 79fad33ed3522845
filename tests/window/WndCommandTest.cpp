// Commands and the message loop: routing along a chain of command windows,
// accelerators from this program's resources through a real message loop,
// the reserved cursor and wait cursors.
#include <gtest/gtest.h>

#include "Recorder.h"
#include "TestWindow.h"

namespace {

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const unsigned int kRefreshCommand = 40001;  // F5 in TqTestAccel
const LPARAM kF5Press = 0x003F0001;

// Runs the application's message loop until the queue is empty; returns how
// many messages PreTranslateProc took.
int RunMessageLoop()
{
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

HCURSOR SystemCursor(WORD id)
{
    return LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
}

// WM_SETCURSOR as the system sends it while the mouse moves over the client
// area; the cursor is set back to the arrow first.
void MoveMouseOver(HWND hWnd)
{
    SetCursor(SystemCursor(32512));
    SendMessageA(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

class ReservedCursor : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(wnd.Create(RecorderClass(), "Cursor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             200, 100, nullptr, 0),
                  1);
    }
    void TearDown() override
    {
        CTqWnd::SetReservedCursor(nullptr);
        wnd.Destroy();
    }

    CTqWnd wnd;  // with CTqWnd's own OnSetCursor
    const HCURSOR arrow = SystemCursor(32512);
    const HCURSOR wait = SystemCursor(32514);
    const HCURSOR cross = SystemCursor(32515);
};

}  // namespace

TEST(WndCommand, CommandsTravelAlongTheChainOfCommandWindows)
{
    Recorder first;
    Recorder second;
    Recorder last;
    first.SetCmdWnd(&second);
    second.SetCmdWnd(&last);
    TestWindow control(WS_OVERLAPPEDWINDOW);
    const long controlParam = reinterpret_cast<long>(control.Handle());
    const std::string routed = Call("OnCmdMsg", 40010, 65535, control.Handle());

    last.answer = 1;
    EXPECT_EQ(first.Command(MAKEWPARAM(40010, 0xFFFF), controlParam), 1);
    EXPECT_EQ(first.calls.back(), routed);
    EXPECT_EQ(second.calls, std::vector<std::string>{routed});
    EXPECT_EQ(last.calls, std::vector<std::string>{routed});

    last.answer = 0;
    EXPECT_EQ(first.Command(MAKEWPARAM(40010, 0xFFFF), controlParam), 0);
    second.SetCmdWnd(nullptr);
    last.calls.clear();
    EXPECT_EQ(first.Command(MAKEWPARAM(40010, 0xFFFF), controlParam), 0);
    EXPECT_TRUE(last.calls.empty());
}

TEST(WndCommand, ALoopOfCommandWindowsIsRefused)
{
    Recorder first;
    Recorder second;
    first.SetCmdWnd(&first);
    EXPECT_EQ(first.CmdWnd(), nullptr);
    first.SetCmdWnd(&second);
    second.SetCmdWnd(&first);
    EXPECT_EQ(second.CmdWnd(), nullptr);
    EXPECT_EQ(first.Command(MAKEWPARAM(1, 0), 0), 0);
}

TEST(WndCommand, AcceleratorsTurnKeyPressesIntoCommandsInTheMessageLoop)
{
    Recorder wnd;
    ASSERT_EQ(wnd.CreateTop(), 1);
    TestWindow child(kChild, wnd.GetHwnd());
    RunMessageLoop();

    // Without a table key presses are dispatched as usual.
    PostMessageA(wnd.GetHwnd(), WM_KEYDOWN, VK_F5, kF5Press);
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(wnd.Count("OnKeyDown("), 1);

    ASSERT_EQ(wnd.LoadAcceleratorsA(GetModuleHandleA(nullptr), "TqTestAccel"), 1);
    wnd.calls.clear();
    PostMessageA(wnd.GetHwnd(), WM_KEYDOWN, VK_F5, kF5Press);
    EXPECT_EQ(RunMessageLoop(), 1);
    EXPECT_EQ(wnd.Count("OnKeyDown("), 0);
    EXPECT_EQ(wnd.Count(Call("OnCmdMsg", kRefreshCommand, 1, HWND{})), 1);

    // A child without its own object is not translated by its parent's table.
    wnd.calls.clear();
    PostMessageA(child, WM_KEYDOWN, VK_F5, kF5Press);
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_EQ(wnd.Count("OnCmdMsg("), 0);

    // A table that is not found replaces the one loaded before.
    EXPECT_EQ(wnd.LoadAcceleratorsA(GetModuleHandleA(nullptr), "NoSuchTable"), 0);
    EXPECT_EQ(wnd.Accel(), nullptr);
    PostMessageA(wnd.GetHwnd(), WM_KEYDOWN, VK_F5, kF5Press);
    EXPECT_EQ(RunMessageLoop(), 0);
    wnd.Destroy();
}

TEST_F(ReservedCursor, ReplacesTheClassCursorUntilCleared)
{
    MoveMouseOver(wnd.GetHwnd());
    EXPECT_EQ(GetCursor(), arrow);

    CTqWnd::SetReservedCursor(cross);
    EXPECT_EQ(CTqWnd::m_hReservedCursor, cross);
    MoveMouseOver(wnd.GetHwnd());
    EXPECT_EQ(GetCursor(), cross);

    CTqWnd::SetReservedCursor(nullptr);
    EXPECT_EQ(GetCursor(), cross);  // until the next WM_SETCURSOR
    MoveMouseOver(wnd.GetHwnd());
    EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(ReservedCursor, WaitCursorsAreNotCounted)
{
    {
        CTqWaitCursor outer;
        EXPECT_EQ(GetCursor(), wait);
        {
            CTqWaitCursor inner;
            MoveMouseOver(wnd.GetHwnd());
            EXPECT_EQ(GetCursor(), wait);
        }
        EXPECT_EQ(CTqWnd::m_hReservedCursor, nullptr);
        MoveMouseOver(wnd.GetHwnd());
        EXPECT_EQ(GetCursor(), arrow);
    }

    CTqWaitCursor original;
    SetCursor(arrow);
    {
        CTqWaitCursor copy(original);
        EXPECT_EQ(GetCursor(), arrow);
        copy = original;
        EXPECT_EQ(GetCursor(), arrow);
        EXPECT_EQ(CTqWnd::m_hReservedCursor, wait);
    }
    EXPECT_EQ(CTqWnd::m_hReservedCursor, nullptr);
}

TEST_F(ReservedCursor, WaitCursorOverridesAndEndsAReservedCursor)
{
    CTqWnd::SetReservedCursor(cross);
    {
        CTqWaitCursor busy;
        MoveMouseOver(wnd.GetHwnd());
        EXPECT_EQ(GetCursor(), wait);
    }
    EXPECT_EQ(CTqWnd::m_hReservedCursor, nullptr);
}
