// The AVI writer on real files: the compressor dialog answered from the test,
// movies read back by ffprobe and decoded by ffmpeg.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "MediaTestSupport.h"

namespace {

// Has catcher answer the system's video compressor dialog, counted in shown:
// picks the entry starting with pick (empty: keeps the preselection) and
// presses answer.
void AnswerCompressor(MsgBoxCatcher& catcher, int& shown, int answer = IDOK, const char* pick = "")
{
    catcher.otherDialog = [&shown, answer, pick](HWND dialog) {
        ++shown;
        HWND combo = FindWindowExA(dialog, nullptr, "ComboBox", nullptr);
        if (*pick) {
            SendMessageA(combo, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(pick));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(combo));
        }
        PostMessageA(dialog, WM_COMMAND, answer, 0);
    };
}

const COLORREF kColors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
// Red, green and blue masks: 5-6-5, and 8-8-8 (also an RGBQUAD's).
const DWORD k565[3] = {0xF800, 0x07E0, 0x001F}, k888[3] = {0xFF0000, 0x00FF00, 0x0000FF};

// Packed DIBs for a 6 x 4 frame, one for each way of sizing the colour table.
const struct {
    WORD bits;
    DWORD compression, clrUsed;
    bool topDown;
} kDibs[] = {
    {1, BI_RGB, 0, false},        {8, BI_RGB, 0, false},  {8, BI_RGB, 4, false},
    {16, BI_BITFIELDS, 0, false}, {24, BI_RGB, 0, false}, {24, BI_RGB, 0, true},
    {32, BI_BITFIELDS, 2, false},
};

// A DIB shows a colour per quadrant; with two colours a checkerboard, which
// still shows a picture turned upside down.
int DibColor(WORD bits, int x, int y)
{
    const int quadrant = (x >= 3) + 2 * (y >= 2);
    return bits == 1 ? (quadrant == 1 || quadrant == 2) : quadrant;
}

// Every channel of the test colours is 0 or full.
DWORD Masked(COLORREF color, const DWORD* masks)
{
    return (GetRValue(color) ? masks[0] : 0) | (GetGValue(color) ? masks[1] : 0) |
           (GetBValue(color) ? masks[2] : 0);
}

// Header, masks, colour table, then the rows.
std::vector<BYTE> PackedDib(size_t i)
{
    const auto& c = kDibs[i];
    const DWORD* masks = c.bits == 16 ? k565 : k888;
    std::vector<DWORD> table;
    for (DWORD n = 0; n < (c.clrUsed ? c.clrUsed : c.bits <= 8 ? 1u << c.bits : 0); ++n)
        table.push_back(Masked(kColors[n % 4], k888));
    if (c.compression == BI_BITFIELDS)
        table.insert(table.begin(), masks, masks + 3);
    const BITMAPINFOHEADER header = {DWORD(sizeof(BITMAPINFOHEADER)), 6, c.topDown ? -4 : 4, 1,
                                     c.bits, c.compression, 0, 0, 0, c.clrUsed, 0};
    const size_t stride = (6 * c.bits + 31) / 32 * 4, bitsAt = sizeof header + table.size() * 4;
    std::vector<BYTE> dib(bitsAt + stride * 4);
    std::memcpy(dib.data(), &header, sizeof header);
    std::copy(table.begin(), table.end(), reinterpret_cast<DWORD*>(&dib[sizeof header]));
    for (int y = 0; y < 4; ++y) {
        BYTE* row = &dib[bitsAt + stride * size_t(c.topDown ? y : 3 - y)];
        for (int x = 0; x < 6; ++x) {
            const int index = DibColor(c.bits, x, y);
            const DWORD value = c.bits <= 8 ? DWORD(index) : Masked(kColors[index], masks);
            if (c.bits < 8)
                row[x * c.bits / 8] |= BYTE(value << (8 - c.bits - x * c.bits % 8));
            else
                std::memcpy(row + x * c.bits / 8, &value, c.bits / 8);
        }
    }
    return dib;
}

// The header of a DIB made in the calling expression, which it outlives.
BITMAPINFOHEADER* Header(std::vector<BYTE>&& dib)
{
    return reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
}

}  // namespace

