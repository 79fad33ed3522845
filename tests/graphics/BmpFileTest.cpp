// The BMP functions on real files: row and mask arithmetic, the exact file
// layout written, the strict reading rules (every rejected file leaves the
// caller's pointers alone) and a robustness run over mutated files.
#include <TqCommon.h>

#include <gtest/gtest.h>
#include <malloc.h>

#include <climits>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "GraphicsSupport.h"

namespace {

// Offsets of the fields of the file header and the info header.
const size_t kBfSize = 2;
const size_t kBfOffBits = 10;
const size_t kBiSize = 14;
const size_t kBiWidth = 18;
const size_t kBiHeight = 22;
const size_t kBiBitCount = 28;
const size_t kBiCompression = 30;
const size_t kBiClrUsed = 46;
const size_t kHeadersSize = 54;

struct Layout {
    LONG width;
    LONG height;
    WORD bits;
    DWORD compression;
    DWORD colors;  // biClrUsed
};

unsigned long long Pitch(const Layout& l)
{
    return (static_cast<unsigned long long>(l.width) * l.bits + 31) / 32 * 4;
}

unsigned long long TableEntries(const Layout& l)
{
    const unsigned long long colors = l.colors ? l.colors : l.bits <= 8 ? 1ull << l.bits : 0;
    return colors + (l.compression == BI_BITFIELDS ? 3 : 0);
}

// A well-formed file, built byte by byte: "BM", sizes, header, a colour
// table or masks, then rows of numbered bytes.
std::vector<unsigned char> MakeBmp(const Layout& l)
{
    const unsigned long long rows = l.height < 0 ? -static_cast<long long>(l.height) : l.height;
    const size_t info = static_cast<size_t>(40 + 4 * TableEntries(l));
    const size_t image = static_cast<size_t>(Pitch(l) * rows);
    std::vector<unsigned char> bytes(14 + info + image);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, kBfSize, static_cast<unsigned int>(bytes.size()));
    PutU32(bytes, kBfOffBits, static_cast<unsigned int>(14 + info));
    PutU32(bytes, kBiSize, 40);
    PutU32(bytes, kBiWidth, static_cast<unsigned int>(l.width));
    PutU32(bytes, kBiHeight, static_cast<unsigned int>(l.height));
    PutU16(bytes, 26, 1);
    PutU16(bytes, kBiBitCount, l.bits);
    PutU32(bytes, kBiCompression, l.compression);
    PutU32(bytes, kBiClrUsed, l.colors);
    for (size_t i = kHeadersSize; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    if (l.compression == BI_BITFIELDS) {
        const size_t masks = kHeadersSize + 4 * (TableEntries(l) - 3);
        const unsigned int fiveFiveFive[] = {0x7C00, 0x03E0, 0x001F};
        const unsigned int eightEightEight[] = {0xFF0000, 0xFF00, 0xFF};
        for (size_t i = 0; i < 3; ++i)
            PutU32(bytes, masks + 4 * i, l.bits == 16 ? fiveFiveFive[i] : eightEightEight[i]);
    }
    return bytes;
}

BITMAPINFO* const kUntouchedInfo = reinterpret_cast<BITMAPINFO*>(0x1234);
unsigned char* const kUntouchedBits = reinterpret_cast<unsigned char*>(0x5678);

// Reads path; on success checks the result against the file and frees it.
struct ReadResult {
    int result;
    BITMAPINFO* info;
    unsigned char* bits;
};

ReadResult Read(const char* path)
{
    ReadResult read = {0, kUntouchedInfo, kUntouchedBits};
    read.result = TqReadBmpFile(path, read.info, read.bits);
    return read;
}

void Free(ReadResult& read)
{
    delete[] reinterpret_cast<unsigned char*>(read.info);
    delete[] read.bits;
}

// What an accepted file must satisfy: sizes that agree with its header in
// 64-bit arithmetic, blocks of exactly those sizes, and the file's bytes.
void ExpectConsistent(const std::vector<unsigned char>& file, const ReadResult& read)
{
    const BITMAPINFOHEADER& header = read.info->bmiHeader;
    ASSERT_GT(header.biWidth, 0);
    ASSERT_NE(header.biHeight, 0);
    ASSERT_NE(header.biHeight, LONG_MIN);
    const Layout l = {header.biWidth, header.biHeight, header.biBitCount, header.biCompression,
                      header.biClrUsed};
    const unsigned long long rows = l.height < 0 ? -static_cast<long long>(l.height) : l.height;
    const unsigned long long info = 40 + 4 * TableEntries(l);
    const unsigned long long image = Pitch(l) * rows;
    ASSERT_EQ(14 + info + image, file.size());
    ASSERT_EQ(_msize(read.bits), image);
    ASSERT_EQ(_msize(read.info), info < 44 ? 44 : info);  // a full BITMAPINFO at least
    EXPECT_EQ(std::memcmp(read.info, &file[14], static_cast<size_t>(info)), 0);
    EXPECT_EQ(std::memcmp(read.bits, &file[static_cast<size_t>(14 + info)], static_cast<size_t>(image)), 0);
}

}  // namespace

