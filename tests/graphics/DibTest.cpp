// CTqDib in real memory and on real DCs: blank images of every depth, flat
// and graded fills in picture coordinates (checked through GDI's own reading
// of the image), the alpha image, StretchDIBits and copies.
#include <TqCommon.h>

#include <gtest/gtest.h>
#include <malloc.h>

#include <climits>
#include <cstring>
#include <vector>

#include "GraphicsSupport.h"

namespace {

const BYTE kInitialByte = 0x11;
const COLORREF kInitialColor = RGB(kInitialByte, kInitialByte, kInitialByte);

RGBQUAD Quad(BYTE red, BYTE green, BYTE blue, BYTE alpha = 0)
{
    RGBQUAD quad = {blue, green, red, alpha};
    return quad;
}

COLORREF ToColor(const RGBQUAD& quad)
{
    return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
}

size_t ImageBytes(const CTqDib& dib)
{
    return static_cast<size_t>(dib.GetPitch()) * dib.GetHeight();
}

// A valid image whose every byte is kInitialByte.
void CreateFilled(CTqDib& dib, unsigned int width, unsigned int height, unsigned int bits,
                  int topDown)
{
    ASSERT_EQ(dib.Create(width, height, bits, topDown), 1);
    std::memset(dib.GetPixels(), kInitialByte, ImageBytes(dib));
}

// The picture as GDI reads it: the image drawn 1:1 into a 32-bit canvas.
std::vector<COLORREF> Picture(const CTqDib& dib)
{
    Canvas canvas(static_cast<int>(dib.GetWidth()), static_cast<int>(dib.GetHeight()));
    EXPECT_GT(dib.StretchDIBits(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), SRCCOPY, 1), 0);
    return canvas.Pixels();
}

// Byte i of the pixel (x, y) in picture coordinates, by the documented
// memory layout.
BYTE PixelByte(const CTqDib& dib, unsigned int x, unsigned int y, unsigned int i)
{
    const unsigned int row = dib.IsTopDown() ? y : dib.GetHeight() - 1 - y;
    return dib.GetPixels()[row * dib.GetPitch() + x * dib.GetBitsPerPixel() / 8 + i];
}

bool IsEmpty(const CTqDib& dib)
{
    return !dib.IsValid() && !dib.GetPixels() && !dib.GetBmpInfo() && dib.GetWidth() == 0 &&
           dib.GetHeight() == 0 && dib.GetBitsPerPixel() == 0 && dib.GetPitch() == 0;
}

struct CreateCase {
    unsigned int width, height, bitsPerPixel;
    int topDown;
    unsigned int pitch;
    size_t infoBytes;
    DWORD compression;
    unsigned int colors;
};

const CreateCase kCreateCases[] = {
    {3, 2, 24, 0, 12, 44, BI_RGB, 0},          {1, 1, 32, 1, 4, 52, BI_BITFIELDS, 0},
    {16, 16, 8, 0, 16, 40 + 1024, BI_RGB, 256}, {33, 1, 1, 0, 8, 48, BI_RGB, 2},
    {5, 3, 4, 1, 4, 104, BI_RGB, 16},          {5, 2, 16, 0, 12, 44, BI_RGB, 0},
};

}  // namespace

