#pragma once

#include <windows.h>

#include "../library/TqExport.h"

// Uncompressed Windows BMP files and the pixel-format arithmetic behind them.
//
// A file is a 14-byte file header ("BM", file size, offset of the pixels), a
// 40-byte BITMAPINFOHEADER, the colour table, the three colour masks (red,
// green, blue) when biCompression is BI_BITFIELDS, and the pixel rows, each
// padded to a multiple of 4 bytes. The sizes are derived from the header:
//   colours    = biClrUsed, or when it is 0, 2^biBitCount up to 8 bits and 0 above
//   info size  = 40 + 4 x (colours + masks)
//   image size = TqGetBmpPitch(biWidth, biBitCount, 32) x |biHeight|
// Depths 1, 4, 8, 16, 24 and 32 bits per pixel are supported, with
// biCompression BI_RGB or BI_BITFIELDS. The header must be a 40-byte
// BITMAPINFOHEADER with biSize 40: files with the shorter core header or the
// longer version 4 and 5 headers are rejected, since GDI, which draws the
// block read, would look for the colour table elsewhere.

// The bytes of one row of width pixels of bitsPerPixel bits, padded to a
// multiple of alignment bits: ceil(width x bitsPerPixel / alignment) x
// alignment / 8. The library always pads to 32 bits. Returns 0 when alignment
// is 0 or the row length does not fit in 32 bits.
TQ_API unsigned int TqGetBmpPitch(const unsigned int& width, const unsigned int& bitsPerPixel,
                                  unsigned int alignment);

// The bits above the highest set bit of colorMask, which no colour uses and
// which therefore can hold alpha: alphaMask receives them, the result is their
// count (0 to 32). A 5-5-5 mask 0x00007FFF gives 0xFFFF8000 and 17.
TQ_API unsigned int TqGetBmpAlphaMask(unsigned long& alphaMask, const unsigned long& colorMask);

// Reads a BMP file. The file is accepted only when its sizes agree exactly
// with the layout above: bfSize equals the file's length and 14 + info size +
// image size, bfOffBits equals 14 + info size, biSize is 40, biWidth is
// positive and biHeight is neither 0 nor -2^31. bfType is not examined. On success returns 1 and sets info (a block
// of max(info size, 44) bytes: the header, colour table and masks) and bits
// (image size bytes of pixel rows) to new arrays that the caller releases with
// delete[]. On failure returns 0; info and bits are left untouched when the
// file was rejected before anything was allocated, and set to null when
// reading failed afterwards. Nothing allocated is left behind either way.
// Storage exhaustion throws std::bad_alloc.
TQ_API int TqReadBmpFile(const char* path, BITMAPINFO*& info, unsigned char*& bits);

// Writes info (header, colour table and masks as laid out above) and bits as
// a BMP file at path, replacing an existing file; flush nonzero flushes the
// file to disk before it is closed. Returns 1 when the whole file was written.
// Returns 0 without creating a file when info or bits is null or the header is
// one that TqReadBmpFile would reject, and 0 when the file cannot be created;
// a file that could not be written whole is deleted and 0 returned.
TQ_API int TqWriteBmpFile(const char* path, const BITMAPINFO* info, const unsigned char* bits,
                          int flush);
