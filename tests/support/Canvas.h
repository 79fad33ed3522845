#pragma once

// Pictures read back from real DCs (a canvas to draw on, the pixels of a
// window's DC or of a bitmap) and pictures stated for comparison.
#include <windows.h>

#include <vector>

#include "library/internal/TqGdiGuards.h"

// One COLORREF per pixel, rows from the top.
struct Picture : std::vector<COLORREF> {
    int width = 0, height = 0;

    COLORREF At(int x, int y) const { return (*this)[y * width + x]; }
    Picture Crop(const RECT& r) const;
};

// colorAt(x, y) of each pixel of a width x height picture.
template <class ColorAt>
Picture Image(int width, int height, ColorAt colorAt)
{
    Picture picture;
    picture.width = width, picture.height = height;
    for (int i = 0; i < width * height; ++i)
        picture.push_back(colorAt(i % width, i / width));
    return picture;
}

inline Picture Picture::Crop(const RECT& r) const
{
    return Image(r.right - r.left, r.bottom - r.top, [&](int x, int y) { return At(r.left + x, r.top + y); });
}

// Every pixel of the pattern a different colour, so that any change shows.
inline COLORREF PatternColor(int x, int y)
{
    return RGB(16 + 8 * x, 16 + 8 * y, 64 + x * y % 128);
}

// DIB section pixels are 0x00RRGGBB, COLORREFs 0x00BBGGRR.
inline DWORD SwapRedBlue(DWORD color)
{
    return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);  // and no fourth byte
}

// A 32-bit top-down DIB section, its pixels in *bits; null when it cannot be made.
inline HBITMAP DibSection(int width, int height, DWORD** bits)
{
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

// A DIB section selected into a memory DC and filled with fill or the
// pattern: a real DC whose pixels read back exactly (none for an empty size).
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = CLR_INVALID)
        : m_width(width), m_height(height), m_bitmap(DibSection(width, height, &m_bits)), m_selected(m_dc, m_bitmap)
    {
        for (int i = 0; m_bits && i < width * height; ++i)
            m_bits[i] = SwapRedBlue(fill == CLR_INVALID ? PatternColor(i % width, i / width) : fill);
    }

    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    Picture Pixels() const
    {
        GdiFlush();
        return Image(m_bits ? m_width : 0, m_height, [this](int x, int y) { return SwapRedBlue(m_bits[y * m_width + x]); });
    }

private:
    const int m_width, m_height;
    DWORD* m_bits = nullptr;
    const tq::MemoryDC m_dc{nullptr};
    const tq::GdiObject<HBITMAP> m_bitmap;
    const tq::SelectedObject m_selected;
};

// The width x height pixels of dc from its origin.
inline Picture CaptureDC(HDC dc, int width, int height)
{
    const Canvas canvas(width, height, 0);
    BitBlt(canvas.Dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    return canvas.Pixels();
}

// The pixels of a bitmap selected into no DC.
inline Picture BitmapPicture(HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    const tq::MemoryDC dc(nullptr);
    const tq::SelectedObject selected(dc, bitmap);
    return CaptureDC(dc, size.bmWidth, size.bmHeight);
}

// focused differs from unfocused in more than least pixels, all on the
// outline of the picture inset by d.
inline bool FocusRectOnly(const Picture& focused, const Picture& unfocused, int d, int least)
{
    Picture masked = focused;
    int changed = 0;
    for (int y = d; y < focused.height - d; ++y)
        for (int x = d; x < focused.width - d; ++x)
            if (x == d || y == d || x == focused.width - 1 - d || y == focused.height - 1 - d) {
                changed += focused.At(x, y) != unfocused.At(x, y);
                masked[y * focused.width + x] = unfocused.At(x, y);
            }
    return masked == unfocused && changed > least;
}

// bare with picture greyed at (x, y) as a disabled face is drawn: the face
// colour, the shadow where the picture is nearer black than white, the
// highlight one pixel right and down of that.
inline Picture Greyed(Picture bare, const Picture& picture, int x, int y)
{
    const auto dark = [&](int px, int py) {
        const bool inside = px >= 0 && py >= 0 && px < picture.width && py < picture.height;
        const COLORREF c = inside ? picture.At(px, py) : 0xFFFFFF;
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < 383;
    };
    for (int py = 0; py <= picture.height && y + py < bare.height; ++py) {
        for (int px = 0; px <= picture.width && x + px < bare.width; ++px) {
            const int colour = dark(px, py) ? COLOR_BTNSHADOW : dark(px - 1, py - 1) ? COLOR_BTNHIGHLIGHT
                               : px < picture.width && py < picture.height ? COLOR_BTNFACE : -1;
            if (colour >= 0)
                bare[(y + py) * bare.width + x + px] = GetSysColor(colour);
        }
    }
    return bare;
}

// The process's GDI handle table filled with brushes but for room handles,
// for the object's lifetime: an object leaked per call soon uses the room up.
// Free() counts the handles that can be made now.
class SqueezedHandleTable {
public:
    explicit SqueezedHandleTable(size_t room)
    {
        // A bound, should the table grow: Wine's holds about 65,500, Windows' 10,000.
        for (HBRUSH brush; m_brushes.size() < 200000 && (brush = CreateSolidBrush(0)) != nullptr;)
            m_brushes.push_back(brush);
        for (; room > 0 && !m_brushes.empty(); --room, m_brushes.pop_back())
            DeleteObject(m_brushes.back());
    }
    SqueezedHandleTable(const SqueezedHandleTable&) = delete;
    SqueezedHandleTable& operator=(const SqueezedHandleTable&) = delete;
    ~SqueezedHandleTable()
    {
        for (HBRUSH brush : m_brushes)
            DeleteObject(brush);
    }
    static size_t Free() { return SqueezedHandleTable(0).m_brushes.size(); }

private:
    std::vector<HBRUSH> m_brushes;
};
