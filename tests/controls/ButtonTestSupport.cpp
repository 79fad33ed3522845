#include "ButtonTestSupport.h"

#include "TestWindow.h"
#include "library/internal/TqGdiGuards.h"
#include "window/internal/TqWndClass.h"

namespace buttontest {

namespace {

const char* HostClass()
{
    static tq::WndClass windowClass("TqTestButtonHost");
    windowClass.Register();
    return windowClass.Name();
}

}  // namespace

HBITMAP LoadFace(int id, HINSTANCE module)
{
    return LoadBitmapA(module, MAKEINTRESOURCEA(id));
}

Picture BitmapPicture(HBITMAP bitmap)
{
    BITMAP size = {};
    if (!GetObjectA(bitmap, sizeof size, &size))
        return Picture();
    const tq::WindowDC screen(nullptr);
    const tq::MemoryDC dc(screen);
    const tq::SelectedObject selected(dc, bitmap);
    return slidertest::CaptureDC(dc, size.bmWidth, size.bmHeight);
}

Picture Difference(const Picture& painted, const Picture& plain)
{
    Picture difference = painted;
    for (size_t i = 0; i < difference.pixels.size() && i < plain.pixels.size(); ++i) {
        if (painted.pixels[i] == plain.pixels[i])
            difference.pixels[i] = kNoColour;
    }
    return difference;
}

Picture Placed(const Picture& face, int x, int y, int width, int height)
{
    Picture placed;
    placed.width = width;
    placed.height = height;
    placed.pixels.assign(width * height, kNoColour);
    const std::uint32_t magenta = slidertest::Pixel(kMagenta);
    for (int row = 0; row < face.height; ++row) {
        for (int column = 0; column < face.width; ++column) {
            const int px = x + column;
            const int py = y + row;
            if (px >= 0 && py >= 0 && px < width && py < height &&
                face.At(column, row) != magenta)
                placed.pixels[py * width + px] = face.At(column, row);
        }
    }
    return placed;
}

int ButtonHost::CreateTop(int width, int height)
{
    if (!Create(HostClass(), "Buttons", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                height, nullptr, 0))
        return 0;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(m_hWnd);
    PumpMessages();
    return 1;
}

int ButtonHost::OnCommand(unsigned int wParam, long lParam)
{
    commands.push_back({wParam, lParam, GetCapture(), probe ? probe() : 0});
    return CTqWnd::OnCommand(wParam, lParam);
}

int ButtonHost::OnDrawItem(int, DRAWITEMSTRUCT* item)
{
    if (!ownerDrawn || item->hwndItem != ownerDrawn->GetHwnd())
        return 0;
    ++drawItemCalls;
    return ownerDrawn->DrawItem(item);
}

int ProbeCstmButton::CreateIn(CTqWnd& host, int width, int height, unsigned int id, int x, int y)
{
    if (!Create("", WS_CHILD | WS_VISIBLE, x, y, width, height, &host, id))
        return 0;
    SetBmpID(kPlayFace, kMagenta);
    return 1;
}

Picture ProbeCstmButton::Paint()
{
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
    return slidertest::CaptureClient(m_hWnd);
}

Picture ProbeCstmButton::PaintBare()
{
    const int normal = m_nBmpID, checked = m_nCheckedBmpID;
    m_nBmpID = m_nCheckedBmpID = 0;
    const Picture bare = Paint();
    m_nBmpID = normal;
    m_nCheckedBmpID = checked;
    return bare;
}

void DrawPicture(HDC dc, const Picture& picture)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, picture.width, picture.height, 0, 0, 0, picture.height,
                      picture.pixels.data(), &info, DIB_RGB_COLORS);
}

void Mouse(HWND window, UINT msg, int x, int y)
{
    const WPARAM keys = msg == WM_LBUTTONDOWN || msg == WM_MOUSEMOVE ? MK_LBUTTON : 0;
    SendMessageA(window, msg, keys, MAKELPARAM(x, y));
}

}  // namespace buttontest
