// The time slider's binary interface, values and setters, and its layout for
// small and large sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "SliderTestSupport.h"

using namespace slidertest;

namespace {

// The fields after CTqWnd's, in declared order.
struct TimeSliderLayout : CTqTimeSliderCtrl {
    using L = TimeSliderLayout;
    static std::vector<int> NewSlots()
    {
        return {Slot(&L::Create), Slot(&L::OnStartTrack), Slot(&L::OnTracking),
                Slot(&L::OnEndTrack)};
    }
    static std::vector<int> OverriddenSlots()
    {
        return {Slot(&L::OnCreate),      Slot(&L::OnPaint),     Slot(&L::OnEraseBkgnd),
                Slot(&L::OnSize),        Slot(&L::OnLButtonDown), Slot(&L::OnLButtonUp),
                Slot(&L::OnMouseMove),   Slot(&L::OnSetFocus),  Slot(&L::OnKillFocus)};
    }
    std::vector<std::ptrdiff_t> FieldOffsets() const
    {
        const auto offset = [this](const void* field) {
            return static_cast<const char*>(field) -
                   reinterpret_cast<const char*>(static_cast<const CTqWnd*>(this));
        };
        return {offset(&m_bFocusEnabled), offset(&m_bHasValue),   offset(&m_dFps),
                offset(&m_nTextWidth),    offset(&m_bGradated),   offset(&m_bVolumeShape),
                offset(&m_dRangeMin),     offset(&m_dRangeMax),   offset(&m_dPos),
                offset(&m_bTracking),     offset(&m_nTrackOffset), offset(&m_rcTrack),
                offset(&m_rcThumb),       offset(&m_hLightPen),   offset(&m_hShadowPen),
                offset(&m_hWorkBmp),      offset(&m_hBackBmp)};
    }
};

// CTqWnd's own slots for the handlers the time slider overrides.
struct WndSlots : CTqWnd {
    using W = WndSlots;
    static std::vector<int> Handlers()
    {
        return {Slot(&W::OnCreate),      Slot(&W::OnPaint),     Slot(&W::OnEraseBkgnd),
                Slot(&W::OnSize),        Slot(&W::OnLButtonDown), Slot(&W::OnLButtonUp),
                Slot(&W::OnMouseMove),   Slot(&W::OnSetFocus),  Slot(&W::OnKillFocus)};
    }
};

std::vector<int> SlotsFrom(int first, int count)
{
    std::vector<int> slots;
    for (int i = 0; i < count; ++i)
        slots.push_back(first + i);
    return slots;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}

std::string Text(const RECT& r)
{
    return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + "}";
}

}  // namespace

TEST(TimeSliderInterface, VirtualOperationsAndFieldsKeepTheirPlaces)
{
    EXPECT_EQ(TimeSliderLayout::NewSlots(), SlotsFrom(kFirstSlotAfterWnd, 4));
    EXPECT_EQ(TimeSliderLayout::OverriddenSlots(), WndSlots::Handlers());
    EXPECT_EQ(TimeSliderLayout().FieldOffsets(),
              (std::vector<std::ptrdiff_t>{24, 28, 32, 40, 44, 48, 56, 64, 72, 80, 84, 88, 104,
                                           120, 124, 128, 132}));
    EXPECT_EQ(sizeof(CTqTimeSliderCtrl), 136u);
}

TEST(TimeSliderValues, DefaultsBeforeAnyWindow)
{
    const CTqTimeSliderCtrl slider;
    EXPECT_EQ(slider.GetRangeMin(), 0.0);
    EXPECT_EQ(slider.GetRangeMax(), 100.0);
    EXPECT_EQ(slider.GetPos(), 50.0);
    EXPECT_EQ(slider.GetFps(), 1.0);
    EXPECT_EQ(slider.IsRangeValid(), 1);
    EXPECT_EQ(slider.HasValue(), 0);
    EXPECT_EQ(slider.IsGradated(), 0);
    EXPECT_EQ(slider.IsFocusEnabled(), 1);
}