TEST(DibCreate, BuildsBlankImagesOfEveryDepth)
{
    const DWORD masks[] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    for (const CreateCase& c : kCreateCases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bitsPerPixel);
        CTqDib dib;
        ASSERT_EQ(dib.Create(c.width, c.height, c.bitsPerPixel, c.topDown), 1);
        EXPECT_EQ(dib.GetWidth(), c.width);
        EXPECT_EQ(dib.GetHeight(), c.height);
        EXPECT_EQ(dib.GetBitsPerPixel(), c.bitsPerPixel);
        EXPECT_EQ(dib.GetPitch(), c.pitch);
        EXPECT_EQ(dib.IsTopDown(), c.topDown);
        const BITMAPINFOHEADER& h = dib.GetBmpInfo()->bmiHeader;
        EXPECT_EQ(std::vector<LONG>({static_cast<LONG>(h.biSize), h.biWidth, h.biHeight, h.biPlanes,
                                     h.biBitCount, static_cast<LONG>(h.biCompression)}),
                  std::vector<LONG>({40, static_cast<LONG>(c.width),
                                     c.topDown ? -static_cast<LONG>(c.height) : static_cast<LONG>(c.height),
                                     1, static_cast<LONG>(c.bitsPerPixel), static_cast<LONG>(c.compression)}));

        // The blocks are exactly as long as documented, and zero-filled
        // apart from the masks.
        ASSERT_EQ(_msize(dib.GetBmpInfo()), c.infoBytes);
        ASSERT_EQ(_msize(dib.GetPixels()), ImageBytes(dib));
        const unsigned char* info = reinterpret_cast<unsigned char*>(dib.GetBmpInfo());
        std::vector<unsigned char> table(c.infoBytes - 40, 0);
        if (c.compression == BI_BITFIELDS) {
            std::memcpy(table.data(), masks, sizeof masks);
            EXPECT_EQ(reinterpret_cast<void*>(dib.GetColorMasks()), dib.GetBmpInfo()->bmiColors);
        } else {
            EXPECT_EQ(dib.GetColorMasks(), nullptr);
        }
        EXPECT_EQ(std::vector<unsigned char>(info + 40, info + c.infoBytes), table);
        EXPECT_EQ(std::vector<unsigned char>(dib.GetPixels(), dib.GetPixels() + ImageBytes(dib)),
                  std::vector<unsigned char>(ImageBytes(dib), 0));
    }
}

TEST(DibCreate, RejectsUnusableSizesAndDepthsLeavingTheObjectEmpty)
{
    struct Bad {
        unsigned int width, height, bitsPerPixel;
    };
    const Bad cases[] = {
        {0, 1, 24},           {1, 0, 24},        {16, 16, 12},      {16, 16, 0},
        {0x80000000u, 1, 1},  {1, 0x80000000u, 1},  // not representable as LONG
        {65536, 65536, 8},    // 4 GiB of pixels: the byte count passes 32 bits
        {0x40000000u, 1, 32}, // one row of 4 GiB
        {70000, 70000, 32},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bitsPerPixel);
        CTqDib dib;
        ASSERT_EQ(dib.Create(2, 2, 24, 1), 1);
        EXPECT_EQ(dib.Create(c.width, c.height, c.bitsPerPixel, 1), 0);
        EXPECT_TRUE(IsEmpty(dib));
        EXPECT_EQ(dib.IsTopDown(), 1);  // Clear keeps the orientation
    }
}

TEST(DibFill, FillsTheRectangleClippedToThePictureAndNothingElse)
{
    struct Case {
        unsigned int bits;
        int topDown;
        bool wholeImage;
        RECT rect;
        RECT painted;
    };
    const Case cases[] = {
        {24, 0, false, {0, 0, 1, 1}, {0, 0, 1, 1}},
        {24, 1, false, {-5, -5, 2, 3}, {0, 0, 2, 3}},
        {32, 1, true, {}, {0, 0, 5, 4}},
        {32, 0, false, {3, 1, 100, 2}, {3, 1, 5, 2}},
        {32, 0, false, {-1, 1, 10, 3}, {0, 1, 5, 3}},  // whole rows of a bottom-up image
        {24, 0, false, {1, 2, 4, 4}, {1, 2, 4, 4}},
    };
    const RGBQUAD colour = Quad(0xC0, 0x80, 0x40);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, top-down " << c.topDown << ", rect "
                                        << c.rect.left << "," << c.rect.top << "," << c.rect.right
                                        << "," << c.rect.bottom);
        CTqDib dib;
        CreateFilled(dib, 5, 4, c.bits, c.topDown);
        ASSERT_EQ(dib.FillRect(colour, c.wholeImage ? nullptr : &c.rect, 0), 1);
        const std::vector<COLORREF> picture = Picture(dib);
        for (LONG y = 0; y < 4; ++y) {
            for (LONG x = 0; x < 5; ++x) {
                const POINT point = {x, y};
                const COLORREF expected = PtInRect(&c.painted, point) ? ToColor(colour) : kInitialColor;
                EXPECT_EQ(picture[y * 5 + x], expected) << "at " << x << "," << y;
            }
        }
    }
}