TEST(BmpPitch, RoundsRowsUpToTheAlignment)
{
    struct Case {
        unsigned int width, bits, alignment, pitch;
    };
    const Case cases[] = {
        {3, 24, 32, 12},
        {1, 1, 32, 4},
        {33, 1, 32, 8},
        {5, 16, 16, 10},
        {4, 32, 32, 16},
        {0, 24, 32, 0},
        {7, 4, 8, 4},
        {0x10000000u, 32, 32, 0x40000000u},  // 2^33 bits in between, 2^30 bytes
        {0xFFFFFFFFu, 8, 32, 0},             // 4 GiB: does not fit
        {0x40000000u, 32, 32, 0},
        {3, 24, 0, 0},                       // no alignment: no pitch
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TqGetBmpPitch(c.width, c.bits, c.alignment), c.pitch)
            << c.width << " x " << c.bits << " / " << c.alignment;
    }
}

TEST(BmpAlphaMask, FindsTheFreeHighBits)
{
    struct Case {
        unsigned long colorMask, alphaMask;
        unsigned int count;
    };
    const Case cases[] = {
        {0x00FFFFFF, 0xFF000000, 8},  {0x00007FFF, 0xFFFF8000, 17}, {0x80000000, 0, 0},
        {0, 0xFFFFFFFF, 32},          {0x0000FFFF, 0xFFFF0000, 16}, {0x00000001, 0xFFFFFFFE, 31},
        {0x3FF00001, 0xC0000000, 2},
    };
    for (const Case& c : cases) {
        unsigned long alphaMask = 0x12345678;
        EXPECT_EQ(TqGetBmpAlphaMask(alphaMask, c.colorMask), c.count) << std::hex << c.colorMask;
        EXPECT_EQ(alphaMask, c.alphaMask) << std::hex << c.colorMask;
    }
}

TEST(BmpWrite, LaysOutTheFileFromTheHeader)
{
    struct Case {
        Layout layout;
        size_t fileSize;
        unsigned int offBits;
    };
    const Case cases[] = {
        {{2, 2, 24, BI_RGB, 0}, 70, 54},
        {{2, 2, 8, BI_RGB, 0}, 1078 + 8, 1078},
        {{2, 2, 8, BI_RGB, 16}, 118 + 8, 118},
        {{2, -2, 32, BI_BITFIELDS, 0}, 66 + 16, 66},
        {{3, 1, 16, BI_BITFIELDS, 0}, 66 + 8, 66},
        {{9, 2, 1, BI_RGB, 0}, 62 + 8, 62},
        {{3, 1, 24, BI_RGB, 2}, 62 + 12, 62},  // a table even above 8 bits when biClrUsed says so
    };
    TempFile file("layout.bmp");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layout.width << "x" << c.layout.height << "x" << c.layout.bits);
        const std::vector<unsigned char> source = MakeBmp(c.layout);
        const auto* info = reinterpret_cast<const BITMAPINFO*>(&source[14]);
        ASSERT_EQ(TqWriteBmpFile(file.Path(), info, &source[GetU32(source, kBfOffBits)], 0), 1);
        const std::vector<unsigned char> written = ReadBytes(file.Path());
        EXPECT_EQ(written.size(), c.fileSize);
        EXPECT_EQ(GetU32(written, kBfOffBits), c.offBits);
        EXPECT_EQ(written, source);  // "BM", sizes, zero reserved fields, then the caller's bytes

        ReadResult read = Read(file.Path());
        ASSERT_EQ(read.result, 1);
        ExpectConsistent(written, read);
        Free(read);
    }
}

