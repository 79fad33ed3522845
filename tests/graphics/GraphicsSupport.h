#pragma once

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

// Rows of letters, one a colour: K black, W white, R red, G green, B blue,
// M magenta, D dark red.
using Picture = std::vector<std::string>;

inline COLORREF LetterColor(char letter)
{
    const COLORREF colors[] = {RGB(0, 0, 0),   RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0),
                               RGB(0, 0, 255), RGB(255, 0, 255),   RGB(128, 0, 0)};
    return colors[std::string("KWRGBMD").find(letter)];
}

// Every pixel of the pattern a different colour, so that any change shows.
inline COLORREF PatternColor(int x, int y)
{
    return RGB(16 + 8 * x, 16 + 8 * y, 64 + x * y % 128);
}

// colorAt(x, y) of each pixel of a width x height image, top row first.
template <class ColorAt>
std::vector<COLORREF> Image(int width, int height, ColorAt colorAt)
{
    std::vector<COLORREF> pixels;
    for (int i = 0; i < width * height; ++i)
        pixels.push_back(colorAt(i % width, i / width));
    return pixels;
}

// DIB section pixels are 0x00RRGGBB, COLORREFs 0x00BBGGRR.
inline DWORD SwapRedBlue(DWORD color)
{
    return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);  // and no fourth byte
}

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using BitmapPtr = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// A 32-bit top-down DIB section, its pixels in *bits.
inline BitmapPtr MakeSection(int width, int height, DWORD** bits)
{
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    BitmapPtr bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0));
    if (!bitmap)
        throw std::runtime_error("CreateDIBSection failed");
    return bitmap;
}

// A DIB section holding picture, selected into no DC.
inline BitmapPtr MakeBitmap(const Picture& picture)
{
    const size_t width = picture[0].size();
    DWORD* bits = nullptr;
    BitmapPtr bitmap = MakeSection(static_cast<int>(width), static_cast<int>(picture.size()), &bits);
    for (size_t i = 0; i < picture.size() * width; ++i)
        bits[i] = SwapRedBlue(LetterColor(picture[i / width][i % width]));
    return bitmap;
}

// A DIB section selected into a memory DC and filled with fill or the
// pattern: a real DC whose pixels read back exactly.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = CLR_INVALID)
        : m_nWidth(width), m_nHeight(height), m_hBitmap(MakeSection(width, height, &m_pBits)),
          m_hDC(CreateCompatibleDC(nullptr)), m_hPrevious(SelectObject(m_hDC, m_hBitmap.get()))
    {
        for (int i = 0; i < width * height; ++i)
            m_pBits[i] = SwapRedBlue(fill == CLR_INVALID ? PatternColor(i % width, i / width) : fill);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() { SelectObject(m_hDC, m_hPrevious), DeleteDC(m_hDC); }

    HDC Dc() const { return m_hDC; }
    HBITMAP Bitmap() const { return m_hBitmap.get(); }
    std::vector<COLORREF> Pixels() const
    {
        GdiFlush();
        return Image(m_nWidth, m_nHeight, [this](int x, int y) { return SwapRedBlue(m_pBits[y * m_nWidth + x]); });
    }

private:
    int m_nWidth, m_nHeight;
    DWORD* m_pBits = nullptr;
    BitmapPtr m_hBitmap;
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};
