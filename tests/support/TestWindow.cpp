#include "TestWindow.h"

TestWindow::TestWindow(DWORD style, HWND parent, DWORD exStyle, const char* title)
{
    static const ATOM windowClass = [] {  // registered once
        WNDCLASSA registered = {};
        registered.lpfnWndProc = DefWindowProcA;
        registered.hInstance = GetModuleHandleA(nullptr);
        registered.hCursor = LoadCursor(nullptr, IDC_ARROW);
        registered.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        registered.lpszClassName = "TqTestPlainWindow";
        return RegisterClassA(&registered);
    }();
    m_hWnd = CreateWindowExA(exStyle, MAKEINTATOM(windowClass), title, style, 10, 10, 200, 150,
                             parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow()
{
    if (IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
