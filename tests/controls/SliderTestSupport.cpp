#include "SliderTestSupport.h"

#include <commctrl.h>

#include <cstdio>

#include "TestWindow.h"
#include "library/internal/TqGdiGuards.h"
#include "window/internal/TqWndClass.h"

namespace slidertest {

namespace {

const char* HostClass()
{
    static tq::WndClass windowClass("TqTestSliderHost");
    windowClass.Register();
    return windowClass.Name();
}

}  // namespace

Picture Picture::Crop(const RECT& rect) const
{
    Picture part;
    part.width = rect.right - rect.left;
    part.height = rect.bottom - rect.top;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            part.pixels.push_back(At(x, y));
    }
    return part;
}

std::uint32_t Pixel(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

std::uint32_t SysPixel(int colorIndex)
{
    return Pixel(GetSysColor(colorIndex));
}

Picture CaptureDC(HDC dc, int width, int height)
{
    Picture picture;
    if (width <= 0 || height <= 0)
        return picture;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const tq::GdiObject<HBITMAP> dib(
        CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const tq::MemoryDC memory(dc);
    if (!dib.Get() || !memory.Get())
        return picture;
    {
        const tq::SelectedObject selected(memory, dib);
        BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
        GdiFlush();
    }
    picture.width = width;
    picture.height = height;
    const auto* source = static_cast<const std::uint32_t*>(bits);
    picture.pixels.assign(source, source + width * height);
    for (auto& pixel : picture.pixels)
        pixel &= 0xFFFFFF;
    return picture;
}

Picture CaptureClient(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    const tq::WindowDC dc(window);
    return CaptureDC(dc, client.right, client.bottom);
}

Canvas::Canvas(int width, int height) : m_width(width), m_height(height)
{
    const tq::WindowDC screen(nullptr);
    m_dc = CreateCompatibleDC(screen);
    m_bitmap = CreateCompatibleBitmap(screen, width, height);
    m_previous = SelectObject(m_dc, m_bitmap);
    const RECT all = {0, 0, width, height};
    FillRect(m_dc, &all, GetSysColorBrush(COLOR_BTNFACE));
}

Canvas::~Canvas()
{
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void Canvas::DrawReadOut(const char* text, RECT box, COLORREF colour)
{
    const tq::SavedDC saved(m_dc);
    SelectObject(m_dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(m_dc, TRANSPARENT);
    SetTextColor(m_dc, colour);
    DrawTextA(m_dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_PATH_ELLIPSIS);
}

int SliderHost::CreateTop(int width, int height)
{
    if (!Create(HostClass(), "Sliders", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                height, nullptr, 0))
        return 0;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(m_hWnd);
    PumpMessages();
    return 1;
}

int SliderHost::OnNotify(unsigned int, long lParam, long* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!customDrawn || header->hwndFrom != customDrawn->GetHwnd() ||
        header->code != static_cast<UINT>(NM_CUSTOMDRAW))
        return 0;
    const int handled = customDrawn->CustomDraw(header, result);
    const auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
    drawCalls.push_back({draw->dwDrawStage, draw->dwItemSpec, handled, handled ? *result : 0});
    return handled;
}

int ProbeTimeSlider::CreateIn(CTqWnd& host, int width, int height, int hasValue, int gradated,
                              int volumeShape, int x, int y)
{
    if (!Create(WS_CHILD | WS_VISIBLE, x, y, 0, 0, &host, 102, volumeShape))
        return 0;
    HasValue() = hasValue;
    IsGradated() = gradated;
    MoveWindow(x, y, width, height, TRUE);
    return 1;
}

RECT ProbeTimeSlider::ReadOutBox() const
{
    RECT client = {};
    GetClientRect(&client);
    return {m_rcTrack.right, 0, m_rcTrack.right + m_nTextWidth, client.bottom};
}

Picture ProbeTimeSlider::Paint()
{
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
    return CaptureClient(m_hWnd);
}

void ProbeTimeSlider::Log(const char* what, double pos)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s %g", what, pos);
    calls.push_back(text);
}

GdiHeadroom::GdiHeadroom(int room)
{
    while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3)))
        m_filler.push_back(brush);
    for (int i = 0; i < room && !m_filler.empty(); ++i) {
        DeleteObject(m_filler.back());
        m_filler.pop_back();
    }
}

GdiHeadroom::~GdiHeadroom()
{
    for (HBRUSH brush : m_filler)
        DeleteObject(brush);
}

int GdiHeadroom::FreeSlots() const
{
    std::vector<HBRUSH> probes;
    while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3)))
        probes.push_back(brush);
    for (HBRUSH brush : probes)
        DeleteObject(brush);
    return static_cast<int>(probes.size());
}

bool WaitForCursor(POINT pt)
{
    for (int attempt = 0; attempt < 500; ++attempt) {
        PumpMessages();
        POINT now = {};
        GetCursorPos(&now);
        if (now.x == pt.x && now.y == pt.y)
            return true;
        Sleep(2);
    }
    return false;
}

void SendMouseMove(POINT screen)
{
    // Normalised coordinates: the smallest value that maps onto the pixel.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void SendMouseButton(DWORD flag)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
}

}  // namespace slidertest
