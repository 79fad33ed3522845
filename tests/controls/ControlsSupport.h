#pragma once

// Shared by the control tests: the pictures they should show, a host window
// that logs what its children send, probes that open the controls' state,
// and real mouse input.
#include <TqCommon.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"
#include "TestWindow.h"
#include "window/internal/TqWndClass.h"

namespace ctl {

using Calls = std::vector<std::string>;
using Longs = std::vector<LONG_PTR>;  // also holds handles and message results
using Pixels = std::vector<COLORREF>;
const int kPlay = IDB_TQ_PLAY, kPause = IDB_TQ_PAUSE, kStart = IDB_TQ_TO_START, kEnd = IDB_TQ_TO_END;
const COLORREF kMagenta = RGB(255, 0, 255);

inline const auto Sys = &GetSysColor;

// A bitmap resource of the library as it reads back.
inline Picture Face(int id)
{
    const tq::GdiObject<HBITMAP> bitmap(LoadBitmapA(TqGetLibraryInstance(), MAKEINTRESOURCEA(id)));
    return bitmap.Get() ? BitmapPicture(bitmap) : Picture();
}

// Repaints the window with its children, then reads its client area.
inline Picture Paint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client = {};
    GetClientRect(window, &client);
    return CaptureDC(tq::WindowDC(window), client.right, client.bottom);
}

// bare with the pixels of face that are not transparent put at (x, y).
inline Picture WithFace(Picture bare, const Picture& face, int x, int y,
                        COLORREF transparent = kMagenta)
{
    for (int fy = 0; fy < face.height; ++fy)
        for (int fx = 0; fx < face.width; ++fx)
            if (face.At(fx, fy) != transparent && x + fx >= 0 && y + fy >= 0 &&
                x + fx < bare.width && y + fy < bare.height)
                bare[(y + fy) * bare.width + x + fx] = face.At(fx, fy);
    return bare;
}

// Each channel of a is at least that of b.
inline bool NotDarker(COLORREF a, COLORREF b)
{
    return (a & 0xFF) >= (b & 0xFF) && (a & 0xFF00) >= (b & 0xFF00) &&
           (a & 0xFF0000) >= (b & 0xFF0000);
}

// A borderless top-level window at the screen's origin, above the others,
// that logs every WM_COMMAND (with the capture and what probe says at that
// moment) and hands WM_DRAWITEM and NM_CUSTOMDRAW to one child each.
class Host : public CTqWnd {
public:
    struct Command { WPARAM wParam; LPARAM lParam; HWND capture; int state; };
    struct DrawCall { DWORD stage; DWORD_PTR item; int handled; LRESULT result; };
    std::vector<Command> commands;
    std::function<int()> probe;
    CTqWnd* ownerDrawn = nullptr;
    int drawItemCalls = 0;
    CTqWnd* customDrawn = nullptr;
    std::vector<DrawCall> drawCalls;

protected:
    int OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back({wParam, lParam, GetCapture(), probe ? probe() : 0});
        return CTqWnd::OnCommand(wParam, lParam);
    }
    int OnDrawItem(int, DRAWITEMSTRUCT* item) override
    {
        if (!ownerDrawn || item->hwndItem != ownerDrawn->GetHwnd())
            return 0;
        ++drawItemCalls;
        return ownerDrawn->DrawItem(item);
    }
    int OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
        if (!customDrawn || draw->hdr.hwndFrom != customDrawn->GetHwnd() ||
            draw->hdr.code != UINT(NM_CUSTOMDRAW))
            return 0;
        const int handled = customDrawn->CustomDraw(&draw->hdr, result);
        drawCalls.push_back({draw->dwDrawStage, draw->dwItemSpec, handled, handled ? *result : 0});
        return handled;
    }
};

// Every test has a host, in front and with the focus.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static tq::WndClass hostClass("TqTestControlHost");
        const DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
        ASSERT_TRUE(hostClass.Register());
        ASSERT_TRUE(host.Create(hostClass.Name(), "Host", style, 0, 0, 1600, 200, nullptr, 0));
        host.SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(host.GetHwnd());
        SetFocus(host.GetHwnd());
        PumpMessages();
    }
    void TearDown() override { host.Destroy(); }

    Host host;
};

inline std::string Logged(const char* what, double pos)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s %g", what, pos);
    return text;
}

// A custom button with the play face whose mouse state can be read.
struct Button : CTqCstmButtonCtrl {
    int Open(CTqWnd& host, int width, int height, unsigned int id = 101, int x = 0, int y = 0)
    {
        const int created = Create("", WS_CHILD | WS_VISIBLE, x, y, width, height, &host, id);
        SetBmpID(kPlay, kMagenta);
        return created;
    }
    int State() const { return 10 * m_bTracking + m_bPressed; }
    using CTqCstmButtonCtrl::DrawBmp;
};

// A time slider that opens its layout and logs its drags as "start 50".
struct Slider : CTqTimeSliderCtrl {
    Calls calls;

    // Created at zero size, flags set, then sized: the order owners follow.
    int Open(CTqWnd& host, int width, int height, int hasValue = 0, int gradated = 0,
             int volumeShape = 0, int x = 0, int y = 0)
    {
        const int created = Create(WS_CHILD | WS_VISIBLE, x, y, 0, 0, &host, 102, volumeShape);
        HasValue() = hasValue;
        IsGradated() = gradated;
        MoveWindow(x, y, width, height, TRUE);
        return created;
    }
    Longs Track() const
    {
        return {m_rcTrack.left, m_rcTrack.top, m_rcTrack.right, m_rcTrack.bottom};
    }
    RECT Thumb() const { return m_rcThumb; }
    RECT ReadOutBox() const
    {
        RECT client = {};
        GetClientRect(&client);
        return {m_rcTrack.right, 0, m_rcTrack.right + m_nTextWidth, client.bottom};
    }

protected:
    void OnStartTrack(double pos) override { calls.push_back(Logged("start", pos)); }
    void OnTracking(double pos) override { calls.push_back(Logged("tracking", pos)); }
    void OnEndTrack(double pos) override { calls.push_back(Logged("end", pos)); }
};

// A mouse message at a client point, the left button down but for the
// release; or, real, the same by real input at screen coordinates: a move
// there (pumping until the cursor is there), then the button's own event as
// the platform needs it, pumped until handled.
inline void Mouse(HWND window, UINT msg, int x, int y, bool real = false)
{
    if (!real) {
        SendMessageA(window, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
        return;
    }
    // Pumps messages until done, for about half a second at most.
    const auto pumpUntil = [](const auto& done) {
        for (int i = 0; i < 250 && (PumpMessages(), !done()); ++i)
            Sleep(2);
    };
    POINT pt = {x, y}, now = {};
    ClientToScreen(window, &pt);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Normalised coordinates: the smallest value that maps onto the pixel.
    input.mi = {(pt.x * 65536 + cx - 1) / cx, (pt.y * 65536 + cy - 1) / cy, 0,
                MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0};
    SendInput(1, &input, sizeof input);
    pumpUntil([&] { return GetCursorPos(&now) && now.x == pt.x && now.y == pt.y; });
    const DWORD button = msg == WM_LBUTTONDOWN ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    input.mi = {0, 0, 0, button, 0, 0};
    if (msg != WM_MOUSEMOVE && SendInput(1, &input, sizeof input))
        pumpUntil([] { return !HIWORD(GetQueueStatus(QS_MOUSE)); });
}

}  // namespace ctl
