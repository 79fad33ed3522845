// The drawing helpers on real DCs: the colour button's geometry in every
// state, and inverting cross-hairs and frames that a second drawing erases,
// with the DC's pen, brush and mix mode as they were.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "GraphicsSupport.h"

namespace {

const COLORREF kSwatch = RGB(0, 160, 80);
const COLORREF kBlack = RGB(0, 0, 0);

using Pixels = std::set<std::pair<int, int>>;

COLORREF Inverted(COLORREF color)
{
    return RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color));
}

// The pixels of a horizontal or vertical line from one point towards
// another, the last point left out, as GDI draws a polyline segment.
void AddLine(Pixels& pixels, POINT from, POINT to)
{
    const int dx = to.x > from.x ? 1 : to.x < from.x ? -1 : 0;
    const int dy = to.y > from.y ? 1 : to.y < from.y ? -1 : 0;
    for (POINT p = from; p.x != to.x || p.y != to.y; p.x += dx, p.y += dy)
        pixels.insert({p.x, p.y});
}

// The canvas after inverting pixels an odd number of times each.
std::vector<COLORREF> ExpectInverted(const Canvas& before, const std::vector<Pixels>& lines)
{
    Canvas expected(before.Width(), before.Height());
    for (int y = 0; y < before.Height(); ++y) {
        for (int x = 0; x < before.Width(); ++x) {
            int times = 0;
            for (const Pixels& line : lines)
                times += static_cast<int>(line.count({x, y}));
            expected.SetPixel(x, y, times % 2 ? Inverted(before.Pixel(x, y)) : before.Pixel(x, y));
        }
    }
    return expected.Pixels();
}

void DrawButton(Canvas& canvas, UINT state)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hDC = canvas.Dc();
    item.rcItem = {0, 0, 75, 23};
    TqDrawColorBtn(&item, kSwatch);
}

}  // namespace

TEST(ColorBtn, PlacesSeparatorArrowAndSwatch)
{
    // Not pressed, then pressed: everything moves one pixel right and down.
    for (int shift : {0, 1}) {
        SCOPED_TRACE(shift ? "pressed" : "not pressed");
        Canvas canvas(75, 23);
        canvas.FillPattern();
        DrawButton(canvas, shift ? ODS_SELECTED : 0);
        const auto at = [&](int x, int y) { return canvas.Pixel(x + shift, y + shift); };

        // Swatch (5, 4, 60, 19): a black outline round the colour.
        for (int x = 5; x <= 59; ++x) {
            EXPECT_EQ(at(x, 4), kBlack) << x;
            EXPECT_EQ(at(x, 18), kBlack) << x;
        }
        for (int y = 4; y <= 18; ++y) {
            EXPECT_EQ(at(5, y), kBlack) << y;
            EXPECT_EQ(at(59, y), kBlack) << y;
        }
        for (int y = 5; y <= 17; ++y) {
            for (int x = 6; x <= 58; ++x)
                ASSERT_EQ(at(x, y), kSwatch) << x << "," << y;
        }
        EXPECT_EQ(at(4, 11), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(at(60, 11), GetSysColor(COLOR_BTNFACE));

        // Etched separator at x = 64: shadow, then highlight beside it.
        EXPECT_EQ(at(64, 11), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(at(65, 11), GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(at(64, 2), GetSysColor(COLOR_BTNFACE));

        // Arrow (66, 10), (70, 10), (68, 12), filled black.
        for (const POINT& p : {POINT{66, 10}, POINT{70, 10}, POINT{68, 12}, POINT{68, 11}, POINT{67, 10}})
            EXPECT_EQ(at(p.x, p.y), kBlack) << p.x << "," << p.y;
        for (const POINT& p : {POINT{71, 10}, POINT{68, 13}, POINT{68, 9}, POINT{66, 12}})
            EXPECT_EQ(at(p.x, p.y), GetSysColor(COLOR_BTNFACE)) << p.x << "," << p.y;
    }
}

TEST(ColorBtn, ShowsNoSwatchWhenDisabledAndAFocusRectangleWhenFocused)
{
    Canvas plain(75, 23);
    DrawButton(plain, 0);

    Canvas disabled(75, 23);
    DrawButton(disabled, ODS_DISABLED);
    EXPECT_EQ(disabled.Pixel(30, 11), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(disabled.Pixel(5, 4), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(disabled.Pixel(68, 11), kBlack);  // the arrow stays
    EXPECT_EQ(disabled.Pixel(64, 11), GetSysColor(COLOR_BTNSHADOW));

    // The focus rectangle (2, 2, 73, 21) changes pixels on its outline only.
    Canvas focused(75, 23);
    DrawButton(focused, ODS_FOCUS);
    int changed = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 75; ++x) {
            if (focused.Pixel(x, y) == plain.Pixel(x, y))
                continue;
            ++changed;
            const bool onOutline = (x == 2 || x == 72) ? y >= 2 && y <= 20 : (y == 2 || y == 20) && x >= 2 && x <= 72;
            EXPECT_TRUE(onOutline) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 50);
}

TEST(ColorBtn, PutsBackThePenAndBrush)
{
    Canvas canvas(75, 23);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    SelectObject(canvas.Dc(), pen);
    SelectObject(canvas.Dc(), brush);
    for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED | ODS_FOCUS), static_cast<UINT>(ODS_DISABLED)}) {
        DrawButton(canvas, state);
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), pen) << state;
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush) << state;
    }
    SelectObject(canvas.Dc(), GetStockObject(BLACK_PEN));
    SelectObject(canvas.Dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
    TqDrawColorBtn(nullptr, kSwatch);
}