TEST(BmpWrite, RefusesWhatItCannotWriteWholeWithoutCreatingAFile)
{
    TempFile file("refused.bmp");
    std::vector<unsigned char> source = MakeBmp({2, 2, 24, BI_RGB, 0});
    auto* info = reinterpret_cast<BITMAPINFO*>(&source[14]);
    const unsigned char* bits = &source[54];

    EXPECT_EQ(TqWriteBmpFile(file.Path(), nullptr, bits, 0), 0);
    EXPECT_EQ(TqWriteBmpFile(file.Path(), info, nullptr, 0), 0);
    const std::vector<std::function<void(BITMAPINFOHEADER&)>> breakers = {
        [](BITMAPINFOHEADER& h) { h.biBitCount = 12; },
        [](BITMAPINFOHEADER& h) { h.biWidth = 0; },
        [](BITMAPINFOHEADER& h) { h.biWidth = -2; },
        [](BITMAPINFOHEADER& h) { h.biHeight = 0; },
        [](BITMAPINFOHEADER& h) { h.biHeight = LONG_MIN; },
        [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; },
        [](BITMAPINFOHEADER& h) { h.biSize = sizeof(BITMAPV4HEADER); },
        [](BITMAPINFOHEADER& h) { h.biWidth = 0x20000000; },  // 1.5 GiB rows x 2: past 32 bits
    };
    for (const auto& breakHeader : breakers) {
        BITMAPINFOHEADER header = info->bmiHeader;
        breakHeader(info->bmiHeader);
        EXPECT_EQ(TqWriteBmpFile(file.Path(), info, bits, 0), 0);
        info->bmiHeader = header;
    }
    EXPECT_FALSE(file.Exists());

    const std::string missingFolder = std::string(file.Path()) + ".missing\\x.bmp";
    EXPECT_EQ(TqWriteBmpFile(missingFolder.c_str(), info, bits, 0), 0);
}

TEST(BmpWrite, ReplacesAnExistingFile)
{
    TempFile file("replaced.bmp");
    ASSERT_TRUE(WriteBytes(file.Path(), std::vector<unsigned char>(5000, 0xEE)));
    const std::vector<unsigned char> source = MakeBmp({2, 2, 24, BI_RGB, 0});
    ASSERT_EQ(TqWriteBmpFile(file.Path(), reinterpret_cast<const BITMAPINFO*>(&source[14]), &source[54], 0), 1);
    EXPECT_EQ(ReadBytes(file.Path()), source);
}