TEST(TimeSliderValues, SetFpsRefusesUnchangedAndNonPositiveRates)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double fps;
        int result;
        double after;
    };
    const Case cases[] = {{1.0, 0, 1.0},  {0.0, 0, 1.0},   {-1.0, 0, 1.0}, {nan, 0, 1.0},
                          {-inf, 0, 1.0}, {25.0, 1, 25.0}, {25.0, 0, 25.0}, {29.97, 1, 29.97}};
    CTqTimeSliderCtrl slider;
    for (const Case& c : cases) {
        EXPECT_EQ(slider.SetFps(c.fps, 1), c.result) << c.fps;
        EXPECT_EQ(slider.GetFps(), c.after) << c.fps;
    }
}

TEST(TimeSliderValues, SettersStoreUnclampedValuesWithoutNotifying)
{
    SliderHost host;
    ASSERT_EQ(host.CreateTop(), 1);
    ProbeTimeSlider slider;
    ASSERT_EQ(slider.CreateIn(host, 212, 24), 1);

    slider.SetRange(10, 20, 1);
    slider.SetPos(-5, 1);
    EXPECT_EQ(slider.GetPos(), -5.0);
    slider.SetPos(1e9, 0);
    EXPECT_EQ(slider.GetPos(), 1e9);
    const RECT atTheEnd = slider.Thumb();
    // With an invalid range the thumb stays where it was, even through a layout.
    slider.SetRangeMin(30, 1);
    EXPECT_EQ(slider.GetRangeMin(), 30.0);
    EXPECT_EQ(slider.IsRangeValid(), 0);
    slider.SetPos(0, 1);
    MoveWindow(slider.GetHwnd(), 0, 0, 300, 30, TRUE);
    EXPECT_TRUE(SameRect(slider.Thumb(), atTheEnd)) << Text(slider.Thumb());
    slider.SetRangeMax(30.5, 0);
    EXPECT_EQ(slider.GetRangeMax(), 30.5);
    EXPECT_EQ(slider.IsRangeValid(), 1);
    slider.SetRange(std::numeric_limits<double>::quiet_NaN(), 100, 1);
    EXPECT_EQ(slider.IsRangeValid(), 0);
    EXPECT_TRUE(slider.calls.empty());
    host.Destroy();
}

TEST(TimeSliderValues, PositionFromMouseX)
{
    SliderHost host;
    ASSERT_EQ(host.CreateTop(), 1);
    ProbeTimeSlider slider;
    ASSERT_EQ(slider.CreateIn(host, 212, 24), 1);  // track 10..202: x 16..196 spans the range
    slider.SetRange(0, 100, 0);
    struct Case {
        long x;
        double pos;
    };
    const Case cases[] = {{-50, 0.0},  {16, 0.0},   {17, 100.0 / 180}, {25, 5.0},
                          {106, 50.0}, {195, 100.0 * 179 / 180}, {196, 100.0}, {5000, 100.0}};
    for (const Case& c : cases) {
        double pos = -1;
        EXPECT_EQ(slider.PosAt(pos, c.x), 1);
        EXPECT_DOUBLE_EQ(pos, c.pos) << c.x;
    }
    slider.SetRange(5, 5, 0);
    double untouched = -1;
    EXPECT_EQ(slider.PosAt(untouched, 100), 0);
    EXPECT_EQ(untouched, -1.0);
    host.Destroy();
}

