// The AVI writer on real files: the compressor dialog answered from the test,
// frames drawn into the memory DC or copied from packed DIBs, the movie read
// back by ffprobe and decoded by ffmpeg; every failure message that the
// platform lets us force, byte for byte.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "MediaTestSupport.h"
#include "MsgBoxCatcher.h"
#include "TestWindow.h"

namespace {

const DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
const char* const kUncompressedEntry = u8"フル フレーム (無圧縮)";

struct Rgb {
    BYTE r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "rgb(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}

Rgb PixelAt(const std::string& frames, int width, int height, int frame, int x, int y)
{
    const size_t at = ((static_cast<size_t>(frame) * height + y) * width + x) * 3;
    if (at + 3 > frames.size())
        return Rgb{1, 2, 3};  // not decoded: matches no colour the tests draw
    return Rgb{BYTE(frames[at + 2]), BYTE(frames[at + 1]), BYTE(frames[at])};
}

// Files that the writer let go of can be deleted (or were never made).
bool Released(const std::string& path)
{
    DeleteFileA(path.c_str());
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string Packets(const std::string& path)
{
    return RunUnix("ffprobe -v error -select_streams v:0 -show_entries packet=pts,size,flags "
                   "-of csv=p=0 '" + UnixPath(path) + "'");
}

// Frame n: a background of its own and one white pixel in the top row at
// x = n, so that order, orientation and row padding all show.
const Rgb kBackgrounds[] = {{200, 30, 40}, {10, 220, 90}, {60, 70, 250}};
const Rgb kWhite = {255, 255, 255};

void DrawFrame(HDC dc, int width, int height, int n)
{
    const Rgb& bg = kBackgrounds[n % 3];
    HBRUSH brush = CreateSolidBrush(RGB(bg.r, bg.g, bg.b));
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SetPixelV(dc, n % width, 0, RGB(255, 255, 255));
    GdiFlush();
}

Rgb DrawnPixel(int width, int n, int x, int y)
{
    return (y == 0 && x == n % width) ? kWhite : kBackgrounds[n % 3];
}

}  // namespace

TEST(Avi, DrawnFramesComeBackFromTheFileAtTheirRate)
{
    const struct {
        unsigned int width, height;
        unsigned long rate, scale;
        const char* frameRate;
        int frames;
        const char* frameBytes;  // row length padded to 4 bytes, times height
    } cases[] = {
        {7, 5, 30, 1, "30/1", 3, "120"},
        {5, 4, 2997, 100, "2997/100", 2, "64"},
        {3, 2, 15, 1, "15/1", 1, "24"},
    };
    TestWindow owner(kFrame);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frameRate);
        const std::string path = FreshTempPath("tq movie.avi");
        {
            MsgBoxCatcher catcher;
            CompressorDialog dialog(IDOK, Cp932(kUncompressedEntry));
            CTqAVI avi;
            EXPECT_FALSE(avi.AddFrame());  // nothing open yet
            HDC dc = avi.Create(path.c_str(), owner, c.width, c.height, c.rate, c.scale);
            ASSERT_NE(dc, nullptr);
            EXPECT_EQ(dialog.Shown(), 1);
            EXPECT_EQ(dialog.Preselected(), Cp932(kUncompressedEntry));
            EXPECT_EQ(avi.GetMemDC(), dc);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), avi.GetDib());
            DIBSECTION section = {};
            ASSERT_EQ(GetObjectA(avi.GetDib(), sizeof section, &section), int(sizeof section));
            EXPECT_EQ(section.dsBm.bmBits, avi.GetPixels());
            EXPECT_EQ(section.dsBmih.biBitCount, 24);
            EXPECT_EQ(avi.GetWidth(), c.width);
            EXPECT_EQ(avi.GetHeight(), c.height);

            for (int n = 0; n < c.frames; ++n) {
                DrawFrame(dc, int(c.width), int(c.height), n);
                EXPECT_TRUE(avi.AddFrame());
            }
            avi.Clear();
            EXPECT_FALSE(avi.AddFrame());
            EXPECT_EQ(avi.GetMemDC(), nullptr);
            EXPECT_EQ(catcher.Count(), 0u);
        }

        auto stream = ProbeStream(path, "v", "codec_name,width,height,r_frame_rate,nb_read_frames");
        EXPECT_EQ(stream["codec_name"], "rawvideo");
        EXPECT_EQ(stream["width"], std::to_string(c.width));
        EXPECT_EQ(stream["height"], std::to_string(c.height));
        EXPECT_EQ(stream["r_frame_rate"], c.frameRate);
        EXPECT_EQ(stream["nb_read_frames"], std::to_string(c.frames));

        std::string expectedPackets;
        for (int n = 0; n < c.frames; ++n)
            expectedPackets += std::to_string(n) + "," + c.frameBytes + ",K_\n";
        EXPECT_EQ(Packets(path), expectedPackets);

        const std::string decoded = DecodeFramesBgr24(path);
        ASSERT_EQ(decoded.size(), size_t(c.width * c.height * 3 * c.frames)) << decoded;
        for (int n = 0; n < c.frames; ++n)
            for (int y = 0; y < int(c.height); ++y)
                for (int x = 0; x < int(c.width); ++x)
                    ASSERT_EQ(PixelAt(decoded, c.width, c.height, n, x, y),
                              DrawnPixel(c.width, n, x, y))
                        << "frame " << n << " x " << x << " y " << y;
        DeleteFileA(path.c_str());
    }
}

