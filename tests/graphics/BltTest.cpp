// Transparent and disabled blitting on real DCs: the pixels that change and
// those that must not, the DC state afterwards, and CTqTransparentBmp with
// its copies, masks and window drawing.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GraphicsSupport.h"
#include "TestWindow.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kOddText = RGB(1, 2, 3);
const COLORREF kOddBackground = RGB(4, 5, 6);

const std::vector<std::string> kSprite = {
    "MMRMM",
    "MRKRM",
    "RKWKR",
    "MMBMM",
};

// Dark shapes on white, and nothing light enough to pass for white.
const std::vector<std::string> kGlyph = {
    "WWKWW",
    "WKDKW",
    "KBWRK",
    "WWKWW",
};

COLORREF At(const std::vector<std::string>& picture, int x, int y)
{
    return LetterColor(picture[y][x]);
}

struct Blit {
    int x, y, width, height, xSrc, ySrc;
};

bool Inside(const Blit& b, int x, int y)
{
    return x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
}

// The canvas (8 x 7, patterned) after a transparent copy of picture.
std::vector<COLORREF> ExpectedTransparent(const std::vector<std::string>& picture, const Blit& b,
                                          COLORREF transparent)
{
    Canvas expected(8, 7);
    expected.FillPattern();
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (!Inside(b, x, y))
                continue;
            const COLORREF source = At(picture, b.xSrc + x - b.x, b.ySrc + y - b.y);
            if (source != transparent)
                expected.SetPixel(x, y, source);
        }
    }
    return expected.Pixels();
}

// The canvas (9 x 8, patterned) after the disabled look of picture: the face,
// the highlight shape one pixel right and down, the shadow shape on top.
std::vector<COLORREF> ExpectedDisabled(const std::vector<std::string>& picture, const Blit& b)
{
    Canvas expected(9, 8);
    expected.FillPattern();
    for (int y = b.y; y < b.y + b.height; ++y) {
        for (int x = b.x; x < b.x + b.width; ++x)
            expected.SetPixel(x, y, GetSysColor(COLOR_BTNFACE));
    }
    for (COLORREF paint : {GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)}) {
        const int shift = paint == GetSysColor(COLOR_BTNSHADOW) ? 0 : 1;
        for (int y = 0; y < b.height; ++y) {
            for (int x = 0; x < b.width; ++x) {
                if (At(picture, b.xSrc + x, b.ySrc + y) != RGB(255, 255, 255))
                    expected.SetPixel(b.x + x + shift, b.y + y + shift, paint);
            }
        }
    }
    return expected.Pixels();
}

void ExpectColours(HDC dc, COLORREF text, COLORREF background)
{
    EXPECT_EQ(GetTextColor(dc), text);
    EXPECT_EQ(GetBkColor(dc), background);
}

// Counts the calls of the virtual Draw that the window overloads make.
class CountingTransparentBmp : public CTqTransparentBmp {
public:
    using CTqTransparentBmp::CTqTransparentBmp;
    int Draw(HDC dc, long x, long y) override
    {
        ++m_draws;
        return CTqTransparentBmp::Draw(dc, x, y);
    }
    using CTqTransparentBmp::Draw;
    int m_draws = 0;
};

}  // namespace

TEST(TransparentBlt, CopiesOpaquePixelsAndLeavesTransparentOnesUntouched)
{
    struct Case {
        Blit blit;
        COLORREF transparent;
    };
    const Case cases[] = {
        {{1, 1, 5, 4, 0, 0}, kMagenta},
        {{0, 0, 3, 2, 2, 1}, kMagenta},
        {{3, 3, 5, 4, 0, 0}, kMagenta},  // clipped at the canvas edge
        {{2, 3, 5, 4, 0, 0}, RGB(0, 255, 0)},  // not in the picture: an opaque block
        {{1, 1, 5, 4, 0, 0}, RGB(255, 255, 255)},
    };
    PictureBitmap sprite(kSprite);
    for (const Case& c : cases) {
        const Blit& b = c.blit;
        SCOPED_TRACE(testing::Message() << "to " << b.x << "," << b.y << " from " << b.xSrc << ","
                                        << b.ySrc << " transparent " << std::hex << c.transparent);
        Canvas canvas(8, 7);
        canvas.FillPattern();
        SetTextColor(canvas.Dc(), kOddText);
        SetBkColor(canvas.Dc(), kOddBackground);
        TqTransparentBlt(canvas.Dc(), b.x, b.y, b.width, b.height, sprite.Get(), b.xSrc, b.ySrc,
                         c.transparent, nullptr);
        EXPECT_EQ(canvas.Pixels(), ExpectedTransparent(kSprite, b, c.transparent));
        ExpectColours(canvas.Dc(), kOddText, kOddBackground);
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BITMAP), canvas.Bitmap());
    }
}