// Groove and read-out for sizes from nothing to large, with the edge metrics
// of this platform (2 pixels).
TEST(TimeSliderLayoutTest, TrackMarginsAndReadOutStrip)
{
    ASSERT_EQ(GetSystemMetrics(SM_CYEDGE), 2);
    SliderHost host;
    ASSERT_EQ(host.CreateTop(1300, 120), 1);
    ProbeTimeSlider probe;
    ASSERT_EQ(probe.CreateIn(host, 10, 10, 1), 1);
    const int text = probe.TextWidth();
    probe.Destroy();

    struct Case {
        int hasValue, cx, cy;
        RECT track;
    };
    const Case cases[] = {
        {0, 212, 24, {10, 10, 202, 14}},  // margin (24 - 4) / 2, groove 4 high
        {0, 100, 11, {4, 4, 96, 8}},      // below 6 edges: margin 2 edges
        {0, 100, 12, {4, 4, 96, 8}},
        {0, 100, 13, {4, 4, 96, 9}},
        {0, 100, 40, {18, 18, 82, 22}},
        {0, 31, 24, {10, 10, 22, 14}},    // narrower than needed: a 12-pixel track
        {0, 0, 0, {4, 4, 16, 8}},
        {0, 1, 1, {4, 4, 16, 8}},
        {0, 1200, 60, {28, 28, 1172, 32}},
        {1, 300, 24, {10, 10, 300 - text, 14}},
        {1, text + 22, 24, {10, 10, 22, 14}},  // just the needed width
        {1, text + 21, 24, {10, 10, 22, 14}},
        {1, 1200, 60, {28, 28, 1200 - text, 32}},
    };
    for (const Case& c : cases) {
        ProbeTimeSlider slider;
        ASSERT_EQ(slider.CreateIn(host, c.cx, c.cy, c.hasValue), 1);
        EXPECT_TRUE(SameRect(slider.Track(), c.track))
            << c.cx << "x" << c.cy << " read-out " << c.hasValue << ": " << Text(slider.Track());
        const RECT thumb = slider.Thumb();
        EXPECT_EQ(thumb.top, 0);
        EXPECT_EQ(thumb.bottom, c.cy);
        EXPECT_EQ(thumb.right - thumb.left, 12);
        slider.Destroy();
    }
    host.Destroy();
}

TEST(TimeSliderLayoutTest, ReadOutWidthIsTheSampleTextInTheGuiFont)
{
    SliderHost host;
    ASSERT_EQ(host.CreateTop(), 1);
    ProbeTimeSlider slider;
    ASSERT_EQ(slider.CreateIn(host, 300, 24, 1), 1);
    const tq::WindowDC dc(slider.GetHwnd());
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE sample = {};
    GetTextExtentPoint32A(dc, " 00:00 / 00:00 ", 15, &sample);
    EXPECT_GT(sample.cx, 15);
    EXPECT_EQ(slider.TextWidth(), sample.cx + 2 * GetSystemMetrics(SM_CXEDGE));
    host.Destroy();
}

TEST(TimeSliderLayoutTest, OnlyRestoredAndMaximizedSizesLayOut)
{
    SliderHost host;
    ASSERT_EQ(host.CreateTop(), 1);
    ProbeTimeSlider slider;
    ASSERT_EQ(slider.CreateIn(host, 212, 24), 1);
    const RECT laidOut = slider.Track();
    for (WPARAM type : {SIZE_MINIMIZED, SIZE_MAXSHOW, SIZE_MAXHIDE}) {
        SendMessageA(slider.GetHwnd(), WM_SIZE, type, MAKELPARAM(50, 10));
        EXPECT_TRUE(SameRect(slider.Track(), laidOut)) << type << ": " << Text(slider.Track());
    }
    SendMessageA(slider.GetHwnd(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(100, 40));
    EXPECT_TRUE(SameRect(slider.Track(), RECT{18, 18, 82, 22})) << Text(slider.Track());
    host.Destroy();
}

TEST(TimeSliderLayoutTest, CreateFailsCleanlyWithoutAParent)
{
    ProbeTimeSlider slider;
    EXPECT_EQ(slider.Create(WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, nullptr, 102, 0), 0);
    EXPECT_EQ(slider.GetHwnd(), nullptr);
    EXPECT_EQ(slider.WorkBmp(), nullptr);
}
