// The custom button under the mouse: press, drag out and back, release; the
// one WM_COMMAND of a completed click, sent before the button resets; capture
// and focus; once through real input at screen coordinates.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ButtonTestSupport.h"
#include "TestWindow.h"

using namespace buttontest;

namespace {

// A 40 x 24 button at (20, 30) of its host.
class CstmButtonMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(host.CreateTop(), 1);
        ASSERT_EQ(button.CreateIn(host, 40, 24, 101, 20, 30), 1);
        window = button.GetHwnd();
        host.probe = [this] { return button.State(); };
    }
    void TearDown() override { host.Destroy(); }

    ButtonHost host;
    ProbeCstmButton button;
    HWND window = nullptr;
};

struct Step {
    UINT msg;
    int x, y;
    int state;  // 10 * tracking + pressed afterwards
    bool captured;
};

}  // namespace

TEST_F(CstmButtonMouse, PressDragAndReleaseSequences)
{
    const UINT down = WM_LBUTTONDOWN, move = WM_MOUSEMOVE, up = WM_LBUTTONUP;
    struct Case {
        const char* name;
        std::vector<Step> steps;
        size_t commands;
    };
    const Case cases[] = {
        {"click", {{down, 5, 5, 11, true}, {up, 5, 5, 0, false}}, 1},
        {"drag out, release outside",
         {{down, 5, 5, 11, true}, {move, 60, 5, 10, true}, {up, 60, 5, 0, false}}, 0},
        {"drag out and back",
         {{down, 5, 5, 11, true}, {move, -3, 5, 10, true}, {move, 39, 23, 11, true},
          {up, 39, 23, 0, false}},
         1},
        // The last move decides, not the release point.
        {"moved out, released over it",
         {{down, 5, 5, 11, true}, {move, 5, 24, 10, true}, {up, 5, 5, 0, false}}, 0},
        {"moved in, released outside",
         {{down, 5, 5, 11, true}, {move, 6, 6, 11, true}, {up, 100, -40, 0, false}}, 1},
        {"repeated moves outside",
         {{down, 0, 0, 11, true}, {move, 40, 0, 10, true}, {move, 41, 0, 10, true},
          {up, 41, 0, 0, false}},
         0},
        {"press beside it", {{down, 40, 5, 0, false}, {move, 5, 5, 0, false}, {up, 5, 5, 0, false}},
         0},
        {"moves and release without a press", {{move, 5, 5, 0, false}, {up, 5, 5, 0, false}}, 0},
    };
    for (const Case& c : cases) {
        host.commands.clear();
        int index = 0;
        for (const Step& step : c.steps) {
            Mouse(window, step.msg, step.x, step.y);
            EXPECT_EQ(button.State(), step.state) << c.name << ", step " << index;
            EXPECT_EQ(GetCapture() == window, step.captured) << c.name << ", step " << index;
            ++index;
        }
        EXPECT_EQ(host.commands.size(), c.commands) << c.name;
    }
}

TEST_F(CstmButtonMouse, TheClickIsSentBeforeTheButtonResets)
{
    ProbeCstmButton wide;
    ASSERT_EQ(wide.CreateIn(host, 30, 30, 0x12345, 100, 30), 1);
    host.probe = [&] { return wide.State(); };
    Mouse(wide.GetHwnd(), WM_LBUTTONDOWN, 3, 3);
    Mouse(wide.GetHwnd(), WM_LBUTTONUP, 3, 3);
    ASSERT_EQ(host.commands.size(), 1u);
    const ButtonHost::Command& command = host.commands[0];
    EXPECT_EQ(LOWORD(command.wParam), 0x2345);  // the id's low 16 bits
    EXPECT_EQ(HIWORD(command.wParam), 0);       // BN_CLICKED
    EXPECT_EQ(reinterpret_cast<HWND>(command.lParam), wide.GetHwnd());
    EXPECT_EQ(command.capture, nullptr);     // the capture is already released
    EXPECT_EQ(command.stateAtCommand, 11);   // still tracking and pressed
    EXPECT_EQ(wide.State(), 0);
    EXPECT_EQ(wide.GetChecked(), 0);  // a click leaves the face to the owner
}

