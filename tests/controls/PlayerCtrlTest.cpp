// The player bar: its children and their configuration, the layout for small
// and large sizes, the seven notifications in order with their positions, the
// command window, the background between the children, copies.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ButtonTestSupport.h"

using namespace buttontest;
using slidertest::Slot;
using slidertest::SysPixel;

namespace {

using Calls = std::vector<std::string>;

// A player that logs its notifications as "play", "time start 0",
// "volume tracking 10".
class LoggingPlayer : public CTqPlayerCtrl {
public:
    Calls calls;

    void OnPlay() override { calls.push_back("play"); }
    void OnTimeStartTrack(double pos) override { Log("time start", pos); }
    void OnTimeTracking(double pos) override { Log("time tracking", pos); }
    void OnTimeEndTrack(double pos) override { Log("time end", pos); }
    void OnVolumeStartTrack(double pos) override { Log("volume start", pos); }
    void OnVolumeTracking(double pos) override { Log("volume tracking", pos); }
    void OnVolumeEndTrack(double pos) override { Log("volume end", pos); }

private:
    void Log(const char* what, double pos)
    {
        char text[64];
        std::snprintf(text, sizeof text, "%s %g", what, pos);
        calls.push_back(text);
    }
};

// A command window that takes every command or none, and logs them.
class CommandWindow : public CTqWnd {
public:
    int takes = 1;
    std::vector<unsigned int> ids;

protected:
    int OnCmdMsg(unsigned int id, int, HWND) override
    {
        ids.push_back(id);
        return takes;
    }
};

struct PlayerSlots : CTqPlayerCtrl {
    using P = PlayerSlots;
    static std::vector<int> NewSlots()
    {
        return {Slot(&P::Create),           Slot(&P::OnPlay),
                Slot(&P::OnTimeStartTrack), Slot(&P::OnTimeTracking),
                Slot(&P::OnTimeEndTrack),   Slot(&P::OnVolumeStartTrack),
                Slot(&P::OnVolumeTracking), Slot(&P::OnVolumeEndTrack)};
    }
    static std::vector<int> OverriddenSlots()
    {
        return {Slot(&P::OnCmdMsg), Slot(&P::OnCreate),   Slot(&P::OnEraseBkgnd),
                Slot(&P::OnSize),   Slot(&P::OnDrawItem), Slot(&P::OnNotify)};
    }
    std::vector<std::ptrdiff_t> Offsets() const
    {
        const auto offset = [this](const void* field) {
            return static_cast<const char*>(field) -
                   reinterpret_cast<const char*>(static_cast<const CTqWnd*>(this));
        };
        return {offset(&m_btnPlay), offset(&m_timeSlider), offset(&m_volumeSlider)};
    }
};
struct WndSlots : CTqWnd {
    using W = WndSlots;
    static std::vector<int> Handlers()
    {
        return {Slot(&W::OnCmdMsg), Slot(&W::OnCreate),   Slot(&W::OnEraseBkgnd),
                Slot(&W::OnSize),   Slot(&W::OnDrawItem), Slot(&W::OnNotify)};
    }
};

// Calls a slider's protected drag notification, as a drag would.
struct TrackAccess : CTqTimeSliderCtrl {
    static void Start(CTqTimeSliderCtrl& slider, double pos)
    {
        (slider.*(&TrackAccess::OnStartTrack))(pos);
    }
};

RECT ChildRect(const CTqWnd& parent, const CTqWnd& child)
{
    RECT area = {};
    child.GetWindowRect(&area);
    parent.ScreenToClient(&area);
    return area;
}

class Player : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(host.CreateTop(600, 120), 1);
        SetFocus(host.GetHwnd());
        ASSERT_EQ(player.Create(WS_CHILD | WS_VISIBLE, 0, 0, 400, 24, &host, 9), 1);
    }
    void TearDown() override { host.Destroy(); }

    HWND Button() const { return player.PlayBtn().GetHwnd(); }

    ButtonHost host;
    LoggingPlayer player;
};

}  // namespace