namespace {

const Rgb kQuadrants[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
const int kDibWidth = 6;
const int kDibHeight = 4;

// Quadrant colours, top left, top right, bottom left, bottom right; with two
// colours a checkerboard, which still shows a picture turned upside down.
int ColorIndex(int bits, int x, int y)
{
    const int quadrant = (x >= kDibWidth / 2) + 2 * (y >= kDibHeight / 2);
    return bits == 1 ? (quadrant == 1 || quadrant == 2) : quadrant;
}

struct DibCase {
    WORD bits;
    DWORD compression;
    DWORD clrUsed;
    bool topDown;
    const char* name;
};

void PutPixel(std::vector<BYTE>& row, const DibCase& c, int x, int index)
{
    const Rgb& rgb = kQuadrants[index];
    switch (c.bits) {
    case 1:
        row[x / 8] |= BYTE(index << (7 - x % 8));
        break;
    case 4:
        row[x / 2] |= BYTE(index << (x % 2 ? 0 : 4));
        break;
    case 8:
        row[x] = BYTE(index);
        break;
    case 16: {  // 5-5-5, or 5-6-5 with bit fields; every channel is 0 or full
        const WORD value = c.compression == BI_BITFIELDS
                               ? WORD(((rgb.r >> 3) << 11) | ((rgb.g >> 2) << 5) | (rgb.b >> 3))
                               : WORD(((rgb.r >> 3) << 10) | ((rgb.g >> 3) << 5) | (rgb.b >> 3));
        row[x * 2] = LOBYTE(value);
        row[x * 2 + 1] = HIBYTE(value);
        break;
    }
    default: {  // 24 and 32 bits: blue, green, red
        const int bytes = c.bits / 8;
        row[x * bytes] = rgb.b;
        row[x * bytes + 1] = rgb.g;
        row[x * bytes + 2] = rgb.r;
        break;
    }
    }
}

// A packed DIB: header, colour table or masks, then the rows.
std::vector<BYTE> PackedDib(const DibCase& c)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = kDibWidth;
    header.biHeight = c.topDown ? -kDibHeight : kDibHeight;
    header.biPlanes = 1;
    header.biBitCount = c.bits;
    header.biCompression = c.compression;
    header.biClrUsed = c.clrUsed;

    std::vector<BYTE> table;
    const DWORD entries = c.clrUsed ? c.clrUsed : (c.bits <= 8 ? 1u << c.bits : 0);
    for (DWORD i = 0; i < entries; ++i) {
        const Rgb& q = kQuadrants[i % 4];
        const RGBQUAD entry = {q.b, q.g, q.r, 0};
        table.insert(table.end(), reinterpret_cast<const BYTE*>(&entry),
                     reinterpret_cast<const BYTE*>(&entry + 1));
    }
    if (c.compression == BI_BITFIELDS) {
        const DWORD masks16[] = {0xF800, 0x07E0, 0x001F};
        const DWORD masks32[] = {0xFF0000, 0x00FF00, 0x0000FF};
        const DWORD* masks = c.bits == 16 ? masks16 : masks32;
        table.insert(table.end(), reinterpret_cast<const BYTE*>(masks),
                     reinterpret_cast<const BYTE*>(masks + 3));
    }

    const size_t rowBytes = ((kDibWidth * c.bits + 31) / 32) * 4;
    std::vector<BYTE> bits;
    for (int line = 0; line < kDibHeight; ++line) {
        const int y = c.topDown ? line : kDibHeight - 1 - line;
        std::vector<BYTE> row(rowBytes, 0);
        for (int x = 0; x < kDibWidth; ++x)
            PutPixel(row, c, x, ColorIndex(c.bits, x, y));
        bits.insert(bits.end(), row.begin(), row.end());
    }
    header.biSizeImage = DWORD(bits.size());

    std::vector<BYTE> dib(sizeof header + table.size() + bits.size());
    std::memcpy(dib.data(), &header, sizeof header);
    std::copy(table.begin(), table.end(), dib.begin() + sizeof header);
    std::copy(bits.begin(), bits.end(), dib.begin() + sizeof header + table.size());
    return dib;
}

}  // namespace

