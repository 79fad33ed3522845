// Transparent and disabled blitting, CTqTransparentBmp and the drawing
// helpers on real DCs: the pixels that change and those that must not, the
// DC state afterwards, and no GDI object kept by any call.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include "GraphicsSupport.h"
#include "TestWindow.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const Letters kSprite = {"MMRMM", "MRKRM", "RKWKR", "MMBMM"};
const Letters kGlyph = {"WWKWW", "WKDKW", "KBWRK", "WWKWW"};  // dark shapes on pure white
const Picture kUntouched = Image(12, 10, PatternColor);

struct Blit {
    int x, y, width, height, xSrc, ySrc;
};

// The 12 x 10 pattern after a transparent copy of letters with b, stretched
// scale times.
Picture AfterSprite(const Blit& b, char transparent = 'M', int scale = 1, const Letters& letters = kSprite)
{
    return Image(12, 10, [&](int x, int y) {
        const bool inside = x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
        const char source = inside ? letters[b.ySrc + (y - b.y) / scale][b.xSrc + (x - b.x) / scale] : 0;
        return source && source != transparent ? LetterColor(source) : PatternColor(x, y);
    });
}

// Draws on a patterned 12 x 10 canvas with odd text and background colours;
// they and the selected bitmap and brush must be back afterwards.
Picture Drawn(const std::function<void(HDC)>& draw)
{
    Canvas canvas(12, 10);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    SetBkColor(canvas.Dc(), RGB(4, 5, 6));
    const HGDIOBJ brush = GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
    draw(canvas.Dc());
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(canvas.Dc()), RGB(4, 5, 6));
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BITMAP), canvas.Bitmap());
    return canvas.Pixels();
}

}  // namespace

// A transparent copy puts the pixels not of the transparent colour; a
// disabled one (transparent 0) greys the picture. Both are clipped at the
// edges and draw nothing for an empty size.
TEST(Blt, TransparentAndDisabledCopies)
{
    const struct {
        char transparent;
        Letters letters;
        Blit blit;
    } cases[] = {
        {'M', kSprite, {1, 1, 5, 4, 0, 0}}, {'M', kSprite, {0, 0, 3, 2, 2, 1}}, {'M', kSprite, {9, 7, 5, 4, 0, 0}},
        {'W', kSprite, {1, 1, 5, 4, 0, 0}}, {'M', kSprite, {1, 1, 0, 4, 0, 0}}, {0, kGlyph, {1, 1, 5, 4, 0, 0}},
        {0, kGlyph, {2, 2, 3, 2, 1, 1}}, {0, kGlyph, {8, 7, 5, 4, 0, 0}}, {0, Letters(4, "WWWWW"), {1, 1, 5, 4, 0, 0}},
        {0, Letters(4, "KKKKK"), {1, 1, 5, 4, 0, 0}}, {0, kGlyph, {1, 1, 0, 4, 0, 0}}, {0, kGlyph, {1, 1, 5, -2, 0, 0}},
    };
    for (const auto& c : cases) {
        const Blit& b = c.blit;
        const Bitmap bitmap(MakeBitmap(c.letters));
        const Picture glyph = Image(b.width, b.height, [&](int x, int y) {
            return LetterColor(c.letters[b.ySrc + y][b.xSrc + x]);
        });
        const Picture expected =
            c.transparent ? AfterSprite(b, c.transparent, 1, c.letters) : Greyed(kUntouched, glyph, b.x, b.y);
        EXPECT_EQ(Drawn([&](HDC dc) {
                      if (c.transparent)
                          TqTransparentBlt(dc, b.x, b.y, b.width, b.height, bitmap, b.xSrc, b.ySrc,
                                           LetterColor(c.transparent), nullptr);
                      else
                          TqDisabledBlt(dc, b.x, b.y, b.width, b.height, bitmap, b.xSrc, b.ySrc);
                  }),
                  expected) << "case " << &c - cases;
    }
    // No bitmap, or one selected into another DC: nothing drawn.
    const Bitmap sprite(MakeBitmap(kSprite));
    Canvas holder(1, 1);
    const HGDIOBJ previous = SelectObject(holder.Dc(), sprite);
    for (HBITMAP bitmap : {HBITMAP(nullptr), sprite.Get()}) {
        EXPECT_EQ(Drawn([&](HDC dc) { TqTransparentBlt(dc, 0, 0, 5, 4, bitmap, 0, 0, kMagenta, nullptr); }),
                  kUntouched);
    }
    SelectObject(holder.Dc(), previous);
    EXPECT_EQ(Drawn([&](HDC dc) { TqDisabledBlt(dc, 1, 1, 5, 4, nullptr, 0, 0); }), kUntouched);
    TqDisabledBlt(nullptr, 1, 1, 5, 4, sprite, 0, 0);
}

