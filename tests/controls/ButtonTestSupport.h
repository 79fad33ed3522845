#pragma once

// Shared by the button and player tests: a host window that logs the
// commands it receives and hands owner-draw requests to one child, probes that
// expose the buttons' state, and the library's faces read back as pictures.
#include <TqCommon.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "SliderTestSupport.h"

namespace buttontest {

using slidertest::Picture;

// The library's bitmap resources.
const int kPlayFace = 103;
const int kPauseFace = 104;
const int kStartFace = 105;
const int kEndFace = 106;
const COLORREF kMagenta = RGB(255, 0, 255);

// A bitmap of the library module (or of module), 0 when it cannot be loaded.
HBITMAP LoadFace(int id, HINSTANCE module = TqGetLibraryInstance());
// The picture of a bitmap as it reads back through a screen-compatible DC.
Picture BitmapPicture(HBITMAP bitmap);

// The pixels where painted differs from plain, as a picture of the same size
// holding those pixels and 0xFF000000 (no colour) elsewhere.
Picture Difference(const Picture& painted, const Picture& plain);
// face, where opaque (not magenta), placed at (x, y) on an empty picture of
// the given size: what Difference finds when face is drawn there.
Picture Placed(const Picture& face, int x, int y, int width, int height);
const std::uint32_t kNoColour = 0xFF000000;

// The parent of the buttons under test: a borderless top-level window,
// above every other window, that logs every WM_COMMAND and hands WM_DRAWITEM
// for one child to that child's DrawItem.
class ButtonHost : public CTqWnd {
public:
    struct Command {
        unsigned int wParam;
        long lParam;
        HWND capture;  // who held the mouse when the command arrived
        int stateAtCommand;
    };

    int CreateTop(int width = 300, int height = 120);

    std::vector<Command> commands;
    // Read when a command arrives: the state of the sender at that moment.
    std::function<int()> probe;
    CTqWnd* ownerDrawn = nullptr;  // null: WM_DRAWITEM is not passed on
    int drawItemCalls = 0;

protected:
    int OnCommand(unsigned int wParam, long lParam) override;
    int OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
};

// A custom button whose mouse state and face placement the tests can read.
class ProbeCstmButton : public CTqCstmButtonCtrl {
public:
    // Created in host at (x, y) with the given size, with the play face.
    int CreateIn(CTqWnd& host, int width, int height, unsigned int id = 101, int x = 0,
                 int y = 0);
    int Tracking() const { return m_bTracking; }
    int Pressed() const { return m_bPressed; }
    // Pressed and tracking as one number: 10 * tracking + pressed.
    int State() const { return 10 * m_bTracking + m_bPressed; }
    void Face(HDC dc, const RECT& rect, int pushed, int disabled, RECT* placed)
    {
        DrawBmp(dc, rect, pushed, disabled, placed);
    }
    Picture Paint();
    // The same button painted without its faces.
    Picture PaintBare();
};

// Puts picture onto dc at its origin.
void DrawPicture(HDC dc, const Picture& picture);

// Sends a mouse message with the point in client coordinates.
void Mouse(HWND window, UINT msg, int x, int y);

}  // namespace buttontest