TEST(Avi, PackedDibsOfEveryDepthBecomeFrames)
{
    const DibCase cases[] = {
        {1, BI_RGB, 0, false, "1 bit"},
        {1, BI_RGB, 2, false, "1 bit, 2 colours used"},
        {4, BI_RGB, 0, false, "4 bits"},
        {4, BI_RGB, 4, false, "4 bits, 4 colours used"},
        {8, BI_RGB, 0, false, "8 bits"},
        {8, BI_RGB, 4, false, "8 bits, 4 colours used"},
        {16, BI_RGB, 0, false, "16 bits 5-5-5"},
        {16, BI_BITFIELDS, 0, false, "16 bits 5-6-5 bit fields"},
        {24, BI_RGB, 0, false, "24 bits"},
        {24, BI_RGB, 0, true, "24 bits, top row first"},
        {32, BI_RGB, 0, false, "32 bits"},
        {32, BI_BITFIELDS, 0, false, "32 bits bit fields"},
    };
    const int count = int(sizeof cases / sizeof cases[0]);
    const std::string path = FreshTempPath("tq dibs.avi");
    TestWindow owner(kFrame);
    {
        CompressorDialog dialog(IDOK);
        CTqAVI avi;
        HDC dc = avi.Create(path.c_str(), owner, kDibWidth, kDibHeight, 10, 1);
        ASSERT_NE(dc, nullptr);
        for (const DibCase& c : cases) {
            PatBlt(dc, 0, 0, kDibWidth, kDibHeight, BLACKNESS);  // no frame left over
            std::vector<BYTE> dib = PackedDib(c);
            EXPECT_EQ(avi.SetBits(reinterpret_cast<BITMAPINFOHEADER*>(dib.data())), dc) << c.name;
            GdiFlush();
            EXPECT_TRUE(avi.AddFrame()) << c.name;
        }
        EXPECT_EQ(avi.SetBits(nullptr), dc);  // no DIB: nothing to copy
        CTqAVI closed;
        std::vector<BYTE> dib = PackedDib(cases[0]);
        EXPECT_EQ(closed.SetBits(reinterpret_cast<BITMAPINFOHEADER*>(dib.data())), nullptr);
    }

    const std::string decoded = DecodeFramesBgr24(path);
    ASSERT_EQ(decoded.size(), size_t(kDibWidth * kDibHeight * 3 * count)) << decoded;
    for (int n = 0; n < count; ++n) {
        SCOPED_TRACE(cases[n].name);
        for (int y = 0; y < kDibHeight; ++y)
            for (int x = 0; x < kDibWidth; ++x)
                ASSERT_EQ(PixelAt(decoded, kDibWidth, kDibHeight, n, x, y),
                          kQuadrants[ColorIndex(cases[n].bits, x, y)])
                    << "x " << x << " y " << y;
    }
    DeleteFileA(path.c_str());
}

TEST(Avi, CancellingTheCompressorDialogLeavesTheWriterClosedWithoutAWord)
{
    const std::string path = FreshTempPath("tq cancelled.avi");
    TestWindow owner(kFrame);
    MsgBoxCatcher catcher;
    CTqAVI avi;
    {
        CompressorDialog dialog(IDCANCEL);
        EXPECT_EQ(avi.Create(path.c_str(), owner, 8, 6, 30, 1), nullptr);
        EXPECT_EQ(dialog.Shown(), 1);
    }
    EXPECT_EQ(catcher.Count(), 0u);
    EXPECT_EQ(avi.GetMemDC(), nullptr);
    EXPECT_EQ(avi.GetDib(), nullptr);
    EXPECT_EQ(avi.GetPixels(), nullptr);
    EXPECT_FALSE(avi.AddFrame());
    EXPECT_TRUE(Released(path));
    avi.Clear();

    // The video library was left balanced: the same writer works again.
    CompressorDialog dialog(IDOK);
    ASSERT_NE(avi.Create(path.c_str(), owner, 8, 6, 30, 1), nullptr);
    EXPECT_TRUE(avi.AddFrame());
    avi.Clear();
    EXPECT_EQ(ProbeStream(path, "v", "nb_read_frames")["nb_read_frames"], "1");
    DeleteFileA(path.c_str());
}

