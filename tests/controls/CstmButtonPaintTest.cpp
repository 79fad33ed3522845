// What the custom button paints, read back from its window: the gradient
// rows and mid line, raised and sunken edges, the system frame, the face
// centred and pushed by one pixel, the checked and disabled faces, the focus
// rectangle.
#include <gtest/gtest.h>

#include <algorithm>

#include "ButtonTestSupport.h"

using namespace buttontest;
using slidertest::Canvas;
using slidertest::SysPixel;

namespace {

class CstmButtonPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(host.CreateTop(), 1);
        SetFocus(host.GetHwnd());
    }
    void TearDown() override { host.Destroy(); }

    // Pressed (captured, cursor inside) or released again without a click.
    // The focus stays with the host: no focus rectangle over the face.
    void Press(int pressed)
    {
        button.IsFocusEnabled() = 0;
        if (pressed) {
            Mouse(button.GetHwnd(), WM_LBUTTONDOWN, 1, 1);
        } else {
            Mouse(button.GetHwnd(), WM_MOUSEMOVE, -100, -100);
            Mouse(button.GetHwnd(), WM_LBUTTONUP, -100, -100);
        }
    }

    ButtonHost host;
    ProbeCstmButton button;
};

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

TEST_F(CstmButtonPaint, GradientRowsAndMidLine)
{
    struct Case {
        int height, mid;
    };
    const Case cases[] = {{21, 10}, {24, 12}, {7, 3}};
    const std::uint32_t face = SysPixel(COLOR_BTNFACE);
    for (const Case& c : cases) {
        ProbeCstmButton bar;
        ASSERT_EQ(bar.Create("", WS_CHILD | WS_VISIBLE, 0, 0, 60, c.height, &host, 5), 1);
        bar.IsGradated() = 1;
        const Picture painted = bar.Paint();
        const int x = 30;
        // The first gradient runs from the highlight down to the row above
        // the middle, the second from exactly the face colour there down to
        // the shadow.
        EXPECT_EQ(painted.At(x, c.mid), face) << c.height;
        EXPECT_NE(painted.At(x, 2), face) << c.height;
        for (int y = 2; y < c.mid; ++y)
            EXPECT_TRUE(NotDarker(painted.At(x, y), face)) << c.height << " " << y;
        EXPECT_NE(painted.At(x, c.mid + 1), face) << c.height;
        for (int y = 3; y < c.height - 2; ++y)
            EXPECT_TRUE(NotDarker(painted.At(x, y - 1), painted.At(x, y))) << c.height << " " << y;
        // Every column alike between the edges.
        for (int y = 2; y < c.height - 2; ++y)
            EXPECT_EQ(painted.At(2, y), painted.At(57, y)) << c.height << " " << y;
        bar.Destroy();
    }
}

TEST_F(CstmButtonPaint, RaisedEdgeAtRestSunkenWhilePressed)
{
    ASSERT_EQ(button.CreateIn(host, 40, 24), 1);
    button.IsGradated() = 1;
    struct Case {
        int pressed;
        int outerTopLeft, innerTopLeft, outerBottomRight, innerBottomRight;
    };
    const Case cases[] = {
        {0, COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW},
        {1, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT},
    };
    for (const Case& c : cases) {
        Press(c.pressed);
        const Picture painted = button.Paint();
        EXPECT_EQ(painted.At(20, 0), SysPixel(c.outerTopLeft)) << c.pressed;
        EXPECT_EQ(painted.At(0, 5), SysPixel(c.outerTopLeft)) << c.pressed;
        EXPECT_EQ(painted.At(20, 1), SysPixel(c.innerTopLeft)) << c.pressed;
        EXPECT_EQ(painted.At(1, 5), SysPixel(c.innerTopLeft)) << c.pressed;
        EXPECT_EQ(painted.At(20, 23), SysPixel(c.outerBottomRight)) << c.pressed;
        EXPECT_EQ(painted.At(39, 5), SysPixel(c.outerBottomRight)) << c.pressed;
        EXPECT_EQ(painted.At(20, 22), SysPixel(c.innerBottomRight)) << c.pressed;
        EXPECT_EQ(painted.At(38, 5), SysPixel(c.innerBottomRight)) << c.pressed;
        EXPECT_EQ(painted.At(2, 12), SysPixel(COLOR_BTNFACE)) << c.pressed;
    }
    Press(0);
    EXPECT_TRUE(host.commands.empty());
}

