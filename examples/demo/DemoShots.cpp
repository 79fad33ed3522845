#include "DemoShots.h"

#include <TqCommon.h>

namespace {

const unsigned int kShotBits = 24;

// The picture in bitmap as the rows of dib.
bool ReadPixels(HDC dc, HBITMAP bitmap, CTqDib& dib)
{
    return GetDIBits(dc, bitmap, 0, dib.GetHeight(), dib.GetPixels(), dib.GetBmpInfo(),
                     DIB_RGB_COLORS) == static_cast<int>(dib.GetHeight());
}

}  // namespace

int SaveClientShot(HWND window, const char* path)
{
    RECT client = {};
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return 0;
    CTqDib dib;
    if (!dib.Create(client.right, client.bottom, kShotBits, 1))
        return 0;

    HDC windowDC = GetDC(window);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, client.right, client.bottom);
    bool copied = false;
    if (memoryDC && bitmap) {
        HGDIOBJ previous = SelectObject(memoryDC, bitmap);
        BitBlt(memoryDC, 0, 0, client.right, client.bottom, windowDC, 0, 0, SRCCOPY);
        SelectObject(memoryDC, previous);
        copied = ReadPixels(memoryDC, bitmap, dib);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memoryDC)
        DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    return copied && dib.WriteBmpFile(path, 0) ? 1 : 0;
}
