#pragma once

#include <windows.h>

// A visible top-level window with a caption and a sizing frame.
constexpr DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

// A plain window of a test-only class (DefWindowProcA), destroyed with its
// scope: what the tests use as a main window, an owner or a parent.
class TestWindow {
public:
    TestWindow(DWORD style, HWND parent = nullptr, DWORD exStyle = 0,
               const char* title = "TqTest");
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();

    HWND Handle() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// Dispatches every message waiting for this thread.
void PumpMessages();
