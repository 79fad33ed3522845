// TqDemo: a minimal application on TqCommon. One window class, one message
// loop. The window lists what the library's arrays and strings made; a click
// or a key shows the summary through TqMsgBox, owned by this main window and
// captioned with the executable's name.
//
// "TqDemo.exe /auto" shows the box by itself, answers it and quits: the
// headless run of the demo script.
#include <TqCommon.h>

#include "DemoRecorder.h"

#include <cstdio>
#include <cstring>

namespace {

const char kClassName[] = "TqDemoWindow";
const UINT_PTR kShowBoxTimer = 1;
const UINT_PTR kAnswerBoxTimer = 2;
const UINT kAutoDelayMs = 1500;

bool g_auto = false;
CTqString g_lines[6];

CTqString Number(const char* label, unsigned int value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%u", value);
    return CTqString(label) + digits;
}

void BuildLines()
{
    CTqArray<char, 2> bytes;
    for (char c = 'a'; c <= 'e'; ++c)
        bytes.PushBack(c);
    g_lines[0] = Number("Array: 5 bytes pushed one by one, capacity ", bytes.GetBufferSize());

    CTqString text("Tq");
    text += "Common";
    text += text;  // a string may append itself
    g_lines[1] = CTqString("String: ") + text;

    // Two double-byte characters of code page 932 ("日本") and "go".
    CTqString japanese("\x93\xfa\x96\x7b" "go");
    g_lines[2] = CTqString("Characters in \"") + japanese + "\": ";
    g_lines[2] += Number("", japanese.GetLengthMB());
    g_lines[2] += Number(" (bytes ", japanese.GetLength()) + ")";

    CTqString name("FileName.TXT");
    name.SetLowerCase();
    g_lines[3] = CTqString("Lower case: ") + name;

    char process[MAX_PATH];
    if (TqGetProcessName(process, sizeof process))
        g_lines[4] = CTqString("Process name: ") + process;
    g_lines[5] = "Click or press a key for a message box.";
}

void ShowSummary(HWND window)
{
    CTqString summary;
    for (const CTqString& line : g_lines) {
        summary += line;
        summary += "\n";
    }
    summary.ShowMsgBox(nullptr, MB_OK | MB_ICONINFORMATION, nullptr);
    if (g_auto)
        PostMessageA(window, WM_CLOSE, 0, 0);
}

BOOL CALLBACK AnswerBox(HWND window, LPARAM)
{
    char className[16];
    if (GetClassNameA(window, className, sizeof className) && std::strcmp(className, "#32770") == 0)
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    int y = 10;
    for (const CTqString& line : g_lines) {
        TextOutA(dc, 10, y, line, static_cast<int>(line.GetLength()));
        y += 22;
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
        if (message == WM_KEYDOWN && wParam == 'R' && !g_auto)  // never a dialog in /auto
            RecordDemoMovie(window, nullptr);
        else
            ShowSummary(window);
        return 0;
    case WM_TIMER:
        if (wParam == kShowBoxTimer) {
            KillTimer(window, kShowBoxTimer);
            SetTimer(window, kAnswerBoxTimer, kAutoDelayMs, nullptr);
            ShowSummary(window);
        } else if (wParam == kAnswerBoxTimer) {
            KillTimer(window, kAnswerBoxTimer);
            EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    g_auto = std::strstr(commandLine, "/auto") != nullptr;
    BuildLines();

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass))
        return 1;

    HWND window = CreateWindowExA(0, kClassName, "TqCommon demo", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 520, 220, nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    if (g_auto)
        SetTimer(window, kShowBoxTimer, kAutoDelayMs, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
