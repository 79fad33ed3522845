// The trackbar wrapper against the real common controls, and the wedge
// channel of the volume slider drawn through custom draw.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "SliderTestSupport.h"

using namespace slidertest;

namespace {

struct SliderSlots : CTqSliderCtrl {
    static int CreateSlot() { return Slot(&SliderSlots::Create); }
};
struct WndCustomDraw : CTqWnd {
    static int CustomDrawSlot() { return Slot(&WndCustomDraw::CustomDraw); }
};
struct VolumeFields : CTqVolumeSliderCtrl {
    std::vector<std::ptrdiff_t> Offsets() const
    {
        const auto offset = [this](const void* field) {
            return static_cast<const char*>(field) -
                   reinterpret_cast<const char*>(static_cast<const CTqWnd*>(this));
        };
        return {offset(&m_hLightPen), offset(&m_hShadowPen)};
    }
};

const unsigned long kSliderStyle = WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS;

class Trackbar : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(host.CreateTop(), 1); }
    void TearDown() override { host.Destroy(); }

    // The wedge's corners for the slider's channel, as the trackbar reports it.
    static void Wedge(const CTqSliderCtrl& slider, POINT corners[3])
    {
        RECT channel = {}, client = {};
        SendMessageA(slider.GetHwnd(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        slider.GetClientRect(&client);
        const int bottom = (channel.bottom + client.bottom) / 2;
        corners[0] = {channel.left, bottom};
        corners[1] = {channel.right - 1, bottom};
        corners[2] = {channel.right - 1, (channel.top + client.top) / 2};
    }

    SliderHost host;
};

}  // namespace

TEST(SliderInterface, VirtualOperationsAndFieldsKeepTheirPlaces)
{
    EXPECT_EQ(SliderSlots::CreateSlot(), kFirstSlotAfterWnd);
    EXPECT_EQ(Slot(&CTqVolumeSliderCtrl::CustomDraw), WndCustomDraw::CustomDrawSlot());
    EXPECT_EQ(sizeof(CTqSliderCtrl), sizeof(CTqWnd));
    EXPECT_EQ(VolumeFields().Offsets(), (std::vector<std::ptrdiff_t>{24, 28}));
    EXPECT_EQ(sizeof(CTqVolumeSliderCtrl), 32u);
}

TEST_F(Trackbar, RangeBoundsAreCutTo16Bits)
{
    CTqSliderCtrl slider;
    ASSERT_EQ(slider.Create(0, kSliderStyle, 0, 0, 200, 30, &host, 5), 1);
    char name[64] = {};
    GetClassNameA(slider.GetHwnd(), name, sizeof name);
    EXPECT_STREQ(name, "msctls_trackbar32");
    struct Case {
        int min, max;
        long readMin, readMax;
    };
    const Case cases[] = {{10, 200, 10, 200}, {0, 70000, 0, 4464}, {65537, 70000, 1, 4464},
                          {-65536, 131072 + 300, 0, 300}};
    for (const Case& c : cases) {
        slider.SetRange(c.min, c.max, 1);
        EXPECT_EQ(SendMessageA(slider.GetHwnd(), TBM_GETRANGEMIN, 0, 0), c.readMin) << c.max;
        EXPECT_EQ(SendMessageA(slider.GetHwnd(), TBM_GETRANGEMAX, 0, 0), c.readMax) << c.max;
    }
    host.Destroy();
    EXPECT_EQ(slider.GetPos(), 0);  // no window: what the system answers
}

TEST_F(Trackbar, PageSizeAndPosition)
{
    CTqSliderCtrl slider;
    ASSERT_EQ(slider.Create(0, kSliderStyle, 0, 0, 200, 30, &host, 5), 1);
    EXPECT_EQ(slider.SetPageSize(7), 20);  // the trackbar's default for 0-100
    EXPECT_EQ(slider.SetPageSize(3), 7);
    EXPECT_EQ(SendMessageA(slider.GetHwnd(), TBM_GETPAGESIZE, 0, 0), 3);
    slider.SetPos(30, 1);
    EXPECT_EQ(slider.GetPos(), 30);
    slider.SetPos(500, 1);  // the trackbar keeps it in its range
    EXPECT_EQ(slider.GetPos(), 100);
}

TEST_F(Trackbar, CreateFailsWithoutAParentForAChild)
{
    CTqSliderCtrl slider;
    EXPECT_EQ(slider.Create(0, kSliderStyle, 0, 0, 200, 30, nullptr, 5), 0);
    EXPECT_EQ(slider.GetHwnd(), nullptr);
    EXPECT_EQ(slider.SetPageSize(4), 0);
}

