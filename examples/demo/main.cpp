// TqDemo: a minimal application on TqCommon. Its main window (DemoWindow.h)
// is a CTqWnd subclass, and its message loop lets CTqWnd::PreTranslateProc
// translate the window's accelerators. Ctrl+R records a few seconds of an
// animation to an AVI file through a compressor the user picks.
//
// "TqDemo.exe /auto" starts playing, presses F1 by itself, answers the box
// and quits: the headless run of the demo script. "TqDemo.exe /shots
// [picture]" saves screenshots of the player bar, the buttons and the window
// (and of the window showing the picture) as BMP files in the current folder
// and quits (scripts/screenshots.sh).
#include <TqCommon.h>

#include <cstring>

#include "DemoWindow.h"

namespace {

// The picture named after "/shots", or an empty text.
const char* ShotsPicture(const char* commandLine)
{
    const char* picture = std::strstr(commandLine, "/shots") + std::strlen("/shots");
    while (*picture == ' ')
        ++picture;
    return picture;
}

CDemoWnd::Mode ModeOf(const char* commandLine)
{
    if (std::strstr(commandLine, "/shots"))
        return CDemoWnd::Mode::Screenshots;
    if (std::strstr(commandLine, "/auto"))
        return CDemoWnd::Mode::Automatic;
    return CDemoWnd::Mode::Interactive;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    if (!CDemoWnd::Register(instance))
        return 1;
    const CDemoWnd::Mode mode = ModeOf(commandLine);
    CDemoWnd window(mode);
    if (!window.CreateMain(instance))
        return 1;
    window.ShowWindow(show);
    window.UpdateWindow();
    if (mode == CDemoWnd::Mode::Screenshots) {
        const int saved = window.SaveScreenshots(ShotsPicture(commandLine));
        window.Destroy();
        return saved > 0 ? 0 : 2;
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (CTqWnd::PreTranslateProc(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