TEST(DibFill, WritesTheAlphaByteOnlyWhenAskedAndOnlyAtThirtyTwoBits)
{
    const RGBQUAD colour = Quad(0x10, 0x20, 0x30, 0xAB);
    CTqDib rgb;
    CreateFilled(rgb, 1, 1, 24, 0);  // pitch 4: the fourth byte is padding
    ASSERT_EQ(rgb.FillRect(colour, nullptr, 1), 1);
    EXPECT_EQ(rgb.GetPixels()[2], 0x10);
    EXPECT_EQ(rgb.GetPixels()[3], kInitialByte);

    CTqDib argb;
    CreateFilled(argb, 4, 2, 32, 1);
    ASSERT_EQ(argb.FillRect(colour, nullptr, 0), 1);
    ASSERT_EQ(argb.GradeRect(Quad(0, 0, 0, 0), Quad(0, 0, 0, 255), 0, nullptr, 0), 1);
    EXPECT_EQ(PixelByte(argb, 3, 1, 3), kInitialByte);
    ASSERT_EQ(argb.FillRect(colour, nullptr, 1), 1);
    EXPECT_EQ(PixelByte(argb, 3, 1, 3), 0xAB);
    ASSERT_EQ(argb.GradeRect(Quad(0, 0, 0, 0), Quad(0, 0, 0, 255), 0, nullptr, 1), 1);
    const int alpha[] = {0, 63, 127, 191};
    for (unsigned int x = 0; x < 4; ++x)
        EXPECT_EQ(PixelByte(argb, x, 1, 3), alpha[x]) << x;
}

TEST(DibFill, RefusesOtherDepthsEmptyObjectsAndRectanglesOffThePicture)
{
    const RGBQUAD colour = Quad(9, 9, 9, 9);
    for (unsigned int bits : {1u, 4u, 8u, 16u}) {
        CTqDib dib;
        CreateFilled(dib, 4, 4, bits, 0);
        EXPECT_EQ(dib.FillRect(colour, nullptr, 1), 0) << bits;
        EXPECT_EQ(dib.GradeRect(colour, colour, 0, nullptr, 1), 0) << bits;
        EXPECT_EQ(dib.GetPixels()[0], kInitialByte) << bits;
    }
    CTqDib empty;
    EXPECT_EQ(empty.FillRect(colour, nullptr, 0), 0);
    EXPECT_EQ(empty.GradeRect(colour, colour, 1, nullptr, 0), 0);

    CTqDib dib;
    CreateFilled(dib, 4, 4, 32, 0);
    const RECT misses[] = {{4, 0, 6, 4}, {-3, -3, 0, 2}, {1, 1, 1, 3}, {2, 2, 1, 1}};
    for (const RECT& rect : misses) {
        EXPECT_EQ(dib.FillRect(colour, &rect, 1), 0);
        EXPECT_EQ(dib.GradeRect(colour, colour, 0, &rect, 1), 0);
    }
    EXPECT_EQ(std::vector<unsigned char>(dib.GetPixels(), dib.GetPixels() + ImageBytes(dib)),
              std::vector<unsigned char>(ImageBytes(dib), kInitialByte));
}

TEST(DibGrade, RampsInIntegerStepsMeasuredOnTheWholeRectangle)
{
    // The red channel along the ramp for each column (horizontal) or row
    // (vertical) of a 6 x 3 image; -1 where nothing is painted.
    struct Case {
        int direction;
        bool wholeImage;
        RECT rect;
        BYTE from, to;
        std::vector<int> red;
    };
    const Case cases[] = {
        {0, false, {0, 0, 4, 3}, 0, 255, {0, 63, 127, 191, -1, -1}},
        {0, false, {0, 0, 4, 3}, 255, 0, {255, 192, 128, 64, -1, -1}},
        {0, false, {-2, 0, 2, 3}, 0, 255, {127, 191, -1, -1, -1, -1}},
        {0, true, {}, 0, 255, {0, 42, 85, 127, 170, 212}},
        {0, false, {2, 0, 3, 3}, 7, 200, {-1, -1, 7, -1, -1, -1}},
        {1, false, {0, 0, 6, 3}, 0, 90, {0, 30, 60}},
        {1, false, {0, -1, 6, 2}, 0, 90, {30, 60, -1}},
        {1, true, {}, 90, 0, {90, 60, 30}},
        // A span of 2^32 - 1 pixels: 64-bit arithmetic, no overflow.
        {0, false, {LONG_MIN, 0, LONG_MAX, 3}, 0, 255, {127, 127, 127, 127, 127, 127}},
    };
    for (int topDown : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "direction " << c.direction << ", top-down " << topDown
                                            << ", rect " << c.rect.left << "," << c.rect.top << ","
                                            << c.rect.right << "," << c.rect.bottom);
            CTqDib dib;
            CreateFilled(dib, 6, 3, 24, topDown);
            ASSERT_EQ(dib.GradeRect(Quad(c.from, 0x22, 0x33), Quad(c.to, 0x22, 0x33), c.direction,
                                    c.wholeImage ? nullptr : &c.rect, 0),
                      1);
            const std::vector<COLORREF> picture = Picture(dib);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 6; ++x) {
                    const int red = c.red[c.direction == 0 ? x : y];
                    const RECT& painted = c.rect;
                    const POINT point = {x, y};
                    const bool inside = c.wholeImage || PtInRect(&painted, point);
                    const COLORREF expected = red >= 0 && inside ? RGB(red, 0x22, 0x33) : kInitialColor;
                    EXPECT_EQ(picture[y * 6 + x], expected) << "at " << x << "," << y;
                }
            }
        }
    }
}