TEST(VolumeSlider, CustomDrawAnswersPerStage)
{
    const DWORD kPreErase = 3, kPostErase = 4, kPostPaint = 2, kItemPostPaint = 0x10002;
    struct Case {
        DWORD stage;
        DWORD_PTR item;
        int handled;
        long result;
    };
    const Case cases[] = {
        {CDDS_PREPAINT, 0, 1, CDRF_NOTIFYITEMDRAW},
        {CDDS_ITEMPREPAINT, TBCD_CHANNEL, 1, CDRF_SKIPDEFAULT},
        {CDDS_ITEMPREPAINT, TBCD_THUMB, 0, -7},
        {CDDS_ITEMPREPAINT, TBCD_TICS, 0, -7},
        {kItemPostPaint, TBCD_CHANNEL, 0, -7},
        {kPreErase, 0, 0, -7},
        {kPostErase, 0, 0, -7},
        {kPostPaint, 0, 0, -7},
    };
    CTqVolumeSliderCtrl slider;
    Canvas canvas(100, 30);
    for (const Case& c : cases) {
        NMCUSTOMDRAW draw = {};
        draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
        draw.dwDrawStage = c.stage;
        draw.dwItemSpec = c.item;
        draw.hdc = canvas.Dc();
        draw.rc = {10, 12, 90, 16};
        long result = -7;
        EXPECT_EQ(slider.CustomDraw(&draw.hdr, &result), c.handled) << c.stage << "/" << c.item;
        EXPECT_EQ(result, c.result) << c.stage << "/" << c.item;
    }
    long result = -7;
    EXPECT_EQ(slider.CustomDraw(nullptr, &result), 0);
    NMCUSTOMDRAW draw = {};
    draw.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(slider.CustomDraw(&draw.hdr, nullptr), 0);
}

TEST_F(Trackbar, TheRealTrackbarAsksForItsPartsAndDrawsOnlyTicsAndThumb)
{
    CTqVolumeSliderCtrl slider;
    host.customDrawn = &slider;
    ASSERT_EQ(slider.Create(0, WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_AUTOTICKS, 0, 0, 200, 40,
                            &host, 7),
              1);
    slider.InvalidateRect(nullptr, TRUE);
    slider.UpdateWindow();
    const auto& calls = host.drawCalls;
    const auto answered = [&](DWORD stage, DWORD_PTR item, long result) {
        return std::any_of(calls.begin(), calls.end(), [&](const SliderHost::DrawCall& call) {
            return call.stage == stage && (stage == CDDS_PREPAINT || call.item == item) &&
                   call.handled && call.result == result;
        });
    };
    EXPECT_TRUE(answered(CDDS_PREPAINT, 0, CDRF_NOTIFYITEMDRAW));
    EXPECT_TRUE(answered(CDDS_ITEMPREPAINT, TBCD_CHANNEL, CDRF_SKIPDEFAULT));
    int askedForThumb = 0;
    for (const auto& call : calls) {
        const bool ours = call.stage == CDDS_PREPAINT ||
                          (call.stage == CDDS_ITEMPREPAINT && call.item == TBCD_CHANNEL);
        EXPECT_EQ(call.handled, ours ? 1 : 0) << call.stage << "/" << call.item;
        askedForThumb += call.stage == CDDS_ITEMPREPAINT && call.item == TBCD_THUMB;
    }
    EXPECT_GT(askedForThumb, 0);
}

TEST_F(Trackbar, WedgeChannelOnlyWhenTheParentPassesCustomDrawOn)
{
    CTqVolumeSliderCtrl forwarded, ignored;
    host.customDrawn = &forwarded;
    ASSERT_EQ(forwarded.Create(0, kSliderStyle, 0, 0, 200, 40, &host, 7), 1);
    ASSERT_EQ(ignored.Create(0, kSliderStyle, 0, 50, 200, 40, &host, 8), 1);
    forwarded.SetPos(0, 1);
    ignored.SetPos(0, 1);
    forwarded.UpdateWindow();
    ignored.UpdateWindow();
    const Picture wedge = CaptureClient(forwarded.GetHwnd());
    const Picture plain = CaptureClient(ignored.GetHwnd());

    POINT p[3];
    Wedge(forwarded, p);
    ASSERT_GT(p[1].x - p[0].x, 100);
    const std::uint32_t light = SysPixel(COLOR_BTNHIGHLIGHT);
    const int mid = (p[0].x + p[1].x) / 2 + 40;
    const std::uint32_t face = SysPixel(COLOR_BTNFACE);
    const int side = (p[1].y + p[2].y) / 2;
    // The light edges end on the corners: the right one on the channel's
    // last column, not beyond it.
    EXPECT_EQ(wedge.At(mid, p[1].y), light);
    EXPECT_EQ(wedge.At(mid, p[1].y + 1), face);
    EXPECT_EQ(wedge.At(p[1].x, side), light);
    EXPECT_EQ(wedge.At(p[1].x + 1, side), face);
    EXPECT_EQ(wedge.At(p[1].x, p[2].y), light);
    EXPECT_EQ(wedge.At(p[1].x, p[2].y - 2), face);
    EXPECT_EQ(wedge.At(mid, p[1].y - 2), face);  // filled inside
    // The slanted edge is dark where it crosses that column.
    const int slant = p[0].y + (p[2].y - p[0].y) * (mid - p[0].x) / (p[1].x - p[0].x);
    const auto column = wedge.Crop({mid, slant - 2, mid + 1, slant + 3}).pixels;
    EXPECT_NE(std::find(column.begin(), column.end(), SysPixel(COLOR_BTNSHADOW)), column.end());

    EXPECT_NE(plain.At(mid, p[1].y), light);
    EXPECT_NE(plain.At(p[1].x, side), light);
    EXPECT_TRUE(wedge != plain);
}