TEST(TransparentBlt, DrawsNothingWithoutAnAreaOrAUsableBitmap)
{
    PictureBitmap sprite(kSprite);
    Canvas canvas(8, 7);
    canvas.FillPattern();
    const std::vector<COLORREF> before = canvas.Pixels();
    TqTransparentBlt(canvas.Dc(), 0, 0, 0, 4, sprite.Get(), 0, 0, kMagenta, nullptr);
    TqTransparentBlt(canvas.Dc(), 0, 0, 5, -1, sprite.Get(), 0, 0, kMagenta, nullptr);
    TqTransparentBlt(canvas.Dc(), 0, 0, 5, 4, nullptr, 0, 0, kMagenta, nullptr);
    {
        // A bitmap selected into another DC cannot be selected again.
        Canvas holder(1, 1);
        HGDIOBJ previous = SelectObject(holder.Dc(), sprite.Get());
        TqTransparentBlt(canvas.Dc(), 0, 0, 5, 4, sprite.Get(), 0, 0, kMagenta, nullptr);
        SelectObject(holder.Dc(), previous);
    }
    EXPECT_EQ(canvas.Pixels(), before);
}

TEST(DisabledBlt, PaintsTheFaceThenTheHighlightAndShadowShapes)
{
    const std::vector<std::string> white(4, "WWWWW");
    const std::vector<std::string> black(4, "KKKKK");
    struct Case {
        const std::vector<std::string>* picture;
        Blit blit;
    };
    const Case cases[] = {
        {&kGlyph, {1, 1, 5, 4, 0, 0}}, {&kGlyph, {2, 2, 3, 2, 1, 1}},
        {&kGlyph, {4, 4, 5, 4, 0, 0}},  // the highlight runs off the canvas
        {&white, {1, 1, 5, 4, 0, 0}},  // only the face
        {&black, {1, 1, 5, 4, 0, 0}},  // shadow over the face, highlight just outside it
    };
    for (const Case& c : cases) {
        const Blit& b = c.blit;
        SCOPED_TRACE(testing::Message() << (*c.picture)[0] << " to " << b.x << "," << b.y);
        PictureBitmap glyph(*c.picture);
        Canvas canvas(9, 8);
        canvas.FillPattern();
        SetTextColor(canvas.Dc(), kOddText);
        SetBkColor(canvas.Dc(), kOddBackground);
        HGDIOBJ brush = GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
        TqDisabledBlt(canvas.Dc(), b.x, b.y, b.width, b.height, glyph.Get(), b.xSrc, b.ySrc);
        EXPECT_EQ(canvas.Pixels(), ExpectedDisabled(*c.picture, b));
        ExpectColours(canvas.Dc(), kOddText, kOddBackground);
        EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush);
    }
}

TEST(DisabledBlt, PaintsNothingAtAllWithUnusableArguments)
{
    PictureBitmap glyph(kGlyph);
    Canvas canvas(9, 8);
    canvas.FillPattern();
    const std::vector<COLORREF> before = canvas.Pixels();
    TqDisabledBlt(canvas.Dc(), 1, 1, 0, 4, glyph.Get(), 0, 0);
    TqDisabledBlt(canvas.Dc(), 1, 1, 5, -2, glyph.Get(), 0, 0);
    TqDisabledBlt(canvas.Dc(), 1, 1, 5, 4, nullptr, 0, 0);
    TqDisabledBlt(nullptr, 1, 1, 5, 4, glyph.Get(), 0, 0);
    EXPECT_EQ(canvas.Pixels(), before);
}

TEST(TransparentBmp, DrawsThroughTheMaskWhateverTheDcColours)
{
    for (bool oddColours : {false, true}) {
        SCOPED_TRACE(oddColours ? "odd DC colours" : "default DC colours");
        CTqTransparentBmp bmp(nullptr, PictureBitmap(kSprite).Release(), kMagenta);
        Canvas canvas(8, 7);
        canvas.FillPattern();
        const COLORREF text = oddColours ? kOddText : GetTextColor(canvas.Dc());
        const COLORREF background = oddColours ? kOddBackground : GetBkColor(canvas.Dc());
        SetTextColor(canvas.Dc(), text);
        SetBkColor(canvas.Dc(), background);
        EXPECT_EQ(bmp.Draw(canvas.Dc(), 2, 1), 1);
        EXPECT_EQ(canvas.Pixels(), ExpectedTransparent(kSprite, {2, 1, 5, 4, 0, 0}, kMagenta));
        ExpectColours(canvas.Dc(), text, background);
    }
}

TEST(TransparentBmp, StretchesTheWholeBitmapThroughTheMask)
{
    CTqTransparentBmp bmp(nullptr, PictureBitmap(kSprite).Release(), kMagenta);
    Canvas canvas(12, 10);
    canvas.FillPattern();
    Canvas expected(12, 10);
    expected.FillPattern();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const COLORREF source = At(kSprite, x / 2, y / 2);
            if (source != kMagenta)
                expected.SetPixel(1 + x, 1 + y, source);
        }
    }
    EXPECT_EQ(bmp.DrawStretch(canvas.Dc(), 1, 1, 10, 8), 1);
    EXPECT_EQ(canvas.Pixels(), expected.Pixels());
}

