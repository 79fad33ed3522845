// CTqDib and the BMP functions on real memory, files and DCs; BMP files
// exchanged with ImageMagick.
#include <TqCommon.h>

#include <gtest/gtest.h>
#include <malloc.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "AssignToItself.h"
#include "GraphicsSupport.h"
#include "TempFolder.h"

namespace {

using Bytes = std::string;
using Sizes = std::vector<long long>;
const BYTE kOld = 0x11;  // every byte of an image before it is painted
const COLORREF kOldColor = RGB(kOld, kOld, kOld);
// Offsets of fields in a file.
enum : size_t { kBfSize = 2, kBfOffBits = 10, kBiSize = 14, kBiWidth = 18, kBiHeight = 22, kBiBitCount = 28,
                kBiCompression = 30, kBiClrUsed = 46 };

RGBQUAD Quad(int red, int green = 0x22, int blue = 0x33, int alpha = 0)
{
    return {BYTE(blue), BYTE(green), BYTE(red), BYTE(alpha)};
}

// A whole allocated block, so that its length counts as well.
Bytes Block(const void* block)
{
    return block ? Bytes(static_cast<const char*>(block), _msize(const_cast<void*>(block))) : Bytes();
}

Sizes SizesOf(const CTqDib& d)
{
    return {d.GetWidth(), d.GetHeight(), d.GetBitsPerPixel(), d.GetPitch(), d.IsTopDown(), d.IsValid()};
}

void CreateOld(CTqDib& dib, unsigned int width, unsigned int height, unsigned int bits, int topDown)
{
    ASSERT_EQ(dib.Create(width, height, bits, topDown), 1);
    std::memset(dib.GetPixels(), kOld, _msize(dib.GetPixels()));
}

void Put(Bytes& bytes, size_t offset, unsigned int value, size_t size = 4)
{
    for (size_t i = 0; i < size; ++i)
        bytes.at(offset + i) = static_cast<char>(value >> 8 * i);
}

struct Layout {
    LONG width, height;
    WORD bits;
    DWORD compression, colors;
    // Info size and image size by the documented rules, in 64 bits.
    unsigned long long InfoSize() const
    {
        return 40 + 4 * ((colors ? colors : bits <= 8 ? 1ull << bits : 0) + (compression == BI_BITFIELDS ? 3 : 0));
    }
    unsigned long long ImageSize() const { return (width * 1ull * bits + 31) / 32 * 4 * std::llabs(height); }
};

// A well-formed file: headers, then numbered bytes (and masks for bit fields).
Bytes MakeBmp(const Layout& l)
{
    Bytes bytes(14 + l.InfoSize() + l.ImageSize(), '\0');
    for (size_t i = 54; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + 3);
    // In order: each field written as 4 bytes, the next one overwriting any excess.
    const unsigned int fields[][2] = {
        {0, 0x4D42}, {kBfSize, unsigned(bytes.size())}, {kBfOffBits, 14 + unsigned(l.InfoSize())}, {kBiSize, 40},
        {kBiWidth, unsigned(l.width)}, {kBiHeight, unsigned(l.height)}, {26, 1}, {kBiBitCount, l.bits},
        {kBiCompression, l.compression}, {kBiClrUsed, l.colors}};
    for (const auto& field : fields)
        Put(bytes, field[0], field[1]);
    for (size_t i = 0; i < 3 && l.compression == BI_BITFIELDS; ++i)
        Put(bytes, 2 + l.InfoSize() + 4 * i, l.bits == 16 ? 0x7C00u >> 5 * i : 0xFF0000u >> 8 * i);
    return bytes;
}

// An accepted file: sizes that agree with its header, blocks of exactly
// those sizes (a whole BITMAPINFO and header at least) holding the file's bytes.
void ExpectConsistent(const Bytes& file, const Read& read)
{
    ASSERT_EQ(read.result, 1);
    const BITMAPINFOHEADER& h = read.info->bmiHeader;
    ASSERT_TRUE(h.biWidth > 0 && h.biHeight != 0 && h.biHeight != LONG_MIN);
    const Layout l = {h.biWidth, h.biHeight, h.biBitCount, h.biCompression, h.biClrUsed};
    ASSERT_EQ(14 + l.InfoSize() + l.ImageSize(), file.size());
    EXPECT_EQ(Block(read.info).size(), std::max({l.InfoSize(), 44ull, 0ull + h.biSize}));
    EXPECT_EQ(Block(read.info).substr(0, l.InfoSize()), file.substr(14, l.InfoSize()));
    EXPECT_EQ(Block(read.bits), file.substr(14 + l.InfoSize()));
}

}  // namespace