TEST(BmpRead, AcceptsOnlyFilesWhoseSizesAgreeExactly)
{
    // Each case breaks one rule of a valid 3 x 2, 24-bit file (70 bytes).
    // Several are made so that sizes computed in 32 bits would wrap round to
    // exactly the bytes the file holds.
    struct Case {
        const char* name;
        std::function<void(std::vector<unsigned char>&)> mutate;
    };
    const Case cases[] = {
        {"width 0, sizes matching", [](auto& b) { PutU32(b, kBiWidth, 0); b.resize(54); PutU32(b, kBfSize, 54); }},
        {"negative width", [](auto& b) { PutU32(b, kBiWidth, static_cast<unsigned int>(-3)); }},
        {"height 0, sizes matching", [](auto& b) { PutU32(b, kBiHeight, 0); b.resize(54); PutU32(b, kBfSize, 54); }},
        {"height -2^31, wrapping to 0 rows",
         [](auto& b) { PutU32(b, kBiHeight, 0x80000000u); b.resize(54); PutU32(b, kBfSize, 54); }},
        {"biClrUsed 2^30, table wrapping to 0 bytes", [](auto& b) { PutU32(b, kBiClrUsed, 0x40000000u); }},
        {"biClrUsed all ones", [](auto& b) { PutU32(b, kBiClrUsed, 0xFFFFFFFFu); }},
        {"width x depth wrapping to 72 bits", [](auto& b) { PutU32(b, kBiWidth, (1u << 29) + 3); }},
        {"pitch x height wrapping to 24 bytes", [](auto& b) { PutU32(b, kBiHeight, (1u << 30) + 2); }},
        {"bfSize one more", [](auto& b) { PutU32(b, kBfSize, 71); }},
        {"one byte appended", [](auto& b) { b.push_back(0); }},
        {"one byte appended, bfSize matching", [](auto& b) { b.push_back(0); PutU32(b, kBfSize, 71); }},
        {"truncated by one byte", [](auto& b) { b.pop_back(); }},
        {"truncated by one byte, bfSize matching", [](auto& b) { b.pop_back(); PutU32(b, kBfSize, 69); }},
        {"bfOffBits 4 more", [](auto& b) { PutU32(b, kBfOffBits, 58); }},
        {"12 bits per pixel", [](auto& b) { PutU16(b, kBiBitCount, 12); }},
        {"0 bits per pixel", [](auto& b) { PutU16(b, kBiBitCount, 0); }},
        {"run-length compressed", [](auto& b) { PutU32(b, kBiCompression, BI_RLE8); }},
        {"biSize 12, the core header", [](auto& b) { PutU32(b, kBiSize, 12); }},
        {"biSize 108, laid out as 40", [](auto& b) { PutU32(b, kBiSize, 108); }},
        {"biSize 65536", [](auto& b) { PutU32(b, kBiSize, 0x10000); }},
        {"version 4 header (108 bytes)",
         [](auto& b) {
             b.insert(b.begin() + 54, 68, 0);
             PutU32(b, kBiSize, 108);
             PutU32(b, kBfOffBits, 14 + 108);
             PutU32(b, kBfSize, static_cast<unsigned int>(b.size()));
         }},
        {"only the headers' first bytes", [](auto& b) { b.resize(20); PutU32(b, kBfSize, 20); }},
        {"empty", [](auto& b) { b.clear(); }},
    };
    TempFile file("rejected.bmp");
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = MakeBmp({3, 2, 24, BI_RGB, 0});
        c.mutate(bytes);
        ASSERT_TRUE(WriteBytes(file.Path(), bytes));
        const ReadResult read = Read(file.Path());
        EXPECT_EQ(read.result, 0) << c.name;
        EXPECT_EQ(read.info, kUntouchedInfo) << c.name;
        EXPECT_EQ(read.bits, kUntouchedBits) << c.name;
    }
    ASSERT_TRUE(DeleteFileA(file.Path()));
    const ReadResult missing = Read(file.Path());
    EXPECT_EQ(missing.result, 0);
    EXPECT_EQ(missing.info, kUntouchedInfo);
}