TEST(TransparentBmp, WithoutABitmapDrawsNothing)
{
    CTqTransparentBmp bmp;
    Canvas canvas(4, 4);
    canvas.FillPattern();
    const std::vector<COLORREF> before = canvas.Pixels();
    EXPECT_EQ(bmp.Draw(canvas.Dc(), 0, 0), 0);
    EXPECT_EQ(bmp.DrawStretch(canvas.Dc(), 0, 0, 4, 4), 0);
    EXPECT_EQ(bmp.Draw(0, 0), 0);
    EXPECT_EQ(bmp.DrawStretch(0, 0, 4, 4), 0);
    EXPECT_EQ(canvas.Pixels(), before);
    EXPECT_EQ(bmp.GetWindowHandle(), nullptr);
    EXPECT_EQ(bmp.GetBackgroundColor(), 0u);
}

TEST(TransparentBmp, CopiesHoldTheirOwnBitmapWithTheSamePicture)
{
    int width = 0;
    int height = 0;
    TestWindow window(WS_POPUP);
    auto original = std::make_unique<CTqTransparentBmp>(window, PictureBitmap(kSprite).Release(), kMagenta);
    HBITMAP originalBitmap = original->Attach(nullptr);
    original->Attach(originalBitmap);
    const std::vector<COLORREF> picture = ReadBitmap(originalBitmap, width, height);

    CTqTransparentBmp copy(*original);
    HBITMAP copyBitmap = copy.Detach();
    copy.Attach(copyBitmap);
    EXPECT_NE(copyBitmap, originalBitmap);
    EXPECT_EQ(ReadBitmap(copyBitmap, width, height), picture);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(copy.GetWindowHandle(), window.Handle());
    EXPECT_EQ(copy.GetBackgroundColor(), kMagenta);

    CTqTransparentBmp assigned(nullptr, PictureBitmap({"KK"}).Release(), 0);
    const CTqTransparentBmp result = (assigned = copy);
    HBITMAP assignedBitmap = assigned.Detach();
    assigned.Attach(assignedBitmap);
    EXPECT_NE(assignedBitmap, copyBitmap);
    EXPECT_EQ(ReadBitmap(assignedBitmap, width, height), picture);
    EXPECT_EQ(assigned.GetBackgroundColor(), kMagenta);
    EXPECT_EQ(result.GetBackgroundColor(), kMagenta);

    original.reset();
    Canvas canvas(8, 7);
    canvas.FillPattern();
    EXPECT_EQ(copy.Draw(canvas.Dc(), 0, 0), 1);
    EXPECT_EQ(canvas.Pixels(), ExpectedTransparent(kSprite, {0, 0, 5, 4, 0, 0}, kMagenta));

    CTqTransparentBmp empty(window);
    CTqTransparentBmp emptyCopy(empty);
    EXPECT_EQ(emptyCopy.Detach(), nullptr);
}

TEST(TransparentBmp, AttachAndDetachHandOwnershipOver)
{
    PictureBitmap first(kSprite);
    PictureBitmap second(kGlyph);
    {
        CTqTransparentBmp bmp;
        EXPECT_EQ(bmp.Attach(first.Get()), nullptr);
        EXPECT_EQ(bmp.Attach(second.Get()), first.Get());
        EXPECT_EQ(bmp.Detach(), second.Get());
        EXPECT_EQ(bmp.Detach(), nullptr);
        bmp.SetBackgroundColor(kMagenta);
        bmp.SetWindowHandle(GetDesktopWindow());
        EXPECT_EQ(bmp.GetBackgroundColor(), kMagenta);
        EXPECT_EQ(bmp.GetWindowHandle(), GetDesktopWindow());
    }
    // Neither was deleted with the object.
    EXPECT_EQ(GetObjectType(first.Get()), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetObjectType(second.Get()), static_cast<DWORD>(OBJ_BITMAP));
}

TEST(TransparentBmp, DrawsOnItsWindowThroughTheVirtualDraw)
{
    TestWindow window(WS_POPUP | WS_VISIBLE);
    PumpMessages();
    CountingTransparentBmp bmp(window, PictureBitmap(kSprite).Release(), kMagenta);
    HDC windowDC = GetDC(window);
    RECT area = {0, 0, 8, 7};
    FillRect(windowDC, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(bmp.Draw(1, 1), 1);
    EXPECT_EQ(bmp.m_draws, 1);
    Canvas canvas(8, 7);
    BitBlt(canvas.Dc(), 0, 0, 8, 7, windowDC, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDC);

    Canvas expected(8, 7);
    expected.Fill(RGB(255, 255, 255));
    expected.Draw(1, 1, {"WWRWW", "WRKRW", "RKWKR", "WWBWW"});
    EXPECT_EQ(canvas.Pixels(), expected.Pixels());
    EXPECT_EQ(bmp.DrawStretch(0, 0, 10, 8), 1);
}