TEST(PlayerInterface, VirtualOperationsAndMembersKeepTheirPlaces)
{
    const int first = slidertest::kFirstSlotAfterWnd;
    std::vector<int> expected;
    for (int i = 0; i < 8; ++i)
        expected.push_back(first + i);
    EXPECT_EQ(PlayerSlots::NewSlots(), expected);
    EXPECT_EQ(PlayerSlots::OverriddenSlots(), WndSlots::Handlers());
    const std::vector<std::ptrdiff_t> offsets = PlayerSlots().Offsets();
    EXPECT_EQ(offsets[0], 24);
    EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end()));
    EXPECT_EQ(CTqPlayerCtrl::GetClientHeight(), 24);
}

TEST_F(Player, ChildrenWithTheirIdsClassesAndFlags)
{
    struct Case {
        const CTqWnd* child;
        int id;
        const char* className;
    };
    const Case cases[] = {{&player.PlayBtn(), 101, "TqCstmButtonCtrl"},
                          {&player.TimeSlider(), 102, "TqTimeSliderCtrl"},
                          {&player.VolumeSlider(), 107, "TqTimeSliderCtrl"}};
    for (const Case& c : cases) {
        char name[32] = {};
        GetClassNameA(c.child->GetHwnd(), name, sizeof name);
        EXPECT_STREQ(name, c.className);
        EXPECT_EQ(GetDlgCtrlID(c.child->GetHwnd()), c.id);
        EXPECT_EQ(GetAncestor(c.child->GetHwnd(), GA_PARENT), player.GetHwnd());
        EXPECT_EQ(c.child->GetParent(), &player);
    }
    EXPECT_EQ(player.PlayBtn().IsGradated(), 1);
    EXPECT_EQ(player.PlayBtn().IsFocusEnabled(), 0);
    EXPECT_EQ(player.PlayBtn().GetChecked(), 0);
    EXPECT_EQ(player.TimeSlider().HasValue(), 1);
    EXPECT_EQ(player.TimeSlider().IsGradated(), 1);
    EXPECT_EQ(player.TimeSlider().IsFocusEnabled(), 0);
    EXPECT_EQ(player.VolumeSlider().HasValue(), 0);
    EXPECT_EQ(player.VolumeSlider().IsGradated(), 1);
    EXPECT_EQ(player.VolumeSlider().IsFocusEnabled(), 0);
    // The bar leaves values to its owner: a new slider's defaults.
    EXPECT_EQ(player.TimeSlider().GetPos(), 50.0);
    EXPECT_EQ(player.TimeSlider().GetRangeMax(), 100.0);
}

TEST_F(Player, PlayAndPauseFacesOfTheLibrary)
{
    const Picture play = BitmapPicture(LoadFace(kPlayFace));
    const Picture pause = BitmapPicture(LoadFace(kPauseFace));
    const auto face = [&] {
        InvalidateRect(Button(), nullptr, TRUE);
        UpdateWindow(Button());
        return slidertest::CaptureClient(Button()).Crop({8, 4, 24, 20});
    };
    const std::uint32_t magenta = slidertest::Pixel(kMagenta);
    const auto sameOpaque = [&](const Picture& shown, const Picture& bitmap) {
        for (size_t i = 0; i < bitmap.pixels.size(); ++i) {
            if (bitmap.pixels[i] != magenta && bitmap.pixels[i] != shown.pixels[i])
                return false;
        }
        return true;
    };
    EXPECT_TRUE(sameOpaque(face(), play));
    player.PlayBtn().SetChecked(1);
    EXPECT_TRUE(sameOpaque(face(), pause));
    EXPECT_FALSE(sameOpaque(face(), play));
}