TEST(Avi, FramesDrawnOrCopiedFromDibsComeBackFromTheFile)
{
    // Frame n < dibs comes from DIB n; the others are drawn: a colour of their
    // own and one white pixel in the top row at x = n, which shows order,
    // orientation and row padding.
    const struct {
        int width, height;
        unsigned long rate, scale;
        int dibs, frames;
        const char* packet;  // rows padded to 4 bytes; every frame a key frame
        const char* stream;
    } movies[] = {
        {6, 4, 30, 1, int(std::size(kDibs)), 13, ",80,K_\n", "rawvideo,6,4,30/1,13,13\n"},
        {5, 3, 2997, 100, 0, 2, ",48,K_\n", "rawvideo,5,3,2997/100,2,2\n"},
    };
    TestWindow owner(kFrame);
    TempFolder folder;
    MsgBoxCatcher catcher;
    int dialogs = 0;
    AnswerCompressor(catcher, dialogs);
    CTqAVI avi, copy;
    for (const auto& c : movies) {
        // Creating again finishes the movie before.
        HDC dc = avi.Create((folder / (std::to_string(c.rate) + ".avi")).c_str(), owner, c.width,
                            c.height, c.rate, c.scale);
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), avi.GetDib());
        SelectObject(dc, GetStockObject(DC_BRUSH));
        for (int n = 0; n < c.frames; ++n) {
            SetDCBrushColor(dc, n < c.dibs ? RGB(0, 0, 0) : kColors[n % 4]);  // black: no leftovers
            PatBlt(dc, 0, 0, c.width, c.height, PATCOPY);
            BYTE* topRow = static_cast<BYTE*>(avi.GetPixels()) +  // 24 bits, bottom-up
                           (c.height - 1) * ((c.width * 3 + 3) & ~3);
            if (n < c.dibs) {
                EXPECT_EQ(avi.SetBits(Header(PackedDib(n))), dc);
            } else {
                GdiFlush();
                std::memset(topRow + n % c.width * 3, 255, 3);
            }
            EXPECT_TRUE(avi.AddFrame()) << n;
        }
        EXPECT_EQ(avi.SetBits(nullptr), dc);  // no DIB: nothing to copy
        copy = CTqAVI(avi);  // a copy starts closed, with the source's frame size
        EXPECT_EQ(copy.GetWidth(), unsigned(c.width));
        EXPECT_EQ(copy.GetHeight(), unsigned(c.height));
        EXPECT_FALSE(copy.AddFrame());
        EXPECT_EQ(copy.SetBits(Header(PackedDib(0))), nullptr);
    }
    avi = copy;  // assigning finishes the open movie
    EXPECT_FALSE(avi.AddFrame());
    avi.Clear();  // nothing open: nothing happens
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(catcher.Count(), 0u);

    for (const auto& c : movies) {
        SCOPED_TRACE(c.stream);
        const std::string path = folder / (std::to_string(c.rate) + ".avi");
        std::string packets;
        for (int n = 0; n < c.frames; ++n)
            packets += std::to_string(n) + c.packet;
        EXPECT_EQ(Probe(path, "v", "packet=pts,size,flags:stream=codec_name,width,height,"
                                   "r_frame_rate,nb_frames,nb_read_frames"),
                  packets + c.stream);
        const std::string frames =
            RunUnix("ffmpeg -v error -i " + ShellPath(path) + " -f rawvideo -pix_fmt bgr24 -");
        ASSERT_EQ(frames.size(), size_t(c.width * c.height * 3 * c.frames)) << frames;
        for (int n = 0; n < c.frames; ++n)
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x) {
                    const BYTE* p = reinterpret_cast<const BYTE*>(frames.data()) +
                                    ((n * c.height + y) * c.width + x) * 3;
                    const COLORREF drawn =
                        y == 0 && x == n % c.width ? RGB(255, 255, 255) : kColors[n % 4];
                    ASSERT_EQ(RGB(p[2], p[1], p[0]),
                              n < c.dibs ? kColors[DibColor(kDibs[n].bits, x, y)] : drawn)
                        << "frame " << n << " x " << x << " y " << y;
                }
    }
}

TEST(Avi, EachFailureOfCreateIsShownAndUnwound)
{
    const struct {
        const char* name;
        bool validFolder, liveWindow;
        unsigned int width, height;
        unsigned long rate, scale;
        int answer;
        const char* pick;  // the compressor to choose, by the start of its entry
        int dialogs;
        const char* text;  // null: no message
    } cases[] = {
        {"unwritable path", false, true, 8, 6, 30, 1, IDOK, "", 0,
         u8"AVIファイルのオープンに失敗しました。"},
        {"dialog cancelled", true, true, 8, 6, 30, 1, IDCANCEL, "", 1, nullptr},
        {"no rate", true, true, 8, 6, 0, 0, IDOK, "", 1, u8"ストリームの作成に失敗しました。"},
        {"compressor refusing 24-bit frames", true, true, 8, 6, 30, 1, IDOK, "Wine MS-RLE", 1,
         u8"ストリームのフォーマット設定に失敗しました。"},
        {"frame too big for memory", true, true, 100000, 100000, 30, 1, IDOK, "", 1,
         u8"DIBセクションの作成に失敗しました。"},
        // A destroyed window has no DC, and cannot own a message box either.
        {"window without a DC", true, false, 8, 6, 30, 1, IDOK, "", 1, nullptr},
    };
    TestWindow owner(kFrame);
    const HWND gone = TestWindow(kFrame).Handle();
    TempFolder folder;
    CTqAVI avi;  // one writer throughout: no failure may leave the video library unbalanced
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.validFolder ? folder / "x.avi" : "C:\\no such folder\\x.avi";
        MsgBoxCatcher catcher;
        int dialogs = 0;
        AnswerCompressor(catcher, dialogs, c.answer, c.pick);
        EXPECT_EQ(avi.Create(path.c_str(), c.liveWindow ? owner.Handle() : gone, c.width,
                             c.height, c.rate, c.scale),
                  nullptr);
        EXPECT_EQ(dialogs, c.dialogs);
        using Boxes = std::vector<MsgBoxCatcher::Box>;
        EXPECT_EQ(catcher.Boxes(), (c.text ? Boxes{{Cp932(c.text), Cp932(u8"AVIファイル出力"), owner, {IDOK}}}
                                           : Boxes{}));
        EXPECT_FALSE(avi.AddFrame());
        DeleteFileA(path.c_str());  // fails while the writer holds the file
        EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    MsgBoxCatcher catcher;
    int dialogs = 0;
    AnswerCompressor(catcher, dialogs);
    ASSERT_NE(avi.Create((folder / "x.avi").c_str(), owner, 8, 6, 30, 1), nullptr);
    EXPECT_TRUE(avi.AddFrame());
    avi.Clear();
    EXPECT_EQ(Probe(folder / "x.avi", "v", "stream=nb_read_frames"), "1\n");
}
