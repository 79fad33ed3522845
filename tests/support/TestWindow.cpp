#include "TestWindow.h"

namespace {

const char kClassName[] = "TqTestPlainWindow";

void RegisterOnce()
{
    static const ATOM atom = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)atom;
}

}  // namespace

TestWindow::TestWindow(DWORD style, HWND parent, DWORD exStyle, const char* title)
{
    RegisterOnce();
    m_hWnd = CreateWindowExA(exStyle, kClassName, title, style, 10, 10, 200, 150, parent,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
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
