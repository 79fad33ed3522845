// Image files of the common formats through the system's imaging component:
// reference files made by ImageMagick (images/, see make_images.sh) against
// ImageMagick's own decodes, files written by the library read back, bad
// input, the thread's COM state and double-byte paths.
//
// tqtest_graphics_images (ImageFileExchange.cmake) also runs the
// ImageFileExchange tests around ImageMagick in the folder TQ_EXCHANGE_DIR
// names: the library writes lib.<png|bmp|jpg|tif> and the picture it meant
// (lib.bgra); ImageMagick reports each file's format and size (.id) and
// decodes it (.im.bgra); the library compares.
#include <TqCommon.h>

#include <gtest/gtest.h>
#include <malloc.h>
#include <objbase.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "CodePage.h"
#include "GraphicsSupport.h"
#include "TempFolder.h"

namespace {

using Bytes = std::string;
using Pixels = std::vector<DWORD>;  // 0xAARRGGBB (B, G, R, A in memory), top row first

const std::string kImages = "Z:" TQ_TEST_SOURCE_DIR "/images/";  // Wine's Z: is the Linux root

// The reference files: size, and the largest and mean differences allowed
// from ImageMagick's decode (16-bit channels are rounded differently, JPEG
// decoders differ a little).
const struct {
    const char* name;
    LONG width, height;
    int largest;
    double mean;
} kReferences[] = {
    {"alpha.png", 23, 15, 0, 0},  {"palette.png", 23, 15, 0, 0}, {"deep.png", 23, 15, 1, 1},
    {"photo.jpg", 23, 15, 15, 2}, {"anim.gif", 23, 15, 0, 0},    {"pages.tif", 23, 15, 0, 0},
    {"v4.bmp", 23, 15, 0, 0},     {"v5.bmp", 23, 15, 0, 0},      {"rle8.bmp", 23, 15, 0, 0},
    {"icon.ico", 16, 16, 0, 0},   {"topdown.bmp", 23, 15, 0, 0},
};

// TqReadImageFile of path.
struct Loaded : Read {
    explicit Loaded(const char* path) : Read(TqReadImageFile, path) {}
    const BITMAPINFOHEADER& Header() const { return info->bmiHeader; }
    // The picture, top row first.
    Pixels Picture() const
    {
        const LONG w = Header().biWidth, h = Header().biHeight;
        Pixels pixels(static_cast<size_t>(w) * h);
        for (LONG y = 0; y < h; ++y)
            std::memcpy(&pixels[size_t(y) * w], bits + size_t(h - 1 - y) * w * 4, size_t(w) * 4);
        return pixels;
    }
};

// What a successful read promises: a 40-byte 32-bit BI_RGB header in a block
// as long as a BITMAPINFO, and exactly width x height x 4 bytes of pixels.
void ExpectSane(const Loaded& read)
{
    ASSERT_EQ(read.result, 1);
    const BITMAPINFOHEADER& h = read.Header();
    ASSERT_TRUE(h.biWidth > 0 && h.biHeight > 0);
    const DWORD size = DWORD(h.biWidth) * DWORD(h.biHeight) * 4;
    const BITMAPINFOHEADER expected = {40, h.biWidth, h.biHeight, 1, 32, BI_RGB, size, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&h, &expected, sizeof h), 0);
    EXPECT_EQ(_msize(read.info), sizeof(BITMAPINFO));
    EXPECT_EQ(_msize(read.bits), size);
}

Pixels FromBytes(const Bytes& bytes)
{
    Pixels pixels(bytes.size() / 4);
    std::memcpy(pixels.data(), bytes.data(), pixels.size() * 4);
    return pixels;
}

// Largest and mean difference of the channels of two pictures (256 for
// pictures of different sizes); alpha too unless colourOnly.
struct Difference { int largest; double mean; };

Difference Compare(const Pixels& a, const Pixels& b, bool colourOnly = false)
{
    Difference d = {256, 256};
    if (a.size() != b.size() || a.empty())
        return d;
    const int channels = colourOnly ? 3 : 4;
    long long total = 0;
    d.largest = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        for (int c = 0; c < channels; ++c) {
            const int diff = std::abs(int(a[i] >> 8 * c & 0xFF) - int(b[i] >> 8 * c & 0xFF));
            d.largest = std::max(d.largest, diff);
            total += diff;
        }
    }
    d.mean = double(total) / (a.size() * channels);
    return d;
}

