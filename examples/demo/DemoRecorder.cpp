#include "DemoRecorder.h"

#include <TqCommon.h>

#include <cstdio>

namespace {

const unsigned int kWidth = 320;
const unsigned int kHeight = 240;
const unsigned long kRate = 30;  // frames per second, with scale 1
const int kFrames = 90;
const int kBallSize = 48;

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// A ball bouncing across bands of colour that drift upwards, and the frame
// number.
void DrawFrame(HDC dc, int frame)
{
    const int bandHeight = 20;
    for (int top = -bandHeight; top < int(kHeight); top += bandHeight) {
        const int y = top + bandHeight - frame % bandHeight;
        const int shade = 120 + (y * 100) / int(kHeight);
        FillSolid(dc, RECT{0, y, int(kWidth), y + bandHeight}, RGB(40, shade / 2, shade));
    }

    const int travel = int(kWidth) - kBallSize;
    const int step = (frame * 8) % (2 * travel);
    const int x = step < travel ? step : 2 * travel - step;
    const int y = (int(kHeight) - kBallSize) / 2;
    HBRUSH ball = CreateSolidBrush(RGB(250, 200, 40));
    HGDIOBJ previous = SelectObject(dc, ball);
    Ellipse(dc, x, y, x + kBallSize, y + kBallSize);
    SelectObject(dc, previous);
    DeleteObject(ball);

    char caption[32];
    const int length = std::snprintf(caption, sizeof caption, "TqCommon %d/%d", frame + 1, kFrames);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 8, 8, caption, length);
}

CTqString DefaultPath()
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    return CTqString(directory) + "TqDemo.avi";
}

}  // namespace

int RecordDemoMovie(HWND owner, const char* path)
{
    const CTqString file = path ? CTqString(path) : DefaultPath();
    int written = 0;
    {
        CTqAVI avi;
        HDC dc = avi.Create(file, owner, kWidth, kHeight, kRate, 1);
        if (!dc)
            return 0;  // cancelled, or the failure was shown already
        for (int frame = 0; frame < kFrames; ++frame) {
            DrawFrame(dc, frame);
            GdiFlush();
            if (avi.AddFrame())
                ++written;
        }
    }  // the movie is finished when the writer goes

    char count[16];
    std::snprintf(count, sizeof count, "%d", written);
    const CTqString report = CTqString("Recorded ") + count + " frames to\n" + file;
    TqMsgBox(report, nullptr, MB_OK | MB_ICONINFORMATION, owner);
    return written;
}
