// The player bar: its children and faces, the layout for small and large
// sizes, the seven notifications in order with their positions, the command
// window, the background between the children, copies.
#include "ControlsSupport.h"

using namespace ctl;

namespace {

class LoggingPlayer : public CTqPlayerCtrl {
public:
    Calls calls;

    void OnPlay() override { calls.push_back("play"); }
    void OnTimeStartTrack(double pos) override { calls.push_back(Logged("time start", pos)); }
    void OnTimeTracking(double pos) override { calls.push_back(Logged("time tracking", pos)); }
    void OnTimeEndTrack(double pos) override { calls.push_back(Logged("time end", pos)); }
    void OnVolumeStartTrack(double pos) override { calls.push_back(Logged("volume start", pos)); }
    void OnVolumeTracking(double pos) override { calls.push_back(Logged("volume tracking", pos)); }
    void OnVolumeEndTrack(double pos) override { calls.push_back(Logged("volume end", pos)); }
};

// A command window that takes every command or none, and logs them.
struct CommandWindow : CTqWnd {
    int takes = 1;
    std::vector<unsigned int> ids;

    int OnCmdMsg(unsigned int id, int, HWND) override { return ids.push_back(id), takes; }
};

// A slider's protected drag notification, to call as a drag would.
struct TrackAccess : CTqTimeSliderCtrl {
    using CTqTimeSliderCtrl::OnStartTrack;
};

// The children's rectangles in the bar: button, time slider, volume slider.
Longs Layout(const CTqPlayerCtrl& player)
{
    Longs all;
    for (const CTqWnd* child : std::vector<const CTqWnd*>{&player.PlayBtn(), &player.TimeSlider(),
                                                          &player.VolumeSlider()}) {
        RECT r = {};
        child->GetWindowRect(&r);
        player.ScreenToClient(&r);
        all.insert(all.end(), {r.left, r.top, r.right, r.bottom});
    }
    return all;
}

class Player : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        ASSERT_EQ(player.Create(WS_CHILD | WS_VISIBLE, 0, 0, 400, 24, &host, 9), 1);
    }
    HWND Button() const { return player.PlayBtn().GetHwnd(); }

    LoggingPlayer player;
};

}  // namespace

TEST_F(Player, ChildrenSettingsAndFaces)
{
    std::string names;
    Longs ids;
    for (const CTqWnd* child : std::vector<const CTqWnd*>{&player.PlayBtn(), &player.TimeSlider(),
                                                          &player.VolumeSlider()}) {
        char name[32] = {};
        GetClassNameA(child->GetHwnd(), name, sizeof name);
        names += name + std::string(" ");
        ids.push_back(GetDlgCtrlID(child->GetHwnd()));
        EXPECT_EQ(child->GetParent(), &player);
    }
    EXPECT_EQ(names, "TqCstmButtonCtrl TqTimeSliderCtrl TqTimeSliderCtrl ");
    EXPECT_EQ(ids, Longs({101, 102, 107}));
    // Flags as set; the values left to the owner: a new slider's.
    const CTqCstmButtonCtrl& b = player.PlayBtn();
    const CTqTimeSliderCtrl &t = player.TimeSlider(), &v = player.VolumeSlider();
    EXPECT_EQ(Longs({b.IsGradated(), b.IsFocusEnabled(), b.GetChecked(), t.HasValue(),
                     t.IsGradated(), t.IsFocusEnabled(), v.HasValue(), v.IsGradated(),
                     v.IsFocusEnabled(), long(t.GetPos()), long(t.GetRangeMax())}),
              Longs({1, 0, 0, 1, 1, 0, 0, 1, 0, 50, 100}));

    // The library's play face, and its pause face while checked, on the
    // button painted without faces.
    const Picture play = Paint(Button());
    player.PlayBtn().SetChecked(1);
    const Picture pause = Paint(Button());
    player.PlayBtn().SetBmpID(0, kMagenta);
    player.PlayBtn().SetCheckedBmpID(0, kMagenta);
    const Picture bare = Paint(Button());
    EXPECT_EQ(play, WithFace(bare, Face(kPlay), 8, 4));
    EXPECT_EQ(pause, WithFace(bare, Face(kPause), 8, 4));
}