// A picture of width x height in a CTqDib of the given depth, smooth enough
// for JPEG: horizontal colour ramps, through the colour table at 1 to 8 bits;
// at 32 bits alpha grows downwards unless opaque is asked for (fourth bytes
// 0, as GDI leaves them).
void Paint(CTqDib& dib, unsigned int bits, int topDown, bool alpha)
{
    const unsigned int w = 37, h = 21;
    ASSERT_EQ(dib.Create(w, h, bits, topDown), 1);
    const unsigned int colours = bits <= 8 ? 1u << bits : 0;
    for (unsigned int i = 0; i < colours; ++i)
        dib.GetBmpInfo()->bmiColors[i] = {BYTE(255 * i / (colours - 1)), BYTE(80 + 100 * i / colours), 200, 0};
    for (unsigned int y = 0; y < h; ++y) {
        unsigned char* row = dib.GetPixels() + (topDown ? y : h - 1 - y) * dib.GetPitch();
        for (unsigned int x = 0; x < w; ++x) {
            if (colours) {
                const unsigned int index = x * colours / w, shift = 8 - bits - (x * bits) % 8;
                row[x * bits / 8] |= BYTE(index << shift);
            } else if (bits == 16) {
                const WORD five = WORD(x * 31 / (w - 1));
                reinterpret_cast<WORD*>(row)[x] = WORD(five << 10 | (31 - five) << 5 | 16);
            } else {
                unsigned char* p = row + x * bits / 8;
                p[0] = BYTE(x * 255 / (w - 1)), p[1] = BYTE(255 - x * 6), p[2] = BYTE(40 + y * 8);
                if (bits == 32)
                    p[3] = alpha ? BYTE(y * 255 / (h - 1)) : 0;
            }
        }
    }
}

// The picture of dib as GDI draws it (alpha 255), with the alpha of its
// fourth bytes at 32 bits when they are not all 0: what a file should hold.
Pixels Expected(const CTqDib& dib, bool alpha)
{
    const int w = int(dib.GetWidth()), h = int(dib.GetHeight());
    Canvas canvas(w, h);
    EXPECT_EQ(dib.StretchDIBits(canvas.Dc(), 0, 0, w, h, SRCCOPY, 1), h);
    Pixels pixels;
    for (COLORREF c : canvas.Pixels())
        pixels.push_back(0xFF000000u | SwapRedBlue(c));
    for (int i = 0; alpha && i < w * h; ++i) {
        const int y = i / w, row = dib.IsTopDown() ? y : h - 1 - y;
        pixels[i] = (pixels[i] & 0xFFFFFF) | DWORD(dib.GetPixels()[row * dib.GetPitch() + i % w * 4 + 3]) << 24;
    }
    return pixels;
}

}  // namespace

TEST(ImageFile, ReadsEveryReferenceFileAsImageMagickDoes)
{
    for (const auto& f : kReferences) {
        SCOPED_TRACE(f.name);
        const std::string path = kImages + f.name;
        const Loaded read(path.c_str());
        ExpectSane(read);
        const Difference d = Compare(read.Picture(), FromBytes(TempFolder::ReadFile(path + ".bgra")));
        EXPECT_LE(d.largest, f.largest);
        EXPECT_LE(d.mean, f.mean);
        // The image class holds the same picture, bottom-up at 32 bits; so does a copy.
        CTqDib dib;
        ASSERT_EQ(dib.Create(2, 2, 8, 1) + dib.ReadImageFile(path.c_str()), 2);
        const CTqDib copy(dib);
        EXPECT_EQ(std::vector<unsigned int>({copy.GetWidth(), copy.GetHeight(), copy.GetBitsPerPixel(),
                                             copy.GetPitch(), unsigned(copy.IsTopDown())}),
                  std::vector<unsigned int>({unsigned(f.width), unsigned(f.height), 32, unsigned(f.width) * 4, 0}));
        EXPECT_TRUE(!std::memcmp(copy.GetBmpInfo(), read.info, sizeof(BITMAPINFO)) &&
                    !std::memcmp(copy.GetPixels(), read.bits, _msize(read.bits)));
    }
}

