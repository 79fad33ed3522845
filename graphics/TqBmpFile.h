#pragma once

/// \file
/// Uncompressed Windows BMP files and the pixel-format arithmetic behind them.
///
/// A file is a 14-byte file header ("BM", file size, offset of the pixels), a
/// 40-byte BITMAPINFOHEADER, the colour table, the three colour masks (red,
/// green, blue) when biCompression is BI_BITFIELDS, and the pixel rows, each
/// padded to a multiple of 4 bytes. The sizes are derived from the header:
/// - colours = biClrUsed, or when it is 0, 2^biBitCount up to 8 bits and 0
///   above;
/// - info size = 40 + 4 x (colours + masks);
/// - image size = TqGetBmpPitch(biWidth, biBitCount, 32) x |biHeight|.
///
/// Depths 1, 4, 8, 16, 24 and 32 bits per pixel are supported, with
/// biCompression BI_RGB or BI_BITFIELDS. The header must be a 40-byte
/// BITMAPINFOHEADER with biSize 40: files with the shorter core header or the
/// longer version 4 and 5 headers are rejected, since GDI, which draws the
/// block read, would look for the colour table elsewhere. No function here
/// shows a message.

#include <windows.h>

#include "../library/TqExport.h"

/// The bytes of one row of width pixels of bitsPerPixel bits, padded to a
/// multiple of alignment bits: ceil(width x bitsPerPixel / alignment) x
/// alignment / 8. The library always pads to 32 bits.
/// \return The row's size in bytes; 0 when alignment is 0 or the row length
///         does not fit in 32 bits.
TQ_API unsigned int TqGetBmpPitch(const unsigned int& width, const unsigned int& bitsPerPixel,
                                  unsigned int alignment);

/// The bits above the highest set bit of colorMask, which no colour uses and
/// which therefore can hold alpha: alphaMask receives them. A 5-5-5 mask
/// 0x00007FFF gives 0xFFFF8000 and 17.
/// \return The number of those bits, 0 to 32.
TQ_API unsigned int TqGetBmpAlphaMask(unsigned long& alphaMask, const unsigned long& colorMask);

/// Reads a BMP file.
///
/// The file is accepted only when its sizes agree exactly with the layout
/// above: bfSize equals the file's length and 14 + info size + image size,
/// bfOffBits equals 14 + info size, biSize is 40, biWidth is positive and
/// biHeight is neither 0 nor -2^31. bfType is not examined.
/// \param path The file to read.
/// \param info On success, a new block of max(info size, 44) bytes: the
///        header, colour table and masks.
/// \param bits On success, new image size bytes of pixel rows.
/// \return 1 on success; the caller then owns both arrays (`unsigned char`
///         arrays) and releases them with
///         `delete[] reinterpret_cast<unsigned char*>(info)` and
///         `delete[] bits` (the application shares the library's C++
///         runtime). 0 on failure: info and bits are left untouched when the
///         file was rejected before anything was allocated, and set to null
///         when reading failed afterwards; nothing allocated is left behind
///         either way. Storage exhaustion throws `std::bad_alloc`.
TQ_API int TqReadBmpFile(const char* path, BITMAPINFO*& info, unsigned char*& bits);

/// Writes info (header, colour table and masks as laid out above) and bits as
/// a BMP file at path, replacing an existing file; flush nonzero flushes the
/// file to disk before it is closed. The caller keeps owning info and bits.
/// \return 1 when the whole file was written. 0 without creating a file when
///         info or bits is null or the header is one that TqReadBmpFile() would
///         reject; 0 when the file cannot be created; a file that could not be
///         written whole is deleted and 0 returned.
TQ_API int TqWriteBmpFile(const char* path, const BITMAPINFO* info, const unsigned char* bits,
                          int flush);
