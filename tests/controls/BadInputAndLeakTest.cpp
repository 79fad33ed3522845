// Bad input gives a clean result and leaks nothing: zero-size and tiny
// windows, no parent, a parent that does not forward owner draw, controls
// destroyed while the mouse is captured; painting, resizing and copying every
// control with the GDI handle table squeezed.
#include <memory>

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
    EXPECT_EQ(slider.Back(), nullptr);
    EXPECT_EQ(trackbar.SetPageSize(4), 0);

    // A top-level custom button's click tells nobody.
    ASSERT_EQ(button.Create("", WS_POPUP | WS_VISIBLE, 0, 300, 30, 30, nullptr, 0), 1);
    Mouse(button.GetHwnd(), WM_LBUTTONDOWN, 3, 3);
    EXPECT_EQ(GetCapture(), button.GetHwnd());
    Mouse(button.GetHwnd(), WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(button.Destroy(), 1);
    EXPECT_TRUE(host.commands.empty());

    // A bitmap button stores its settings without a window; under a parent
    // that does not forward WM_DRAWITEM it draws nothing and still clicks,
    // leaving its checked flag alone.
    CTqBmpButtonCtrl bmp;
    bmp.SetChecked(1);
    bmp.SetBmpID(kPlay, kMagenta);
    ASSERT_EQ(bmp.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 23, 23, &host, 56), 1);
    Paint(bmp.GetHwnd());
    SendMessageA(bmp.GetHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(host.drawItemCalls, 0);
    EXPECT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(bmp.GetChecked(), 1);
}