// Every format from every depth, under names of any case, JPEG at the
// default quality and at 90; Japanese names and folders too ("表" ends in
// 0x5C, a backslash when taken byte by byte).
TEST(ImageFile, WritesEveryFormatFromEveryDepthAndReadsItBack)
{
    TempFolder folder;
    const std::string hyo = Cp932("表");
    ASSERT_TRUE(CreateDirectoryA((folder / hyo).c_str(), nullptr));
    int count = 0;
    const std::vector<std::string> names = {"a.png", "b.BMP",  "c.jpg",      "d.Jpeg",
                                            "e.tif", "f.TIFF", hyo + ".png", hyo + "\\" + hyo + ".jpg"};
    for (const std::string& name : names) {
        const std::string ext = name.substr(name.rfind('.') + 1);
        const bool lossy = ext == "jpg" || ext == "Jpeg", keepsAlpha = ext == "png" || ext == "tif" || ext == "TIFF";
        for (unsigned int bits : {1u, 4u, 8u, 16u, 24u, 32u, 33u}) {  // 33: 32 bits, fourth bytes 0
            SCOPED_TRACE(testing::Message() << name << " " << bits);
            CTqDib dib;
            const int topDown = count++ % 2;
            Paint(dib, std::min(bits, 32u), topDown, bits == 32);
            const std::string path = folder / name;
            ASSERT_EQ(dib.WriteImageFile(path.c_str(), ext == "Jpeg" ? 90 : 0), 1) << GetLastError();
            const Loaded read(path.c_str());
            ExpectSane(read);
            EXPECT_LE(Compare(read.Picture(), Expected(dib, bits == 32 && keepsAlpha), bits == 32 && !keepsAlpha).mean,
                      lossy ? 4 : 0);
            // BMP files are strict enough for the library's own BMP reader.
            if (ext == "BMP") {
                EXPECT_EQ(CTqDib().ReadBmpFile(path.c_str()), 1);
            }
        }
    }
}

TEST(ImageFile, RefusesBadFilesLeavingThePointersAlone)
{
    const Bytes png = TempFolder::ReadFile(kImages + "alpha.png");
    // A BMP header of 40000 x 30000 pixels: 4.8 GB at 32 bits.
    Bytes bmp = TempFolder::ReadFile(kImages + "topdown.bmp");
    std::memcpy(&bmp[18], "\x40\x9C\0\0\x30\x75\0\0", 8);
    const Bytes empty, text = "not a picture", cutPng = png.substr(0, png.size() / 2);
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryA((folder / "folder.png").c_str(), nullptr));
    // A damaged file (cut.png) may look like no format.
    const struct {
        const char* name;  // null: a null path
        const Bytes* bytes;  // null: no file made
        std::vector<DWORD> errors;
    } cases[] = {
        {"empty.png", &empty, {ERROR_BAD_FORMAT}}, {"text.jpg", &text, {ERROR_BAD_FORMAT}},
        {"cut.png", &cutPng, {ERROR_BAD_FORMAT, ERROR_INVALID_DATA}}, {"huge.bmp", &bmp, {ERROR_ARITHMETIC_OVERFLOW}},
        {"missing.png", nullptr, {ERROR_FILE_NOT_FOUND}}, {"missing\\a.png", nullptr, {ERROR_PATH_NOT_FOUND}},
        {"folder.png", nullptr, {ERROR_ACCESS_DENIED}}, {"\x81", nullptr, {ERROR_NO_UNICODE_TRANSLATION}},
        {nullptr, nullptr, {ERROR_INVALID_PARAMETER}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "null");
        const std::string path = c.name ? folder / c.name : "";
        if (c.bytes)
            folder.WriteFile(c.name, *c.bytes);
        const Loaded read(c.name ? path.c_str() : nullptr);
        EXPECT_TRUE(read.Untouched());
        EXPECT_NE(std::find(c.errors.begin(), c.errors.end(), read.error), c.errors.end()) << read.error;
        CTqDib dib;
        ASSERT_EQ(dib.Create(4, 4, 24, 1), 1);
        EXPECT_EQ(dib.ReadImageFile(c.name ? path.c_str() : nullptr), 0);
        EXPECT_FALSE(dib.IsValid() || dib.GetWidth() || dib.GetHeight() || dib.GetBitsPerPixel());
    }
}