TEST(BmpRobustness, MutatedFilesNeverCrashAndWhatIsAcceptedIsConsistent)
{
    const std::vector<Layout> seeds = {
        {3, 2, 24, BI_RGB, 0},      {5, 3, 1, BI_RGB, 0},         {4, 4, 4, BI_RGB, 3},
        {2, 5, 8, BI_RGB, 0},       {3, -3, 16, BI_BITFIELDS, 0}, {2, 2, 32, BI_BITFIELDS, 0},
        {6, 1, 32, BI_RGB, 0},      {1, -3, 8, BI_RGB, 2},        {7, 2, 16, BI_RGB, 0},
    };
    // Values that break size arithmetic: zero, signs, limits, wrapping factors.
    const unsigned int interesting[] = {0,           1,           2,           3,
                                        0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFFEu,
                                        0x40000000u, 0x40000002u, 0x20000003u, 0x10000000u,
                                        0x0000FFFFu, 0x00010000u, 54,          BI_BITFIELDS};
    const size_t fields[] = {kBfSize, kBfOffBits, kBiSize, kBiWidth, kBiHeight, kBiCompression, kBiClrUsed};
    const int kMutants = 12000;

    std::mt19937 random(20240611);
    const auto below = [&random](size_t n) { return static_cast<size_t>(random() % n); };
    TempFile file("mutant.bmp");
    int accepted = 0;
    for (int i = 0; i < kMutants; ++i) {
        std::vector<unsigned char> bytes = MakeBmp(seeds[i % seeds.size()]);
        const size_t mutations = 1 + below(3);
        for (size_t m = 0; m < mutations && bytes.size() >= kHeadersSize; ++m) {
            switch (below(7)) {
            case 0: bytes[below(std::min<size_t>(bytes.size(), 70))] = static_cast<unsigned char>(random()); break;
            case 1: PutU32(bytes, fields[below(7)], interesting[below(16)]); break;
            case 2: PutU16(bytes, kBiBitCount, static_cast<unsigned int>(interesting[below(16)] % 40)); break;
            case 3: bytes.resize(below(bytes.size() + 1)); break;
            case 4: bytes.insert(bytes.end(), 1 + below(8), static_cast<unsigned char>(random())); break;
            case 5: bytes[below(bytes.size())] ^= static_cast<unsigned char>(1u << below(8)); break;
            default: PutU32(bytes, fields[below(7)], static_cast<unsigned int>(random())); break;
            }
        }
        // Half the mutants claim their true length, so that more of them
        // get past the first check.
        if (bytes.size() >= 14 && random() % 2)
            PutU32(bytes, kBfSize, static_cast<unsigned int>(bytes.size()));
        ASSERT_TRUE(WriteBytes(file.Path(), bytes));

        ReadResult read = Read(file.Path());
        if (!read.result) {
            ASSERT_EQ(read.info, kUntouchedInfo) << "mutant " << i;
            ASSERT_EQ(read.bits, kUntouchedBits) << "mutant " << i;
            continue;
        }
        ++accepted;
        ExpectConsistent(bytes, read);
        Free(read);
        if (HasFatalFailure())
            FAIL() << "mutant " << i;

        // What the image class does with an accepted file stays in bounds.
        CTqDib dib;
        ASSERT_EQ(dib.ReadBmpFile(file.Path()), 1) << "mutant " << i;
        const RECT all = {-1, -1, 100, 100};
        dib.FillRect({1, 2, 3, 4}, &all, 1);
        dib.GradeRect({0, 0, 0, 0}, {255, 255, 255, 255}, static_cast<int>(i % 2), &all, 0);
        CTqDib alpha;
        dib.GetAlphaDib(alpha);
        CTqDib copy(dib);
        Canvas canvas(4, 4);
        dib.StretchDIBits(canvas.Dc(), 1, 1, 8, 8, SRCCOPY, 0);
        dib.StretchDIBits(canvas.Dc(), 0, 0, 4, 4, SRCCOPY, 1);
    }
    // The run means something only if both outcomes occur in numbers.
    EXPECT_GT(accepted, kMutants / 20);
    EXPECT_LT(accepted, kMutants / 2);

    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD h = 0; h < count && h < 64; ++h)
        EXPECT_TRUE(HeapValidate(heaps[h], 0, nullptr)) << "heap " << h;
}