// Each control holding the capture: its window destroyed (the capture goes, a
// new window starts without the press), its object deleted (the orphaned
// window still takes messages and can be destroyed), or the button destroyed
// by the parent as its click arrives.
TEST_F(ControlTest, DestroyedWhileTheMouseIsCaptured)
{
    for (int kind : {0, 1}) {
        Button button;
        Slider slider;
        const auto create = [&] { return kind ? slider.Open(host, 212, 24, 1, 1) : button.Open(host, 40, 24); };
        CTqWnd& control = kind ? static_cast<CTqWnd&>(slider) : button;
        ASSERT_EQ(create(), 1);
        Mouse(control.GetHwnd(), WM_LBUTTONDOWN, 5, 5);
        ASSERT_EQ(GetCapture(), control.GetHwnd());
        EXPECT_EQ(control.Destroy(), 1);
        EXPECT_EQ(GetCapture(), nullptr);
        ASSERT_EQ(create(), 1);
        Mouse(control.GetHwnd(), WM_MOUSEMOVE, 150, 5);
        Mouse(control.GetHwnd(), WM_LBUTTONUP, 150, 5);
        EXPECT_EQ(slider.calls, kind ? Calls{"start 0"} : Calls{});
        EXPECT_EQ(button.State(), 0);
        control.Destroy();

        auto* doomedSlider = new Slider;
        auto* doomedButton = new Button;
        std::unique_ptr<CTqWnd> doomed(kind ? static_cast<CTqWnd*>(doomedSlider) : doomedButton);
        std::unique_ptr<CTqWnd> spare(kind ? static_cast<CTqWnd*>(doomedButton) : doomedSlider);
        ASSERT_EQ(kind ? doomedSlider->Open(host, 212, 24, 1, 1) : doomedButton->Open(host, 30, 30), 1);
        const HWND orphan = doomed->GetHwnd();
        Mouse(orphan, WM_LBUTTONDOWN, 3, 3);
        ASSERT_EQ(GetCapture(), orphan);
        doomed.reset();
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
    EXPECT_EQ(button.State(), 0);
}

// Each case runs more rounds than the room left in the handle table, so that
// one object leaked per round would use it up; afterwards the free room is as
// before (but for what the platform may cache) and the controls paint as
// before. Copies own duplicates: the original's pens and bitmaps still draw
// after every copy has gone.
TEST_F(ControlTest, NothingLeaksWithASqueezedHandleTable)
{
    const int kRoom = 1000, kRounds = 1200, kTolerance = 16;
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
    player.TimeSlider().SetFps(25, 1);
    player.TimeSlider().SetRange(0, 2500, 1);
    struct Case { std::vector<CTqWnd*> controls; std::function<void(int)> round; std::function<void()> restore; };
    const Case cases[] = {
        {{&groove, &wedge},
         [&](int i) {
             for (Slider* slider : {&groove, &wedge}) {
                 slider->MoveWindow(0, slider == &wedge ? 30 : 0, 280 + i % 40, 20 + i % 8, TRUE);
                 slider->SetPos(i % 101, 1);
                 slider->UpdateWindow();
             }
             if (i % 250 == 0)
                 SetFocus(i % 500 ? groove.GetHwnd() : host.GetHwnd());
         },
         [&] {
             SetFocus(host.GetHwnd());
             groove.MoveWindow(0, 0, 300, 24, TRUE);
             wedge.MoveWindow(0, 30, 300, 24, TRUE);
             groove.SetPos(50, 1);
             wedge.SetPos(50, 1);
         }},
        {{&wedge},
         [&](int i) {
             Slider copy(wedge);
             EXPECT_TRUE(i || (copy.GetHwnd() == wedge.GetHwnd() && copy.Back() != wedge.Back() &&
                               BitmapPicture(copy.Back()) == BitmapPicture(wedge.Back())));
             CTqTimeSliderCtrl spare;
             spare = copy;
             spare = spare;
             wedge = wedge;
         },
         [&] {  // a new layout draws with the pens
             wedge.MoveWindow(0, 30, 299, 24, TRUE);
             wedge.MoveWindow(0, 30, 300, 24, TRUE);
         }},
        {{&volume},
         [&](int i) {
             volume.MoveWindow(0, 60, 180 + i % 40, 30, TRUE);
             volume.UpdateWindow();
             const CTqVolumeSliderCtrl copy(volume);
             CTqVolumeSliderCtrl spare;
             spare = copy;
             volume = volume;
         },
         [&] { volume.MoveWindow(0, 60, 200, 30, TRUE); }},
        {{&custom, &owner},
         [&](int i) {
             custom.IsGradated() = i % 2;
             custom.SetChecked(i % 3 == 0);
             custom.EnableWindow(i % 5 != 0);
             owner.EnableWindow(i % 5 != 0);
             custom.MoveWindow(0, 100, 28 + i % 8, 20 + i % 6, TRUE);
             owner.MoveWindow(40, 100, 20 + i % 6, 23, TRUE);
             if (i % 4 == 0)
                 Mouse(custom.GetHwnd(), WM_LBUTTONDOWN, 2, 2);
             custom.UpdateWindow();
             owner.UpdateWindow();
             Mouse(custom.GetHwnd(), WM_MOUSEMOVE, -5, -5);
             Mouse(custom.GetHwnd(), WM_LBUTTONUP, -5, -5);
         },
         [&] {
             custom.IsGradated() = 0;
             custom.SetChecked(0);
             custom.EnableWindow(1);
             owner.EnableWindow(1);
             custom.MoveWindow(0, 100, 32, 24, TRUE);
             owner.MoveWindow(40, 100, 23, 23, TRUE);
         }},
        // The bar's three children laid out and painted, its sliders copied.
        {{&player},
         [&](int i) {
             player.MoveWindow(0, 140, 380 + i % 40, 24, TRUE);
             player.TimeSlider().SetPos(i, 1);
             player.PlayBtn().SetChecked(i % 2);
             player.UpdateWindow();
             const CTqPlayerCtrl copy(player);
             CTqPlayerCtrl assigned;
             assigned = copy;
         },
         [&] {
             player.MoveWindow(0, 140, 400, 24, TRUE);
             player.TimeSlider().SetPos(50, 1);
             player.PlayBtn().SetChecked(0);
         }},
    };
    std::vector<Picture> before;
    for (const Case& c : cases)
        for (CTqWnd* control : c.controls)
            before.push_back(Paint(control->GetHwnd()));
    const size_t drawItems = host.drawItemCalls, customDraws = host.drawCalls.size();
    std::vector<HBRUSH> filler;
    while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3)))
        filler.push_back(brush);
    for (int i = 0; i < kRoom; ++i, filler.pop_back())
        DeleteObject(filler.back());
    const auto freeSlots = [] {
        std::vector<HBRUSH> probes;
        while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3)))
            probes.push_back(brush);
        for (HBRUSH brush : probes)
            DeleteObject(brush);
        return static_cast<int>(probes.size());
    };
    size_t picture = 0;
    for (const Case& c : cases) {
        const int free = freeSlots();
        for (int i = 0; i < kRounds; ++i)
            c.round(i);
        EXPECT_GE(freeSlots(), free - kTolerance) << &c - cases;
        c.restore();
        for (CTqWnd* control : c.controls)
            EXPECT_EQ(Paint(control->GetHwnd()), before[picture++]) << &c - cases;
    }
    for (HBRUSH brush : filler)
        DeleteObject(brush);
    EXPECT_GT(host.drawItemCalls - drawItems, size_t(kRounds));
    EXPECT_GT(host.drawCalls.size() - customDraws, size_t(kRounds));
    EXPECT_TRUE(host.commands.empty());
}
