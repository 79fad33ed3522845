#include "graphics/CTqTransparentBmp.h"

#include "graphics/internal/TqMonochrome.h"
#include "library/internal/TqGdiGuards.h"

namespace {

bool GetBitmapSize(HBITMAP bitmap, SIZE& size)
{
    BITMAP info;
    if (!bitmap || !GetObject(bitmap, sizeof info, &info))
        return false;
    size.cx = info.bmWidth;
    size.cy = info.bmHeight;
    return true;
}

}  // namespace

CTqTransparentBmp::CTqTransparentBmp() : m_hWnd(nullptr), m_hBitmap(nullptr), m_crBackground(0) {}

CTqTransparentBmp::CTqTransparentBmp(HWND window)
    : m_hWnd(window), m_hBitmap(nullptr), m_crBackground(0)
{
}

CTqTransparentBmp::CTqTransparentBmp(HWND window, HBITMAP bitmap, unsigned long backgroundColor)
    : m_hWnd(window), m_hBitmap(bitmap), m_crBackground(backgroundColor)
{
}

CTqTransparentBmp::CTqTransparentBmp(const CTqTransparentBmp& source) : CTqTransparentBmp()
{
    InternalCopyConstructor(const_cast<CTqTransparentBmp*>(&source));
}

CTqTransparentBmp CTqTransparentBmp::operator=(CTqTransparentBmp source)
{
    InternalSubstitutionOperator(&source);
    return *this;
}

CTqTransparentBmp::~CTqTransparentBmp()
{
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
}

void CTqTransparentBmp::InternalCopyConstructor(void* source)
{
    const auto& original = *static_cast<const CTqTransparentBmp*>(source);
    m_hWnd = original.m_hWnd;
    m_crBackground = original.m_crBackground;
    m_hBitmap = nullptr;

    SIZE size;
    if (!GetBitmapSize(original.m_hBitmap, size))
        return;
    const tq::WindowDC windowDC(m_hWnd);
    const tq::MemoryDC sourceDC(windowDC);
    const tq::MemoryDC copyDC(windowDC);
    tq::GdiObject<HBITMAP> copy(CreateCompatibleBitmap(windowDC, size.cx, size.cy));
    if (!windowDC.Get() || !sourceDC.Get() || !copyDC.Get() || !copy.Get())
        return;
    {
        const tq::SelectedObject sourceSelected(sourceDC, original.m_hBitmap);
        const tq::SelectedObject copySelected(copyDC, copy);
        if (!sourceSelected.IsSelected() || !copySelected.IsSelected())
            return;
        BitBlt(copyDC, 0, 0, size.cx, size.cy, sourceDC, 0, 0, SRCCOPY);
    }
    m_hBitmap = copy.Release();
}

void CTqTransparentBmp::InternalSubstitutionOperator(void* source)
{
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    InternalCopyConstructor(source);
}

int CTqTransparentBmp::Draw(HDC dc, long x, long y)
{
    if (!m_hBitmap)
        return 0;
    const tq::GdiObject<HBITMAP> mask(CreateMask(m_hBitmap));
    if (!mask.Get())
        return 0;
    const tq::GdiObject<HBITMAP> black(CreateBlackBackgroundBitmap(m_hBitmap, mask));
    if (!black.Get())
        return 0;
    // The mask turns into white over transparent and black over opaque
    // pixels only with these colours.
    const tq::DCColors colours(dc, tq::kBlack, tq::kWhite);
    return InternalDraw(dc, x, y, mask, black, SRCAND, SRCPAINT);
}

int CTqTransparentBmp::Draw(long x, long y)
{
    if (!m_hBitmap)
        return 0;
    const tq::WindowDC dc(m_hWnd);
    return dc.Get() ? Draw(dc.Get(), x, y) : 0;
}

int CTqTransparentBmp::DrawStretch(HDC dc, long x, long y, long width, long height)
{
    if (!m_hBitmap)
        return 0;
    const tq::GdiObject<HBITMAP> mask(CreateMask(m_hBitmap));
    if (!mask.Get())
        return 0;
    const tq::GdiObject<HBITMAP> black(CreateBlackBackgroundBitmap(m_hBitmap, mask));
    if (!black.Get())
        return 0;
    const tq::DCColors colours(dc, tq::kBlack, tq::kWhite);
    return InternalDrawStretch(dc, x, y, width, height, mask, black, SRCAND, SRCPAINT);
}

int CTqTransparentBmp::DrawStretch(long x, long y, long width, long height)
{
    if (!m_hBitmap)
        return 0;
    const tq::WindowDC dc(m_hWnd);
    return dc.Get() ? DrawStretch(dc.Get(), x, y, width, height) : 0;
}

