#include "graphics/TqBmpFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

#include "graphics/internal/TqBmpLayout.h"
#include "library/TqScopedHandle.h"

namespace {

const WORD kBmpSignature = 0x4D42;  // "BM", little-endian
const unsigned long long kMaxFileSize = 0xFFFFFFFFull;  // bfSize is 32 bits
const unsigned int kMaxPaletteBits = 8;

static_assert(sizeof(BITMAPFILEHEADER) == tq::kBmpFileHeaderSize, "packed file header");
static_assert(sizeof(BITMAPINFOHEADER) == tq::kBmpInfoHeaderSize, "40-byte info header");
static_assert(sizeof(BITMAPINFO) == tq::kBmpMinInfoBlockSize, "header and one colour");

bool ReadExactly(HANDLE file, void* buffer, unsigned long long size)
{
    DWORD read = 0;
    return ReadFile(file, buffer, static_cast<DWORD>(size), &read, nullptr) && read == size;
}

bool WriteExactly(HANDLE file, const void* buffer, unsigned long long size)
{
    DWORD written = 0;
    return WriteFile(file, buffer, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

// The whole length of an open file; false for files of 4 GiB and more, which
// no BMP header can describe.
bool GetSmallFileSize(HANDLE file, unsigned long long& size)
{
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file, &length) || length.QuadPart > static_cast<LONGLONG>(kMaxFileSize))
        return false;
    size = static_cast<unsigned long long>(length.QuadPart);
    return true;
}

BITMAPFILEHEADER MakeFileHeader(const tq::BmpLayout& layout)
{
    BITMAPFILEHEADER header = {};
    header.bfType = kBmpSignature;
    header.bfSize = static_cast<DWORD>(layout.fileSize);
    header.bfOffBits = static_cast<DWORD>(tq::kBmpFileHeaderSize + layout.infoSize);
    return header;
}

}  // namespace

namespace tq {

bool IsBmpBitCount(unsigned int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

unsigned long long BmpPitch(unsigned long long width, unsigned int bitsPerPixel,
                            unsigned int alignment)
{
    const unsigned long long bits = width * bitsPerPixel;
    return (bits + alignment - 1) / alignment * alignment / 8;
}

unsigned long long BmpColorCount(const BITMAPINFOHEADER& header)
{
    return header.biClrUsed ? header.biClrUsed
           : header.biBitCount <= kMaxPaletteBits ? 1ull << header.biBitCount
                                                  : 0;
}

unsigned long long BmpInfoSize(const BITMAPINFOHEADER& header)
{
    const unsigned long long colors = BmpColorCount(header);
    const unsigned long long masks = header.biCompression == BI_BITFIELDS ? kBmpColorMaskCount : 0;
    return kBmpInfoHeaderSize + sizeof(RGBQUAD) * (colors + masks);
}

bool IsBmpHeaderSizeSafe(const BITMAPINFOHEADER& header)
{
    if (header.biSize == kBmpInfoHeaderSize)
        return true;
    const bool maskHeader =
        header.biSize == kBmpV2InfoHeaderSize || header.biSize == kBmpV3InfoHeaderSize;
    return maskHeader && header.biCompression == BI_BITFIELDS && BmpColorCount(header) == 0;
}

bool GetBmpLayout(const BITMAPINFOHEADER& header, BmpLayout& layout)
{
    if (!IsBmpHeaderSizeSafe(header) || !IsBmpBitCount(header.biBitCount))
        return false;
    // Compressed pixels have no fixed length: nothing would bound what GDI
    // reads from a buffer of the uncompressed size.
    if (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS)
        return false;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == LONG_MIN)
        return false;

    const unsigned long long height = header.biHeight < 0 ? -static_cast<long long>(header.biHeight)
                                                          : header.biHeight;
    layout.infoSize = BmpInfoSize(header);
    layout.pitch = BmpPitch(static_cast<unsigned long long>(header.biWidth), header.biBitCount,
                            kBmpRowAlignmentBits);
    layout.imageSize = layout.pitch * height;
    layout.fileSize = kBmpFileHeaderSize + layout.infoSize + layout.imageSize;
    return layout.fileSize <= kMaxFileSize;
}

unsigned int BmpInfoBlockSize(const BITMAPINFOHEADER& header)
{
    const unsigned long long headerSize = IsBmpHeaderSizeSafe(header) ? header.biSize : 0;
    return static_cast<unsigned int>(std::max<unsigned long long>(
        {BmpInfoSize(header), kBmpMinInfoBlockSize, headerSize}));
}

}  // namespace tq