TEST_F(CstmButtonMouse, APressTakesTheFocusOnlyWhenEnabled)
{
    SetFocus(host.GetHwnd());
    button.IsFocusEnabled() = 0;
    Mouse(window, WM_LBUTTONDOWN, 5, 5);
    Mouse(window, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(GetFocus(), host.GetHwnd());
    Mouse(window, WM_LBUTTONDOWN, 50, 5);  // beside the button: no focus either
    EXPECT_EQ(GetFocus(), host.GetHwnd());
    button.IsFocusEnabled() = 1;
    Mouse(window, WM_LBUTTONDOWN, 50, 5);
    EXPECT_EQ(GetFocus(), host.GetHwnd());
    Mouse(window, WM_LBUTTONDOWN, 5, 5);
    Mouse(window, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(GetFocus(), window);
    EXPECT_EQ(host.commands.size(), 2u);
}

TEST_F(CstmButtonMouse, KeysDoNotClick)
{
    SetFocus(window);
    for (UINT key : {VK_SPACE, VK_RETURN}) {
        SendMessageA(window, WM_KEYDOWN, key, 1);
        SendMessageA(window, WM_CHAR, key, 1);
        SendMessageA(window, WM_KEYUP, key, 0xC0000001);
    }
    EXPECT_TRUE(host.commands.empty());
}

TEST_F(CstmButtonMouse, WithoutAParentAClickTellsNobody)
{
    CTqCstmButtonCtrl alone;
    ASSERT_EQ(alone.Create("", WS_POPUP | WS_VISIBLE, 0, 200, 30, 30, nullptr, 0), 1);
    Mouse(alone.GetHwnd(), WM_LBUTTONDOWN, 3, 3);
    EXPECT_EQ(GetCapture(), alone.GetHwnd());
    Mouse(alone.GetHwnd(), WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_EQ(alone.Destroy(), 1);
}

TEST_F(CstmButtonMouse, DestroyedWhileCapturedAndCreatedAgain)
{
    Mouse(window, WM_LBUTTONDOWN, 5, 5);
    ASSERT_EQ(GetCapture(), window);
    EXPECT_EQ(button.Destroy(), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_EQ(button.CreateIn(host, 40, 24), 1);
    EXPECT_EQ(button.State(), 0);
    Mouse(button.GetHwnd(), WM_MOUSEMOVE, 5, 5);  // no press carried over
    Mouse(button.GetHwnd(), WM_LBUTTONUP, 5, 5);
    EXPECT_TRUE(host.commands.empty());
}

TEST_F(CstmButtonMouse, ObjectDestroyedWhileItsWindowHoldsTheCapture)
{
    auto doomed = std::make_unique<CTqCstmButtonCtrl>();
    ASSERT_EQ(doomed->Create("", WS_CHILD | WS_VISIBLE, 100, 30, 30, 30, &host, 9), 1);
    doomed->IsGradated() = 1;
    const HWND orphan = doomed->GetHwnd();
    Mouse(orphan, WM_LBUTTONDOWN, 3, 3);
    ASSERT_EQ(GetCapture(), orphan);
    doomed.reset();
    Mouse(orphan, WM_MOUSEMOVE, 50, 3);
    Mouse(orphan, WM_LBUTTONUP, 3, 3);
    InvalidateRect(orphan, nullptr, TRUE);
    UpdateWindow(orphan);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_TRUE(DestroyWindow(orphan));
}

TEST_F(CstmButtonMouse, TheParentMayDestroyTheButtonWhenTheClickArrives)
{
    host.probe = [this] {
        button.Destroy();
        return 0;
    };
    Mouse(window, WM_LBUTTONDOWN, 5, 5);
    Mouse(window, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(button.GetHwnd(), nullptr);
    EXPECT_EQ(button.State(), 0);
}

TEST_F(CstmButtonMouse, RealInputDraggedOutAndBack)
{
    const auto screenPoint = [&](int x, int y) {
        POINT pt = {x, y};
        ClientToScreen(window, &pt);
        return pt;
    };
    const auto moveTo = [&](int x, int y) {
        slidertest::SendMouseMove(screenPoint(x, y));
        return slidertest::WaitForCursor(screenPoint(x, y));
    };
    SetFocus(host.GetHwnd());
    ASSERT_TRUE(moveTo(10, 10));
    slidertest::SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    for (int i = 0; i < 100 && GetCapture() != window; ++i) {
        Sleep(5);
        PumpMessages();
    }
    EXPECT_EQ(button.State(), 11);
    EXPECT_EQ(GetFocus(), window);
    ASSERT_TRUE(moveTo(80, 10));
    EXPECT_EQ(button.State(), 10);
    ASSERT_TRUE(moveTo(30, 20));
    EXPECT_EQ(button.State(), 11);
    slidertest::SendMouseButton(MOUSEEVENTF_LEFTUP);
    for (int i = 0; i < 100 && host.commands.empty(); ++i) {
        Sleep(5);
        PumpMessages();
    }
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0].wParam, 101u);
    EXPECT_EQ(reinterpret_cast<HWND>(host.commands[0].lParam), window);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(button.State(), 0);
}