TEST(DibAlpha, TurnsTheFreeHighBitsIntoGrey)
{
    struct Case {
        DWORD masks[3];
        DWORD pixels[4];
        BYTE grey[4];
    };
    const Case cases[] = {
        // The masks of Create: eight alpha bits.
        {{0x00FF0000, 0x0000FF00, 0x000000FF}, {0xFF000000, 0x00FFFFFF, 0x80123456, 0x01000000}, {0, 255, 127, 254}},
        // 10-10-10: two alpha bits, scaled to 0..255.
        {{0x3FF00000, 0x000FFC00, 0x000003FF}, {3u << 30, 2u << 30 | 0x155, 1u << 30, 0x3FFFFFFF}, {0, 85, 170, 255}},
    };
    for (const Case& c : cases) {
        for (int topDown : {0, 1}) {
            SCOPED_TRACE(testing::Message() << std::hex << c.masks[0] << ", top-down " << topDown);
            CTqDib dib;
            ASSERT_EQ(dib.Create(4, 2, 32, topDown), 1);
            std::memcpy(dib.GetColorMasks(), c.masks, sizeof c.masks);
            std::memcpy(dib.GetPixels() + dib.GetPitch(), c.pixels, sizeof c.pixels);  // row 1 in memory
            CTqDib out;
            ASSERT_EQ(dib.GetAlphaDib(out), 1);
            EXPECT_EQ(out.GetBitsPerPixel(), 24u);
            EXPECT_EQ(out.GetWidth(), 4u);
            EXPECT_EQ(out.GetHeight(), 2u);
            EXPECT_EQ(out.IsTopDown(), topDown);
            for (unsigned int x = 0; x < 4; ++x) {
                for (unsigned int i = 0; i < 3; ++i)
                    EXPECT_EQ(out.GetPixels()[out.GetPitch() + 3 * x + i], c.grey[x]) << x;
                EXPECT_EQ(out.GetPixels()[3 * x], 255) << x;  // no alpha bits: transparent
            }
        }
    }
}

TEST(DibAlpha, SixteenBitImagesTakeAlphaFromTheirOwnTwoBytes)
{
    // 1-5-5-5 pixels, 2 x 1: four bytes, the second pixel ending the buffer.
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info = {{40, 2, 1, 1, 16, BI_BITFIELDS, 0, 0, 0, 0, 0}, {0x7C00, 0x03E0, 0x001F}};
    const WORD pixels[] = {0x7FFF, 0x8000};
    TempFile file("alpha16.bmp");
    CTqDib dib;
    CTqDib out;
    for (const DWORD redMask : {0x7C00u, 0xF800u}) {  // 5-5-5, then 5-6-5 with no free bit
        info.masks[0] = redMask;
        ASSERT_EQ(TqWriteBmpFile(file.Path(), reinterpret_cast<BITMAPINFO*>(&info),
                                 reinterpret_cast<const unsigned char*>(pixels), 0), 1);
        ASSERT_EQ(dib.ReadBmpFile(file.Path()), 1);
        ASSERT_EQ(_msize(dib.GetPixels()), 4u);
        EXPECT_EQ(dib.GetAlphaDib(out), redMask == 0x7C00 ? 1 : 0);
    }
    ASSERT_EQ(out.GetBitsPerPixel(), 24u);
    EXPECT_EQ(out.GetPixels()[0], 255);  // alpha bit clear: transparent
    EXPECT_EQ(out.GetPixels()[3], 0);    // alpha bit set: opaque
}