unsigned int TqGetBmpPitch(const unsigned int& width, const unsigned int& bitsPerPixel,
                           unsigned int alignment)
{
    if (alignment == 0)
        return 0;
    const unsigned long long pitch = tq::BmpPitch(width, bitsPerPixel, alignment);
    return pitch <= UINT_MAX ? static_cast<unsigned int>(pitch) : 0;
}

unsigned int TqGetBmpAlphaMask(unsigned long& alphaMask, const unsigned long& colorMask)
{
    alphaMask = 0;
    unsigned int count = 0;
    for (int bit = 31; bit >= 0; --bit) {
        const unsigned long mask = 1ul << bit;
        if (colorMask & mask)
            break;
        alphaMask |= mask;
        ++count;
    }
    return count;
}

int TqReadBmpFile(const char* path, BITMAPINFO*& info, unsigned char*& bits)
{
    const CTqScopedFileHandle file(
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid())
        return 0;
    unsigned long long size = 0;
    if (!GetSmallFileSize(file.Get(), size) || size == 0)
        return 0;

    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER header;
    tq::BmpLayout layout;
    if (!ReadExactly(file.Get(), &fileHeader, tq::kBmpFileHeaderSize) || fileHeader.bfSize != size ||
        !ReadExactly(file.Get(), &header, tq::kBmpInfoHeaderSize) ||
        !tq::GetBmpLayout(header, layout) ||
        fileHeader.bfOffBits != tq::kBmpFileHeaderSize + layout.infoSize || layout.fileSize != size)
        return 0;

    // Held here until everything is read, so that a failure frees them.
    const unsigned int blockSize = tq::BmpInfoBlockSize(header);
    std::unique_ptr<unsigned char[]> block(new unsigned char[blockSize]());
    std::memcpy(block.get(), &header, tq::kBmpInfoHeaderSize);
    const unsigned long long tableSize = layout.infoSize - tq::kBmpInfoHeaderSize;
    const bool tableRead =
        tableSize == 0 || ReadExactly(file.Get(), block.get() + tq::kBmpInfoHeaderSize, tableSize);
    std::unique_ptr<unsigned char[]> pixels;
    if (tableRead) {
        pixels.reset(new unsigned char[static_cast<size_t>(layout.imageSize)]);
        if (!ReadExactly(file.Get(), pixels.get(), layout.imageSize))
            pixels.reset();
    }
    if (!pixels) {
        info = nullptr;
        bits = nullptr;
        return 0;
    }
    info = reinterpret_cast<BITMAPINFO*>(block.release());
    bits = pixels.release();
    return 1;
}

int TqWriteBmpFile(const char* path, const BITMAPINFO* info, const unsigned char* bits, int flush)
{
    tq::BmpLayout layout;
    if (!info || !bits || !tq::GetBmpLayout(info->bmiHeader, layout))
        return 0;
    const BITMAPFILEHEADER fileHeader = MakeFileHeader(layout);

    CTqScopedFileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return 0;
    bool written = WriteExactly(file.Get(), &fileHeader, tq::kBmpFileHeaderSize) &&
                   WriteExactly(file.Get(), info, layout.infoSize) &&
                   WriteExactly(file.Get(), bits, layout.imageSize);
    if (written && flush)
        written = FlushFileBuffers(file.Get()) != FALSE;
    written = file.Close() && written;
    // A short file would be rejected on reading anyway; do not leave it behind.
    if (!written) {
        DeleteFileA(path);
        return 0;
    }
    return 1;
}