TEST(Dib, CreatesBlankImagesOfEveryDepthAndRefusesUnusableOnes)
{
    const unsigned int cases[][5] = {  // width, height, bits, top-down, pitch (0: refused)
        {3, 2, 24, 0, 12}, {1, 1, 32, 1, 4}, {16, 16, 8, 0, 16}, {33, 1, 1, 0, 8}, {5, 3, 4, 1, 4}, {5, 2, 16, 0, 12},
        {0, 1, 24, 1}, {1, 0, 24, 1}, {16, 16, 12, 1}, {16, 16, 0, 1}, {0x80000000u, 1, 1, 1}, {1, 0x80000000u, 1, 1},
        {65536, 65536, 8, 1}, {0x40000000u, 1, 32, 1}, {70000, 70000, 32, 1},  // bytes past 32 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c[0] << "x" << c[1] << "x" << c[2]);
        CTqDib dib;
        ASSERT_EQ(dib.Create(2, 2, 24, 1) + dib.Create(c[0], c[1], c[2], c[3]), c[4] ? 2 : 1);
        EXPECT_EQ(SizesOf(dib), c[4] ? Sizes({c[0], c[1], c[2], c[4], c[3], 1}) : Sizes({0, 0, 0, 0, 1, 0}));
        if (!c[4]) {
            EXPECT_FALSE(dib.GetPixels() || dib.GetBmpInfo());
            continue;
        }
        const BITMAPINFOHEADER& h = dib.GetBmpInfo()->bmiHeader;
        const DWORD compression = c[2] == 32 ? BI_BITFIELDS : BI_RGB;
        const Layout l = {LONG(c[0]), c[3] ? -LONG(c[1]) : LONG(c[1]), WORD(c[2]), compression, 0};
        EXPECT_EQ(Sizes({h.biSize, h.biWidth, h.biHeight, h.biPlanes, h.biBitCount, h.biCompression}),
                  Sizes({40, l.width, l.height, 1, l.bits, l.compression}));
        // A black colour table or the masks, then black pixels.
        const Bytes masks("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12), table(std::max(l.InfoSize(), 44ull) - 40, '\0');
        EXPECT_EQ(Block(dib.GetBmpInfo()).substr(40), c[2] == 32 ? masks : table);
        EXPECT_EQ((void*)dib.GetColorMasks(), c[2] == 32 ? dib.GetBmpInfo()->bmiColors : nullptr);
        EXPECT_EQ(Block(dib.GetPixels()), Bytes(l.ImageSize(), '\0'));
    }
}

TEST(Dib, FillsAndRampsTheRectangleClippedToThePicture)
{
    // On a 6 x 3 image. red: the fill's value, or the ramp's per column
    // (across) or row (down), -1 where clipped away; none: refused.
    enum Op { kFill, kAcross, kDown };
    const struct {
        Op op;
        RECT rect;  // all 0: the whole image
        int from, to;
        std::vector<int> red;
    } cases[] = {
        {kFill, {0, 0, 1, 1}, 9, 0, {9}}, {kFill, {-5, -5, 2, 3}, 9, 0, {9}}, {kFill, {}, 9, 0, {9}},
        {kFill, {3, 1, 100, 2}, 9, 0, {9}}, {kFill, {-1, 1, 10, 3}, 9, 0, {9}}, {kFill, {1, 1, 4, 3}, 9, 0, {9}},
        {kAcross, {0, 0, 4, 3}, 0, 255, {0, 63, 127, 191, -1, -1}},
        {kAcross, {0, 0, 4, 3}, 255, 0, {255, 192, 128, 64, -1, -1}},
        {kAcross, {-2, 0, 2, 3}, 0, 255, {127, 191, -1, -1, -1, -1}}, {kAcross, {}, 0, 255, {0, 42, 85, 127, 170, 212}},
        {kAcross, {2, 0, 3, 3}, 7, 200, {-1, -1, 7, -1, -1, -1}},
        {kAcross, {LONG_MIN, 0, LONG_MAX, 3}, 0, 255, {127, 127, 127, 127, 127, 127}},  // no overflow
        {kDown, {0, 0, 6, 3}, 0, 90, {0, 30, 60}}, {kDown, {0, -1, 6, 2}, 0, 90, {30, 60, -1}},
        {kDown, {}, 90, 0, {90, 60, 30}},
        {kFill, {6, 0, 8, 3}, 0, 0, {}}, {kAcross, {-3, -3, 0, 2}, 0, 0, {}}, {kFill, {1, 1, 1, 3}, 0, 0, {}},
        {kDown, {2, 2, 1, 1}, 0, 0, {}},
    };
    for (int variant = 0; variant < 4; ++variant) {  // 24 or 32 bits, bottom-up or top-down
        for (const auto& c : cases) {
            CTqDib dib;
            CreateOld(dib, 6, 3, variant < 2 ? 24 : 32, variant % 2);
            const RECT* rect = c.rect.right || c.rect.bottom ? &c.rect : nullptr;
            const int painted = c.op == kFill ? dib.FillRect(Quad(c.from), rect, 0)
                                              : dib.GradeRect(Quad(c.from), Quad(c.to), c.op == kDown, rect, 0);
            EXPECT_EQ(painted, c.red.empty() ? 0 : 1);
            Canvas canvas(6, 3);
            dib.StretchDIBits(canvas.Dc(), 0, 0, 6, 3, SRCCOPY, 1);
            EXPECT_EQ(canvas.Pixels(), Image(6, 3, [&](int x, int y) {
                          const POINT point = {x, y};
                          const int red = c.red.empty()     ? -1
                                          : c.op == kFill   ? c.red[0]
                                                            : c.red[c.op == kAcross ? x : y];
                          return red >= 0 && (!rect || PtInRect(rect, point)) ? RGB(red, 0x22, 0x33) : kOldColor;
                      })) << "variant " << variant << ", case " << &c - cases;
        }
    }
    for (unsigned int bits : {0u, 1u, 4u, 8u, 16u}) {  // only 24 and 32 bits are painted
        CTqDib dib;
        if (bits)
            CreateOld(dib, 4, 4, bits, 0);
        EXPECT_EQ(dib.FillRect(Quad(9), nullptr, 1) + dib.GradeRect(Quad(9), Quad(9), 1, nullptr, 1), 0) << bits;
        EXPECT_EQ(Block(dib.GetPixels()), Bytes(bits ? dib.GetPitch() * 4 : 0, kOld)) << bits;
    }
}

TEST(Dib, PaintsTheAlphaByteOnlyWhenAskedAtThirtyTwoBits)
{
    CTqDib rgb, argb;
    CreateOld(rgb, 1, 1, 24, 0);  // the fourth byte is padding
    ASSERT_EQ(rgb.FillRect(Quad(0x10, 0x20, 0x30, 0xAB), nullptr, 1), 1);
    EXPECT_EQ(Block(rgb.GetPixels()), Bytes("\x30\x20\x10\x11"));
    CreateOld(argb, 3, 1, 32, 1);
    const RGBQUAD black = Quad(0, 0, 0), opaque = Quad(0, 0, 0, 255), colour = Quad(0, 0, 0, 0xAB);
    ASSERT_EQ(argb.FillRect(colour, nullptr, 0) + argb.GradeRect(black, opaque, 0, nullptr, 0), 2);
    EXPECT_EQ(Block(argb.GetPixels()), Bytes("\0\0\0\x11\0\0\0\x11\0\0\0\x11", 12));
    ASSERT_EQ(argb.FillRect(colour, nullptr, 1), 1);
    EXPECT_EQ(Block(argb.GetPixels()), Bytes("\0\0\0\xAB\0\0\0\xAB\0\0\0\xAB", 12));
    ASSERT_EQ(argb.GradeRect(black, opaque, 0, nullptr, 1), 1);
    EXPECT_EQ(Block(argb.GetPixels()), Bytes("\0\0\0\0\0\0\0\x55\0\0\0\xAA", 12));
}

TEST(Dib, MakesAGreyImageOfTheFreeHighBits)
{
    const struct {
        DWORD masks[3], pixels[4];
        BYTE grey[4];
    } cases[] = {  // eight alpha bits, then two scaled to 0..255
        {{0xFF0000, 0xFF00, 0xFF}, {0xFF000000, 0x00FFFFFF, 0x80123456, 0x01000000}, {0, 255, 127, 254}},
        {{0x3FF00000, 0xFFC00, 0x3FF}, {3u << 30, 2u << 30 | 0x155, 1u << 30, 0x3FFFFFFF}, {0, 85, 170, 255}},
    };
    for (const auto& c : cases) {
        for (int topDown : {0, 1}) {
            CTqDib dib, out;
            ASSERT_EQ(dib.Create(4, 2, 32, topDown), 1);
            std::memcpy(dib.GetColorMasks(), c.masks, sizeof c.masks);
            std::memcpy(dib.GetPixels() + 16, c.pixels, sizeof c.pixels);  // the other row: 0, transparent
            ASSERT_EQ(dib.GetAlphaDib(out), 1);
            EXPECT_EQ(SizesOf(out), Sizes({4, 2, 24, 12, topDown, 1}));
            Bytes expected(12, '\xFF');
            for (BYTE grey : c.grey)
                expected.append(3, static_cast<char>(grey));
            EXPECT_EQ(Block(out.GetPixels()), expected) << std::hex << c.masks[0] << ", top-down " << topDown;
        }
    }
    // Two 16-bit pixels ending the buffer: 1-5-5-5, then 5-6-5 without free bits.
    TempFolder folder;
    CTqDib out;
    Bytes file = MakeBmp({2, 1, 16, BI_BITFIELDS, 0});
    for (const unsigned int redMask : {0x7C00u, 0xF800u}) {
        Put(file, 54, redMask);
        Put(file, 66, 0x80007FFF);
        CTqDib dib;
        ASSERT_EQ(dib.ReadBmpFile(folder.WriteFile("alpha16.bmp", file).c_str()), 1);
        EXPECT_EQ(dib.GetAlphaDib(out), redMask == 0x7C00 ? 1 : 0);
    }
    const Bytes grey("\xFF\xFF\xFF\0\0\0\0\0", 8);
    EXPECT_EQ(Block(out.GetPixels()), grey);
    // Refused, out left alone: no masks, no image, itself (and no free bits, above).
    CTqDib rgb, empty;
    ASSERT_EQ(rgb.Create(2, 2, 24, 0), 1);
    EXPECT_EQ(rgb.GetAlphaDib(out) + empty.GetAlphaDib(out) + out.GetAlphaDib(out), 0);
    EXPECT_EQ(Block(out.GetPixels()), grey);
}

TEST(Dib, DrawsTheWholeImageStretchedOrARegionInPlace)
{
    const auto colourAt = [](int x, int y) { return RGB(40 * x, 60 * y, 7); };
    // Regions of the image placed at (0, 0) repainted in place; none from outside the image.
    const RECT regions[] = {{1, 1, 3, 3}, {0, 1, 4, 2}, {2, 0, 3, 3}, {3, 2, 8, 6}, {4, 0, 6, 2}, {0, -3, 2, -1},
                            {INT_MIN, 0, INT_MIN + 2, 2}};
    for (int topDown : {0, 1}) {
        CTqDib dib;
        ASSERT_EQ(dib.Create(4, 3, 32, topDown), 1);
        for (LONG i = 0; i < 12; ++i) {
            const RECT pixel = {i % 4, i / 4, i % 4 + 1, i / 4 + 1};
            dib.FillRect(Quad(40 * (i % 4), 60 * (i / 4), 7), &pixel, 0);
        }
        Canvas canvas(8, 6, kOldColor);
        EXPECT_GT(dib.StretchDIBits(canvas.Dc(), 0, 0, 8, 6, SRCCOPY, 1), 0);
        EXPECT_EQ(canvas.Pixels(), Image(8, 6, [&](int x, int y) { return colourAt(x / 2, y / 2); }));
        for (const RECT& r : regions) {
            Canvas region(8, 6, kOldColor);
            const bool inside = r.left >= 0 && r.left < 4 && r.top >= 0 && r.top < 3;
            const int width = r.right - r.left, height = r.bottom - r.top;
            const int lines = dib.StretchDIBits(region.Dc(), r.left, r.top, width, height, SRCCOPY, 0);
            EXPECT_EQ(lines > 0, inside);
            EXPECT_EQ(region.Pixels(), Image(8, 6, [&](int x, int y) {
                          const POINT point = {x, y};
                          return inside && PtInRect(&r, point) && x < 4 && y < 3 ? colourAt(x, y) : kOldColor;
                      })) << r.left << "," << r.top << ", top-down " << topDown;
        }
    }
    Canvas canvas(2, 2);
    EXPECT_EQ(CTqDib().StretchDIBits(canvas.Dc(), 0, 0, 2, 2, SRCCOPY, 1), 0);
}

TEST(BmpFile, PitchesAndFreeMaskBits)
{
    const unsigned int pitches[][4] = {  // width, bits, alignment, pitch
        {3, 24, 32, 12}, {1, 1, 32, 4}, {33, 1, 32, 8}, {5, 16, 16, 10}, {4, 32, 32, 16}, {0, 24, 32, 0}, {7, 4, 8, 4},
        {0x10000000u, 32, 32, 0x40000000u}, {0xFFFFFFFFu, 8, 32, 0}, {0x40000000u, 32, 32, 0}, {3, 24, 0, 0},
    };
    for (const auto& c : pitches)
        EXPECT_EQ(TqGetBmpPitch(c[0], c[1], c[2]), c[3]) << c[0] << " x " << c[1] << " / " << c[2];
    const unsigned long masks[][3] = {  // colour mask, alpha mask, free bits
        {0x00FFFFFF, 0xFF000000, 8}, {0x00007FFF, 0xFFFF8000, 17}, {0x80000000, 0, 0}, {0, 0xFFFFFFFF, 32},
        {0x0000FFFF, 0xFFFF0000, 16}, {0x00000001, 0xFFFFFFFE, 31}, {0x3FF00001, 0xC0000000, 2},
    };
    for (const auto& c : masks) {
        unsigned long alphaMask = 0x12345678;
        EXPECT_EQ(TqGetBmpAlphaMask(alphaMask, c[0]), c[2]) << std::hex << c[0];
        EXPECT_EQ(alphaMask, c[1]) << std::hex << c[0];
    }
}

TEST(BmpFile, AcceptsOnlyFilesWhoseSizesAgreeExactly)
{
    // Each case breaks one rule of a valid 3 x 2, 24-bit file of 78 bytes,
    // resized to length; several wrap round, in 32 bits, to exactly the
    // bytes the file holds. The writer refuses the same headers, creating
    // no file.
    const struct {
        size_t length;
        std::vector<std::pair<size_t, unsigned int>> fields;
    } cases[] = {
        {54, {{kBiWidth, 0}, {kBfSize, 54}}}, {78, {{kBiWidth, -3u}}}, {54, {{kBiHeight, 0}, {kBfSize, 54}}},
        {54, {{kBiHeight, 0x80000000u}, {kBfSize, 54}}}, {78, {{kBiClrUsed, 0x40000000u}}},
        {78, {{kBiWidth, (1u << 29) + 3}}}, {78, {{kBiHeight, (1u << 30) + 2}}}, {79, {}}, {79, {{kBfSize, 79}}},
        {77, {}}, {77, {{kBfSize, 77}}}, {78, {{kBfOffBits, 58}}}, {78, {{kBiBitCount, 0}}},
        {78, {{kBiCompression, BI_RLE8}}}, {78, {{kBiSize, 12}}}, {78, {{kBiSize, 0x10000}}},
        {146, {{kBiSize, 108}, {kBfOffBits, 122}, {kBfSize, 146}}}, {20, {{kBfSize, 20}}}, {0, {}},  // 146: version 4
    };
    TempFolder folder;
    const std::string refused = folder / "refused.bmp";
    const Bytes valid = MakeBmp({3, 2, 24, BI_RGB, 0});
    // The info block of a file (offset 14), copied out to a block of its own;
    // null for none.
    const auto write = [&](const std::string& path, const Bytes* file, const void* bits) {
        const Bytes info = file ? file->substr(14) : Bytes();
        return TqWriteBmpFile(path.c_str(), file ? reinterpret_cast<const BITMAPINFO*>(info.data()) : nullptr,
                              (const unsigned char*)bits, 0);
    };
    for (const auto& c : cases) {
        Bytes bytes = valid;
        bytes.resize(c.length);
        for (const auto& field : c.fields)
            Put(bytes, field.first, field.second);
        const std::string path = folder.WriteFile("rejected.bmp", bytes);
        EXPECT_TRUE(Read(TqReadBmpFile, path.c_str()).Untouched()) << "case " << &c - cases;
        if (!c.fields.empty() && c.fields[0].first >= kBiSize) {
            EXPECT_EQ(write(refused, &bytes, &valid[54]), 0) << "case " << &c - cases;
        }
    }
    EXPECT_TRUE(Read(TqReadBmpFile, (folder / "missing.bmp").c_str()).Untouched());
    EXPECT_EQ(write(refused, nullptr, &valid[54]) + write(refused, &valid, nullptr), 0);
    // An empty image writes nothing; a failed read leaves the image empty.
    CTqDib dib;
    ASSERT_EQ(dib.Create(2, 2, 24, 1), 1);
    dib = CTqDib();
    EXPECT_EQ(dib.WriteBmpFile(refused.c_str(), 0), 0);
    ASSERT_EQ(dib.Create(2, 2, 24, 1), 1);
    EXPECT_EQ(dib.ReadBmpFile(refused.c_str()), 0);
    EXPECT_EQ(SizesOf(dib), Sizes({0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(GetFileAttributesA(refused.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(write(refused + "\\x.bmp", &valid, &valid[54]), 0);
}

// A 52- or 56-byte header (versions 2 and 3) of a bit-field image without a
// colour table: its masks are the bytes that follow a 40-byte header, where
// GDI reads them, inside the block (0 for the alpha mask the file does not
// hold).
TEST(BmpFile, AcceptsBitFieldHeadersThatHoldExactlyTheirMasks)
{
    const struct {
        DWORD size, compression, colors;
        int accepted;
    } cases[] = {
        {40, BI_BITFIELDS, 0, 1}, {52, BI_BITFIELDS, 0, 1}, {56, BI_BITFIELDS, 0, 1}, {52, BI_BITFIELDS, 2, 0},
        {56, BI_BITFIELDS, 1, 0}, {52, BI_RGB, 0, 0},       {64, BI_BITFIELDS, 0, 0},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes, compression " << c.compression);
        Bytes file = MakeBmp({3, 2, 32, c.compression, c.colors});
        Put(file, kBiSize, c.size);
        const std::string path = folder.WriteFile("header.bmp", file);
        const Read read(TqReadBmpFile, path.c_str());
        if (!c.accepted) {
            EXPECT_TRUE(read.Untouched());
            continue;
        }
        ExpectConsistent(file, read);
        EXPECT_EQ(Block(read.info).substr(52), Bytes(c.size - std::min(c.size, 52ul), '\0'));
    }
}

// Well-formed files of every layout, then mutants of them. What is accepted
// is consistent, stays in bounds in the image class and is written back byte
// for byte (the reserved fields as 0) by TqWriteBmpFile, and by copies of the
// image after the original has gone.
TEST(BmpFile, MutatedFilesNeverCrashAndWhatIsAcceptedIsConsistentAndWrittenBack)
{
    const Layout seeds[] = {
        {3, 2, 24, BI_RGB, 0}, {5, 3, 1, BI_RGB, 0}, {4, 4, 4, BI_RGB, 3}, {2, 5, 8, BI_RGB, 0},
        {3, -3, 16, BI_BITFIELDS, 0}, {2, 2, 32, BI_BITFIELDS, 0}, {6, 1, 32, BI_RGB, 0}, {1, -3, 8, BI_RGB, 2},
        {7, 2, 16, BI_RGB, 0}, {3, 1, 24, BI_RGB, 2},  // a colour table above 8 bits too
    };
    const int kSeeds = 10, kMutants = 12000;
    // Values that break size arithmetic: zero, signs, limits, wrapping factors.
    const unsigned int interesting[] = {0, 1, 2, 3, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFFEu, 0x40000000u,
                                        0x40000002u, 0x20000003u, 0x10000000u, 0xFFFF, 0x10000, 54, BI_BITFIELDS};
    const size_t fields[] = {kBfSize, kBfOffBits, kBiSize, kBiWidth, kBiHeight, kBiCompression, kBiClrUsed};
    std::mt19937 random(20240611);
    const auto below = [&random](size_t n) { return static_cast<size_t>(random() % n); };
    TempFolder folder;
    const std::string written = folder / "written.bmp", copied = folder / "copied.bmp";
    const std::string assigned = folder / "assigned.bmp";
    int accepted = 0;
    for (int i = 0; i < kMutants; ++i) {
        Bytes bytes = MakeBmp(seeds[i % kSeeds]);
        for (size_t m = i < kSeeds ? 3 : below(3); m < 3 && bytes.size() >= 54; ++m) {
            switch (below(7)) {
            case 0: bytes[below(std::min<size_t>(bytes.size(), 70))] = static_cast<char>(random()); break;
            case 1: Put(bytes, fields[below(7)], interesting[below(16)]); break;
            case 2: Put(bytes, kBiBitCount, interesting[below(16)] % 40, 2); break;
            case 3: bytes.resize(below(bytes.size() + 1)); break;
            case 4: bytes.append(1 + below(8), static_cast<char>(random())); break;
            case 5: bytes[below(bytes.size())] ^= static_cast<char>(1u << below(8)); break;
            default: Put(bytes, fields[below(7)], static_cast<unsigned int>(random())); break;
            }
        }
        if (i >= kSeeds && bytes.size() >= 14 && random() % 2)  // so that more get past the first check
            Put(bytes, kBfSize, static_cast<unsigned int>(bytes.size()));
        const std::string path = folder.WriteFile("mutant.bmp", bytes);
        const Read read(TqReadBmpFile, path.c_str());
        EXPECT_TRUE(i >= kSeeds || read.result) << "seed " << i;
        if (read.Untouched())
            continue;
        ++accepted;
        ExpectConsistent(bytes, read);
        auto dib = std::make_unique<CTqDib>();
        ASSERT_EQ(dib->ReadBmpFile(path.c_str()), 1);
        const CTqDib copy(*dib);
        const BITMAPINFOHEADER& h = read.info->bmiHeader;
        EXPECT_EQ(SizesOf(copy), Sizes({h.biWidth, std::llabs(h.biHeight), h.biBitCount,
                                        (h.biWidth * 1ll * h.biBitCount + 31) / 32 * 4, h.biHeight < 0, 1}));
        CTqDib other;
        ASSERT_EQ(other.Create(10, 10, 24, 0), 1);
        other = copy;
        AssignToItself(other);
        EXPECT_NE(copy.GetPixels(), other.GetPixels());
        dib.reset();
        ASSERT_EQ(TqWriteBmpFile(written.c_str(), read.info, read.bits, i % 2) + copy.WriteBmpFile(copied.c_str(), 0) +
                      other.WriteBmpFile(assigned.c_str(), 1),
                  3);
        Put(bytes, 0, 0x4D42, 2);  // the signature is not examined
        Put(bytes, 6, 0);
        EXPECT_EQ(TempFolder::ReadFile(written) + TempFolder::ReadFile(copied) + TempFolder::ReadFile(assigned),
                  bytes + bytes + bytes);
        // What the image class does with an accepted file stays in bounds.
        const RECT all = {-1, -1, 100, 100};
        other.FillRect({1, 2, 3, 4}, &all, 1);
        other.GradeRect({0, 0, 0, 0}, {255, 255, 255, 255}, i % 2, &all, 0);
        CTqDib alpha;
        other.GetAlphaDib(alpha);
        Canvas canvas(4, 4);
        other.StretchDIBits(canvas.Dc(), 1, 1, 8, 8, SRCCOPY, 0);
        copy.StretchDIBits(canvas.Dc(), 0, 0, 4, 4, SRCCOPY, 1);
        if (HasFailure())
            FAIL() << "mutant " << i;
    }
    EXPECT_GT(accepted, kMutants / 20);  // meaningful only if both outcomes occur in numbers
    EXPECT_LT(accepted, kMutants / 2);
    HANDLE heaps[64];
    for (DWORD h = 0, count = GetProcessHeaps(64, heaps); h < count && h < 64; ++h)
        EXPECT_TRUE(HeapValidate(heaps[h], 0, nullptr)) << "heap " << h;
}

// BMP files exchanged with ImageMagick, an independent reader and writer.
// tqtest_graphics_imagemagick (ImageMagickExchange.cmake) runs these around
// ImageMagick in the folder TQ_EXCHANGE_DIR names:
//   1. WritesFilesForImageMagick: lib-<depth>.bmp written by the
//      library, each with its picture as GDI draws it (.rgb, top row first),
//      and im-<depth>.ppm with the same pictures for ImageMagick;
//   2. ImageMagick converts the first to RGB and the second to BMP3 files
//      (im-<depth>.bmp);
//   3. ReadsFilesFromImageMagick: the library reads ImageMagick's BMP3 files
//      with the same pictures.
namespace {

const int kWidth = 13;  // odd, so that rows are padded
const int kHeight = 5;

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
        CTqDib dib;
        ASSERT_EQ(dib.Create(kWidth, kHeight, bits, 0), 1);
        auto* colours = reinterpret_cast<unsigned char*>(dib.GetBmpInfo()->bmiColors);
        for (unsigned int i = 0; bits <= 8 && i < (4u << bits); ++i)  // the 6 x 6 x 6 colour cube
            colours[i] = static_cast<unsigned char>(i % 4 == 3 ? 0 : i / 4 / cube[i % 4] % 6 * 51);
        for (unsigned int i = 0; i < dib.GetPitch() * kHeight; ++i)
            dib.GetPixels()[i] = static_cast<unsigned char>(i * 37 + 11);
        auto* words = reinterpret_cast<WORD*>(dib.GetPixels());
        for (unsigned int i = 0; bits == 16 && i < dib.GetPitch() * kHeight / 2; ++i)
            words[i] = WORD(fiveBit[i % 7] << 10 | fiveBit[i / 3 % 7] << 5 | fiveBit[i / 2 % 7]);
        const std::string name = "lib-" + std::to_string(bits);
        ASSERT_EQ(dib.WriteBmpFile(InExchange(name + ".bmp").c_str(), 0), 1);
        ASSERT_TRUE(std::ofstream(InExchange(name + ".rgb"), std::ios::binary) << DrawnRgb(dib));
        if (bits != 16) {  // ImageMagick writes no 16-bit BMP3 files
            ASSERT_TRUE(std::ofstream(InExchange("im-" + std::to_string(bits) + ".ppm"), std::ios::binary)
                        << "P6\n" << kWidth << " " << kHeight << "\n255\n" << DrawnRgb(dib));
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
        EXPECT_EQ(dib.GetBitsPerPixel(), bits);  // the size shows in the picture
        EXPECT_EQ(DrawnRgb(dib), TempFolder::ReadFile(InExchange("lib-" + std::to_string(bits) + ".rgb"))) << bits;
    }
}