// Unscaled and stretched through its mask, on a DC or the window's; copies
// hold their own bitmap with the same picture; nothing without a bitmap.
TEST(TransparentBmp, DrawsThroughItsMaskAndCopiesHoldTheirOwnBitmap)
{
    TestWindow window(WS_POPUP | WS_VISIBLE);
    PumpMessages();
    auto original = std::make_unique<CTqTransparentBmp>(window, MakeBitmap(kSprite), kMagenta);
    EXPECT_EQ(Drawn([&](HDC dc) { EXPECT_EQ(original->Draw(dc, 2, 1), 1); }), AfterSprite({2, 1, 5, 4, 0, 0}));
    EXPECT_EQ(Drawn([&](HDC dc) { EXPECT_EQ(original->DrawStretch(dc, 1, 1, 10, 8), 1); }),
              AfterSprite({1, 1, 10, 8, 0, 0}, 'M', 2));
    CTqTransparentBmp copy(*original), assigned(nullptr, MakeBitmap({"KK"}), 0);
    CTqTransparentBmp result = (assigned = copy);
    std::vector<HBITMAP> bitmaps;
    for (CTqTransparentBmp* bmp : {original.get(), &copy, &assigned, &result}) {
        bitmaps.push_back(bmp->Detach());
        EXPECT_EQ(bmp->Attach(bitmaps.back()), nullptr);
    }
    EXPECT_EQ(std::set<HBITMAP>(bitmaps.begin(), bitmaps.end()).size(), 4u);
    original.reset();
    for (CTqTransparentBmp* bmp : {&copy, &assigned, &result}) {
        EXPECT_EQ(bmp->GetWindowHandle(), window.Handle());
        EXPECT_EQ(Drawn([&](HDC dc) { EXPECT_EQ(bmp->Draw(dc, 0, 0), 1); }), AfterSprite({0, 0, 5, 4, 0, 0}));
    }
    CTqTransparentBmp empty;
    EXPECT_EQ(CTqTransparentBmp(empty).Detach(), nullptr);
    EXPECT_EQ(Drawn([&](HDC dc) { EXPECT_EQ(empty.Draw(dc, 0, 0) + empty.DrawStretch(dc, 0, 0, 4, 4), 0); }),
              kUntouched);
    EXPECT_EQ(empty.Draw(0, 0) + empty.DrawStretch(0, 0, 4, 4), 0);
    // Attach hands the former bitmap over undeleted.
    const Bitmap former(copy.Attach(nullptr));
    EXPECT_EQ(former.Get(), bitmaps[1]);
    EXPECT_EQ(GetObjectType(former), DWORD(OBJ_BITMAP));
    // The overloads without a DC draw on the window's.
    const HDC windowDC = GetDC(window);
    BitBlt(windowDC, 0, 0, 12, 10, Canvas(12, 10).Dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(result.Draw(1, 1), 1);
    EXPECT_EQ(CaptureDC(windowDC, 12, 10), AfterSprite({1, 1, 5, 4, 0, 0}));
    ReleaseDC(window, windowDC);
    EXPECT_EQ(result.DrawStretch(0, 0, 10, 8), 1);
}

TEST(Draw, ColorButtonShowsFrameSeparatorArrowSwatchAndFocusKeepingPenAndBrush)
{
    const COLORREF swatch = RGB(0, 160, 80), face = GetSysColor(COLOR_BTNFACE);
    // The colours stated for a 75 x 23 item not pressed; CLR_INVALID elsewhere.
    const auto stated = [&](int x, int y, bool disabled) {
        if (x >= 5 && x < 60 && y >= 4 && y < 19)  // the swatch outlined in black
            return disabled ? face : x == 5 || x == 59 || y == 4 || y == 18 ? 0 : swatch;
        if (y == 10 ? x >= 66 && x <= 70 : x == 68 && (y == 11 || y == 12))  // the arrow
            return COLORREF(0);
        if (y == 11 && (x == 64 || x == 65))  // the etched separator
            return GetSysColor(x == 64 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
        const bool beside = (y == 11 && (x == 4 || x == 60)) || (x == 64 && y == 2) || (x == 71 && y == 10) ||
                            (x == 68 && (y == 9 || y == 13)) || (x == 66 && y == 12);
        return beside ? face : CLR_INVALID;
    };
    std::vector<Picture> pictures;
    for (UINT state : {0, ODS_SELECTED, ODS_DISABLED, ODS_DISABLED | ODS_SELECTED, ODS_FOCUS}) {
        Canvas canvas(75, 23);
        SelectObject(canvas.Dc(), GetStockObject(WHITE_PEN));
        SelectObject(canvas.Dc(), GetStockObject(GRAY_BRUSH));
        DRAWITEMSTRUCT item = {ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, state, nullptr, canvas.Dc(), {0, 0, 75, 23}, 0};
        TqDrawColorBtn(&item, swatch);
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), GetStockObject(WHITE_PEN));
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), GetStockObject(GRAY_BRUSH));
        pictures.push_back(canvas.Pixels());
        const int shift = state & ODS_SELECTED ? 1 : 0;  // pressed: all one pixel right and down
        for (int i = 0; state != ODS_FOCUS && i < 75 * 23; ++i) {
            const COLORREF colour = stated(i % 75 - shift, i / 75 - shift, state & ODS_DISABLED);
            EXPECT_EQ(pictures.back()[i], colour == CLR_INVALID ? pictures.back()[i] : colour)
                << i % 75 << "," << i / 75 << " state " << state;
        }
    }
    // The focus rectangle (2, 2, 73, 21) changes pixels on its outline only.
    EXPECT_TRUE(FocusRectOnly(pictures[4], pictures[0], 2, 50));
    TqDrawColorBtn(nullptr, swatch);
}

