#pragma once

// Shared by the slider tests: pictures read back from real DCs, a host window
// for the controls, a time slider that exposes its layout and logs its drag
// notifications, and a way to run out of GDI handles quickly.
#include <TqCommon.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "library/internal/TqGdiGuards.h"

namespace slidertest {

// A picture read back from a DC: one 0x00RRGGBB value per pixel, rows from
// the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[y * width + x]; }
    Picture Crop(const RECT& rect) const;
    bool operator==(const Picture& other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const Picture& other) const { return !(*this == other); }
};

// A colour as it reads back from a picture.
std::uint32_t Pixel(COLORREF colour);
std::uint32_t SysPixel(int colorIndex);

Picture CaptureDC(HDC dc, int width, int height);
// The client area, through the window's DC.
Picture CaptureClient(HWND window);

// A screen-compatible bitmap filled with the face colour, on which a test
// draws the picture it expects with the same calls a control makes.
class Canvas {
public:
    Canvas(int width, int height);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();
    HDC Dc() const { return m_dc; }
    Picture Read() const { return CaptureDC(m_dc, m_width, m_height); }
    // DrawTextA with the read-out's font, flags and transparent background.
    void DrawReadOut(const char* text, RECT box, COLORREF colour);

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

// The parent of the controls under test: a borderless top-level window that
// hands the custom-draw notifications of one child to that child's
// CustomDraw and logs what it answered.
class SliderHost : public CTqWnd {
public:
    struct DrawCall {
        DWORD stage;
        DWORD_PTR item;
        int handled;
        long result;
    };

    // Left at the screen's origin, above every other window, so that real
    // mouse input at screen coordinates reaches it.
    int CreateTop(int width = 400, int height = 120);

    CTqWnd* customDrawn = nullptr;  // null: the notifications are not passed on
    std::vector<DrawCall> drawCalls;

protected:
    int OnNotify(unsigned int id, long lParam, long* result) override;
};

// A time slider whose layout the tests can read and whose drag notifications
// are logged as "start 50", "tracking 51", "end 51".
class ProbeTimeSlider : public CTqTimeSliderCtrl {
public:
    std::vector<std::string> calls;

    // Created at zero size in host, flags set, then sized: the order owners
    // follow, so that the flags count from the first layout.
    int CreateIn(CTqWnd& host, int width, int height, int hasValue = 0, int gradated = 0,
                 int volumeShape = 0, int x = 0, int y = 0);

    RECT Track() const { return m_rcTrack; }
    RECT Thumb() const { return m_rcThumb; }
    int TextWidth() const { return m_nTextWidth; }
    int Tracking() const { return m_bTracking; }
    HBITMAP WorkBmp() const { return m_hWorkBmp; }
    HBITMAP BackBmp() const { return m_hBackBmp; }
    HPEN LightPen() const { return m_hLightPen; }
    HPEN ShadowPen() const { return m_hShadowPen; }
    int PosAt(double& pos, long x) const { return CalcPos(pos, x); }
    // The read-out's rectangle in client coordinates.
    RECT ReadOutBox() const;
    Picture Paint();

protected:
    void OnStartTrack(double pos) override { Log("start", pos); }
    void OnTracking(double pos) override { Log("tracking", pos); }
    void OnEndTrack(double pos) override { Log("end", pos); }

private:
    void Log(const char* what, double pos);
};

// Fills the process's GDI handle table with brushes and gives back only a few
// slots, so that a leak of one object per paint shows within a few thousand
// paints instead of tens of thousands. Everything is freed with the scope.
class GdiHeadroom {
public:
    explicit GdiHeadroom(int room);
    GdiHeadroom(const GdiHeadroom&) = delete;
    GdiHeadroom& operator=(const GdiHeadroom&) = delete;
    ~GdiHeadroom();
    // How many more GDI objects fit now (counted by making and deleting them).
    int FreeSlots() const;

private:
    std::vector<HBRUSH> m_filler;
};

// The vtable slot of a virtual member function, read from the pointer to
// member as the Itanium C++ ABI of this compiler lays it out.
template <class MemberFunction>
int Slot(MemberFunction function)
{
    struct Representation {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof function == sizeof representation, "Itanium pointer to member");
    std::memcpy(&representation, &function, sizeof representation);
    return static_cast<int>((representation.pointer - 1) / sizeof(void*));
}

// CTqWnd has two destructor slots and 39 virtual operations.
const int kFirstSlotAfterWnd = 41;

// Pumps messages until the cursor is at pt (screen coordinates); false when it
// never arrives.
bool WaitForCursor(POINT pt);
// Real input, one event per call as the platform needs it.
void SendMouseMove(POINT screen);
void SendMouseButton(DWORD flag);

}  // namespace slidertest
