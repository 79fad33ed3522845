// Dragging the time slider: notifications in order with their frame
// positions, capture and focus, through window messages and once through real
// input at screen coordinates.
#include <gtest/gtest.h>

#include <memory>

#include "SliderTestSupport.h"
#include "TestWindow.h"

using namespace slidertest;

namespace {

using Calls = std::vector<std::string>;

void Mouse(HWND window, UINT msg, int x, int y = 12)
{
    SendMessageA(window, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

// A host with one slider of 212 x 24 pixels: track 10..202, and with the range
// 0-180 the position under x is x - 16 between 16 and 196.
class TimeSliderDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(host.CreateTop(), 1);
        ASSERT_EQ(slider.CreateIn(host, 212, 24, 0, 0, 0, 20, 30), 1);
        slider.SetRange(0, 180, 1);
        window = slider.GetHwnd();
    }
    void TearDown() override { host.Destroy(); }

    SliderHost host;
    ProbeTimeSlider slider;
    HWND window = nullptr;
};

}  // namespace

TEST_F(TimeSliderDrag, PressBesideTheThumbJumpsThenEveryChangeIsReported)
{
    Mouse(window, WM_LBUTTONDOWN, 100);
    EXPECT_EQ(slider.calls, Calls{"start 84"});
    EXPECT_EQ(GetCapture(), window);
    EXPECT_EQ(slider.Thumb().left, 94);

    Mouse(window, WM_MOUSEMOVE, 120);
    Mouse(window, WM_MOUSEMOVE, 120);  // no change, no report
    Mouse(window, WM_MOUSEMOVE, -30);  // left of the track: exactly min
    Mouse(window, WM_MOUSEMOVE, -80);
    Mouse(window, WM_MOUSEMOVE, 500);  // right of it: exactly max
    Mouse(window, WM_LBUTTONUP, 500);
    EXPECT_EQ(slider.calls,
              (Calls{"start 84", "tracking 104", "tracking 0", "tracking 180", "end 180"}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(slider.Tracking(), 0);
    EXPECT_EQ(slider.GetPos(), 180.0);
    EXPECT_EQ(slider.Thumb().right, 202);

    Mouse(window, WM_MOUSEMOVE, 60);  // the drag is over
    Mouse(window, WM_LBUTTONUP, 60);
    EXPECT_EQ(slider.calls.size(), 5u);
}

TEST_F(TimeSliderDrag, GrabbingTheThumbOffCentreKeepsThePosition)
{
    // Position 50: thumb 60..72, centre 66; grabbed 4 pixels left of it.
    Mouse(window, WM_LBUTTONDOWN, 62);
    Mouse(window, WM_MOUSEMOVE, 70);
    Mouse(window, WM_LBUTTONUP, 70);
    EXPECT_EQ(slider.calls, (Calls{"start 50", "tracking 58", "end 58"}));
}

TEST_F(TimeSliderDrag, PositionsBetweenWholeFrames)
{
    slider.SetRange(0, 100, 1);
    Mouse(window, WM_LBUTTONDOWN, 26);
    Mouse(window, WM_LBUTTONUP, 26);
    EXPECT_EQ(slider.calls, (Calls{"start 5.55556", "end 5.55556"}));
    EXPECT_DOUBLE_EQ(slider.GetPos(), 1000.0 / 180);
}

TEST_F(TimeSliderDrag, WithAnInvalidRangeAClickOnlyTakesTheFocus)
{
    slider.SetRange(40, 40, 1);
    SetFocus(host.GetHwnd());
    Mouse(window, WM_LBUTTONDOWN, 100);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), window);
    Mouse(window, WM_MOUSEMOVE, 150);
    Mouse(window, WM_LBUTTONUP, 150);
    EXPECT_TRUE(slider.calls.empty());
    EXPECT_EQ(slider.GetPos(), 50.0);
}

TEST_F(TimeSliderDrag, AClickTakesTheFocusOnlyWhenEnabled)
{
    SetFocus(host.GetHwnd());
    slider.IsFocusEnabled() = 0;
    Mouse(window, WM_LBUTTONDOWN, 100);
    Mouse(window, WM_LBUTTONUP, 100);
    EXPECT_EQ(GetFocus(), host.GetHwnd());
    slider.IsFocusEnabled() = 1;
    Mouse(window, WM_LBUTTONDOWN, 100);
    Mouse(window, WM_LBUTTONUP, 100);
    EXPECT_EQ(GetFocus(), window);
}

TEST_F(TimeSliderDrag, DestroyedWhileCapturedAndCreatedAgain)
{
    Mouse(window, WM_LBUTTONDOWN, 100);
    ASSERT_EQ(GetCapture(), window);
    EXPECT_EQ(slider.Destroy(), 1);
    EXPECT_EQ(GetCapture(), nullptr);

    ASSERT_EQ(slider.CreateIn(host, 212, 24), 1);
    Mouse(slider.GetHwnd(), WM_MOUSEMOVE, 150);  // no drag carried over
    Mouse(slider.GetHwnd(), WM_LBUTTONUP, 150);
    EXPECT_EQ(slider.calls, Calls{"start 84"});
}

TEST_F(TimeSliderDrag, ObjectDestroyedWhileItsWindowHoldsTheCapture)
{
    auto doomed = std::make_unique<ProbeTimeSlider>();
    ASSERT_EQ(doomed->CreateIn(host, 212, 24, 1, 1), 1);
    const HWND orphan = doomed->GetHwnd();
    Mouse(orphan, WM_LBUTTONDOWN, 100);
    ASSERT_EQ(GetCapture(), orphan);
    doomed.reset();
    Mouse(orphan, WM_MOUSEMOVE, 150);
    Mouse(orphan, WM_LBUTTONUP, 150);
    InvalidateRect(orphan, nullptr, TRUE);
    UpdateWindow(orphan);
    EXPECT_TRUE(DestroyWindow(orphan));
}

TEST_F(TimeSliderDrag, RealInputAtScreenCoordinates)
{
    const auto screenPoint = [&](int x) {
        POINT pt = {x, 12};
        ClientToScreen(window, &pt);
        return pt;
    };
    SendMouseMove(screenPoint(100));
    ASSERT_TRUE(WaitForCursor(screenPoint(100)));
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpMessages();
    SendMouseMove(screenPoint(140));
    ASSERT_TRUE(WaitForCursor(screenPoint(140)));
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    for (int i = 0; i < 100 && slider.calls.size() < 3; ++i) {
        Sleep(5);
        PumpMessages();
    }
    EXPECT_EQ(slider.calls, (Calls{"start 84", "tracking 124", "end 124"}));
    EXPECT_EQ(GetCapture(), nullptr);
}
