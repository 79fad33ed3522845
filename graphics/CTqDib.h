#pragma once

/// \file
/// Device-independent bitmaps in plain memory: CTqDib.

#include <windows.h>

#include "../library/TqExport.h"

/// One device-independent bitmap in plain memory: a BITMAPINFO block (header,
/// colour table, colour masks) and a buffer of pixel rows, both owned by the
/// object. No GDI bitmap or DC is held; StretchDIBits draws it onto a DC.
///
/// A valid image (IsValid) has a nonzero width and height, 1, 4, 8, 16, 24 or
/// 32 bits per pixel and a pitch of TqGetBmpPitch(width, bits per pixel, 32)
/// bytes per row; the buffer holds height x pitch bytes. biHeight is -height
/// for a top-down image and +height for a bottom-up one.
///
/// Coordinates are picture coordinates whatever the memory order: x grows to
/// the right and y downwards from the top row; rectangles exclude their right
/// and bottom edges. In 24- and 32-bit images a pixel is blue, green, red and,
/// at 32 bits, a fourth (alpha) byte, as in RGBQUAD.
///
/// Copies own copies of the buffers. The accessors hand out the object's own
/// buffers: callers may change pixels and colour-table entries through them,
/// but not the header, and never free them; they stay valid until the next
/// Create(), ReadBmpFile(), Clear(), assignment or destruction.
///
/// Storage exhaustion throws `std::bad_alloc` (Create(), ReadBmpFile(),
/// copying, GetAlphaDib()). No member shows a message. One thread at a time.
class TQ_API CTqDib {
public:
    /// An empty image (IsValid() gives 0), bottom-up.
    CTqDib();
    /// A copy with buffers of its own; throws `std::bad_alloc`.
    CTqDib(const CTqDib& source);
    /// Replaces the image with a copy of source's; throws `std::bad_alloc`,
    /// leaving this image unchanged.
    /// \return `*this`.
    CTqDib& operator=(const CTqDib& source);
    /// Releases both buffers.
    virtual ~CTqDib();

    /// A blank (zero-filled) image. At 1, 4 and 8 bits per pixel the colour
    /// table has 2^bits black entries; at 32 bits biCompression is BI_BITFIELDS
    /// with masks 0x00FF0000, 0x0000FF00, 0x000000FF; other depths are BI_RGB
    /// (16 bits: 5-5-5). Returns 0 and leaves the object empty for a zero or
    /// negative-as-LONG size, an unsupported depth, or a pixel buffer whose byte
    /// count does not fit in 32 bits. Storage exhaustion throws
    /// `std::bad_alloc`.
    /// \return 1 when the image was made, else 0.
    int Create(unsigned int width, unsigned int height, unsigned int bitsPerPixel, int topDown);
    /// Releases both buffers and zeroes the sizes; the top-down flag stays.
    void Clear();
    /// 1 when the object holds an image (both buffers), else 0.
    int IsValid() const;

    /// Replaces the image with a BMP file read by TqReadBmpFile(); the top-down
    /// flag follows the file.
    /// \return 1, or 0 with the object empty when the file cannot be read or
    ///         is rejected. Throws `std::bad_alloc`.
    int ReadBmpFile(const char* path);
    /// TqWriteBmpFile() of this image.
    /// \return Its result; 0 without creating a file when the object is empty.
    int WriteBmpFile(const char* path, int flush) const;

    /// Replaces the image with the picture of an image file of any format
    /// TqReadImageFile reads (PNG, JPEG, GIF, TIFF, BMP, ICO, ...).
    /// @param path  the file, in the ANSI code page.
    /// @return 1 on success: the image is then 32 bits per pixel, bottom-up,
    ///   width and height in pixels as in the file, pitch width x 4 bytes,
    ///   pixels blue, green, red and straight alpha (255 where the file has no
    ///   transparency), its info block a BI_RGB header as TqReadImageFile
    ///   describes. 0 on failure, with the object empty and the reason in
    ///   GetLastError (see TqImageFile.h). The object owns the buffers, as
    ///   after ReadBmpFile.
    int ReadImageFile(const char* path);
    /// Writes the image as a PNG, BMP, JPEG or TIFF file, by the extension of
    /// path, through TqWriteImageFile.
    /// @param path  the file, in the ANSI code page; an existing one is
    ///   replaced only when the new one is complete.
    /// @param quality  JPEG quality 1 to 100, 0 for the encoder's default;
    ///   other formats ignore it.
    /// @return 1 when the file was written; 0 on failure (an empty image
    ///   included, ERROR_INVALID_PARAMETER) with the reason in GetLastError
    ///   and no file left behind.
    int WriteImageFile(const char* path, int quality) const;

