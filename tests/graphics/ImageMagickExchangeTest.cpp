// BMP files exchanged with ImageMagick, an independent reader and writer.
// tqtest_graphics_imagemagick (tests/graphics/ImageMagickExchange.cmake)
// runs these in two steps around ImageMagick, in the folder named by
// TQ_BMP_EXCHANGE_DIR:
//   1. WritesFilesForImageMagick: lib-<depth>-<up|down>.bmp written by the
//      library, with the pixel values ImageMagick must read (.rgb, top row
//      first), and im-<depth>.ppm pictures for ImageMagick to convert;
//   2. ImageMagick converts the first to RGB and the second to BMP3 files
//      (im-<depth>.bmp), plus one with a version 5 header (im-v5.bmp) and one
//      run-length compressed (im-rle.bmp);
//   3. ReadsFilesFromImageMagick checks the library reads ImageMagick's BMP3
//      files with the same pixels and rejects the other two.
// Run on their own (no TQ_BMP_EXCHANGE_DIR) they are skipped.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "GraphicsSupport.h"

namespace {

const int kWidth = 13;  // odd, so that rows are padded
const int kHeight = 5;

// The ImageMagick side writes these depths as BMP3; the library writes 16 as
// well, which ImageMagick writes without its masks.
const unsigned int kImageMagickDepths[] = {1, 4, 8, 24, 32};
const unsigned int kLibraryDepths[] = {1, 4, 8, 16, 24, 32};

std::string ExchangeDir()
{
    const char* dir = std::getenv("TQ_BMP_EXCHANGE_DIR");
    return dir ? dir : "";
}

std::string InExchange(const std::string& name)
{
    return ExchangeDir() + "/" + name;
}

COLORREF PaletteColor(unsigned int bits, unsigned int index)
{
    if (bits == 1)
        return index ? RGB(255, 255, 255) : RGB(0, 0, 0);
    if (bits == 4)
        return RGB(index * 23, 255 - index * 20, index * 57 % 256);
    // The 6 x 6 x 6 colour cube: far enough apart that ImageMagick's palette
    // reduction keeps every colour exactly.
    return RGB(index % 6 * 51, index / 6 % 6 * 51, index / 36 % 6 * 51);
}

unsigned int PaletteIndex(unsigned int bits, int x, int y)
{
    if (bits == 1)
        return (x * 3 + y) % 5 < 2;
    if (bits == 4)
        return (x + 2 * y) % 11;
    return (x * 7 + y * 13) % 200;
}

// 5-bit channel values whose 8-bit forms agree whether a reader replicates
// bits or rounds: 0, 8, 16, 33, 66, 132, 255.
const unsigned int kFiveBit[] = {0, 1, 2, 4, 8, 16, 31};

unsigned int Expand5(unsigned int value)
{
    return (value << 3) | (value >> 2);
}

// The picture of each depth: few enough colours for the palette depths.
COLORREF PictureColor(unsigned int bits, int x, int y)
{
    if (bits <= 8)
        return PaletteColor(bits, PaletteIndex(bits, x, y));
    if (bits == 16)
        return RGB(Expand5(kFiveBit[x % 7]), Expand5(kFiveBit[y % 7]), Expand5(kFiveBit[(x + y) % 7]));
    return RGB(x * 19 % 256, y * 37 % 256, (x * y * 11 + 5) % 256);
}

void PutPixel(CTqDib& dib, int x, int y)
{
    const unsigned int bits = dib.GetBitsPerPixel();
    const unsigned int row = dib.IsTopDown() ? y : dib.GetHeight() - 1 - y;
    unsigned char* line = dib.GetPixels() + row * dib.GetPitch();
    const COLORREF color = PictureColor(bits, x, y);
    if (bits <= 8) {
        const unsigned int perByte = 8 / bits;
        const unsigned int shift = 8 - bits * (x % perByte + 1);
        line[x / perByte] |= static_cast<unsigned char>(PaletteIndex(bits, x, y) << shift);
    } else if (bits == 16) {
        const unsigned int value = kFiveBit[x % 7] << 10 | kFiveBit[y % 7] << 5 | kFiveBit[(x + y) % 7];
        line[2 * x] = static_cast<unsigned char>(value);
        line[2 * x + 1] = static_cast<unsigned char>(value >> 8);
    } else {
        unsigned char* pixel = line + x * bits / 8;
        pixel[0] = GetBValue(color);
        pixel[1] = GetGValue(color);
        pixel[2] = GetRValue(color);
        if (bits == 32)
            pixel[3] = 255;
    }
}

void WriteLibraryFile(unsigned int bits, int topDown)
{
    CTqDib dib;
    ASSERT_EQ(dib.Create(kWidth, kHeight, bits, topDown), 1);
    if (bits <= 8) {
        for (unsigned int i = 0; i < (1u << bits); ++i) {
            const COLORREF color = PaletteColor(bits, i);
            dib.GetBmpInfo()->bmiColors[i] = {GetBValue(color), GetGValue(color), GetRValue(color), 0};
        }
    }
    std::vector<unsigned char> rgb;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            PutPixel(dib, x, y);
            const COLORREF color = PictureColor(bits, x, y);
            rgb.insert(rgb.end(), {GetRValue(color), GetGValue(color), GetBValue(color)});
        }
    }
    const std::string name = "lib-" + std::to_string(bits) + (topDown ? "-down" : "-up");
    ASSERT_EQ(dib.WriteBmpFile(InExchange(name + ".bmp").c_str(), 0), 1);
    ASSERT_TRUE(WriteBytes(InExchange(name + ".rgb").c_str(), rgb));
}

