// BMP files exchanged with ImageMagick, an independent reader and writer.
// tqtest_graphics_imagemagick (ImageMagickExchange.cmake) runs these around
// ImageMagick in the folder TQ_BMP_EXCHANGE_DIR names:
//   1. WritesFilesForImageMagick: lib-<depth>-<up|down>.bmp written by the
//      library, each with its picture as GDI draws it (.rgb, top row first),
//      and im-<depth>.ppm with the same pictures for ImageMagick;
//   2. ImageMagick converts the first to RGB and the second to BMP3 files
//      (im-<depth>.bmp), plus one with a version 5 header (im-v5.bmp) and
//      one run-length compressed (im-rle.bmp);
//   3. ReadsFilesFromImageMagick: the library reads ImageMagick's BMP3 files
//      with the same pictures and rejects the other two.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "GraphicsSupport.h"
#include "TempFolder.h"

namespace {

const int kWidth = 13;  // odd, so that rows are padded
const int kHeight = 5;

std::string InExchange(const std::string& name)
{
    const char* dir = std::getenv("TQ_BMP_EXCHANGE_DIR");
    return dir ? dir + ("/" + name) : std::string();
}

// The picture GDI draws of dib, as red, green and blue bytes.
std::string DrawnRgb(const CTqDib& dib)
{
    Canvas canvas(kWidth, kHeight);
    EXPECT_GT(dib.StretchDIBits(canvas.Dc(), 0, 0, kWidth, kHeight, SRCCOPY, 1), 0);
    std::string rgb;
    for (COLORREF c : canvas.Pixels())
        rgb += {char(GetRValue(c)), char(GetGValue(c)), char(GetBValue(c))};
    return rgb;
}

}  // namespace

TEST(ImageMagickExchange, WritesFilesForImageMagick)
{
    if (InExchange("").empty())
        GTEST_SKIP() << "run by tqtest_graphics_imagemagick";
    // 5-bit channel values whose 8-bit forms agree whether a reader
    // replicates bits or rounds: 0, 8, 16, 33, 66, 132, 255.
    const unsigned char fiveBit[] = {0, 1, 2, 4, 8, 16, 31};
    // Palette colours far enough apart that ImageMagick's palette reduction
    // keeps every one exactly.
    const unsigned int cube[] = {1, 6, 36, 1};
    for (unsigned int bits : {1u, 4u, 8u, 16u, 24u, 32u}) {
        for (int topDown : {0, 1}) {
            CTqDib dib;
            ASSERT_EQ(dib.Create(kWidth, kHeight, bits, topDown), 1);
            auto* colours = reinterpret_cast<unsigned char*>(dib.GetBmpInfo()->bmiColors);
            for (unsigned int i = 0; bits <= 8 && i < (4u << bits); ++i)  // the 6 x 6 x 6 colour cube
                colours[i] = static_cast<unsigned char>(i % 4 == 3 ? 0 : i / 4 / cube[i % 4] % 6 * 51);
            for (unsigned int i = 0; i < dib.GetPitch() * kHeight; ++i)
                dib.GetPixels()[i] = static_cast<unsigned char>(i * 37 + 11);
            auto* words = reinterpret_cast<WORD*>(dib.GetPixels());
            for (unsigned int i = 0; bits == 16 && i < dib.GetPitch() * kHeight / 2; ++i)
                words[i] = WORD(fiveBit[i % 7] << 10 | fiveBit[i / 3 % 7] << 5 | fiveBit[i / 2 % 7]);
            const std::string name = "lib-" + std::to_string(bits) + (topDown ? "-down" : "-up");
            ASSERT_EQ(dib.WriteBmpFile(InExchange(name + ".bmp").c_str(), 0), 1);
            ASSERT_TRUE(std::ofstream(InExchange(name + ".rgb"), std::ios::binary) << DrawnRgb(dib));
            if (!topDown && bits != 16) {  // ImageMagick writes no 16-bit BMP3 files
                ASSERT_TRUE(std::ofstream(InExchange("im-" + std::to_string(bits) + ".ppm"), std::ios::binary)
                            << "P6\n" << kWidth << " " << kHeight << "\n255\n" << DrawnRgb(dib));
            }
        }
    }
}

TEST(ImageMagickExchange, ReadsFilesFromImageMagick)
{
    if (InExchange("").empty())
        GTEST_SKIP() << "run by tqtest_graphics_imagemagick";
    for (unsigned int bits : {1u, 4u, 8u, 24u, 32u}) {
        CTqDib dib;
        ASSERT_EQ(dib.ReadBmpFile(InExchange("im-" + std::to_string(bits) + ".bmp").c_str()), 1) << bits;
        EXPECT_EQ(std::vector<unsigned int>({dib.GetBitsPerPixel(), dib.GetWidth(), dib.GetHeight()}),
                  std::vector<unsigned int>({bits, kWidth, kHeight}));
        EXPECT_EQ(DrawnRgb(dib), TempFolder::ReadFile(InExchange("lib-" + std::to_string(bits) + "-up.rgb"))) << bits;
    }
    for (const char* rejected : {"im-v5.bmp", "im-rle.bmp"}) {
        CTqDib dib;
        EXPECT_EQ(GetFileAttributesA(InExchange(rejected).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
        EXPECT_EQ(dib.ReadBmpFile(InExchange(rejected).c_str()), 0) << rejected;
    }
}
