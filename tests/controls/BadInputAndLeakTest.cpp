// Bad input gives a clean result and leaks nothing: zero-size and tiny
// windows, no parent, a parent that does not forward owner draw, controls
// destroyed while the mouse is captured; painting, resizing and copying every
// control with the GDI handle table squeezed.
#include <memory>

#include "AssignToItself.h"
#include "ControlsSupport.h"

using namespace ctl;

TEST_F(ControlTest, ZeroSizeAndTinyWindows)
{
    Button plain, gradated;
    Slider slider;
    CTqPlayerCtrl player;
    ASSERT_EQ(plain.Open(host, 0, 0) + gradated.Open(host, 0, 0), 2);
    gradated.IsGradated() = 1;
    ASSERT_EQ(slider.Create(WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, &host, 102, 1), 1);
    Paint(slider.GetHwnd());  // before the first layout: nothing
    ASSERT_EQ(player.Create(WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, &host, 3), 1);
    for (SIZE size : {SIZE{0, 0}, SIZE{1, 1}, SIZE{0, 24}, SIZE{3, 0}, SIZE{2, 2}, SIZE{5, 3}}) {
        slider.SetPos(size.cx, 1);
        for (CTqWnd* control : std::vector<CTqWnd*>{&plain, &gradated, &slider, &player}) {
            control->MoveWindow(0, 0, size.cx, size.cy, TRUE);
            Paint(control->GetHwnd());
        }
        for (Button* button : {&plain, &gradated}) {
            Mouse(button->GetHwnd(), WM_LBUTTONDOWN, 0, 0);
            EXPECT_EQ(button->State(), size.cx > 0 && size.cy > 0 ? 11 : 0);
            Mouse(button->GetHwnd(), WM_LBUTTONUP, 0, 0);
        }
    }
    EXPECT_EQ(host.commands.size(), 6u);
    slider.HasValue() = 1;
    slider.MoveWindow(0, 0, 4, 4, TRUE);
    EXPECT_EQ(Paint(slider.GetHwnd()).width + Paint(plain.GetHwnd()).width, 9);
}

