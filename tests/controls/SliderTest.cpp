// The trackbar wrapper and its wedge against the real common controls; the
// time slider's values, layout, drags and painting, read back from its window.
#include <algorithm>
#include <limits>

#include "ControlsSupport.h"

using namespace ctl;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A wedge with corners c (bottom left, bottom right, top right): light edges
// ending on the corners, the face inside, a dark slanted edge crossing column
// mid and nothing above it; outside(y) is the background of row y.
void ExpectWedge(const Picture& p, const POINT c[3], int mid,
                 const std::function<COLORREF(int)>& outside)
{
    const int bottom = c[1].y, right = c[1].x, top = c[2].y, side = (bottom + top) / 2;
    const int slant = c[0].y + (top - c[0].y) * (mid - c[0].x) / (right - c[0].x);
    const int above = std::max(slant - 6, 0);
    EXPECT_EQ(Pixels({p.At(mid, bottom), p.At((c[0].x + mid) / 2, bottom), p.At(right, side),
                      p.At(right, top), p.At(mid, bottom + 1), p.At(right + 1, side),
                      p.At(right, top - 2), p.At(mid, above), p.At(mid, bottom - 2)}),
              Pixels({Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNHIGHLIGHT),
                      Sys(COLOR_BTNHIGHLIGHT), outside(bottom + 1), outside(side), outside(top - 2),
                      outside(above), Sys(COLOR_BTNFACE)}));
    const Pixels column = p.Crop({mid, slant - 2, mid + 1, slant + 3});
    EXPECT_NE(std::find(column.begin(), column.end(), Sys(COLOR_BTNSHADOW)), column.end());
}

}  // namespace