TEST(DibAlpha, RefusesImagesWithoutFreeMaskBitsAndLeavesTheOutputAlone)
{
    CTqDib out;
    ASSERT_EQ(out.Create(1, 1, 8, 0), 1);
    const unsigned char* outPixels = out.GetPixels();

    CTqDib rgb;
    ASSERT_EQ(rgb.Create(2, 2, 24, 0), 1);
    EXPECT_EQ(rgb.GetAlphaDib(out), 0);
    CTqDib full;
    ASSERT_EQ(full.Create(2, 2, 32, 0), 1);
    full.GetColorMasks()[0] = 0xFF000000;
    EXPECT_EQ(full.GetAlphaDib(out), 0);
    CTqDib empty;
    EXPECT_EQ(empty.GetAlphaDib(out), 0);
    EXPECT_EQ(out.GetPixels(), outPixels);
    EXPECT_EQ(out.GetBitsPerPixel(), 8u);

    CTqDib self;
    ASSERT_EQ(self.Create(2, 2, 32, 0), 1);
    EXPECT_EQ(self.GetAlphaDib(self), 0);
    EXPECT_TRUE(self.IsValid());
}

TEST(DibDraw, StretchesTheWholeImageOrCopiesTheRegionAtTheDestination)
{
    const auto colourAt = [](int x, int y) { return RGB(40 * x, 60 * y, 7); };
    for (int topDown : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "top-down " << topDown);
        CTqDib dib;
        ASSERT_EQ(dib.Create(4, 3, 32, topDown), 1);
        for (LONG y = 0; y < 3; ++y) {
            for (LONG x = 0; x < 4; ++x) {
                const RECT pixel = {x, y, x + 1, y + 1};
                dib.FillRect(Quad(static_cast<BYTE>(40 * x), static_cast<BYTE>(60 * y), 7), &pixel, 0);
            }
        }

        Canvas canvas(8, 6);
        canvas.Fill(kInitialColor);
        EXPECT_GT(dib.StretchDIBits(canvas.Dc(), 0, 0, 8, 6, SRCCOPY, 1), 0);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(canvas.Pixel(x, y), colourAt(x / 2, y / 2)) << x << "," << y;
        }

        // Regions of an image drawn at (0, 0), each repainted in place.
        const RECT regions[] = {{1, 1, 3, 3}, {0, 1, 4, 2}, {2, 0, 3, 3}, {3, 2, 8, 6}};
        for (const RECT& region : regions) {
            canvas.Fill(kInitialColor);
            EXPECT_GT(dib.StretchDIBits(canvas.Dc(), region.left, region.top,
                                        region.right - region.left, region.bottom - region.top,
                                        SRCCOPY, 0),
                      0);
            for (int y = 0; y < 6; ++y) {
                for (int x = 0; x < 8; ++x) {
                    const POINT point = {x, y};
                    const bool copied = PtInRect(&region, point) && x < 4 && y < 3;
                    EXPECT_EQ(canvas.Pixel(x, y), copied ? colourAt(x, y) : kInitialColor)
                        << x << "," << y << " of region " << region.left << "," << region.top;
                }
            }
        }
    }
}

TEST(DibDraw, DrawsNothingFromOutsideTheImageOrFromAnEmptyObject)
{
    CTqDib dib;
    ASSERT_EQ(dib.Create(4, 3, 24, 0), 1);
    ASSERT_EQ(dib.FillRect(Quad(255, 0, 0), nullptr, 0), 1);
    Canvas canvas(8, 8);
    canvas.Fill(kInitialColor);
    EXPECT_EQ(dib.StretchDIBits(canvas.Dc(), 4, 0, 2, 2, SRCCOPY, 0), 0);
    EXPECT_EQ(dib.StretchDIBits(canvas.Dc(), 0, -3, 2, 2, SRCCOPY, 0), 0);
    EXPECT_EQ(dib.StretchDIBits(canvas.Dc(), INT_MIN, 0, 2, 2, SRCCOPY, 0), 0);
    CTqDib empty;
    EXPECT_EQ(empty.StretchDIBits(canvas.Dc(), 0, 0, 2, 2, SRCCOPY, 1), 0);
    EXPECT_EQ(canvas.Pixels(), std::vector<COLORREF>(64, kInitialColor));
}