TEST(Draw, CrossHairAndFrameInvertTheirLines)
{
    const int cases[][5] = {  // frame, x, y, width, height
        {0, 0, 0, 5, 4}, {0, 1, 1, 4, 3}, {0, 6, 1, -3, 4}, {1, 1, 1, 4, 3}, {1, 0, 0, 7, 6}, {1, 5, 4, -3, -2},
    };
    const HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    for (const auto& c : cases) {
        // Inverted exactly (so that a second drawing erases them): each
        // polyline segment leaves out its last point; a pixel inverted by
        // both lines of the cross-hair keeps its colour.
        const int x = c[1], y = c[2], right = x + c[3], bottom = y + c[4], midX = x + c[3] / 2, midY = y + c[4] / 2;
        // Whether v lies from a to b, b left out (along) or not (within).
        const auto along = [](int v, int a, int b) { return a < b ? v >= a && v < b : v <= a && v > b; };
        const auto within = [](int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); };
        const Picture expected = Image(8, 7, [&](int px, int py) {
            const bool inverted = c[0] ? ((px == x || px == right) && within(py, y, bottom)) ||
                                             ((py == y || py == bottom) && within(px, x, right))
                                       : (py == midY && along(px, x, right)) != (px == midX && along(py, y, bottom));
            return inverted ? PatternColor(px, py) ^ 0xFFFFFF : PatternColor(px, py);
        });
        Canvas canvas(8, 7);
        SetROP2(canvas.Dc(), R2_MASKPEN);
        const HGDIOBJ previousPen = GetCurrentObject(canvas.Dc(), OBJ_PEN);
        const auto draw = c[0] ? TqDrawFrame : TqDrawCrossHair;
        draw(canvas.Dc(), pen, x, y, c[3], c[4]);
        EXPECT_EQ(canvas.Pixels(), expected) << "case " << &c - cases;
        EXPECT_EQ(GetROP2(canvas.Dc()), R2_MASKPEN);
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), previousPen);
    }
    DeleteObject(pen);
}

TEST(Draw, NoOperationKeepsAGdiObject)
{
    // Each operation runs three times as often as the GDI handles left free
    // once the process's table is filled: one object kept per call would
    // exhaust it.
    const size_t kFree = 2000;
    const Bitmap sprite(MakeBitmap({"MKM", "KRK", "MKM"}));
    TestWindow window(WS_POPUP);
    CTqTransparentBmp transparent(window, MakeBitmap({"MKM", "KRK", "MKM"}), kMagenta);
    CTqDib dib;
    ASSERT_EQ(dib.Create(3, 3, 24, 0) + dib.FillRect({0, 0, 255, 0}, nullptr, 0), 2);
    const HPEN pen = CreatePen(PS_SOLID, 2, 0);
    const std::function<void(HDC)> operations[] = {
        [&](HDC dc) { TqTransparentBlt(dc, 1, 1, 3, 3, sprite, 0, 0, kMagenta, nullptr); },
        [&](HDC dc) { TqDisabledBlt(dc, 1, 1, 3, 3, sprite, 0, 0); },
        [&](HDC dc) { transparent.Draw(dc, 1, 1); transparent.DrawStretch(dc, 1, 1, 3, 3); },
        [&](HDC dc) { CTqTransparentBmp copy(transparent); (copy = transparent).Draw(dc, 1, 1); },
        [&](HDC dc) {
            DRAWITEMSTRUCT item = {ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, ODS_FOCUS, nullptr, dc, {0, 0, 8, 8}, 0};
            TqDrawColorBtn(&item, RGB(0, 0, 255));
        },
        [&](HDC dc) { TqDrawCrossHair(dc, pen, 0, 0, 4, 4); TqDrawFrame(dc, pen, 1, 1, 3, 3); },
        [&](HDC dc) { dib.StretchDIBits(dc, 1, 1, 3, 3, SRCCOPY, 1); },
    };
    for (const auto& operation : operations) {
        Canvas reference(6, 6), canvas(6, 6), last(6, 6);
        operation(reference.Dc());
        {
            const SqueezedHandleTable squeezed(kFree);
            EXPECT_LE(SqueezedHandleTable::Free(), kFree);  // the table is full
            for (size_t call = 0; call < 3 * kFree; ++call)
                operation(canvas.Dc());
            operation(last.Dc());
        }
        EXPECT_EQ(last.Pixels(), reference.Pixels()) << "operation " << &operation - operations;
    }
    DeleteObject(pen);
}