TEST_F(Player, LayoutForSmallAndLargeSizes)
{
    struct Case {
        int cx, cy;
        int timeWidth;
    };
    // The bar's height is not used; the time slider takes what the button
    // and the volume slider leave, down to nothing.
    const Case cases[] = {{400, 24, 304}, {400, 60, 304}, {97, 24, 1},  {96, 24, 0},
                          {50, 10, 0},    {0, 0, 0},      {1500, 24, 1404}};
    for (const Case& c : cases) {
        player.MoveWindow(0, 0, c.cx, c.cy, TRUE);
        const RECT button = ChildRect(player, player.PlayBtn());
        const RECT time = ChildRect(player, player.TimeSlider());
        const RECT volume = ChildRect(player, player.VolumeSlider());
        const std::vector<LONG> got = {button.left, button.top, button.right, button.bottom,
                                       time.left,   time.top,   time.right,   time.bottom,
                                       volume.left, volume.top, volume.right, volume.bottom};
        const LONG split = 32 + c.timeWidth;
        const std::vector<LONG> want = {0,  0, 32,    24, 32,         0,
                                        split, 24, split, 0, split + 64, 24};
        EXPECT_EQ(got, want) << c.cx << "x" << c.cy;
    }
}

TEST_F(Player, MinimiseLeavesTheLayoutAlone)
{
    const LONG before = ChildRect(player, player.VolumeSlider()).left;
    ASSERT_EQ(before, 336);
    for (WPARAM ignored : {SIZE_MINIMIZED, SIZE_MAXSHOW, SIZE_MAXHIDE}) {
        SendMessageA(player.GetHwnd(), WM_SIZE, ignored, MAKELPARAM(150, 24));
        EXPECT_EQ(ChildRect(player, player.VolumeSlider()).left, before) << ignored;
    }
    SendMessageA(player.GetHwnd(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(150, 24));
    EXPECT_EQ(ChildRect(player, player.VolumeSlider()).left, 86);
}

TEST_F(Player, PlayIsCalledOnceForAClickReleasedOverTheButton)
{
    Mouse(Button(), WM_LBUTTONDOWN, 5, 5);
    Mouse(Button(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(player.calls, Calls{"play"});
    EXPECT_EQ(player.PlayBtn().GetChecked(), 0);  // the face is the owner's business

    Mouse(Button(), WM_LBUTTONDOWN, 5, 5);
    Mouse(Button(), WM_MOUSEMOVE, 50, 5);
    Mouse(Button(), WM_LBUTTONUP, 50, 5);
    EXPECT_EQ(player.calls, Calls{"play"});
    EXPECT_EQ(GetFocus(), host.GetHwnd());

    // Other commands with code 0 are not the button's click: a menu command
    // has no control window, another control is not the button.
    SendMessageA(player.GetHwnd(), WM_COMMAND, MAKEWPARAM(101, 0), 0);
    SendMessageA(player.GetHwnd(), WM_COMMAND, MAKEWPARAM(101, 0),
                 reinterpret_cast<LPARAM>(player.TimeSlider().GetHwnd()));
    SendMessageA(player.GetHwnd(), WM_COMMAND, MAKEWPARAM(101, 1),
                 reinterpret_cast<LPARAM>(Button()));
    EXPECT_EQ(player.calls, Calls{"play"});
}

TEST_F(Player, ACommandWindowThatTakesTheClickSwallowsPlay)
{
    CommandWindow commands;
    player.SetCmdWnd(&commands);
    Mouse(Button(), WM_LBUTTONDOWN, 5, 5);
    Mouse(Button(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(commands.ids, std::vector<unsigned int>{101});
    EXPECT_TRUE(player.calls.empty());

    commands.takes = 0;
    Mouse(Button(), WM_LBUTTONDOWN, 5, 5);
    Mouse(Button(), WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(commands.ids.size(), 2u);
    EXPECT_EQ(player.calls, Calls{"play"});
}

TEST_F(Player, TimeAndVolumeDragsInOrderWithTheirPositions)
{
    player.TimeSlider().SetRange(0, 1000, 1);
    player.TimeSlider().SetPos(500, 1);
    const HWND time = player.TimeSlider().GetHwnd();
    Mouse(time, WM_LBUTTONDOWN, 2, 12);  // beside the thumb, left of the track
    Mouse(time, WM_MOUSEMOVE, -50, 12);  // still the start: no change
    Mouse(time, WM_MOUSEMOVE, 1000, 12);
    Mouse(time, WM_MOUSEMOVE, -80, 40);
    Mouse(time, WM_LBUTTONUP, -80, 40);
    EXPECT_EQ(player.calls,
              (Calls{"time start 0", "time tracking 1000", "time tracking 0", "time end 0"}));

    // The volume slider, 64 wide: track 10..54, so with the range 0-32 the
    // position under x is x - 16 between 16 and 48.
    player.calls.clear();
    player.VolumeSlider().SetRange(0, 32, 1);
    player.VolumeSlider().SetPos(0, 1);
    const HWND volume = player.VolumeSlider().GetHwnd();
    Mouse(volume, WM_LBUTTONDOWN, 16, 12);  // on the thumb: no jump
    Mouse(volume, WM_MOUSEMOVE, 26, 12);
    Mouse(volume, WM_MOUSEMOVE, 26, 3);
    Mouse(volume, WM_MOUSEMOVE, 300, 12);
    Mouse(volume, WM_LBUTTONUP, 300, 12);
    EXPECT_EQ(player.calls, (Calls{"volume start 0", "volume tracking 10", "volume tracking 32",
                                   "volume end 32"}));
    EXPECT_EQ(player.VolumeSlider().GetPos(), 32.0);
    EXPECT_EQ(GetFocus(), host.GetHwnd());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Player, BackgroundOnlyBetweenTheChildren)
{
    player.MoveWindow(0, 0, 400, 40, TRUE);
    slidertest::Canvas canvas(400, 40);
    const RECT all = {0, 0, 400, 40};
    FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SendMessageA(player.GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    const Picture erased = canvas.Read();
    EXPECT_EQ(erased.At(0, 0), 0u);
    EXPECT_EQ(erased.At(200, 23), 0u);
    EXPECT_EQ(erased.At(399, 23), 0u);
    EXPECT_EQ(erased.At(0, 24), SysPixel(COLOR_BTNFACE));
    EXPECT_EQ(erased.At(399, 39), SysPixel(COLOR_BTNFACE));
}

TEST_F(Player, ForeignOwnerDrawAndCustomDrawRequestsAreRefused)
{
    DRAWITEMSTRUCT item = {};
    item.hwndItem = Button();
    EXPECT_EQ(SendMessageA(player.GetHwnd(), WM_DRAWITEM, 101, reinterpret_cast<LPARAM>(&item)),
              0);
    EXPECT_EQ(SendMessageA(player.GetHwnd(), WM_DRAWITEM, 101, 0), 0);
    NMCUSTOMDRAW draw = {};
    draw.hdr.hwndFrom = player.VolumeSlider().GetHwnd();
    draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    draw.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(SendMessageA(player.GetHwnd(), WM_NOTIFY, 107, reinterpret_cast<LPARAM>(&draw)), 0);
    EXPECT_EQ(SendMessageA(player.GetHwnd(), WM_NOTIFY, 107, 0), 0);
}

TEST_F(Player, ChildrenGoneAndCopies)
{
    // A bar whose button is gone still lays out, erases and routes.
    DestroyWindow(Button());
    EXPECT_EQ(player.PlayBtn().GetHwnd(), nullptr);
    player.MoveWindow(0, 0, 300, 30, TRUE);
    player.UpdateWindow();
    SendMessageA(player.GetHwnd(), WM_COMMAND, MAKEWPARAM(101, 0), 0);
    EXPECT_TRUE(player.calls.empty());

    // A copy's sliders report to the copy.
    LoggingPlayer copy(player);
    EXPECT_EQ(copy.TimeSlider().GetHwnd(), player.TimeSlider().GetHwnd());
    TrackAccess::Start(copy.TimeSlider(), 7);
    TrackAccess::Start(copy.VolumeSlider(), 8);
    EXPECT_EQ(copy.calls, (Calls{"time start 7", "volume start 8"}));
    LoggingPlayer assigned;
    assigned = player;
    TrackAccess::Start(assigned.VolumeSlider(), 9);
    EXPECT_EQ(assigned.calls, Calls{"volume start 9"});
    EXPECT_TRUE(player.calls.empty());

    CTqPlayerTimeSliderCtrl orphan(nullptr);  // no owner: nothing to tell
    TrackAccess::Start(orphan, 1);
}