void WritePpm(unsigned int bits)
{
    const std::string header = "P6\n" + std::to_string(kWidth) + " " + std::to_string(kHeight) + "\n255\n";
    std::vector<unsigned char> ppm(header.begin(), header.end());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const COLORREF color = PictureColor(bits, x, y);
            ppm.insert(ppm.end(), {GetRValue(color), GetGValue(color), GetBValue(color)});
        }
    }
    ASSERT_TRUE(WriteBytes(InExchange("im-" + std::to_string(bits) + ".ppm").c_str(), ppm));
}

}  // namespace

TEST(ImageMagickExchange, WritesFilesForImageMagick)
{
    if (ExchangeDir().empty())
        GTEST_SKIP() << "run by tqtest_graphics_imagemagick";
    for (unsigned int bits : kLibraryDepths) {
        for (int topDown : {0, 1}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
            WriteLibraryFile(bits, topDown);
        }
    }
    for (unsigned int bits : kImageMagickDepths)
        WritePpm(bits);
}

TEST(ImageMagickExchange, ReadsFilesFromImageMagick)
{
    if (ExchangeDir().empty())
        GTEST_SKIP() << "run by tqtest_graphics_imagemagick";
    for (unsigned int bits : kImageMagickDepths) {
        SCOPED_TRACE(testing::Message() << bits << " bits");
        CTqDib dib;
        ASSERT_EQ(dib.ReadBmpFile(InExchange("im-" + std::to_string(bits) + ".bmp").c_str()), 1);
        EXPECT_EQ(dib.GetBitsPerPixel(), bits);
        ASSERT_EQ(dib.GetWidth(), static_cast<unsigned int>(kWidth));
        ASSERT_EQ(dib.GetHeight(), static_cast<unsigned int>(kHeight));
        Canvas canvas(kWidth, kHeight);
        ASSERT_GT(dib.StretchDIBits(canvas.Dc(), 0, 0, kWidth, kHeight, SRCCOPY, 1), 0);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                EXPECT_EQ(canvas.Pixel(x, y), PictureColor(bits, x, y)) << x << "," << y;
        }
    }
    for (const char* rejected : {"im-v5.bmp", "im-rle.bmp"}) {
        CTqDib dib;
        EXPECT_EQ(GetFileAttributesA(InExchange(rejected).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
        EXPECT_EQ(dib.ReadBmpFile(InExchange(rejected).c_str()), 0) << rejected;
    }
}
