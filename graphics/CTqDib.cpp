#include "graphics/CTqDib.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "graphics/TqBmpFile.h"
#include "graphics/internal/TqBmpLayout.h"

namespace {

const unsigned int kMaxDimension = LONG_MAX;  // biWidth and biHeight are LONG
const DWORD kBitFieldMasks[tq::kBmpColorMaskCount] = {0x00FF0000, 0x0000FF00, 0x000000FF};
const unsigned int kRgbBytes = 3;
const DWORD kAlphaByte = 0xFF000000;
const unsigned int kEightAlphaBits = 8;
const double kWhite = 255.0;

bool IsPaintableDepth(unsigned int bitsPerPixel)
{
    return bitsPerPixel == 24 || bitsPerPixel == 32;
}

unsigned int Magnitude(int value)
{
    return value < 0 ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
}

std::unique_ptr<unsigned char[]> CopyBytes(const void* source, size_t size)
{
    std::unique_ptr<unsigned char[]> copy(new unsigned char[size]);
    std::memcpy(copy.get(), source, size);
    return copy;
}

// One channel of a linear ramp at position t of span: from at t = 0, one
// step short of to at t = span - 1. 64-bit, so that rectangles reaching far
// outside the image cannot overflow.
BYTE RampChannel(BYTE from, BYTE to, long long t, long long span)
{
    return static_cast<BYTE>(from + t * (to - from) / span);
}

RGBQUAD RampColour(const RGBQUAD& from, const RGBQUAD& to, long long t, long long span)
{
    RGBQUAD colour;
    colour.rgbBlue = RampChannel(from.rgbBlue, to.rgbBlue, t, span);
    colour.rgbGreen = RampChannel(from.rgbGreen, to.rgbGreen, t, span);
    colour.rgbRed = RampChannel(from.rgbRed, to.rgbRed, t, span);
    colour.rgbReserved = RampChannel(from.rgbReserved, to.rgbReserved, t, span);
    return colour;
}

bool SameColour(const RGBQUAD& a, const RGBQUAD& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Writes runs of pixels into rows of a 24- or 32-bit image. A run is first
// laid out in a pattern (one colour per pixel, in the image's format) and
// then copied into each row: whole pixels, or at 32 bits without alpha only
// the colour bytes, keeping each pixel's alpha.
class RunWriter {
public:
    RunWriter(unsigned int bitsPerPixel, int withAlpha, unsigned int pixels)
        : m_nBytesPerPixel(bitsPerPixel / 8),
          m_bKeepAlpha(bitsPerPixel == 32 && !withAlpha),
          m_pattern(static_cast<size_t>(pixels) * m_nBytesPerPixel)
    {
    }

    void SetPixel(unsigned int i, const RGBQUAD& colour)
    {
        std::memcpy(&m_pattern[static_cast<size_t>(i) * m_nBytesPerPixel], &colour,
                    m_nBytesPerPixel);
    }

    void SetAll(const RGBQUAD& colour)
    {
        const size_t count = m_pattern.size() / m_nBytesPerPixel;
        for (size_t i = 0; i < count; ++i)
            std::memcpy(&m_pattern[i * m_nBytesPerPixel], &colour, m_nBytesPerPixel);
    }

    void WriteTo(unsigned char* target) const
    {
        if (m_bKeepAlpha)
            MergeColours(target);
        else
            std::memcpy(target, m_pattern.data(), m_pattern.size());
    }

private:
    void MergeColours(unsigned char* target) const
    {
        const unsigned char* source = m_pattern.data();
        const size_t count = m_pattern.size() / sizeof(DWORD);
        for (size_t i = 0; i < count; ++i) {
            DWORD pixel;
            DWORD colour;
            std::memcpy(&pixel, target + i * sizeof(DWORD), sizeof pixel);
            std::memcpy(&colour, source + i * sizeof(DWORD), sizeof colour);
            pixel = (pixel & kAlphaByte) | (colour & ~kAlphaByte);
            std::memcpy(target + i * sizeof(DWORD), &pixel, sizeof pixel);
        }
    }

    unsigned int m_nBytesPerPixel;
    bool m_bKeepAlpha;
    std::vector<unsigned char> m_pattern;
};

// The alpha bits of a bit-field pixel: those above the highest colour-mask
// bit, within the pixel's own bits. A 16-bit pixel has only 16 of them.
struct AlphaBits {
    unsigned int shift;
    unsigned int count;
    unsigned long long max;
};

AlphaBits FindAlphaBits(const unsigned long* masks, unsigned int pixelBits)
{
    unsigned long alphaMask = 0;
    const unsigned int freeBits = TqGetBmpAlphaMask(alphaMask, masks[0] | masks[1] | masks[2]);
    const unsigned int bitsAbovePixel = 32 - pixelBits;
    AlphaBits alpha = {};
    alpha.count = freeBits > bitsAbovePixel ? freeBits - bitsAbovePixel : 0;
    alpha.shift = pixelBits - alpha.count;
    alpha.max = (1ull << alpha.count) - 1;
    return alpha;
}

DWORD ReadPixel(const unsigned char* pixel, unsigned int bytes)
{
    DWORD value = 0;
    for (unsigned int i = 0; i < bytes; ++i)
        value |= static_cast<DWORD>(pixel[i]) << (8 * i);
    return value;
}

// Opaque (all alpha bits set) is black, transparent (none) white.
BYTE AlphaGrey(DWORD pixel, const AlphaBits& alpha)
{
    const unsigned long long a = (pixel >> alpha.shift) & alpha.max;
    if (alpha.count == kEightAlphaBits)
        return static_cast<BYTE>(alpha.max - a);
    const double grey = static_cast<double>(alpha.max - a) / static_cast<double>(alpha.max) * kWhite;
    return static_cast<BYTE>(static_cast<unsigned int>(grey));
}

}  // namespace

CTqDib::CTqDib()
    : m_pBmpInfo(nullptr),
      m_pBits(nullptr),
      m_nWidth(0),
      m_nHeight(0),
      m_nBitsPerPixel(0),
      m_nPitch(0),
      m_bTopDown(0)
{
}

CTqDib::CTqDib(const CTqDib& source) : CTqDib()
{
    CopyFrom(source);
}

CTqDib& CTqDib::operator=(const CTqDib& source)
{
    if (this != &source) {
        CTqDib copy(source);
        Swap(copy);
    }
    return *this;
}

CTqDib::~CTqDib()
{
    Clear();
}

int CTqDib::Create(unsigned int width, unsigned int height, unsigned int bitsPerPixel, int topDown)
{
    Clear();
    if (width == 0 || height == 0 || width > kMaxDimension || height > kMaxDimension ||
        !tq::IsBmpBitCount(bitsPerPixel))
        return 0;
    const unsigned long long pitch = tq::BmpPitch(width, bitsPerPixel, tq::kBmpRowAlignmentBits);
    const unsigned long long imageSize = pitch * height;
    if (imageSize > UINT_MAX)
        return 0;

    BITMAPINFOHEADER header = {};
    header.biSize = tq::kBmpInfoHeaderSize;
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = topDown ? -static_cast<LONG>(height) : static_cast<LONG>(height);
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.biCompression = bitsPerPixel == 32 ? BI_BITFIELDS : BI_RGB;

    std::unique_ptr<unsigned char[]> info(new unsigned char[tq::BmpInfoBlockSize(header)]());
    std::memcpy(info.get(), &header, sizeof header);
    if (header.biCompression == BI_BITFIELDS)
        std::memcpy(info.get() + sizeof header, kBitFieldMasks, sizeof kBitFieldMasks);
    std::unique_ptr<unsigned char[]> bits(new unsigned char[static_cast<size_t>(imageSize)]());

    m_pBmpInfo = reinterpret_cast<BITMAPINFO*>(info.release());
    m_pBits = bits.release();
    m_nWidth = width;
    m_nHeight = height;
    m_nBitsPerPixel = bitsPerPixel;
    m_nPitch = static_cast<unsigned int>(pitch);
    m_bTopDown = topDown;
    return 1;
}

void CTqDib::Clear()
{
    delete[] m_pBits;
    delete[] reinterpret_cast<unsigned char*>(m_pBmpInfo);
    m_pBits = nullptr;
    m_pBmpInfo = nullptr;
    m_nWidth = m_nHeight = m_nBitsPerPixel = m_nPitch = 0;
}

int CTqDib::IsValid() const
{
    return m_pBmpInfo && m_pBits;
}

int CTqDib::ReadBmpFile(const char* path)
{
    Clear();
    BITMAPINFO* info = nullptr;
    unsigned char* bits = nullptr;
    if (!TqReadBmpFile(path, info, bits))
        return 0;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    m_pBmpInfo = info;
    m_pBits = bits;
    m_bTopDown = header.biHeight < 0;
    m_nWidth = static_cast<unsigned int>(header.biWidth);
    m_nHeight = Magnitude(header.biHeight);
    m_nBitsPerPixel = header.biBitCount;
    m_nPitch = TqGetBmpPitch(m_nWidth, m_nBitsPerPixel, tq::kBmpRowAlignmentBits);
    return 1;
}

int CTqDib::WriteBmpFile(const char* path, int flush) const
{
    if (!IsValid())
        return 0;
    return TqWriteBmpFile(path, m_pBmpInfo, m_pBits, flush);
}

int CTqDib::FillRect(const RGBQUAD& colour, const RECT* rect, int withAlpha)
{
    const RECT image = {0, 0, static_cast<LONG>(m_nWidth), static_cast<LONG>(m_nHeight)};
    RECT target;
    if (!CanPaint() || !IntersectRect(&target, rect ? rect : &image, &image))
        return 0;
    RunWriter run(m_nBitsPerPixel, withAlpha, target.right - target.left);
    run.SetAll(colour);
    const size_t offset = static_cast<size_t>(target.left) * BytesPerPixel();
    for (LONG y = target.top; y < target.bottom; ++y)
        run.WriteTo(Row(y) + offset);
    return 1;
}

int CTqDib::GradeRect(const RGBQUAD& from, const RGBQUAD& to, int direction, const RECT* rect,
                      int withAlpha)
{
    const RECT image = {0, 0, static_cast<LONG>(m_nWidth), static_cast<LONG>(m_nHeight)};
    const RECT ramp = rect ? *rect : image;
    RECT target;
    if (!CanPaint() || !IntersectRect(&target, &ramp, &image))
        return 0;
    RunWriter run(m_nBitsPerPixel, withAlpha, target.right - target.left);
    const size_t offset = static_cast<size_t>(target.left) * BytesPerPixel();

    if (direction == 0) {
        const long long span = static_cast<long long>(ramp.right) - ramp.left;
        for (LONG x = target.left; x < target.right; ++x)
            run.SetPixel(x - target.left, RampColour(from, to, static_cast<long long>(x) - ramp.left, span));
        for (LONG y = target.top; y < target.bottom; ++y)
            run.WriteTo(Row(y) + offset);
        return 1;
    }

    const long long span = static_cast<long long>(ramp.bottom) - ramp.top;
    RGBQUAD previous = {};
    for (LONG y = target.top; y < target.bottom; ++y) {
        const RGBQUAD colour = RampColour(from, to, static_cast<long long>(y) - ramp.top, span);
        // Neighbouring rows of a tall ramp mostly share their colour.
        if (y == target.top || !SameColour(colour, previous))
            run.SetAll(colour);
        previous = colour;
        run.WriteTo(Row(y) + offset);
    }
    return 1;
}

int CTqDib::StretchDIBits(HDC dc, int x, int y, int width, int height, unsigned long rop,
                          int stretch) const
{
    if (!IsValid())
        return 0;
    if (stretch)
        return ::StretchDIBits(dc, x, y, width, height, 0, 0, static_cast<int>(m_nWidth),
                               static_cast<int>(m_nHeight), m_pBits, m_pBmpInfo, DIB_RGB_COLORS,
                               rop);

    const unsigned int sx = Magnitude(x);
    const unsigned int sy = Magnitude(y);
    if (sx >= m_nWidth || sy >= m_nHeight)
        return 0;
    const int w = static_cast<int>(std::min(Magnitude(width), m_nWidth));
    const int h = static_cast<int>(std::min(Magnitude(height), m_nHeight));
    // GDI measures a DIB's source rectangle from its bottom row, whatever the
    // memory order; the region wanted starts sy rows from the top.
    const int ySrc = static_cast<int>(m_nHeight) - static_cast<int>(sy) - h;
    return ::StretchDIBits(dc, x, y, width < 0 ? -w : w, height < 0 ? -h : h,
                           static_cast<int>(sx), ySrc, w, h, m_pBits, m_pBmpInfo, DIB_RGB_COLORS,
                           rop);
}

unsigned long* CTqDib::GetColorMasks() const
{
    if (!m_pBmpInfo || m_pBmpInfo->bmiHeader.biCompression != BI_BITFIELDS)
        return nullptr;
    return reinterpret_cast<unsigned long*>(m_pBmpInfo->bmiColors);
}

int CTqDib::GetAlphaDib(CTqDib& out) const
{
    const unsigned long* masks = GetColorMasks();
    if (!IsValid() || !masks || &out == this || (m_nBitsPerPixel != 16 && m_nBitsPerPixel != 32))
        return 0;
    const AlphaBits alpha = FindAlphaBits(masks, m_nBitsPerPixel);
    if (alpha.count == 0 || !out.Create(m_nWidth, m_nHeight, 24, m_bTopDown))
        return 0;

    const unsigned int bytes = BytesPerPixel();
    for (unsigned int row = 0; row < m_nHeight; ++row) {
        const unsigned char* source = m_pBits + static_cast<size_t>(row) * m_nPitch;
        unsigned char* target = out.m_pBits + static_cast<size_t>(row) * out.m_nPitch;
        for (unsigned int x = 0; x < m_nWidth; ++x, source += bytes, target += kRgbBytes)
            std::memset(target, AlphaGrey(ReadPixel(source, bytes), alpha), kRgbBytes);
    }
    return 1;
}

unsigned char* CTqDib::Row(unsigned int y) const
{
    const unsigned int memoryRow = m_bTopDown ? y : m_nHeight - 1 - y;
    return m_pBits + static_cast<size_t>(memoryRow) * m_nPitch;
}

int CTqDib::CanPaint() const
{
    return IsValid() && IsPaintableDepth(m_nBitsPerPixel);
}

void CTqDib::CopyFrom(const CTqDib& source)
{
    std::unique_ptr<unsigned char[]> info;
    std::unique_ptr<unsigned char[]> bits;
    if (source.m_pBmpInfo)
        info = CopyBytes(source.m_pBmpInfo, tq::BmpInfoBlockSize(source.m_pBmpInfo->bmiHeader));
    if (source.m_pBits)
        bits = CopyBytes(source.m_pBits, static_cast<size_t>(source.m_nPitch) * source.m_nHeight);
    m_pBmpInfo = reinterpret_cast<BITMAPINFO*>(info.release());
    m_pBits = bits.release();
    m_nWidth = source.m_nWidth;
    m_nHeight = source.m_nHeight;
    m_nBitsPerPixel = source.m_nBitsPerPixel;
    m_nPitch = source.m_nPitch;
    m_bTopDown = source.m_bTopDown;
}

void CTqDib::Swap(CTqDib& other) noexcept
{
    std::swap(m_pBmpInfo, other.m_pBmpInfo);
    std::swap(m_pBits, other.m_pBits);
    std::swap(m_nWidth, other.m_nWidth);
    std::swap(m_nHeight, other.m_nHeight);
    std::swap(m_nBitsPerPixel, other.m_nBitsPerPixel);
    std::swap(m_nPitch, other.m_nPitch);
    std::swap(m_bTopDown, other.m_bTopDown);
}