TEST_F(ControlTest, NoParentOrNoForwardingParent)
{
    // A child without a parent is not created.
    CTqSliderCtrl trackbar;
    Slider slider;
    Button button;
    CTqPlayerCtrl player;
    EXPECT_EQ(trackbar.Create(0, WS_CHILD | TBS_HORZ, 0, 0, 200, 30, nullptr, 5) +
                  slider.Create(WS_CHILD, 0, 0, 100, 20, nullptr, 102, 0) +
                  button.Create("", WS_CHILD, 0, 0, 30, 30, nullptr, 1) +
                  player.Create(WS_CHILD, 0, 0, 300, 24, nullptr, 3),
              0);
    for (const CTqWnd* control : std::vector<const CTqWnd*>{&trackbar, &slider, &button, &player})
        EXPECT_EQ(control->GetHwnd(), nullptr);
    EXPECT_EQ(trackbar.SetPageSize(4), 0);

    // Redrawing a slider without a window leaves every other window alone.
    UpdateWindow(host.GetHwnd());
    slider.SetPos(10, 1);
    slider.SetFps(25, 1);
    EXPECT_FALSE(GetUpdateRect(host.GetHwnd(), nullptr, FALSE));

    // A top-level custom button's click tells nobody.
    ASSERT_EQ(button.Create("", WS_POPUP | WS_VISIBLE, 0, 300, 30, 30, nullptr, 0), 1);
    Mouse(button.GetHwnd(), WM_LBUTTONDOWN, 3, 3);
    Mouse(button.GetHwnd(), WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(button.Destroy(), 1);
    EXPECT_TRUE(host.commands.empty());

    // A bitmap button stores its settings without a window; under a parent
    // that does not forward WM_DRAWITEM it still clicks, leaving its checked
    // flag alone.
    CTqBmpButtonCtrl bmp;
    bmp.SetChecked(1);
    bmp.SetBmpID(kPlay, kMagenta);
    ASSERT_EQ(bmp.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 23, 23, &host, 56), 1);
    Paint(bmp.GetHwnd());
    SendMessageA(bmp.GetHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(bmp.GetChecked(), 1);
}

// Each control holding the capture: its window destroyed (a new window
// starts without the press), its object deleted (the orphaned window still
// takes messages and can be destroyed), or the button destroyed by the
// parent as its click arrives.
TEST_F(ControlTest, DestroyedWhileTheMouseIsCaptured)
{
    for (int kind : {0, 1}) {
        auto button = std::make_unique<Button>();
        auto slider = std::make_unique<Slider>();
        CTqWnd& control = kind ? static_cast<CTqWnd&>(*slider) : *button;
        const auto press = [&] {
            ASSERT_EQ(kind ? slider->Open(host, 212, 24, 1, 1) : button->Open(host, 40, 24), 1);
            Mouse(control.GetHwnd(), WM_LBUTTONDOWN, 5, 5);
            ASSERT_EQ(GetCapture(), control.GetHwnd());
        };
        press();
        EXPECT_EQ(control.Destroy(), 1);
        ASSERT_EQ(kind ? slider->Open(host, 212, 24, 1, 1) : button->Open(host, 40, 24), 1);
        Mouse(control.GetHwnd(), WM_MOUSEMOVE, kind ? 150 : 6, 5);
        Mouse(control.GetHwnd(), WM_LBUTTONUP, kind ? 150 : 6, 5);
        EXPECT_EQ(slider->calls, kind ? Calls{"start 0"} : Calls{});
        control.Destroy();
        press();
        const HWND orphan = control.GetHwnd();
        button.reset();
        slider.reset();
        Mouse(orphan, WM_MOUSEMOVE, 50, 3);
        Mouse(orphan, WM_LBUTTONUP, 3, 3);
        Paint(orphan);
        EXPECT_TRUE(DestroyWindow(orphan));
    }
    EXPECT_TRUE(host.commands.empty());
    Button button;
    ASSERT_EQ(button.Open(host, 40, 24), 1);
    host.probe = [&] { return button.Destroy(); };
    Mouse(button.GetHwnd(), WM_LBUTTONDOWN, 5, 5);
    Mouse(button.GetHwnd(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(button.GetHwnd(), nullptr);
}

// Each case runs more rounds than the room left in the handle table, so that
// one object leaked per round would use it up; afterwards the free room is as
// before (but for what the platform may cache) and round 0, the first state
// again, paints as before. Copies own duplicates: the original's pens and
// bitmaps still draw after every copy has gone.
TEST_F(ControlTest, NothingLeaksWithASqueezedHandleTable)
{
    const int kRoom = 600, kRounds = 700, kTolerance = 16;
    Slider groove, wedge;
    ASSERT_EQ(groove.Open(host, 300, 24, 1, 1) + wedge.Open(host, 300, 24, 0, 1, 1, 0, 30), 2);
    CTqVolumeSliderCtrl volume;
    host.customDrawn = &volume;
    ASSERT_EQ(volume.Create(0, WS_CHILD | WS_VISIBLE | TBS_NOTICKS, 0, 60, 200, 30, &host, 7), 1);
    Button custom;
    ASSERT_EQ(custom.Open(host, 32, 24, 101, 0, 100), 1);
    custom.SetCheckedBmpID(kPause, kMagenta);
    custom.IsFocusEnabled() = 0;
    CTqBmpButtonCtrl owner;
    ASSERT_EQ(owner.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 40, 100, 23, 23, &host, 8), 1);
    owner.SetBmpID(kStart, kMagenta);
    host.ownerDrawn = &owner;
    CTqPlayerCtrl player;
    ASSERT_EQ(player.Create(WS_CHILD | WS_VISIBLE, 0, 140, 400, 24, &host, 3), 1);
    player.TimeSlider().SetRange(0, 2500, 1);
    const std::pair<std::vector<CTqWnd*>, std::function<void(int)>> cases[] = {
        {{&groove, &wedge}, [&](int i) {
             for (Slider* slider : {&groove, &wedge}) {
                 slider->MoveWindow(0, slider == &wedge ? 30 : 0, 300 - i % 40, 24 - i % 8, TRUE);
                 slider->SetPos(50 + i % 51, 1);
                 slider->UpdateWindow();
             }
             if (i % 250 == 0)
                 SetFocus(i % 500 ? groove.GetHwnd() : host.GetHwnd());
             Slider copy(wedge);
             CTqTimeSliderCtrl spare;
             spare = copy;
             AssignToItself(wedge);
         }},
        {{&volume}, [&](int i) {
             volume.MoveWindow(0, 60, 200 - i % 40, 30, TRUE);
             volume.UpdateWindow();
             const CTqVolumeSliderCtrl copy(volume);
             CTqVolumeSliderCtrl spare;
             spare = copy;
             AssignToItself(volume);
         }},
        {{&custom, &owner}, [&](int i) {
             custom.IsGradated() = i % 2;
             custom.SetChecked(i % 3 == 1);
             custom.EnableWindow(i % 5 != 4);
             owner.EnableWindow(i % 5 != 4);
             custom.MoveWindow(0, 100, 32 - i % 8, 24 - i % 6, TRUE);
             owner.MoveWindow(40, 100, 23 - i % 6, 23, TRUE);
             if (i % 4 == 3)
                 Mouse(custom.GetHwnd(), WM_LBUTTONDOWN, 2, 2);
             custom.UpdateWindow();
             owner.UpdateWindow();
             Mouse(custom.GetHwnd(), WM_MOUSEMOVE, -5, -5);
             Mouse(custom.GetHwnd(), WM_LBUTTONUP, -5, -5);
         }},
        // The bar's three children laid out and painted, its sliders copied.
        {{&player}, [&](int i) {
             player.MoveWindow(0, 140, 400 - i % 40, 24, TRUE);
             player.TimeSlider().SetPos(50 + i, 1);
             player.PlayBtn().SetChecked(i % 2);
             player.UpdateWindow();
             const CTqPlayerCtrl copy(player);
             CTqPlayerCtrl assigned;
             assigned = copy;
         }},
    };
    std::vector<Picture> before;
    for (const auto& c : cases)
        for (CTqWnd* control : c.first)
            before.push_back(Paint(control->GetHwnd()));
    const size_t drawItems = host.drawItemCalls, customDraws = host.drawCalls.size();
    const SqueezedHandleTable squeezed(kRoom);
    size_t picture = 0;
    for (const auto& c : cases) {
        const size_t free = SqueezedHandleTable::Free();
        for (int i = 1; i <= kRounds; ++i)
            c.second(i);
        EXPECT_GE(SqueezedHandleTable::Free() + kTolerance, free) << picture;
        c.second(0);
        for (CTqWnd* control : c.first)
            EXPECT_EQ(Paint(control->GetHwnd()), before[picture++]) << picture;
    }
    EXPECT_GT(host.drawItemCalls - drawItems, size_t(kRounds));
    EXPECT_GT(host.drawCalls.size() - customDraws, size_t(kRounds));
    EXPECT_TRUE(host.commands.empty());
}
