// Speed of the bitmap operations against baselines measured in the same run:
//   FillRect and GradeRect of a 4096 x 4096, 32-bit CTqDib against memset of
//   the same bytes (speed ratio, at least 0.5 wanted when whole pixels are
//   written; the variants that keep alpha are shown for information);
//   TqTransparentBlt of 512 x 512 against MSIMG32 TransparentBlt (time
//   ratio, at most 1.5 wanted);
//   writing and reading back a 64 MiB BMP against writing and reading the
//   same bytes raw (time ratio, at most 1.2 wanted).
// Each figure is the best of several rounds, so that other work on the
// machine disturbs it less; operation and baseline take turns.
#include <TqCommon.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {

const int kRounds = 7;
const unsigned int kImageSide = 4096;
const int kBlitSide = 512;
const int kBlitsPerRound = 40;
const COLORREF kMagenta = RGB(255, 0, 255);

double Seconds(const std::function<void()>& work)
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

// The best times of an operation and its baseline, measured in alternate
// rounds so that caches and the system's file writing favour neither.
struct Times {
    double operation;
    double baseline;
};

Times Compare(const std::function<void()>& operation, const std::function<void()>& baseline)
{
    Times best = {1e30, 1e30};
    for (int round = 0; round < kRounds; ++round) {
        best.operation = std::min(best.operation, Seconds(operation));
        best.baseline = std::min(best.baseline, Seconds(baseline));
    }
    return best;
}

// target 0: a figure for information, with no target.
void Report(const char* what, double seconds, const char* baseline, double baselineSeconds,
            bool speed, double target)
{
    const double ratio = speed ? baselineSeconds / seconds : seconds / baselineSeconds;
    const bool met = speed ? ratio >= target : ratio <= target;
    std::printf("%-36s %8.2f ms  %-18s %8.2f ms  %s ratio %.2f", what, seconds * 1e3, baseline,
                baselineSeconds * 1e3, speed ? "speed" : "time", ratio);
    if (target > 0)
        std::printf(" (%s %.1f) %s", speed ? "at least" : "at most", target, met ? "ok" : "MISSED");
    std::printf("\n");
}

void BenchFills()
{
    CTqDib dib;
    dib.Create(kImageSide, kImageSide, 32, 0);
    unsigned char* pixels = dib.GetPixels();
    const size_t bytes = static_cast<size_t>(dib.GetPitch()) * dib.GetHeight();
    const RGBQUAD from = {10, 20, 30, 40};
    const RGBQUAD to = {200, 150, 100, 255};
    int value = 0;
    const auto memset = [&] { std::memset(pixels, ++value, bytes); };
    const auto report = [&](const char* what, double target, const std::function<void()>& operation) {
        const Times times = Compare(operation, memset);
        Report(what, times.operation, "memset", times.baseline, true, target);
    };
    report("FillRect, with alpha", 0.5, [&] { dib.FillRect(from, nullptr, 1); });
    report("GradeRect horizontal, with alpha", 0.5, [&] { dib.GradeRect(from, to, 0, nullptr, 1); });
    report("GradeRect vertical, with alpha", 0.5, [&] { dib.GradeRect(from, to, 1, nullptr, 1); });
    // Keeping alpha writes three bytes of every four, so every pixel is read
    // as well as written: not the work of a memset.
    report("FillRect, keeping alpha", 0, [&] { dib.FillRect(from, nullptr, 0); });
    report("GradeRect horizontal, keeping alpha", 0, [&] { dib.GradeRect(from, to, 0, nullptr, 0); });
}

void BenchTransparentBlt()
{
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    HBITMAP targetBitmap = CreateCompatibleBitmap(screen, kBlitSide, kBlitSide);
    HBITMAP sprite = CreateCompatibleBitmap(screen, kBlitSide, kBlitSide);
    HGDIOBJ oldTarget = SelectObject(target, targetBitmap);
    HGDIOBJ oldSource = SelectObject(source, sprite);
    // A sprite with a magenta background and a filled circle.
    RECT all = {0, 0, kBlitSide, kBlitSide};
    HBRUSH magenta = CreateSolidBrush(kMagenta);
    FillRect(source, &all, magenta);
    DeleteObject(magenta);
    Ellipse(source, 32, 32, kBlitSide - 32, kBlitSide - 32);
    SelectObject(source, oldSource);

    const Times times = Compare(
        [&] {
            for (int i = 0; i < kBlitsPerRound; ++i)
                TqTransparentBlt(target, 0, 0, kBlitSide, kBlitSide, sprite, 0, 0, kMagenta, nullptr);
            GdiFlush();
        },
        [&] {
            for (int i = 0; i < kBlitsPerRound; ++i) {
                HGDIOBJ previous = SelectObject(source, sprite);
                TransparentBlt(target, 0, 0, kBlitSide, kBlitSide, source, 0, 0, kBlitSide, kBlitSide,
                               kMagenta);
                SelectObject(source, previous);
            }
            GdiFlush();
        });
    Report("TqTransparentBlt 512 x 512", times.operation / kBlitsPerRound, "TransparentBlt",
           times.baseline / kBlitsPerRound, false, 1.5);

    SelectObject(target, oldTarget);
    DeleteObject(sprite);
    DeleteObject(targetBitmap);
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
}

void WriteRaw(const char* path, const unsigned char* bytes, DWORD size)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes, size, &written, nullptr);
    CloseHandle(file);
}

std::unique_ptr<unsigned char[]> ReadRaw(const char* path, DWORD size)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[size]);
    DWORD read = 0;
    ReadFile(file, bytes.get(), size, &read, nullptr);
    CloseHandle(file);
    return bytes;
}

void BenchFiles()
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    const std::string bmpPath = std::string(directory) + "tqbench.bmp";
    const std::string rawPath = std::string(directory) + "tqbench.raw";

    CTqDib dib;
    dib.Create(kImageSide, kImageSide, 32, 0);
    dib.GradeRect({0, 0, 0, 0}, {255, 255, 255, 255}, 1, nullptr, 1);
    const DWORD fileSize = 66 + dib.GetPitch() * dib.GetHeight();
    std::unique_ptr<unsigned char[]> raw(new unsigned char[fileSize]);
    std::memset(raw.get(), 0x5A, fileSize);

    const Times times = Compare(
        [&] {
            dib.WriteBmpFile(bmpPath.c_str(), 0);
            CTqDib back;
            back.ReadBmpFile(bmpPath.c_str());
        },
        [&] {
            WriteRaw(rawPath.c_str(), raw.get(), fileSize);
            ReadRaw(rawPath.c_str(), fileSize);
        });
    Report("BMP write and read, 64 MiB", times.operation, "raw write and read", times.baseline, false, 1.2);
    DeleteFileA(bmpPath.c_str());
    DeleteFileA(rawPath.c_str());
}

}  // namespace

int main()
{
    BenchFills();
    BenchTransparentBlt();
    BenchFiles();
    return 0;
}