// The range cut to 16 bits as the platform's trackbar reads it back, the
// position, the page size; a custom-drawn wedge instead of the channel only
// under a parent that passes the notifications on.
TEST_F(ControlTest, TrackbarAndVolumeSlider)
{
    const unsigned long style = WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS;
    CTqVolumeSliderCtrl slider, ignored;  // a trackbar wrapper, custom drawn through host
    host.customDrawn = &slider;
    ASSERT_EQ(slider.Create(0, style, 0, 0, 200, 40, &host, 5), 1);
    ASSERT_EQ(ignored.Create(0, style, 0, 50, 200, 40, &host, 8), 1);
    EXPECT_EQ(Longs({slider.SetPageSize(7), slider.SetPageSize(3),
                     SendMessageA(slider.GetHwnd(), TBM_GETPAGESIZE, 0, 0)}),
              Longs({20, 7, 3}));  // 20: the trackbar's default for 0-100
    const int cases[][6] = {{0, 100, 30, 0, 100, 30},      {0, 70000, 5000, 0, 4464, 4464},
                            {65537, 70000, 2, 1, 4464, 2}, {-65536, 131372, 250, 0, 300, 250}};
    for (const auto& c : cases) {
        slider.SetRange(c[0], c[1], 1);
        slider.SetPos(c[2], 1);
        EXPECT_EQ(Longs({SendMessageA(slider.GetHwnd(), TBM_GETRANGEMIN, 0, 0),
                         SendMessageA(slider.GetHwnd(), TBM_GETRANGEMAX, 0, 0), slider.GetPos()}),
                  Longs({c[3], c[4], c[5]}))  // min, max, pos as read back
            << c[0] << " " << c[1];
    }

    // The real trackbar asks about each item it draws: the wedge replaces the
    // channel and the rest stays the trackbar's.
    host.drawCalls.clear();
    const Picture wedge = Paint(slider.GetHwnd()), plain = Paint(ignored.GetHwnd());
    for (const Host::DrawCall& call : host.drawCalls) {
        const bool prePaint = call.stage == CDDS_PREPAINT;
        const bool channel = call.stage == CDDS_ITEMPREPAINT && call.item == TBCD_CHANNEL;
        const LRESULT result = prePaint ? CDRF_NOTIFYITEMDRAW : channel ? CDRF_SKIPDEFAULT : 0;
        EXPECT_EQ(Longs({call.handled, call.result}), Longs({prePaint || channel, result}))
            << call.stage << "/" << call.item;
    }
    LRESULT result = -7;
    NMHDR header = {};
    EXPECT_EQ(Longs({slider.CustomDraw(nullptr, &result), slider.CustomDraw(&header, nullptr),
                     result}),
              Longs({0, 0, -7}));
    RECT channel = {}, client = {};
    SendMessageA(slider.GetHwnd(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    slider.GetClientRect(&client);
    const int bottom = (channel.bottom + client.bottom) / 2;
    const POINT corners[3] = {{channel.left, bottom}, {channel.right - 1, bottom},
                              {channel.right - 1, (channel.top + client.top) / 2}};
    const int mid = (corners[0].x + corners[1].x) / 2 + 40;
    ExpectWedge(wedge, corners, mid, [](int) { return Sys(COLOR_BTNFACE); });
    EXPECT_NE(plain.At(mid, bottom), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_NE(plain.At(corners[1].x, (bottom + corners[2].y) / 2), Sys(COLOR_BTNHIGHLIGHT));
    slider.Destroy();
    ignored.Destroy();
}

// Defaults; SetFps refuses unchanged, non-positive and NaN rates; positions
// are stored unclamped; no setter reports a drag.
TEST_F(ControlTest, TimeSliderValues)
{
    Slider slider;
    EXPECT_EQ(std::vector<double>({slider.GetRangeMin(), slider.GetRangeMax(), slider.GetPos(),
                                   slider.GetFps()}),
              std::vector<double>({0, 100, 50, 1}));
    const double rates[][2] = {{1, 1}, {0, 1}, {-1, 1}, {kNaN, 1}, {29.97, 29.97}};  // set, read
    for (const auto& rate : rates) {
        const double before = slider.GetFps();
        EXPECT_EQ(slider.SetFps(rate[0], 0), rate[1] != before) << rate[0];
        EXPECT_EQ(slider.GetFps(), rate[1]) << rate[0];
    }
    ASSERT_EQ(slider.Open(host, 212, 24), 1);
    slider.SetRange(10, 20, 1);
    slider.SetPos(1e9, 0);
    EXPECT_EQ(std::vector<double>({slider.GetPos(), 1.0 * slider.Thumb().left}),
              std::vector<double>({1e9, 190}));
    slider.SetRangeMin(30, 1);
    EXPECT_EQ(std::vector<double>({slider.GetRangeMin(), 1.0 * slider.IsRangeValid()}),
              std::vector<double>({30, 0}));
    slider.SetRangeMax(30.5, 0);
    EXPECT_EQ(std::vector<double>({slider.GetRangeMax(), 1.0 * slider.IsRangeValid()}),
              std::vector<double>({30.5, 1}));
    slider.SetRange(kNaN, 100, 1);
    EXPECT_EQ(slider.IsRangeValid(), 0);
    EXPECT_TRUE(slider.calls.empty());
    slider.Destroy();
}

// Groove and read-out for sizes from nothing to large, with this platform's
// 2-pixel edges and the read-out sample measured here; only restored and
// maximised sizes lay out.
TEST_F(ControlTest, TimeSliderLayout)
{
    ASSERT_EQ(GetSystemMetrics(SM_CYEDGE), 2);
    SIZE sample = {};
    const tq::WindowDC screen(nullptr);
    SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32A(screen, " 00:00 / 00:00 ", 15, &sample);
    const LONG text = sample.cx + 2 * GetSystemMetrics(SM_CXEDGE);
    struct Case { int hasValue, cx, cy; Longs track; };
    const Case cases[] = {
        {0, 212, 24, {10, 10, 202, 14}},  // margin (24 - 4) / 2, groove 4 high
        {0, 100, 11, {4, 4, 96, 8}},      // below 6 edges: margin 2 edges
        {0, 100, 13, {4, 4, 96, 9}},       {0, 100, 40, {18, 18, 82, 22}},
        {0, 31, 24, {10, 10, 22, 14}},  // a 12-pixel track
        {0, 0, 0, {4, 4, 16, 8}},          {1, 1200, 60, {28, 28, 1200 - text, 32}},
        {1, text + 22, 24, {10, 10, 22, 14}},  // just the needed width
        {1, text + 21, 24, {10, 10, 22, 14}},
    };
    for (const Case& c : cases) {
        Slider slider;
        ASSERT_EQ(slider.Open(host, c.cx, c.cy, c.hasValue), 1);
        const RECT thumb = slider.Thumb(), readOut = slider.ReadOutBox();
        EXPECT_EQ(slider.Track(), c.track) << c.cx << "x" << c.cy;
        EXPECT_EQ(Longs({thumb.top, thumb.bottom, thumb.right - thumb.left,
                         readOut.right - readOut.left}),
                  Longs({0, c.cy, 12, text}))
            << c.cx << "x" << c.cy;
        slider.Destroy();
    }
    Slider slider;
    ASSERT_EQ(slider.Open(host, 212, 24), 1);
    for (WPARAM type : {SIZE_MINIMIZED, SIZE_MAXSHOW, SIZE_MAXHIDE, SIZE_MAXIMIZED}) {
        SendMessageA(slider.GetHwnd(), WM_SIZE, type, MAKELPARAM(100, 40));
        EXPECT_EQ(slider.Track(), cases[type == SIZE_MAXIMIZED ? 3 : 0].track) << type;
    }
    slider.Destroy();
}

// Drags by window messages (the last by real input) on a 212-pixel slider:
// track 10..202, so with the range 0-180 the position under x is x - 16
// between 16 and 196. Each case starts at position 50; a press beside the
// thumb makes it jump there.
TEST_F(ControlTest, TimeSliderDragsReportEveryChangeInOrder)
{
    Slider slider;
    ASSERT_EQ(slider.Open(host, 212, 24, 0, 0, 0, 20, 30), 1);
    const HWND window = slider.GetHwnd();
    const UINT down = WM_LBUTTONDOWN, move = WM_MOUSEMOVE, up = WM_LBUTTONUP;
    struct Case {
        double max;
        int focusEnabled;
        std::vector<std::pair<UINT, int>> steps;
        Calls calls;
        double pos;
        int thumbLeft;  // after the press; -1: not checked
        bool real = false;  // by real input at screen coordinates
    };
    const Case cases[] = {
        // No report without a change; left and right of the track exactly
        // min and max; nothing once released.
        {180, 1, {{down, 100}, {move, 120}, {move, 120}, {move, -30}, {move, -80}, {move, 500},
                  {up, 500}, {move, 60}, {up, 60}},
         {"start 84", "tracking 104", "tracking 0", "tracking 180", "end 180"}, 180, 94},
        // Grabbed 4 pixels left of the thumb's centre (66): no jump.
        {180, 1, {{down, 62}, {move, 70}, {up, 70}}, {"start 50", "tracking 58", "end 58"}, 58, 60},
        {100, 1, {{down, 26}, {up, 26}}, {"start 5.55556", "end 5.55556"}, 1000.0 / 180, -1},
        {180, 0, {{down, 100}, {up, 100}}, {"start 84", "end 84"}, 84, 94},
        {0, 1, {{down, 100}, {move, 150}, {up, 150}}, {}, 50, -1},  // invalid range: focus only
        {180, 1, {{down, 100}, {move, 140}, {up, 140}}, {"start 84", "tracking 124", "end 124"}, 124,
         94, true},
    };
    for (const Case& c : cases) {
        slider.SetRange(0, c.max, 1);
        slider.SetPos(50, 1);
        slider.IsFocusEnabled() = c.focusEnabled;
        slider.calls.clear();
        SetFocus(host.GetHwnd());
        Mouse(window, c.steps[0].first, c.steps[0].second, 12, c.real);
        EXPECT_EQ(Longs({GetCapture() == window, c.thumbLeft < 0 ? -1 : slider.Thumb().left}),
                  Longs({c.max > 0, c.thumbLeft}))
            << c.max;
        for (size_t i = 1; i < c.steps.size(); ++i)
            Mouse(window, c.steps[i].first, c.steps[i].second, 12, c.real);
        EXPECT_EQ(slider.calls, c.calls) << c.max;
        EXPECT_DOUBLE_EQ(slider.GetPos(), c.pos) << c.max;
        EXPECT_EQ(Longs({GetFocus() == window, GetCapture() != nullptr}), Longs({c.focusEnabled, 0}))
            << c.max;
    }
    slider.Destroy();
}

// The plain slider: the sunken groove (dark outside top and left, light
// bottom and right) and the push-button thumb (light left and top, darkest
// right and bottom) at the place of positions below, inside and above the
// range; no thumb for an invalid range.
TEST_F(ControlTest, TimeSliderThumbGrooveAndEdges)
{
    Slider slider;
    ASSERT_EQ(slider.Open(host, 212, 24), 1);
    const COLORREF face = Sys(COLOR_BTNFACE), light = Sys(COLOR_BTNHIGHLIGHT), dark = Sys(COLOR_3DDKSHADOW);
    const std::pair<double, int> cases[] = {{-5, 10},   {33.3, 69}, {50, 100},
                                            {150, 190}, {kNaN, 10}, {-1, -1}};  // pos, thumb
    for (const auto& c : cases) {
        slider.SetRange(0, c.second < 0 ? -30 : 100, 1);
        slider.SetPos(c.first, 1);
        const Picture p = Paint(slider.GetHwnd());
        const int t = c.second;
        EXPECT_EQ(Pixels({p.At(150, 10), p.At(150, 11), p.At(150, 13), p.At(150, 9), p.At(201, 12)}),
                  Pixels({Sys(COLOR_BTNSHADOW), dark, light, face, t == 190 ? dark : light}))
            << c.first;
        if (t < 0)
            EXPECT_EQ(p.Crop({0, 5, 212, 6}), Pixels(212, face));
        else
            EXPECT_EQ(Pixels({p.At(t - 1, 5), p.At(t, 5), p.At(t + 5, 0), p.At(t + 11, 5), p.At(t + 5, 23),
                              p.At(t + 12, 5)}),
                      Pixels({face, light, light, dark, dark, face}))
                << c.first;
    }
    slider.Destroy();
}

TEST_F(ControlTest, TimeSliderGradientAndWedge)
{
    // 212 x 40: from the highlight down to exactly the face colour at row 20,
    // then to the shadow; an etched edge on the left only.
    Slider slider, wedge;
    ASSERT_EQ(slider.Open(host, 212, 40, 0, 1), 1);
    slider.SetPos(0, 1);
    Picture p = Paint(slider.GetHwnd());
    slider.Destroy();
    EXPECT_EQ(Pixels({p.At(205, 0), p.At(205, 20)}),
              Pixels({Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNFACE)}));
    EXPECT_NE(p.At(205, 39), Sys(COLOR_BTNFACE));
    EXPECT_TRUE(NotDarker(p.At(205, 39), Sys(COLOR_BTNSHADOW)));
    for (int y = 0; y < 40; ++y) {
        EXPECT_EQ(Pixels({p.At(0, y), p.At(1, y), p.At(2, y), p.At(211, y)}),
                  Pixels({Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT), p.At(205, y),
                          p.At(205, y)}))
            << y;
    }
    // The wedge over the gradient, from (10,19) over (202,19) to (202,5).
    ASSERT_EQ(wedge.Open(host, 212, 24, 0, 1, 1), 1);
    wedge.SetPos(0, 1);
    p = Paint(wedge.GetHwnd());
    wedge.Destroy();
    const POINT corners[3] = {{10, 19}, {202, 19}, {202, 5}};
    ExpectWedge(p, corners, 150, [&](int y) { return p.At(208, y); });
}

// The read-out against the text stated here drawn by DrawTextA in the same
// font, colour and rectangle.
TEST_F(ControlTest, TimeSliderReadOut)
{
    struct Case { double fps, min, max, pos; const char* text; int enabled; };
    const Case cases[] = {
        {1, 0, 100, 50, "00:50 / 01:40", 1},  // a new slider
        {25, 0, 1500, 750, "00:30 / 01:00", 1},
        {1, 0, 6000, 50, "00:50 / 100:00", 1},
        {2, 0, 239.9, 239.9, "01:59 / 01:59", 1},   // whole seconds, truncated
        {1, 100, 50, 50, "00:-50 / 00:-50", 1},     // invalid range, counted from its start
        {1, 0, 1e300, 0, "00:00 / 35791394:07", 1}, // saturates at the largest int
        {1, 0, 100, kNaN, "00:00 / 01:40", 1},
        {1, 0, 100, 50, "00:50 / 01:40", 0},  // disabled: grey
    };
    for (const Case& c : cases) {
        Slider slider;
        ASSERT_EQ(slider.Open(host, 300, 24, 1), 1);
        slider.SetFps(c.fps, 1);
        slider.SetRange(c.min, c.max, 1);
        slider.SetPos(c.pos, 1);
        slider.EnableWindow(c.enabled);
        RECT box = slider.ReadOutBox();
        const Picture shown = Paint(slider.GetHwnd()).Crop(box);
        slider.Destroy();
        const int colour = c.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
        const Canvas expected(300, 24, Sys(COLOR_BTNFACE));
        SelectObject(expected.Dc(), GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(expected.Dc(), TRANSPARENT);
        SetTextColor(expected.Dc(), GetSysColor(colour));
        DrawTextA(expected.Dc(), c.text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_PATH_ELLIPSIS);
        EXPECT_EQ(shown, expected.Pixels().Crop(box)) << c.text;
        EXPECT_GT(std::count(shown.begin(), shown.end(), Sys(colour)), 20) << c.text;
    }
}