// The bar's height is not used; the time slider takes what the button and
// the volume slider leave, down to nothing. Minimising lays nothing out.
TEST_F(Player, LayoutForSmallAndLargeSizes)
{
    const int cases[][3] = {{400, 24, 304}, {400, 60, 304}, {97, 24, 1},  {96, 24, 0},
                            {50, 10, 0},    {0, 0, 0},      {1500, 24, 1404}};  // cx, cy, time
    for (const auto& c : cases) {
        player.MoveWindow(0, 0, c[0], c[1], TRUE);
        const LONG split = 32 + c[2];
        EXPECT_EQ(Layout(player), Longs({0, 0, 32, 24, 32, 0, split, 24, split, 0, split + 64, 24}))
            << c[0] << "x" << c[1];
    }
    player.MoveWindow(0, 0, 400, 24, TRUE);
    for (WPARAM ignored : {SIZE_MINIMIZED, SIZE_MAXSHOW, SIZE_MAXHIDE}) {
        SendMessageA(player.GetHwnd(), WM_SIZE, ignored, MAKELPARAM(150, 24));
        EXPECT_EQ(Layout(player)[8], 336) << ignored;
    }
    SendMessageA(player.GetHwnd(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(150, 24));
    EXPECT_EQ(Layout(player)[8], 86);
}

// OnPlay once for a click released over the button, unless a command window
// takes the command; never for other commands with code 0 (a menu command
// has no control window, another control is not the button).
TEST_F(Player, PlayForTheButtonsClickOnly)
{
    const auto click = [&](int outX) {
        Mouse(Button(), WM_LBUTTONDOWN, 5, 5);
        Mouse(Button(), WM_MOUSEMOVE, outX, 5);
        Mouse(Button(), WM_LBUTTONUP, outX, 5);
    };
    const auto command = [&](WORD code, HWND control) {
        SendMessageA(player.GetHwnd(), WM_COMMAND, MAKEWPARAM(101, code),
                     reinterpret_cast<LPARAM>(control));
    };
    struct Case { int commandWindow; std::function<void()> act; Calls calls; };  // -1: none
    const Case cases[] = {
        {-1, [&] { click(6); }, {"play"}},
        {-1, [&] { click(50); }, {}},
        {-1, [&] { command(0, nullptr); }, {}},
        {-1, [&] { command(0, player.TimeSlider().GetHwnd()); }, {}},
        {-1, [&] { command(1, Button()); }, {}},
        {1, [&] { click(6); }, {}},
        {0, [&] { click(6); }, {"play"}},
    };
    for (const Case& c : cases) {
        CommandWindow commands;
        commands.takes = c.commandWindow;
        player.SetCmdWnd(c.commandWindow < 0 ? nullptr : &commands);
        player.calls.clear();
        c.act();
        EXPECT_EQ(player.calls, c.calls) << &c - cases;
        EXPECT_EQ(commands.ids, std::vector<unsigned int>(c.commandWindow < 0 ? 0 : 1, 101))
            << &c - cases;
        player.SetCmdWnd(nullptr);
    }
    EXPECT_EQ(player.PlayBtn().GetChecked(), 0);  // the face is the owner's business
    EXPECT_EQ(GetFocus(), host.GetHwnd());
}

TEST_F(Player, TimeAndVolumeDragsInOrderWithTheirPositions)
{
    player.TimeSlider().SetRange(0, 1000, 1);
    player.TimeSlider().SetPos(500, 1);
    const HWND time = player.TimeSlider().GetHwnd();
    Mouse(time, WM_LBUTTONDOWN, 2, 12);  // beside the thumb, left of the track
    Mouse(time, WM_MOUSEMOVE, 1000, 12);
    Mouse(time, WM_LBUTTONUP, -80, 40);
    // The volume slider, 64 wide: track 10..54, so with the range 0-32 the
    // position under x is x - 16 between 16 and 48.
    player.VolumeSlider().SetRange(0, 32, 1);
    player.VolumeSlider().SetPos(0, 1);
    const HWND volume = player.VolumeSlider().GetHwnd();
    Mouse(volume, WM_LBUTTONDOWN, 16, 12);  // on the thumb: no jump
    Mouse(volume, WM_MOUSEMOVE, 26, 3);
    Mouse(volume, WM_LBUTTONUP, 300, 12);
    // The release reports the last position, wherever it is.
    EXPECT_EQ(player.calls, (Calls{"time start 0", "time tracking 1000", "time end 1000",
                                   "volume start 0", "volume tracking 10", "volume end 10"}));
    EXPECT_EQ(GetFocus(), host.GetHwnd());
}

// The bar erases only between its children, and refuses owner-draw and
// custom-draw requests that are not its children's.
TEST_F(Player, BackgroundAndForeignRequests)
{
    player.MoveWindow(0, 0, 400, 40, TRUE);
    const Canvas canvas(400, 40, 0);
    SendMessageA(player.GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    const Picture e = canvas.Pixels();
    EXPECT_EQ(Pixels({e.At(0, 0), e.At(200, 23), e.At(399, 23), e.At(0, 24), e.At(399, 39)}),
              Pixels({0, 0, 0, Sys(COLOR_BTNFACE), Sys(COLOR_BTNFACE)}));

    DRAWITEMSTRUCT item = {};
    item.hwndItem = Button();
    NMCUSTOMDRAW draw = {};
    draw.hdr.hwndFrom = player.VolumeSlider().GetHwnd();
    draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    draw.dwDrawStage = CDDS_PREPAINT;
    const std::pair<UINT, LPARAM> requests[] = {{WM_DRAWITEM, reinterpret_cast<LPARAM>(&item)},
                                                {WM_DRAWITEM, 0},
                                                {WM_NOTIFY, reinterpret_cast<LPARAM>(&draw)},
                                                {WM_NOTIFY, 0}};
    for (const auto& request : requests)
        EXPECT_EQ(SendMessageA(player.GetHwnd(), request.first, 107, request.second), 0);
}

TEST_F(Player, ChildrenGoneAndCopies)
{
    // A bar whose button is gone still lays out, erases and routes.
    DestroyWindow(Button());
    player.MoveWindow(0, 0, 300, 30, TRUE);
    player.UpdateWindow();
    SendMessageA(player.GetHwnd(), WM_COMMAND, MAKEWPARAM(101, 0), 0);
    EXPECT_TRUE(player.calls.empty());

    // A copy's sliders report to the copy.
    const auto start = &TrackAccess::OnStartTrack;
    LoggingPlayer copy(player);
    EXPECT_EQ(copy.TimeSlider().GetHwnd(), player.TimeSlider().GetHwnd());
    (copy.TimeSlider().*start)(7);
    (copy.VolumeSlider().*start)(8);
    EXPECT_EQ(copy.calls, (Calls{"time start 7", "volume start 8"}));
    LoggingPlayer assigned;
    assigned = player;
    (assigned.VolumeSlider().*start)(9);
    EXPECT_EQ(assigned.calls, Calls{"volume start 9"});
    EXPECT_TRUE(player.calls.empty());

    CTqPlayerTimeSliderCtrl orphan(nullptr);  // no owner: nothing to tell
    (orphan.*start)(1);
}
