// GDI objects of the buttons and the player bar: painting every face and
// state, resizing and copying leak nothing.
#include <gtest/gtest.h>

#include "ButtonTestSupport.h"

using namespace buttontest;
using slidertest::GdiHeadroom;

namespace {

// Far more paints than the room left in the handle table: one object leaked
// per paint would use it up and stop the painting.
const int kRoom = 2000;
const int kRounds = 2500;
// Objects the platform may still be caching for itself (fonts, brushes).
const int kTolerance = 16;

}  // namespace

TEST(ButtonLeaks, ButtonsPaintEveryStateWithoutLeaking)
{
    ButtonHost host;
    ASSERT_EQ(host.CreateTop(), 1);
    ProbeCstmButton custom;
    ASSERT_EQ(custom.CreateIn(host, 32, 24), 1);
    custom.SetCheckedBmpID(kPauseFace, kMagenta);
    custom.IsFocusEnabled() = 0;
    CTqBmpButtonCtrl owner;
    ASSERT_EQ(owner.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 40, 0, 23, 23, &host, 8), 1);
    owner.SetBmpID(kStartFace, kMagenta);
    host.ownerDrawn = &owner;
    const Picture customBefore = custom.Paint();
    owner.InvalidateRect(nullptr, TRUE);
    owner.UpdateWindow();
    const Picture ownerBefore = slidertest::CaptureClient(owner.GetHwnd());
    {
        const GdiHeadroom headroom(kRoom);
        const int before = headroom.FreeSlots();
        for (int i = 0; i < kRounds; ++i) {
            custom.IsGradated() = i % 2;
            custom.SetChecked(i % 3 == 0);
            custom.EnableWindow(i % 5 != 0);
            owner.EnableWindow(i % 5 != 0);
            custom.MoveWindow(0, 0, 28 + i % 8, 20 + i % 6, TRUE);
            owner.MoveWindow(40, 0, 20 + i % 6, 23, TRUE);
            if (i % 4 == 0)
                Mouse(custom.GetHwnd(), WM_LBUTTONDOWN, 2, 2);
            custom.UpdateWindow();
            owner.UpdateWindow();
            Mouse(custom.GetHwnd(), WM_MOUSEMOVE, -5, -5);
            Mouse(custom.GetHwnd(), WM_LBUTTONUP, -5, -5);
        }
        EXPECT_GE(headroom.FreeSlots(), before - kTolerance);
        // Still painting as before, with the table as full as it was.
        custom.IsGradated() = 0;
        custom.SetChecked(0);
        custom.EnableWindow(1);
        owner.EnableWindow(1);
        custom.MoveWindow(0, 0, 32, 24, TRUE);
        owner.MoveWindow(40, 0, 23, 23, TRUE);
        EXPECT_TRUE(custom.Paint() == customBefore);
        owner.InvalidateRect(nullptr, TRUE);
        owner.UpdateWindow();
        EXPECT_TRUE(slidertest::CaptureClient(owner.GetHwnd()) == ownerBefore);
    }
    EXPECT_GT(host.drawItemCalls, kRounds);
    EXPECT_TRUE(host.commands.empty());
    host.Destroy();
}

TEST(ButtonLeaks, ZeroSizeAndTinyButtons)
{
    ButtonHost host;
    ASSERT_EQ(host.CreateTop(), 1);
    for (int gradated : {0, 1}) {
        ProbeCstmButton button;
        ASSERT_EQ(button.CreateIn(host, 0, 0), 1);
        button.IsGradated() = gradated;
        const SIZE sizes[] = {{0, 0}, {1, 1}, {0, 24}, {3, 0}, {2, 2}, {5, 3}};
        for (SIZE size : sizes) {
            button.MoveWindow(0, 0, size.cx, size.cy, TRUE);
            button.UpdateWindow();
            Mouse(button.GetHwnd(), WM_LBUTTONDOWN, 0, 0);
            EXPECT_EQ(button.State(), size.cx > 0 && size.cy > 0 ? 11 : 0);
            Mouse(button.GetHwnd(), WM_LBUTTONUP, 0, 0);
        }
        EXPECT_EQ(host.commands.size(), 3u * (gradated + 1));
        EXPECT_EQ(button.Paint().width, 5);
        button.Destroy();
    }
    host.Destroy();
}

TEST(ButtonLeaks, PlayerBarResizesAndCopiesWithoutLeaking)
{
    ButtonHost host;
    ASSERT_EQ(host.CreateTop(600, 120), 1);
    CTqPlayerCtrl player;
    ASSERT_EQ(player.Create(WS_CHILD | WS_VISIBLE, 0, 0, 400, 24, &host, 3), 1);
    player.TimeSlider().SetFps(25, 1);
    player.TimeSlider().SetRange(0, 2500, 1);
    const auto paint = [&] {
        RedrawWindow(player.GetHwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return slidertest::CaptureClient(player.GetHwnd());
    };
    const Picture before = paint();
    {
        const GdiHeadroom headroom(kRoom);
        const int free = headroom.FreeSlots();
        // Each round lays out and paints the three children and copies the
        // bar with the pens and bitmaps of its sliders.
        for (int i = 0; i < kRounds; ++i) {
            player.MoveWindow(0, 0, 380 + i % 40, 24, TRUE);
            player.TimeSlider().SetPos(i, 1);
            player.PlayBtn().SetChecked(i % 2);
            player.UpdateWindow();
            const CTqPlayerCtrl copy(player);
        }
        EXPECT_GE(headroom.FreeSlots(), free - kTolerance);
        player.MoveWindow(0, 0, 400, 24, TRUE);
        player.TimeSlider().SetPos(50, 1);
        player.PlayBtn().SetChecked(0);
        EXPECT_TRUE(paint() == before);
    }
    host.Destroy();
}
