// Cost of repainting the time slider at 1,000 positions (SetPos with redraw,
// then UpdateWindow) against repainting, the same way and as often, a plain
// window of the same size whose WM_PAINT only copies a prepared bitmap of the
// same picture. Both pay the platform's paint cycle, so the ratio shows what
// composing the picture off-screen adds.
#include <TqCommon.h>

#include <algorithm>
#include <cstdio>

#include "library/internal/TqGdiGuards.h"
#include "window/internal/TqWndClass.h"

namespace {

const int kWidth = 400;
const int kHeight = 24;
const int kPositions = 1000;
const int kRounds = 5;

tq::WndClass g_hostClass("TqBenchSliderHost");
HBITMAP g_picture = nullptr;  // what the plain window shows

LRESULT CALLBACK PlainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        const tq::PaintDC paint(hWnd);
        const tq::MemoryDC memory(paint);
        const tq::SelectedObject picture(memory, g_picture);
        BitBlt(paint, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
        return 0;
    }
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

HWND CreatePlainWindow(HWND parent)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TqBenchPlainPicture";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 40, kWidth,
                           kHeight, parent, nullptr, windowClass.hInstance, nullptr);
}

// The slider's picture at the current position, copied from its window.
HBITMAP CopyPicture(HWND window)
{
    const tq::WindowDC dc(window);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
    const tq::MemoryDC memory(dc);
    const tq::SelectedObject selected(memory, bitmap);
    BitBlt(memory, 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
    return bitmap;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The best of several rounds: the least disturbed by the rest of the machine.
template <class Repaint>
double BestSeconds(Repaint repaint)
{
    double best = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < kPositions; ++i)
            repaint(i);
        QueryPerformanceCounter(&end);
        best = std::min(best, Seconds(start, end));
    }
    return best;
}

}  // namespace

int main()
{
    if (!g_hostClass.Register())
        return 1;
    CTqWnd host;
    if (!host.Create(g_hostClass.Name(), "Bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, 80,
                     nullptr, 0))
        return 1;
    // Configured as a player bar configures its time slider.
    CTqTimeSliderCtrl slider;
    if (!slider.Create(WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, &host, 102, 0))
        return 1;
    slider.HasValue() = 1;
    slider.IsGradated() = 1;
    slider.IsFocusEnabled() = 0;
    slider.MoveWindow(0, 0, kWidth, kHeight, TRUE);
    slider.SetFps(25.0, 0);
    slider.SetRange(0, kPositions, 1);
    slider.UpdateWindow();
    const tq::GdiObject<HBITMAP> picture(CopyPicture(slider.GetHwnd()));
    g_picture = picture;
    const HWND plain = CreatePlainWindow(host.GetHwnd());
    if (!plain)
        return 1;

    const double sliderSeconds = BestSeconds([&](int i) {
        slider.SetPos(i, 1);
        slider.UpdateWindow();
    });
    const double plainSeconds = BestSeconds([&](int) {
        InvalidateRect(plain, nullptr, TRUE);
        UpdateWindow(plain);
    });

    const double perPaint = 1e6 / kPositions;
    std::printf("plain window copying a bitmap: %8.1f us/paint\n", plainSeconds * perPaint);
    std::printf("time slider, %d positions:   %8.1f us/paint  ratio %.2f\n", kPositions,
                sliderSeconds * perPaint, sliderSeconds / plainSeconds);
    std::printf("target: ratio at most 3.00\n");
    DestroyWindow(plain);
    host.Destroy();
    return 0;
}