TEST(DibCopy, CopiesOwnTheirBuffers)
{
    CTqDib source;
    ASSERT_EQ(source.Create(3, 2, 8, 1), 1);
    source.GetBmpInfo()->bmiColors[5] = Quad(1, 2, 3);
    source.GetPixels()[1] = 5;

    CTqDib copy(source);
    EXPECT_NE(copy.GetPixels(), source.GetPixels());
    EXPECT_NE(copy.GetBmpInfo(), source.GetBmpInfo());
    EXPECT_EQ(copy.GetPitch(), 4u);
    EXPECT_EQ(copy.IsTopDown(), 1);
    ASSERT_EQ(_msize(copy.GetBmpInfo()), _msize(source.GetBmpInfo()));
    EXPECT_EQ(std::memcmp(copy.GetBmpInfo(), source.GetBmpInfo(), _msize(source.GetBmpInfo())), 0);
    EXPECT_EQ(std::memcmp(copy.GetPixels(), source.GetPixels(), ImageBytes(source)), 0);
    copy.GetPixels()[1] = 6;

    CTqDib assigned;
    ASSERT_EQ(assigned.Create(10, 10, 24, 0), 1);
    assigned = copy;
    assigned = assigned;
    EXPECT_EQ(assigned.GetWidth(), 3u);
    EXPECT_EQ(assigned.GetPixels()[1], 6);
    EXPECT_EQ(source.GetPixels()[1], 5);
    assigned = CTqDib();
    EXPECT_TRUE(IsEmpty(assigned));
}

TEST(DibFile, WritesAndReadsBackEveryDepthAndOrientation)
{
    TempFile file("dib-roundtrip.bmp");
    for (unsigned int bits : {1u, 4u, 8u, 16u, 24u, 32u}) {
        for (int topDown : {0, 1}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
            CTqDib written;
            ASSERT_EQ(written.Create(7, 3, bits, topDown), 1);
            for (size_t i = 0; i < ImageBytes(written); ++i)
                written.GetPixels()[i] = static_cast<unsigned char>(i * 37 + bits);
            if (bits <= 8)
                written.GetBmpInfo()->bmiColors[1] = Quad(10, 20, 30);
            ASSERT_EQ(written.WriteBmpFile(file.Path(), topDown), 1);

            CTqDib read;
            ASSERT_EQ(read.ReadBmpFile(file.Path()), 1);
            EXPECT_EQ(std::vector<unsigned int>({read.GetWidth(), read.GetHeight(), read.GetBitsPerPixel(),
                                                 read.GetPitch(), static_cast<unsigned int>(read.IsTopDown())}),
                      std::vector<unsigned int>({7, 3, bits, written.GetPitch(), static_cast<unsigned int>(topDown)}));
            ASSERT_EQ(_msize(read.GetBmpInfo()), _msize(written.GetBmpInfo()));
            EXPECT_EQ(std::memcmp(read.GetBmpInfo(), written.GetBmpInfo(), _msize(written.GetBmpInfo())), 0);
            ASSERT_EQ(_msize(read.GetPixels()), ImageBytes(written));
            EXPECT_EQ(std::memcmp(read.GetPixels(), written.GetPixels(), ImageBytes(written)), 0);
        }
    }
}

TEST(DibFile, FailuresLeaveNoImageAndNoFile)
{
    TempFile file("dib-empty.bmp");
    CTqDib empty;
    EXPECT_EQ(empty.WriteBmpFile(file.Path(), 0), 0);
    EXPECT_FALSE(file.Exists());

    CTqDib dib;
    ASSERT_EQ(dib.Create(2, 2, 24, 0), 1);
    EXPECT_EQ(dib.ReadBmpFile(file.Path()), 0);
    EXPECT_TRUE(IsEmpty(dib));
}