TEST(CrossHairAndFrame, InvertTheirLinesAndASecondDrawingErasesThem)
{
    struct Case {
        bool frame;
        int x, y, width, height;
    };
    // 5 x 4 at (0, 0): lines at y = 2 and x = 2; the crossing pixel is
    // inverted twice and keeps its colour.
    const Case cases[] = {
        {false, 0, 0, 5, 4}, {false, 1, 1, 4, 3}, {false, 6, 1, -3, 4},
        {true, 1, 1, 4, 3},  {true, 0, 0, 7, 6},  {true, 5, 4, -3, -2},
    };
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.frame ? "frame " : "cross-hair ") << c.x << "," << c.y
                                        << " " << c.width << "x" << c.height);
        Canvas canvas(8, 7);
        canvas.FillPattern();
        const std::vector<COLORREF> before = canvas.Pixels();
        std::vector<Pixels> lines;
        if (c.frame) {
            const POINT corners[] = {{c.x, c.y}, {c.x, c.y + c.height}, {c.x + c.width, c.y + c.height},
                                     {c.x + c.width, c.y}, {c.x, c.y}};
            Pixels outline;
            for (int i = 0; i < 4; ++i)
                AddLine(outline, corners[i], corners[i + 1]);
            lines.push_back(outline);
        } else {
            Pixels horizontal;
            Pixels vertical;
            AddLine(horizontal, {c.x, c.y + c.height / 2}, {c.x + c.width, c.y + c.height / 2});
            AddLine(vertical, {c.x + c.width / 2, c.y}, {c.x + c.width / 2, c.y + c.height});
            lines = {horizontal, vertical};
        }
        const std::vector<COLORREF> expected = ExpectInverted(canvas, lines);

        SetROP2(canvas.Dc(), R2_MASKPEN);
        HGDIOBJ previousPen = GetCurrentObject(canvas.Dc(), OBJ_PEN);
        const auto draw = c.frame ? TqDrawFrame : TqDrawCrossHair;
        draw(canvas.Dc(), pen, c.x, c.y, c.width, c.height);
        EXPECT_EQ(canvas.Pixels(), expected);
        EXPECT_EQ(GetROP2(canvas.Dc()), R2_MASKPEN);
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), previousPen);
        draw(canvas.Dc(), pen, c.x, c.y, c.width, c.height);
        EXPECT_EQ(canvas.Pixels(), before);
    }
    DeleteObject(pen);
}
