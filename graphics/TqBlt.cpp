#include "graphics/TqBlt.h"

#include "graphics/internal/TqMonochrome.h"
#include "library/internal/TqGdiGuards.h"

namespace {

const RGBQUAD kBlackEntry = {0, 0, 0, 0};
const RGBQUAD kWhiteEntry = {255, 255, 255, 0};

// PSDPxax: the brush where the source is black, the destination unchanged
// where it is white.
const DWORD kBrushWhereSourceBlack = 0x00B8074A;

// A 1-bit DIB whose colour 0 is black and colour 1 white.
struct MonochromeInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
};

HBITMAP CreateMonochromeSection(HDC dc, int width, int height)
{
    MonochromeInfo info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = tq::kMonochromePlanes;
    info.header.biBitCount = tq::kMonochromeBits;
    info.colors[0] = kBlackEntry;
    info.colors[1] = kWhiteEntry;
    void* bits = nullptr;
    return CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                            nullptr, 0);
}

void RealizePaletteInto(HDC dc, HDC imageDC, HPALETTE palette)
{
    if (!palette || !(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE))
        return;
    SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    SelectPalette(imageDC, palette, FALSE);
}

}  // namespace

void TqTransparentBlt(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, int xSrc,
                      int ySrc, unsigned long transparentColor, HPALETTE palette)
{
    if (width <= 0 || height <= 0)
        return;
    const tq::MemoryDC imageDC(dc);
    const tq::MemoryDC sourceDC(dc);
    const tq::MemoryDC maskDC(dc);
    const tq::GdiObject<HBITMAP> image(CreateCompatibleBitmap(dc, width, height));
    const tq::GdiObject<HBITMAP> mask(tq::CreateMonochromeBitmap(width, height));
    if (!imageDC.Get() || !sourceDC.Get() || !maskDC.Get() || !image.Get() || !mask.Get())
        return;
    const tq::SelectedObject imageSelected(imageDC, image);
    const tq::SelectedObject sourceSelected(sourceDC, bitmap);
    const tq::SelectedObject maskSelected(maskDC, mask);
    if (!imageSelected.IsSelected() || !sourceSelected.IsSelected() || !maskSelected.IsSelected())
        return;

    RealizePaletteInto(dc, imageDC, palette);
    // A copy of the picture, then a mask that is 1 where it has the
    // transparent colour, then the copy with those pixels made black.
    BitBlt(imageDC, 0, 0, width, height, sourceDC, xSrc, ySrc, SRCCOPY);
    SetBkColor(imageDC, transparentColor);
    BitBlt(maskDC, 0, 0, width, height, imageDC, 0, 0, SRCCOPY);
    SetBkColor(imageDC, tq::kBlack);
    SetTextColor(imageDC, tq::kWhite);
    BitBlt(imageDC, 0, 0, width, height, maskDC, 0, 0, SRCAND);

    // Black holes in the destination where the picture is opaque, then the
    // picture ORed into them.
    const tq::DCColors colours(dc, tq::kBlack, tq::kWhite);
    BitBlt(dc, x, y, width, height, maskDC, 0, 0, SRCAND);
    BitBlt(dc, x, y, width, height, imageDC, 0, 0, SRCPAINT);
}

void TqDisabledBlt(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, int xSrc, int ySrc)
{
    if (!dc || !bitmap || width <= 0 || height <= 0)
        return;
    const tq::MemoryDC sourceDC(dc);
    if (!sourceDC.Get())
        return;
    const tq::MemoryDC monoDC(sourceDC.Get());
    if (!monoDC.Get())
        return;
    const tq::GdiObject<HBITMAP> shape(CreateMonochromeSection(monoDC, width, height));
    tq::GdiObject<HBRUSH> highlight(CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
    const tq::GdiObject<HBRUSH> shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
    if (!shape.Get() || !highlight.Get() || !shadow.Get())
        return;
    const tq::SelectedObject shapeSelected(monoDC, shape);
    const tq::SelectedObject sourceSelected(sourceDC, bitmap);
    if (!shapeSelected.IsSelected() || !sourceSelected.IsSelected())
        return;
    // White (the background of a new memory DC) becomes 1, everything else 0.
    BitBlt(monoDC, 0, 0, width, height, sourceDC, xSrc, ySrc, SRCCOPY);

    const RECT face = {x, y, x + width, y + height};
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));

    const tq::SelectedObject brushSelected(dc, highlight);
    BitBlt(dc, x + 1, y + 1, width, height, monoDC, 0, 0, kBrushWhereSourceBlack);
    SelectObject(dc, shadow);
    highlight.Reset();
    BitBlt(dc, x, y, width, height, monoDC, 0, 0, kBrushWhereSourceBlack);
}
