// TqDemo: a minimal application on TqCommon. Its main window is a CTqWnd
// subclass whose class uses CTqWnd::WndProc, and its message loop lets
// CTqWnd::PreTranslateProc translate the window's accelerators. The window
// lists what the library's arrays and strings made; a click, F1 or the menu
// shows the summary through TqMsgBox, owned by this main window and captioned
// with the executable's name. Ctrl+R records a few seconds of an animation
// to an AVI file through a compressor the user picks.
//
// "TqDemo.exe /auto" presses F1 by itself, answers the box and quits: the
// headless run of the demo script.
#include <TqCommon.h>

#include <cstdio>
#include <cstring>

#include "DemoIds.h"
#include "DemoRecorder.h"

namespace {

const char kClassName[] = "TqDemoWindow";
const unsigned int kPressKeyTimer = 1;
const unsigned int kAnswerBoxTimer = 2;
const UINT kAutoDelayMs = 1500;
const int kLineHeight = 22;
const int kMargin = 10;

CTqString Number(const char* label, unsigned int value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%u", value);
    return CTqString(label) + digits;
}

BOOL CALLBACK AnswerBox(HWND window, LPARAM answered)
{
    char className[16];
    if (GetClassNameA(window, className, sizeof className) &&
        std::strcmp(className, "#32770") == 0) {
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        *reinterpret_cast<bool*>(answered) = true;
    }
    return TRUE;
}

// The demo's main window. Each action is a command id (DemoIds.h) handled in
// OnCmdMsg; the menu and the accelerators of TqDemo.rc send them.
class CDemoWnd : public CTqWnd {
public:
    explicit CDemoWnd(bool automatic) : m_automatic(automatic) { BuildLines(); }

    static int Register(HINSTANCE instance)
    {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = CTqWnd::WndProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszMenuName = IDR_DEMO_MENU;
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass) != 0;
    }

    int CreateMain(HINSTANCE instance)
    {
        if (!CTqWnd::Create(kClassName, "TqCommon demo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 520, 240, nullptr, 0))
            return 0;
        LoadAcceleratorsA(instance, IDR_DEMO_ACCEL);
        if (m_automatic)
            SetTimer(m_hWnd, kPressKeyTimer, kAutoDelayMs, nullptr);
        return 1;
    }

protected:
    int OnCmdMsg(unsigned int id, int code, HWND control) override
    {
        if (CTqWnd::OnCmdMsg(id, code, control))
            return 1;
        switch (id) {
        case ID_DEMO_SUMMARY:
            ShowSummary();
            return 1;
        case ID_DEMO_RECORD:
            if (!m_automatic)  // the compressor dialog needs a user
                RecordDemoMovie(m_hWnd, nullptr);
            return 1;
        case ID_DEMO_EXIT:
            PostMessageA(WM_CLOSE, 0, 0);
            return 1;
        }
        return 0;
    }

    void OnPaint() override
    {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(m_hWnd, &paint);
        int y = kMargin;
        for (const CTqString& line : m_lines) {
            TextOutA(dc, kMargin, y, line, static_cast<int>(line.GetLength()));
            y += kLineHeight;
        }
        EndPaint(m_hWnd, &paint);
    }

    void OnLButtonUp(unsigned int, POINT) override { ShowSummary(); }

    // The automatic run: press F1 through the message loop, then answer the
    // box it opens; without a box there is nothing left to wait for.
    void OnTimer(unsigned int id) override
    {
        KillTimer(m_hWnd, id);
        if (id == kPressKeyTimer) {
            SetTimer(m_hWnd, kAnswerBoxTimer, kAutoDelayMs, nullptr);
            PostMessageA(WM_KEYDOWN, VK_F1, 1);
        } else if (id == kAnswerBoxTimer) {
            bool answered = false;
            EnumThreadWindows(GetCurrentThreadId(), AnswerBox,
                              reinterpret_cast<LPARAM>(&answered));
            if (!answered)
                PostMessageA(WM_CLOSE, 0, 0);
        }
    }

    void OnDestroy() override
    {
        CTqWnd::OnDestroy();
        PostQuitMessage(0);
    }

private:
    void BuildLines()
    {
        CTqArray<char, 2> bytes;
        for (char c = 'a'; c <= 'e'; ++c)
            bytes.PushBack(c);
        m_lines[0] = Number("Array: 5 bytes pushed one by one, capacity ", bytes.GetBufferSize());

        CTqString text("Tq");
        text += "Common";
        text += text;  // a string may append itself
        m_lines[1] = CTqString("String: ") + text;

        // Two double-byte characters of code page 932 ("日本") and "go".
        CTqString japanese("\x93\xfa\x96\x7b" "go");
        m_lines[2] = CTqString("Characters in \"") + japanese + "\": ";
        m_lines[2] += Number("", japanese.GetLengthMB());
        m_lines[2] += Number(" (bytes ", japanese.GetLength()) + ")";

        CTqString name("FileName.TXT");
        name.SetLowerCase();
        m_lines[3] = CTqString("Lower case: ") + name;

        char process[MAX_PATH];
        if (TqGetProcessName(process, sizeof process))
            m_lines[4] = CTqString("Process name: ") + process;
        m_lines[5] = "Window: a CTqWnd bound to its handle by CTqWnd::WndProc.";
        m_lines[6] = "Click, press F1 or use the menu for a message box.";
    }

    void ShowSummary()
    {
        CTqString summary;
        for (const CTqString& line : m_lines) {
            summary += line;
            summary += "\n";
        }
        summary.ShowMsgBox(nullptr, MB_OK | MB_ICONINFORMATION, nullptr);
        if (m_automatic)
            PostMessageA(WM_CLOSE, 0, 0);
    }

    bool m_automatic;
    CTqString m_lines[7];
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    if (!CDemoWnd::Register(instance))
        return 1;
    CDemoWnd window(std::strstr(commandLine, "/auto") != nullptr);
    if (!window.CreateMain(instance))
        return 1;
    window.ShowWindow(show);
    window.UpdateWindow();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (CTqWnd::PreTranslateProc(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
