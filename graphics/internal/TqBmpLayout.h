#pragma once

#include <windows.h>

// The byte layout of an uncompressed BMP image as the library reads and
// writes it, derived from its BITMAPINFOHEADER. Shared by the BMP functions
// and CTqDib; not installed.

namespace tq {

const unsigned int kBmpFileHeaderSize = 14;        // sizeof(BITMAPFILEHEADER), packed
const unsigned int kBmpInfoHeaderSize = 40;        // sizeof(BITMAPINFOHEADER)
const unsigned int kBmpV2InfoHeaderSize = 52;      // the 40 bytes and three colour masks
const unsigned int kBmpV3InfoHeaderSize = 56;      // the 40 bytes and four masks (alpha too)
const unsigned int kBmpMinInfoBlockSize = 44;      // sizeof(BITMAPINFO): one colour entry
const unsigned int kBmpColorMaskCount = 3;         // red, green and blue masks of BI_BITFIELDS
const unsigned int kBmpRowAlignmentBits = 32;      // rows are padded to 4 bytes

// Sizes in 64 bits, so that a hostile header cannot wrap them into small ones.
struct BmpLayout {
    unsigned long long infoSize;   // header, colour table and masks
    unsigned long long pitch;      // bytes per pixel row
    unsigned long long imageSize;  // pitch x |height|
    unsigned long long fileSize;   // file header, info and pixels
};

bool IsBmpBitCount(unsigned int bitsPerPixel);

// The pitch of width pixels in 64 bits; alignment is in bits and not 0.
unsigned long long BmpPitch(unsigned long long width, unsigned int bitsPerPixel,
                            unsigned int alignment);

// Whether GDI, which reads the masks and the colour table at biSize bytes from
// the header, stays inside an info block laid out for a 40-byte header: a
// biSize of 40, or a bit-field header of 52 or 56 bytes without a colour
// table, whose masks are then the very bytes that follow the first 40.
bool IsBmpHeaderSizeSafe(const BITMAPINFOHEADER& header);

// Computes the layout of header. False when the header describes no image
// that the library can hold: a biSize that IsBmpHeaderSizeSafe refuses, an unsupported depth or
// compression, a width that is not positive, a height of 0 or -2^31, or a
// file that would not fit in 32-bit sizes.
bool GetBmpLayout(const BITMAPINFOHEADER& header, BmpLayout& layout);

// Header, colour table and masks as header describes them, in bytes.
unsigned long long BmpInfoSize(const BITMAPINFOHEADER& header);

// The length of the block that holds an info block in memory: its info size,
// but never less than a BITMAPINFO nor than a safe biSize (the alpha mask of a
// 56-byte header, which the file does not hold, stays 0 in a zeroed block).
// Only for headers that GetBmpLayout accepts or that describe no more than a
// 256-entry colour table.
unsigned int BmpInfoBlockSize(const BITMAPINFOHEADER& header);

}  // namespace tq