HBITMAP CTqTransparentBmp::Attach(HBITMAP bitmap)
{
    const HBITMAP former = m_hBitmap;
    m_hBitmap = bitmap;
    return former;
}

HBITMAP CTqTransparentBmp::Detach()
{
    return Attach(nullptr);
}

HBITMAP CTqTransparentBmp::CreateMask(HBITMAP bitmap)
{
    SIZE size;
    if (!GetBitmapSize(bitmap, size))
        return nullptr;
    const tq::WindowDC windowDC(m_hWnd);
    const tq::MemoryDC bitmapDC(windowDC);
    const tq::MemoryDC maskDC(windowDC);
    tq::GdiObject<HBITMAP> mask(tq::CreateMonochromeBitmap(size.cx, size.cy));
    if (!windowDC.Get() || !bitmapDC.Get() || !maskDC.Get() || !mask.Get())
        return nullptr;
    {
        const tq::SelectedObject bitmapSelected(bitmapDC, bitmap);
        const tq::SelectedObject maskSelected(maskDC, mask);
        if (!bitmapSelected.IsSelected() || !maskSelected.IsSelected())
            return nullptr;
        // Colour to monochrome: the background colour becomes 1.
        SetBkColor(bitmapDC, m_crBackground);
        BitBlt(maskDC, 0, 0, size.cx, size.cy, bitmapDC, 0, 0, SRCCOPY);
    }
    return mask.Release();
}

HBITMAP CTqTransparentBmp::CreateBlackBackgroundBitmap(HBITMAP bitmap, HBITMAP mask)
{
    SIZE size;
    if (!bitmap || !GetBitmapSize(mask, size))
        return nullptr;
    const tq::WindowDC windowDC(m_hWnd);
    const tq::MemoryDC maskDC(windowDC);
    const tq::MemoryDC bitmapDC(windowDC);
    const tq::MemoryDC resultDC(windowDC);
    tq::GdiObject<HBITMAP> result(CreateCompatibleBitmap(windowDC, size.cx, size.cy));
    if (!windowDC.Get() || !maskDC.Get() || !bitmapDC.Get() || !resultDC.Get() || !result.Get())
        return nullptr;
    {
        const tq::SelectedObject maskSelected(maskDC, mask);
        const tq::SelectedObject bitmapSelected(bitmapDC, bitmap);
        const tq::SelectedObject resultSelected(resultDC, result);
        if (!maskSelected.IsSelected() || !bitmapSelected.IsSelected() ||
            !resultSelected.IsSelected())
            return nullptr;
        BitBlt(resultDC, 0, 0, size.cx, size.cy, bitmapDC, 0, 0, SRCCOPY);
        // Inverted, the mask is 1 over opaque pixels; a new DC's white
        // background and black text turn it into white there and black over
        // transparent pixels, so ANDing clears the transparent ones.
        BitBlt(maskDC, 0, 0, size.cx, size.cy, maskDC, 0, 0, NOTSRCCOPY);
        BitBlt(resultDC, 0, 0, size.cx, size.cy, maskDC, 0, 0, SRCAND);
        BitBlt(maskDC, 0, 0, size.cx, size.cy, maskDC, 0, 0, NOTSRCCOPY);
    }
    return result.Release();
}

int CTqTransparentBmp::InternalDraw(HDC dc, long x, long y, HBITMAP first, HBITMAP second,
                                    unsigned long firstRop, unsigned long secondRop)
{
    SIZE size;
    if (!second || !GetBitmapSize(first, size))
        return 0;
    const tq::MemoryDC memoryDC(dc);
    if (!memoryDC.Get())
        return 0;
    const tq::SelectedObject firstSelected(memoryDC, first);
    BitBlt(dc, x, y, size.cx, size.cy, memoryDC, 0, 0, firstRop);
    SelectObject(memoryDC, second);
    BitBlt(dc, x, y, size.cx, size.cy, memoryDC, 0, 0, secondRop);
    return 1;
}

int CTqTransparentBmp::InternalDrawStretch(HDC dc, long x, long y, long width, long height,
                                           HBITMAP first, HBITMAP second, unsigned long firstRop,
                                           unsigned long secondRop)
{
    SIZE size;
    if (!second || !GetBitmapSize(first, size))
        return 0;
    const tq::MemoryDC memoryDC(dc);
    if (!memoryDC.Get())
        return 0;
    const tq::SelectedObject firstSelected(memoryDC, first);
    StretchBlt(dc, x, y, width, height, memoryDC, 0, 0, size.cx, size.cy, firstRop);
    SelectObject(memoryDC, second);
    StretchBlt(dc, x, y, width, height, memoryDC, 0, 0, size.cx, size.cy, secondRop);
    return 1;
}