    /// Fills rect (the whole image when null), clipped to the image, with
    /// colour. Only 24- and 32-bit images; the alpha byte is written only
    /// with withAlpha at 32 bits.
    /// \return 1, or 0 when nothing can be painted (other depths, an empty
    ///         object, a rectangle outside the image).
    int FillRect(const RGBQUAD& colour, const RECT* rect, int withAlpha);
    /// A linear gradient from "from" to "to" over rect (the whole image when
    /// null), horizontal (left to right) for direction 0 and vertical (top to
    /// bottom) otherwise. The ramp is measured on rect itself, then clipped to
    /// the image. Each channel at position t of a span of n pixels is
    /// from + (t x (to - from)) / n, the division truncating towards zero: the
    /// first pixel is exactly "from", the last stops one step short of "to".
    /// Depths, alpha and result as for FillRect().
    int GradeRect(const RGBQUAD& from, const RGBQUAD& to, int direction, const RECT* rect,
                  int withAlpha);

    /// Draws with GDI StretchDIBits (DIB_RGB_COLORS). stretch nonzero: the whole
    /// image into (x, y, width, height). stretch 0: the unscaled region at
    /// (|x|, |y|) of the picture (y counted from the top row), at most |width| x
    /// |height| pixels, to (x, y), so that drawing part of an image placed at
    /// (0, 0) repaints that part; 0 when the region's origin lies outside the
    /// image. A negative width or height mirrors the picture, as for GDI.
    /// \return The number of scan lines GDI drew; 0 on failure or when the
    ///         object is empty.
    int StretchDIBits(HDC dc, int x, int y, int width, int height, unsigned long rop,
                      int stretch) const;

    /// The red, green and blue masks right after the header when biCompression
    /// is BI_BITFIELDS; null otherwise.
    unsigned long* GetColorMasks() const;

    /// Makes out (another object) a 24-bit grey image of the alpha bits of this
    /// bit-field image (16 or 32 bits per pixel): opaque pixels black, fully
    /// transparent ones white. The alpha bits are those of the pixel above the
    /// highest colour-mask bit. 0, leaving out untouched, when this image has
    /// no masks or no free bits (also when out is this object). Throws
    /// `std::bad_alloc`.
    /// \return 1 when out was made, else 0.
    int GetAlphaDib(CTqDib& out) const;

    /// The width in pixels (0 when empty).
    unsigned int GetWidth() const { return m_nWidth; }
    /// The height in pixels (0 when empty).
    unsigned int GetHeight() const { return m_nHeight; }
    /// The bits per pixel (0 when empty).
    unsigned int GetBitsPerPixel() const { return m_nBitsPerPixel; }
    /// The bytes per row, padded to 32 bits (0 when empty).
    unsigned int GetPitch() const { return m_nPitch; }
    /// The pixel rows (height x pitch bytes, in memory order), owned by the
    /// object; null when empty.
    unsigned char* GetPixels() const { return m_pBits; }
    /// The BITMAPINFO block (header, colour table, masks), owned by the
    /// object; null when empty. Do not change the header.
    BITMAPINFO* GetBmpInfo() const { return m_pBmpInfo; }
    /// 1 when the rows lie top row first in memory.
    int IsTopDown() const { return m_bTopDown; }

private:
    unsigned char* Row(unsigned int y) const;
    LONG InMemoryOrder(const RECT& target, unsigned int i) const;
    int CanPaint() const;
    unsigned int BytesPerPixel() const { return m_nBitsPerPixel / 8; }
    void CopyFrom(const CTqDib& source);
    void Swap(CTqDib& other) noexcept;

    BITMAPINFO* m_pBmpInfo;
    unsigned char* m_pBits;
    unsigned int m_nWidth;
    unsigned int m_nHeight;
    unsigned int m_nBitsPerPixel;
    unsigned int m_nPitch;
    int m_bTopDown;
};
