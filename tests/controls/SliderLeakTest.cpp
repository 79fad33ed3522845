// GDI objects of the sliders: painting and resizing leak nothing, and copies
// release what they own exactly once.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "SliderTestSupport.h"

using namespace slidertest;

namespace {

// Far more paints than the room left in the handle table: one object leaked
// per paint or per resize would use it up and stop the painting.
const int kRoom = 2000;
const int kRounds = 3000;
// Objects the platform may still be caching for itself (fonts, brushes).
const int kTolerance = 16;

struct VolumeProbe : CTqVolumeSliderCtrl {
    VolumeProbe() = default;
    HPEN Light() const { return m_hLightPen; }
    HPEN Shadow() const { return m_hShadowPen; }
};

struct CopyProbe : CTqTimeSliderCtrl {
    explicit CopyProbe(const CTqTimeSliderCtrl& other) : CTqTimeSliderCtrl(other) {}
    HPEN Light() const { return m_hLightPen; }
    HBITMAP Back() const { return m_hBackBmp; }
};

Picture BitmapPicture(HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    const tq::WindowDC screen(nullptr);
    const tq::MemoryDC dc(screen);
    const tq::SelectedObject selected(dc, bitmap);
    return CaptureDC(dc, size.bmWidth, size.bmHeight);
}

}  // namespace

TEST(SliderLeaks, TimeSlidersPaintAndResizeWithoutLeaking)
{
    SliderHost host;
    ASSERT_EQ(host.CreateTop(700, 120), 1);
    ProbeTimeSlider groove, wedge;
    ASSERT_EQ(groove.CreateIn(host, 300, 24, 1, 1), 1);
    ASSERT_EQ(wedge.CreateIn(host, 300, 24, 0, 1, 1, 0, 40), 1);
    const Picture grooveBefore = groove.Paint();
    const Picture wedgeBefore = wedge.Paint();
    {
        const GdiHeadroom headroom(kRoom);
        const int before = headroom.FreeSlots();
        for (int i = 0; i < kRounds; ++i) {
            const int width = 280 + i % 40;
            for (ProbeTimeSlider* slider : {&groove, &wedge}) {
                slider->MoveWindow(0, slider == &wedge ? 40 : 0, width, 20 + i % 8, TRUE);
                slider->SetPos(i % 101, 1);
                slider->UpdateWindow();
            }
            if (i % 500 == 0)
                SetFocus(i % 1000 ? groove.GetHwnd() : host.GetHwnd());
        }
        EXPECT_GE(headroom.FreeSlots(), before - kTolerance);
        // Still painting as before, with the table as full as it was.
        SetFocus(host.GetHwnd());
        groove.MoveWindow(0, 0, 300, 24, TRUE);
        groove.SetPos(50, 1);
        wedge.MoveWindow(0, 40, 300, 24, TRUE);
        wedge.SetPos(50, 1);
        EXPECT_TRUE(groove.Paint() == grooveBefore);
        EXPECT_TRUE(wedge.Paint() == wedgeBefore);
    }
    host.Destroy();
}

TEST(SliderLeaks, VolumeSliderPaintsAndResizesWithoutLeaking)
{
    SliderHost host;
    ASSERT_EQ(host.CreateTop(), 1);
    CTqVolumeSliderCtrl slider;
    host.customDrawn = &slider;
    ASSERT_EQ(slider.Create(0, WS_CHILD | WS_VISIBLE | TBS_NOTICKS, 0, 0, 200, 30, &host, 7), 1);
    slider.UpdateWindow();
    const Picture first = CaptureClient(slider.GetHwnd());
    {
        const GdiHeadroom headroom(kRoom);
        const int before = headroom.FreeSlots();
        for (int i = 0; i < kRounds; ++i) {
            slider.MoveWindow(0, 0, 180 + i % 40, 30, TRUE);
            slider.UpdateWindow();
        }
        EXPECT_GE(headroom.FreeSlots(), before - kTolerance);
        slider.MoveWindow(0, 0, 200, 30, TRUE);
        slider.UpdateWindow();
        EXPECT_TRUE(CaptureClient(slider.GetHwnd()) == first);
    }
    EXPECT_GT(host.drawCalls.size(), static_cast<size_t>(kRounds));
    host.Destroy();
}

TEST(SliderLeaks, TimeSliderCopiesOwnDuplicatesOfPensAndBitmaps)
{
    SliderHost host;
    ASSERT_EQ(host.CreateTop(), 1);
    ProbeTimeSlider original;
    ASSERT_EQ(original.CreateIn(host, 212, 24, 0, 1), 1);
    const Picture painted = original.Paint();
    {
        const CopyProbe copy(original);
        EXPECT_EQ(copy.GetHwnd(), original.GetHwnd());
        EXPECT_NE(copy.Light(), original.LightPen());
        EXPECT_NE(copy.Back(), original.BackBmp());
        EXPECT_TRUE(BitmapPicture(copy.Back()) == BitmapPicture(original.BackBmp()));
        EXPECT_EQ(copy.GetPos(), original.GetPos());
    }
    EXPECT_EQ(GetObjectType(original.LightPen()), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(original.BackBmp()), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_TRUE(original.Paint() == painted);

    const GdiHeadroom headroom(kRoom);
    const int before = headroom.FreeSlots();
    CTqTimeSliderCtrl spare;
    for (int i = 0; i < kRounds; ++i) {
        CTqTimeSliderCtrl copy(original);
        spare = copy;
        spare = spare;
    }
    spare = CTqTimeSliderCtrl();  // gives back the bitmaps too
    EXPECT_GE(headroom.FreeSlots(), before - kTolerance);
    EXPECT_TRUE(original.Paint() == painted);
    host.Destroy();
}

TEST(SliderLeaks, VolumeSliderCopiesOwnTheirPens)
{
    const VolumeProbe original;
    LOGPEN light = {};
    ASSERT_NE(GetObjectA(original.Light(), sizeof light, &light), 0);
    EXPECT_EQ(light.lopnColor, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(light.lopnWidth.x, GetSystemMetrics(SM_CXEDGE));
    {
        const VolumeProbe copy(original);
        VolumeProbe assigned;
        const HPEN replaced = assigned.Light();
        assigned = copy;
        EXPECT_EQ(GetObjectType(replaced), 0u);  // deleted
        EXPECT_NE(assigned.Light(), original.Light());
        LOGPEN shadow = {};
        ASSERT_NE(GetObjectA(assigned.Shadow(), sizeof shadow, &shadow), 0);
        EXPECT_EQ(shadow.lopnColor, GetSysColor(COLOR_BTNSHADOW));
        assigned = assigned;
        EXPECT_EQ(GetObjectType(assigned.Light()), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_EQ(GetObjectType(original.Light()), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(original.Shadow()), static_cast<DWORD>(OBJ_PEN));

    const GdiHeadroom headroom(kRoom);
    const int before = headroom.FreeSlots();
    CTqVolumeSliderCtrl spare;
    for (int i = 0; i < kRounds; ++i) {
        const CTqVolumeSliderCtrl copy(original);
        spare = copy;
    }
    EXPECT_GE(headroom.FreeSlots(), before - kTolerance);
}
