// CTqAVI::AddFrame against AVIStreamWrite on streams set up by hand: 300
// uncompressed 640 x 480 frames each, alternating rounds, best round of
// each. Prints the ratio AddFrame / AVIStreamWrite (target: at most 1.1).
//
// Run: build/tq-wine build/bin/AviAddFrame.exe (under an X display; the
// compressor dialog is answered with its preselection, uncompressed frames).
#include <TqCommon.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const unsigned int kWidth = 640;
const unsigned int kHeight = 480;
const int kFrames = 300;
const int kRounds = 5;
const unsigned int kFrameSize = kWidth * 3 * kHeight;  // rows of 1920 bytes need no padding

// Answers the compressor dialog (the dialog with a combo box) with OK.
LRESULT CALLBACK AnswerCompressorDialog(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && FindWindowExA(window, nullptr, "ComboBox", nullptr))
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

std::string TempPath(const char* name)
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + name;
}

BITMAPINFOHEADER FrameHeader()
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = kWidth;
    header.biHeight = kHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = kFrameSize;
    return header;
}

double WithAddFrame(const std::string& path)
{
    CTqAVI avi;
    if (!avi.Create(path.c_str(), nullptr, kWidth, kHeight, 30, 1))
        return -1;
    BYTE* pixels = static_cast<BYTE*>(avi.GetPixels());
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int n = 0; n < kFrames; ++n) {
        pixels[n] = 0xFF;  // a frame of its own, at no cost
        if (!avi.AddFrame())
            return -1;
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// The same file layout made directly: a video stream, an uncompressed
// ("DIB ") compressing stream over it, the frame format.
double WithAviStreamWrite(const std::string& path)
{
    AVIFileInit();
    double seconds = -1;
    PAVIFILE file = nullptr;
    if (AVIFileOpenA(&file, path.c_str(), OF_WRITE | OF_CREATE | OF_SHARE_DENY_NONE, nullptr) ==
        AVIERR_OK) {
        AVISTREAMINFOA info = {};
        info.fccType = streamtypeVIDEO;
        info.fccHandler = mmioFOURCC('D', 'I', 'B', ' ');
        info.dwScale = 1;
        info.dwRate = 30;
        info.dwQuality = static_cast<DWORD>(-1);
        SetRect(&info.rcFrame, 0, 0, kWidth, kHeight);
        PAVISTREAM stream = nullptr;
        PAVISTREAM compressed = nullptr;
        AVICOMPRESSOPTIONS options = {};
        options.fccType = streamtypeVIDEO;
        options.fccHandler = info.fccHandler;
        options.dwQuality = info.dwQuality;
        BITMAPINFOHEADER header = FrameHeader();
        std::vector<BYTE> pixels(kFrameSize, 0x40);
        if (AVIFileCreateStreamA(file, &stream, &info) == AVIERR_OK &&
            AVIMakeCompressedStream(&compressed, stream, &options, nullptr) == AVIERR_OK &&
            AVIStreamSetFormat(compressed, 0, &header, sizeof header) == AVIERR_OK) {
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            for (int n = 0; n < kFrames; ++n) {
                pixels[n] = 0xFF;
                AVIStreamWrite(compressed, n, 1, pixels.data(), kFrameSize, AVIIF_KEYFRAME,
                               nullptr, nullptr);
            }
            QueryPerformanceCounter(&end);
            seconds = Seconds(start, end);
        }
        if (compressed)
            AVIStreamRelease(compressed);
        if (stream)
            AVIStreamRelease(stream);
        AVIFileRelease(file);
    }
    AVIFileExit();
    return seconds;
}

// Each round runs both, in turns first, so that neither always meets a warm
// or a cold file cache.
bool RunRound(int round, const std::string& path, double best[2])
{
    double times[2];
    for (int turn = 0; turn < 2; ++turn) {
        const int which = (round + turn) % 2;
        times[which] = which == 0 ? WithAviStreamWrite(path) : WithAddFrame(path);
        DeleteFileA(path.c_str());
        if (times[which] < 0)
            return false;
        if (times[which] < best[which])
            best[which] = times[which];
    }
    std::printf("round %d: AVIStreamWrite %.3f s, AddFrame %.3f s\n", round, times[0], times[1]);
    return true;
}

}  // namespace

int main()
{
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerCompressorDialog, nullptr, GetCurrentThreadId());
    const std::string path = TempPath("tq bench.avi");
    double best[2] = {1e9, 1e9};
    for (int round = 0; round < kRounds; ++round) {
        if (!RunRound(round, path, best)) {
            std::printf("round %d: writing failed\n", round);
            return 1;
        }
    }
    UnhookWindowsHookEx(hook);
    std::printf("%d frames of %u x %u: AVIStreamWrite %.3f s, AddFrame %.3f s, ratio %.3f "
                "(target <= 1.1)\n",
                kFrames, kWidth, kHeight, best[0], best[1], best[1] / best[0]);
    return 0;
}