TEST(ImageFile, WritingFailsCleanlyLeavingNoFileBehind)
{
    TempFolder folder;
    CTqDib dib;
    Paint(dib, 8, 0, false);
    ASSERT_TRUE(CreateDirectoryA((folder / "folder.png").c_str(), nullptr));
    // Open without sharing deletion, so that it cannot be replaced.
    const std::string kept = folder.WriteFile("kept.png", "old bytes");
    const HANDLE lock = CreateFileA(kept.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const Bytes valid = Bytes(reinterpret_cast<const char*>(dib.GetBmpInfo()), _msize(dib.GetBmpInfo()));
    enum : size_t { kNoInfo = 1, kNoBits = 2, kWidth = 4, kHeight = 8, kBitCount = 14, kCompression = 16 };
    const struct {
        const char* name;  // null: a null path
        size_t field;      // of the header, set to value; kNoInfo, kNoBits: that pointer null
        DWORD value;
        int quality;
        DWORD error;
    } cases[] = {
        {"a.gif", 0, 0, 0, ERROR_NOT_SUPPORTED}, {"png", 0, 0, 0, ERROR_NOT_SUPPORTED},
        {"a.png.txt", 0, 0, 0, ERROR_NOT_SUPPORTED}, {"a.png\\b", 0, 0, 0, ERROR_NOT_SUPPORTED},
        {nullptr, 0, 0, 0, ERROR_INVALID_PARAMETER}, {"q.jpg", 0, 0, 101, ERROR_INVALID_PARAMETER},
        {"n.png", kNoInfo, 0, 0, ERROR_INVALID_PARAMETER}, {"n.png", kNoBits, 0, 0, ERROR_INVALID_PARAMETER},
        {"q.jpg", 0, 0, -1, ERROR_INVALID_PARAMETER}, {"rle.bmp", kCompression, BI_RLE8, 0, ERROR_INVALID_PARAMETER},
        {"w.png", kWidth, 0, 0, ERROR_INVALID_PARAMETER}, {"h.png", kHeight, 0, 0, ERROR_INVALID_PARAMETER},
        {"b.png", kBitCount, 12, 0, ERROR_INVALID_PARAMETER}, {"f.png", kCompression, BI_BITFIELDS, 0, ERROR_INVALID_PARAMETER},
        {"big.png", kWidth, 0x40000000, 0, ERROR_ARITHMETIC_OVERFLOW}, {"missing\\a.png", 0, 0, 0, ERROR_PATH_NOT_FOUND},
        {"folder.png", 0, 0, 0, ERROR_ACCESS_DENIED}, {"kept.png", 0, 0, 0, ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "null");
        Bytes info = valid;
        std::memcpy(&info[c.field], &c.value, c.field > kNoBits ? 4 : 0);
        const std::string path = c.name ? folder / c.name : "";
        SetLastError(0xDEADBEEF);
        const auto* header = c.field == kNoInfo ? nullptr : reinterpret_cast<const BITMAPINFO*>(info.data());
        const unsigned char* bits = c.field == kNoBits ? nullptr : dib.GetPixels();
        EXPECT_EQ(TqWriteImageFile(c.name ? path.c_str() : nullptr, header, bits, c.quality), 0);
        EXPECT_EQ(GetLastError(), c.error);
        // Nothing but what was there before.
        EXPECT_EQ(folder.List(), std::vector<std::string>({"folder.png", "kept.png"}));
        EXPECT_EQ(TempFolder::ReadFile(kept), "old bytes");
    }
    CloseHandle(lock);
    // An existing file is replaced whole.
    ASSERT_EQ(dib.WriteImageFile((folder / "fresh.png").c_str(), 0), 1);
    folder.WriteFile("whole.png", Bytes(100000, 'x'));
    ASSERT_EQ(dib.WriteImageFile((folder / "whole.png").c_str(), 0), 1);
    EXPECT_EQ(TempFolder::ReadFile(folder / "whole.png"), TempFolder::ReadFile(folder / "fresh.png"));
}

TEST(ImageFile, MutatedFilesNeverCrashAndWhatIsReadIsSane)
{
    const int kMutantsPerSeed = 80;
    const std::vector<DWORD> kDamaged = {ERROR_BAD_FORMAT, ERROR_INVALID_DATA, ERROR_NOT_ENOUGH_MEMORY,
                                         ERROR_ARITHMETIC_OVERFLOW};
    std::mt19937 random(20240612);
    const auto below = [&random](size_t n) { return static_cast<size_t>(random() % n); };
    TempFolder folder;
    int accepted = 0, refused = 0;
    for (const auto& reference : kReferences) {
        const char* seed = reference.name;
        const std::string ext = std::strrchr(seed, '.');
        const Bytes original = TempFolder::ReadFile(kImages + seed);
        for (int i = 0; i < kMutantsPerSeed; ++i) {
            Bytes bytes = original;
            // Headers matter most: half the changes fall in the first 64 bytes.
            for (size_t m = 0, count = 1 + below(4); m < count; ++m) {
                const size_t at = below(2) ? below(std::min<size_t>(64, bytes.size())) : below(bytes.size());
                if (below(3))
                    bytes[at] ^= char(1 << below(8));
                else
                    bytes[at] = char(random());
            }
            if (below(8) == 0)
                bytes.resize(below(bytes.size()));
            // A BMP file claiming 3 GB of pixels is decoded, for a minute:
            // its size fields stay (the size limit is tested above).
            if (ext == ".bmp" && bytes.size() >= 26)
                std::copy(&original[18], &original[26], &bytes[18]);
            const std::string path = folder.WriteFile("mutant" + ext, bytes);
            const Loaded read(path.c_str());
            if (read.result) {
                ++accepted;
                ExpectSane(read);
            } else {
                ++refused;
                EXPECT_TRUE(read.Untouched());
                EXPECT_NE(std::find(kDamaged.begin(), kDamaged.end(), read.error), kDamaged.end()) << read.error;
            }
            if (HasFailure())
                FAIL() << seed << " mutant " << i;
        }
    }
    EXPECT_GT(accepted, 100);  // meaningful only if both outcomes occur in numbers
    EXPECT_GT(refused, 100);
    HANDLE heaps[64];
    for (DWORD h = 0, count = GetProcessHeaps(64, heaps); h < count && h < 64; ++h)
        EXPECT_TRUE(HeapValidate(heaps[h], 0, nullptr)) << "heap " << h;
}

TEST(ImageFile, LeavesTheThreadsComStateAsItWas)
{
    // The thread's apartment before the calls (~0: no COM), and what asking
    // for the multithreaded apartment answers after them: nothing left
    // initialised, nothing taken away.
    const std::pair<DWORD, HRESULT> cases[] = {
        {~0u, S_OK}, {COINIT_APARTMENTTHREADED, RPC_E_CHANGED_MODE}, {COINIT_MULTITHREADED, S_FALSE}};
    TempFolder folder;
    const std::string path = folder / "com.png";
    for (const auto& c : cases) {
        HRESULT before = S_OK, after = E_FAIL;
        int results = 0;
        std::thread([&] {
            before = c.first == ~0u ? S_OK : CoInitializeEx(nullptr, c.first);
            CTqDib dib;
            Paint(dib, 24, 1, false);
            results = dib.WriteImageFile(path.c_str(), 0) + dib.ReadImageFile(path.c_str());
            after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            for (int calls = SUCCEEDED(after) + (c.first != ~0u); calls > 0; --calls)
                CoUninitialize();
        }).join();
        EXPECT_EQ(std::vector<long>({before, results, after}), std::vector<long>({S_OK, 2, c.second})) << c.first;
    }
}

TEST(ImageFileExchange, WritesFilesForImageMagick)
{
    if (InExchange("").empty())
        GTEST_SKIP() << "run by tqtest_graphics_images";
    CTqDib dib;
    Paint(dib, 32, 0, true);
    for (const char* name : {"lib.png", "lib.bmp", "lib.jpg", "lib.tif"})
        ASSERT_EQ(dib.WriteImageFile(InExchange(name).c_str(), 0), 1) << name;
    const Pixels meant = Expected(dib, true);
    ASSERT_TRUE(std::ofstream(InExchange("lib.bgra"), std::ios::binary)
                << Bytes(reinterpret_cast<const char*>(meant.data()), meant.size() * 4));
}

TEST(ImageFileExchange, ReadsImageMagicksDecodes)
{
    if (InExchange("").empty())
        GTEST_SKIP() << "run by tqtest_graphics_images";
    const Pixels meant = FromBytes(TempFolder::ReadFile(InExchange("lib.bgra")));
    // ImageMagick's name of the format; whether alpha is kept; the largest
    // mean difference from the picture meant.
    const struct {
        const char* name;
        const char* format;
        bool alpha;
        double mean;
    } files[] = {{"lib.png", "PNG 37 21", true, 0}, {"lib.bmp", "BMP3 37 21", false, 0},
                 {"lib.jpg", "JPEG 37 21", false, 4}, {"lib.tif", "TIFF 37 21", true, 0}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const std::string name = f.name;
        EXPECT_EQ(TempFolder::ReadFile(InExchange(name + ".id")), f.format);
        const Pixels decoded = FromBytes(TempFolder::ReadFile(InExchange(name + ".im.bgra")));
        EXPECT_LE(Compare(decoded, meant, !f.alpha).mean, f.mean);
    }
}