TEST(Avi, EachFailureOfCreateIsShownAndUnwound)
{
    const struct {
        const char* name;
        bool validFolder;
        unsigned int width, height;
        unsigned long rate, scale;
        const char* compressor;  // the dialog entry to pick, by part of its text
        int dialogs;
        const char* text;
    } cases[] = {
        {"unwritable path", false, 8, 6, 30, 1, "", 0,
         u8"AVIファイルのオープンに失敗しました。"},
        {"no rate", true, 8, 6, 0, 0, "", 1, u8"ストリームの作成に失敗しました。"},
        {"compressor that refuses 24-bit frames", true, 8, 6, 30, 1, "RLE", 1,
         u8"ストリームのフォーマット設定に失敗しました。"},
        {"frame too big for memory", true, 100000, 100000, 30, 1, "", 1,
         u8"DIBセクションの作成に失敗しました。"},
    };
    TestWindow owner(kFrame);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.validFolder ? FreshTempPath("tq failing.avi")
                                               : std::string("C:\\no such folder\\tq.avi");
        MsgBoxCatcher catcher;
        CompressorDialog dialog(IDOK, Cp932(c.compressor));
        CTqAVI avi;
        EXPECT_EQ(avi.Create(path.c_str(), owner, c.width, c.height, c.rate, c.scale), nullptr);
        EXPECT_EQ(dialog.Shown(), c.dialogs);
        ASSERT_EQ(catcher.Count(), 1u);
        EXPECT_EQ(catcher.Last().text, Cp932(c.text));
        EXPECT_EQ(catcher.Last().caption, Cp932(u8"AVIファイル出力"));
        EXPECT_EQ(catcher.Last().owner, owner.Handle());
        EXPECT_EQ(catcher.Last().buttons, std::vector<int>{IDOK});
        EXPECT_EQ(catcher.Last().icon, MsgBoxCatcher::Icon::None);
        EXPECT_EQ(avi.GetMemDC(), nullptr);
        EXPECT_EQ(avi.GetDib(), nullptr);
        EXPECT_FALSE(avi.AddFrame());
        EXPECT_TRUE(Released(path));
    }
}

TEST(Avi, AWindowWithoutADeviceContextGetsNoFrame)
{
    // A destroyed window has no DC, and cannot own the message box either,
    // so the failure shows nothing here; everything is still unwound.
    HWND gone = TestWindow(kFrame).Handle();
    const std::string path = FreshTempPath("tq no dc.avi");
    MsgBoxCatcher catcher;
    CompressorDialog dialog(IDOK);
    CTqAVI avi;
    EXPECT_EQ(avi.Create(path.c_str(), gone, 8, 6, 30, 1), nullptr);
    EXPECT_EQ(dialog.Shown(), 1);
    EXPECT_EQ(catcher.Count(), 0u);
    EXPECT_EQ(avi.GetMemDC(), nullptr);
    EXPECT_FALSE(avi.AddFrame());
    EXPECT_TRUE(Released(path));
}

TEST(Avi, AnotherCreateFinishesThePreviousMovieAndCopiesNeverShareIt)
{
    const std::string first = FreshTempPath("tq first.avi");
    const std::string second = FreshTempPath("tq second.avi");
    TestWindow owner(kFrame);
    CompressorDialog dialog(IDOK);
    CTqAVI avi;
    ASSERT_NE(avi.Create(first.c_str(), owner, 8, 6, 30, 1), nullptr);
    EXPECT_TRUE(avi.AddFrame());
    EXPECT_TRUE(avi.AddFrame());
    EXPECT_FALSE(Released(first));  // the open movie holds its file

    CTqAVI copy(avi);
    EXPECT_EQ(copy.GetMemDC(), nullptr);
    EXPECT_EQ(copy.GetDib(), nullptr);
    EXPECT_EQ(copy.GetWidth(), 8u);
    EXPECT_EQ(copy.GetHeight(), 6u);
    EXPECT_FALSE(copy.AddFrame());
    copy = avi;
    EXPECT_FALSE(copy.AddFrame());

    ASSERT_NE(avi.Create(second.c_str(), owner, 4, 4, 30, 1), nullptr);
    EXPECT_TRUE(avi.AddFrame());
    EXPECT_EQ(ProbeStream(first, "v", "nb_read_frames")["nb_read_frames"], "2");

    // Assigning over an open writer finishes its movie too.
    avi = copy;
    EXPECT_EQ(avi.GetMemDC(), nullptr);
    EXPECT_EQ(avi.GetWidth(), 8u);
    EXPECT_EQ(ProbeStream(second, "v", "nb_read_frames")["nb_read_frames"], "1");
    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
}
