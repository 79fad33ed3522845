// What the time slider paints, read back from its window: thumb, groove,
// gradient, wedge, focus rectangle and the read-out against DrawTextA.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "SliderTestSupport.h"

using namespace slidertest;

namespace {

class TimeSliderPaint : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(host.CreateTop(), 1); }
    void TearDown() override { host.Destroy(); }

    SliderHost host;
    ProbeTimeSlider slider;
};

// The plain slider's picture: face, sunken groove, and a push-button thumb
// where the test says it belongs.
Picture PlainPicture(int width, int height, RECT track, const RECT* thumb)
{
    Canvas canvas(width, height);
    DrawEdge(canvas.Dc(), &track, EDGE_SUNKEN, BF_RECT);
    if (thumb) {
        RECT face = *thumb;
        DrawFrameControl(canvas.Dc(), &face, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    return canvas.Read();
}

// Each channel of a is at least that of b.
bool NotDarker(std::uint32_t a, std::uint32_t b)
{
    for (int shift : {0, 8, 16}) {
        if (((a >> shift) & 0xFF) < ((b >> shift) & 0xFF))
            return false;
    }
    return true;
}

}  // namespace

TEST_F(TimeSliderPaint, ThumbBelowInsideAndAboveTheRange)
{
    ASSERT_EQ(slider.CreateIn(host, 212, 24), 1);
    const RECT track = {10, 10, 202, 14};
    struct Case {
        double pos;
        int thumbLeft;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {{-5, 10},   {0, 10},    {25, 55},  {33.3, 69}, {50, 100},
                          {100, 190}, {150, 190}, {inf, 190}, {nan, 10},  {-inf, 10}};
    for (const Case& c : cases) {
        slider.SetPos(c.pos, 1);
        const Picture painted = slider.Paint();
        const RECT thumb = {c.thumbLeft, 0, c.thumbLeft + 12, 24};
        EXPECT_TRUE(painted == PlainPicture(212, 24, track, &thumb)) << c.pos;
        // Face beside the thumb, its edges on its first and last columns.
        const std::uint32_t face = SysPixel(COLOR_BTNFACE);
        if (c.thumbLeft > 10) {
            EXPECT_EQ(painted.At(c.thumbLeft - 1, 5), face) << c.pos;
        }
        EXPECT_NE(painted.At(c.thumbLeft, 5), face) << c.pos;
        EXPECT_NE(painted.At(c.thumbLeft + 11, 5), face) << c.pos;
        if (c.thumbLeft + 12 < 202) {
            EXPECT_EQ(painted.At(c.thumbLeft + 12, 5), face) << c.pos;
        }
    }
    EXPECT_EQ(slider.GetPos(), -inf);
}

TEST_F(TimeSliderPaint, SunkenGrooveAndRaisedThumbEdges)
{
    ASSERT_EQ(slider.CreateIn(host, 212, 24), 1);
    slider.SetPos(0, 1);
    const Picture painted = slider.Paint();
    // Groove 10..202 x 10..14: dark outside top and left, light bottom and right.
    EXPECT_EQ(painted.At(100, 10), SysPixel(COLOR_BTNSHADOW));
    EXPECT_EQ(painted.At(100, 11), SysPixel(COLOR_3DDKSHADOW));
    EXPECT_EQ(painted.At(100, 13), SysPixel(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(painted.At(201, 12), SysPixel(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(painted.At(100, 9), SysPixel(COLOR_BTNFACE));
    EXPECT_EQ(painted.At(100, 14), SysPixel(COLOR_BTNFACE));
    // Thumb 10..22: light left and top, darkest right and bottom.
    EXPECT_EQ(painted.At(10, 5), SysPixel(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(painted.At(15, 0), SysPixel(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(painted.At(21, 5), SysPixel(COLOR_3DDKSHADOW));
    EXPECT_EQ(painted.At(15, 23), SysPixel(COLOR_3DDKSHADOW));
    EXPECT_EQ(painted.At(16, 12), SysPixel(COLOR_BTNFACE));
}

TEST_F(TimeSliderPaint, NoThumbWithAnInvalidRange)
{
    ASSERT_EQ(slider.CreateIn(host, 212, 24), 1);
    slider.SetRange(50, 20, 1);
    EXPECT_TRUE(slider.Paint() == PlainPicture(212, 24, {10, 10, 202, 14}, nullptr));
}

TEST_F(TimeSliderPaint, GradientRowsMidLineAndEtchedLeftEdge)
{
    ASSERT_EQ(slider.CreateIn(host, 212, 40, 0, 1), 1);  // track 18..194 x 18..22
    slider.SetPos(0, 1);
    const Picture painted = slider.Paint();
    const int column = 205;
    EXPECT_EQ(painted.At(column, 0), SysPixel(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(painted.At(column, 20), SysPixel(COLOR_BTNFACE));
    for (int y = 1; y < 40; ++y)
        EXPECT_TRUE(NotDarker(painted.At(column, y - 1), painted.At(column, y))) << y;
    EXPECT_NE(painted.At(column, 39), SysPixel(COLOR_BTNFACE));
    EXPECT_TRUE(NotDarker(painted.At(column, 39), SysPixel(COLOR_BTNSHADOW)));
    for (int y : {0, 10, 30, 39}) {
        EXPECT_EQ(painted.At(0, y), SysPixel(COLOR_BTNSHADOW)) << y;
        EXPECT_EQ(painted.At(1, y), SysPixel(COLOR_BTNHIGHLIGHT)) << y;
        // Even rows, and no edge but on the left.
        EXPECT_EQ(painted.At(2, y), painted.At(column, y)) << y;
        EXPECT_EQ(painted.At(211, y), painted.At(column, y)) << y;
    }
}

TEST_F(TimeSliderPaint, WedgeTrackOverTheGradient)
{
    // Track 10..202 x 10..14: the wedge runs from (10,19) over (202,19) to (202,5).
    ASSERT_EQ(slider.CreateIn(host, 212, 24, 0, 1, 1), 1);
    slider.SetPos(0, 1);
    const Picture painted = slider.Paint();
    const std::uint32_t light = SysPixel(COLOR_BTNHIGHLIGHT);
    const std::uint32_t shadow = SysPixel(COLOR_BTNSHADOW);
    const std::uint32_t face = SysPixel(COLOR_BTNFACE);
    // The light edges end on the corners, the right one on the track's end.
    EXPECT_EQ(painted.At(150, 19), light);
    EXPECT_EQ(painted.At(60, 19), light);
    EXPECT_EQ(painted.At(150, 20), painted.At(208, 20));
    EXPECT_EQ(painted.At(202, 12), light);
    EXPECT_EQ(painted.At(202, 5), light);
    EXPECT_EQ(painted.At(203, 12), painted.At(208, 12));
    EXPECT_EQ(painted.At(202, 3), painted.At(208, 3));
    // The slanted edge crosses column 150 near y = 8.8: dark there, the face
    // below it inside the wedge, the gradient above it.
    const auto column = painted.Crop({150, 6, 151, 12}).pixels;
    EXPECT_NE(std::find(column.begin(), column.end(), shadow), column.end());
    for (int y = 12; y <= 17; ++y)
        EXPECT_EQ(painted.At(150, y), face) << y;
    EXPECT_EQ(painted.At(150, 3), painted.At(208, 3));
    EXPECT_NE(painted.At(150, 3), face);
    EXPECT_NE(painted.At(150, 16), painted.At(208, 16));  // outside the wedge: gradient
}

TEST_F(TimeSliderPaint, FocusRectangleComesAndGoes)
{
    ASSERT_EQ(slider.CreateIn(host, 212, 24), 1);
    SetFocus(host.GetHwnd());
    const Picture unfocused = slider.Paint();
    SetFocus(slider.GetHwnd());
    const Picture focused = slider.Paint();
    int top = 0, bottom = 0, left = 0, right = 0, inside = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 212; ++x) {
            if (focused.At(x, y) == unfocused.At(x, y))
                continue;
            top += y == 0;
            bottom += y == 23;
            left += x == 0;
            right += x == 211;
            inside += x > 0 && x < 211 && y > 0 && y < 23;
        }
    }
    EXPECT_GT(top, 50);
    EXPECT_GT(bottom, 50);
    EXPECT_GT(left, 5);
    EXPECT_GT(right, 5);
    EXPECT_EQ(inside, 0);
    SetFocus(host.GetHwnd());
    EXPECT_TRUE(slider.Paint() == unfocused);
}

// The read-out compared with the same text drawn by DrawTextA in the same
// font, colour and rectangle.
TEST_F(TimeSliderPaint, ReadOutShowsElapsedAndLengthAsMinutesAndSeconds)
{
    struct Case {
        double fps, min, max, pos;
        const char* text;
    };
    const Case cases[] = {
        {1, 0, 100, 50, "00:50 / 01:40"},  // a new slider
        {25, 0, 1500, 750, "00:30 / 01:00"},
        {25, 250, 1750, 1000, "00:30 / 01:00"},  // counted from the range start
        {1, 0, 6000, 50, "00:50 / 100:00"},
        {2, 0, 239.9, 239.9, "01:59 / 01:59"},  // whole seconds, truncated
        {1, 0, 100, 130, "02:10 / 01:40"},      // beyond the range, unclamped
        {1, 100, 50, 50, "00:-50 / 00:-50"},    // invalid range: still computed
        {1, 0, 1e300, 0, "00:00 / 35791394:07"},  // saturates at the largest int
        {1, 0, 100, std::numeric_limits<double>::quiet_NaN(), "00:00 / 01:40"},
    };
    for (const Case& c : cases) {
        ProbeTimeSlider probe;
        ASSERT_EQ(probe.CreateIn(host, 300, 24, 1), 1);
        probe.SetFps(c.fps, 1);
        probe.SetRange(c.min, c.max, 1);
        probe.SetPos(c.pos, 1);
        const RECT box = probe.ReadOutBox();
        const Picture shown = probe.Paint().Crop(box);

        Canvas expected(300, 24), other(300, 24);
        expected.DrawReadOut(c.text, box, GetSysColor(COLOR_BTNTEXT));
        other.DrawReadOut("00:00 / 00:01", box, GetSysColor(COLOR_BTNTEXT));
        EXPECT_TRUE(shown == expected.Read().Crop(box)) << c.text;
        EXPECT_TRUE(shown != other.Read().Crop(box)) << c.text;
        const auto text = std::count(shown.pixels.begin(), shown.pixels.end(),
                                     SysPixel(COLOR_BTNTEXT));
        EXPECT_GT(text, 20) << c.text;
        probe.Destroy();
    }
}

TEST_F(TimeSliderPaint, DisabledReadOutIsGrey)
{
    ASSERT_EQ(slider.CreateIn(host, 300, 24, 1), 1);
    slider.EnableWindow(0);
    const RECT box = slider.ReadOutBox();
    Canvas expected(300, 24);
    expected.DrawReadOut("00:50 / 01:40", box, GetSysColor(COLOR_GRAYTEXT));
    EXPECT_TRUE(slider.Paint().Crop(box) == expected.Read().Crop(box));
}

TEST_F(TimeSliderPaint, NothingIsPaintedBeforeTheFirstLayoutNorForZeroSizes)
{
    ASSERT_EQ(slider.Create(WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, &host, 102, 0), 1);
    slider.Paint();
    for (SIZE size : {SIZE{1, 1}, SIZE{0, 24}, SIZE{5, 0}, SIZE{3, 3}, SIZE{0, 0}}) {
        slider.MoveWindow(0, 0, size.cx, size.cy, TRUE);
        slider.SetPos(size.cx, 1);
        slider.UpdateWindow();
    }
    slider.HasValue() = 1;
    slider.MoveWindow(0, 0, 4, 4, TRUE);
    const Picture tiny = slider.Paint();
    EXPECT_EQ(tiny.width, 4);
}