TEST_F(CstmButtonPaint, SystemFrameWithoutTheGradient)
{
    ASSERT_EQ(button.CreateIn(host, 40, 24), 1);
    for (int pressed : {0, 1}) {
        Press(pressed);
        Canvas expected(40, 24);
        RECT frame = {0, 0, 40, 24};
        DrawFrameControl(expected.Dc(), &frame, DFC_BUTTON,
                         DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        EXPECT_TRUE(button.PaintBare() == expected.Read()) << pressed;
    }
    Press(0);
}

TEST_F(CstmButtonPaint, FaceCentredAndPushedByOnePixel)
{
    const Picture play = BitmapPicture(LoadFace(kPlayFace));
    ASSERT_EQ(play.width, 16);
    struct Case {
        int width, height, x, y;
    };
    // Signed division truncating toward zero: 11 - 16 = -5 gives -2.
    const Case cases[] = {{40, 24, 12, 4}, {23, 23, 3, 3}, {32, 24, 8, 4},
                          {17, 16, 0, 0},  {11, 11, -2, -2}, {33, 25, 8, 4}};
    for (const Case& c : cases) {
        ASSERT_EQ(button.CreateIn(host, c.width, c.height), 1);
        for (int gradated : {0, 1}) {
            button.IsGradated() = gradated;
            for (int pressed : {0, 1}) {
                Press(pressed);
                const Picture shown = Difference(button.Paint(), button.PaintBare());
                EXPECT_TRUE(shown == Placed(play, c.x + pressed, c.y + pressed, c.width,
                                            c.height))
                    << c.width << "x" << c.height << " gradated " << gradated << " pressed "
                    << pressed;
            }
            Press(0);
        }
        RECT placed = {};
        const RECT client = {0, 0, c.width, c.height};
        const tq::WindowDC dc(button.GetHwnd());
        button.Face(dc, client, 1, 0, &placed);
        EXPECT_EQ(placed.left, c.x);
        EXPECT_EQ(placed.top, c.y);
        EXPECT_EQ(placed.right, c.x + 16);
        EXPECT_EQ(placed.bottom, c.y + 16);
    }
}

TEST_F(CstmButtonPaint, CheckedFaceAndMissingFaces)
{
    ASSERT_EQ(button.CreateIn(host, 32, 24), 1);
    button.IsGradated() = 1;
    const Picture pause = BitmapPicture(LoadFace(kPauseFace));
    const Picture play = BitmapPicture(LoadFace(kPlayFace));
    ASSERT_FALSE(pause == play);

    button.SetCheckedBmpID(kPauseFace, kMagenta);
    button.SetChecked(1);
    EXPECT_EQ(button.GetChecked(), 1);
    const Picture bare = button.PaintBare();
    EXPECT_TRUE(Difference(button.Paint(), bare) == Placed(pause, 8, 4, 32, 24));

    button.SetCheckedBmpID(0, kMagenta);  // checked, no checked face: frame only
    EXPECT_TRUE(button.Paint() == bare);
    button.SetChecked(0);
    EXPECT_TRUE(Difference(button.Paint(), bare) == Placed(play, 8, 4, 32, 24));

    for (int missing : {999, 0x10000}) {  // no such resource; id 0 after the cut
        button.SetBmpID(missing, kMagenta);
        EXPECT_TRUE(button.Paint() == bare) << missing;
    }
    // Another transparent colour: the magenta background shows.
    button.SetBmpID(kPlayFace, RGB(0, 0, 0));
    const Picture opaque = Difference(button.Paint(), bare);
    EXPECT_EQ(opaque.At(8, 4), slidertest::Pixel(kMagenta));
    EXPECT_EQ(opaque.At(23, 19), slidertest::Pixel(kMagenta));
}

// The greyed face is decided by the platform's colour-to-monochrome
// conversion: the expected picture is made with the same calls here.
TEST_F(CstmButtonPaint, DisabledFaceIsGreyed)
{
    for (int gradated : {0, 1}) {
        ProbeCstmButton greyed;
        ASSERT_EQ(greyed.CreateIn(host, 32, 24, 101, 50, 0), 1);
        greyed.IsGradated() = gradated;
        const Picture enabled = greyed.Paint();
        greyed.EnableWindow(0);
        const Picture disabled = greyed.Paint();

        // The bare disabled button, then the greyed face on it.
        Canvas expected(32, 24);
        DrawPicture(expected.Dc(), greyed.PaintBare());
        const tq::GdiObject<HBITMAP> face(LoadFace(kPlayFace));
        TqDisabledBlt(expected.Dc(), 8, 4, 16, 16, face, 0, 0);
        EXPECT_TRUE(disabled == expected.Read()) << gradated;
        EXPECT_FALSE(disabled == enabled) << gradated;
        const auto shadow = std::count(disabled.pixels.begin(), disabled.pixels.end(),
                                       SysPixel(COLOR_BTNSHADOW));
        EXPECT_GT(shadow, 40) << gradated;
        greyed.Destroy();
    }
}

TEST_F(CstmButtonPaint, FocusRectangleInsideTheEdgeWhateverFocusEnabledSays)
{
    ASSERT_EQ(button.CreateIn(host, 40, 24), 1);
    button.IsFocusEnabled() = 0;
    const Picture unfocused = button.Paint();
    SetFocus(button.GetHwnd());
    const Picture focused = button.Paint();
    const int cx = GetSystemMetrics(SM_CXEDGE), cy = GetSystemMetrics(SM_CYEDGE);
    int onRectangle = 0, elsewhere = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (focused.At(x, y) == unfocused.At(x, y))
                continue;
            const bool edge = (x == cx || x == 39 - cx) && y >= cy && y <= 23 - cy;
            const bool rim = (y == cy || y == 23 - cy) && x >= cx && x <= 39 - cx;
            (edge || rim ? onRectangle : elsewhere) += 1;
        }
    }
    EXPECT_GT(onRectangle, 30);
    EXPECT_EQ(elsewhere, 0);
    SetFocus(host.GetHwnd());
    EXPECT_TRUE(button.Paint() == unfocused);
}
