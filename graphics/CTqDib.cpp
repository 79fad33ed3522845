#include "graphics/CTqDib.h"

#include <intrin.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "graphics/TqBmpFile.h"
#include "graphics/TqImageFile.h"
#include "graphics/internal/TqBmpLayout.h"

namespace {

const unsigned int kMaxDimension = LONG_MAX;  // biWidth and biHeight are LONG
const DWORD kBitFieldMasks[tq::kBmpColorMaskCount] = {0x00FF0000, 0x0000FF00, 0x000000FF};
const unsigned int kRgbBytes = 3;
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

// Writes runs of pixels into rows of a 24- or 32-bit image: one colour for
// the whole run (SetAll), or a pattern of one colour per pixel (SetPixel for
// every pixel of the run). Whole pixels are
// written with the processor's string instructions, which run at the speed
// of memset; at 32 bits without alpha only the colour bytes are written,
// keeping each pixel's alpha.
class RunWriter {
public:
    RunWriter(unsigned int bitsPerPixel, int withAlpha, unsigned int pixels)
        : m_nBytesPerPixel(bitsPerPixel / 8),
          m_nPixels(pixels),
          m_bKeepAlpha(bitsPerPixel == 32 && !withAlpha),
          m_bUniform(false),
          m_uniform(0)
    {
    }

    void SetPixel(unsigned int i, const RGBQUAD& colour)
    {
        m_bUniform = false;
        MakePattern();
        unsigned char* pixel = &m_pattern[static_cast<size_t>(i) * m_nBytesPerPixel];
        if (m_nBytesPerPixel == sizeof colour)
            std::memcpy(pixel, &colour, sizeof colour);
        else
            std::memcpy(pixel, &colour, kRgbBytes);
    }

    void SetAll(const RGBQUAD& colour)
    {
        m_bUniform = true;
        std::memcpy(&m_uniform, &colour, sizeof m_uniform);
        // Only rows of three-byte pixels are copied from the pattern.
        if (m_nBytesPerPixel == kRgbBytes) {
            MakePattern();
            for (size_t i = 0; i < m_nPixels; ++i)
                std::memcpy(&m_pattern[i * kRgbBytes], &colour, kRgbBytes);
        }
    }

    void WriteTo(unsigned char* target) const
    {
        if (m_bKeepAlpha)
            WriteColours(target);
        else if (m_bUniform && m_nBytesPerPixel == sizeof m_uniform)
            __stosd(reinterpret_cast<unsigned long*>(target), m_uniform, m_nPixels);
        else
            __movsb(target, m_pattern.data(), m_pattern.size());
    }

private:
    void MakePattern() { m_pattern.resize(static_cast<size_t>(m_nPixels) * m_nBytesPerPixel); }

    // Blue, green and red of each pixel; the fourth byte is left alone.
    void WriteColours(unsigned char* target) const
    {
        for (size_t i = 0; i < m_nPixels; ++i, target += sizeof(DWORD)) {
            const unsigned char* colour = m_bUniform
                                              ? reinterpret_cast<const unsigned char*>(&m_uniform)
                                              : &m_pattern[i * sizeof(DWORD)];
            std::memcpy(target, colour, kRgbBytes);
        }
    }

    unsigned int m_nBytesPerPixel;
    unsigned int m_nPixels;
    bool m_bKeepAlpha;
    bool m_bUniform;
    unsigned long m_uniform;
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

int CTqDib::ReadImageFile(const char* path)
{
    Clear();
    BITMAPINFO* info = nullptr;
    unsigned char* bits = nullptr;
    if (!TqReadImageFile(path, info, bits))
        return 0;
    m_pBmpInfo = info;
    m_pBits = bits;
    m_bTopDown = 0;
    m_nWidth = static_cast<unsigned int>(info->bmiHeader.biWidth);
    m_nHeight = static_cast<unsigned int>(info->bmiHeader.biHeight);
    m_nBitsPerPixel = info->bmiHeader.biBitCount;
    m_nPitch = TqGetBmpPitch(m_nWidth, m_nBitsPerPixel, tq::kBmpRowAlignmentBits);
    return 1;
}

int CTqDib::WriteImageFile(const char* path, int quality) const
{
    return TqWriteImageFile(path, m_pBmpInfo, m_pBits, quality);
}

int CTqDib::FillRect(const RGBQUAD& colour, const RECT* rect, int withAlpha)
{
    const RECT image = {0, 0, static_cast<LONG>(m_nWidth), static_cast<LONG>(m_nHeight)};
    RECT target;
    if (!CanPaint() || !IntersectRect(&target, rect ? rect : &image, &image))
        return 0;
    const unsigned int pixels = target.right - target.left;
    const unsigned int rows = target.bottom - target.top;
    // 32-bit rows have no padding: whole rows lie end to end in memory, and
    // one run covers them all.
    if (m_nBitsPerPixel == 32 && pixels == m_nWidth) {
        RunWriter block(m_nBitsPerPixel, withAlpha, pixels * rows);
        block.SetAll(colour);
        block.WriteTo(Row(InMemoryOrder(target, 0)));
        return 1;
    }
    RunWriter run(m_nBitsPerPixel, withAlpha, pixels);
    run.SetAll(colour);
    const size_t offset = static_cast<size_t>(target.left) * BytesPerPixel();
    for (unsigned int i = 0; i < rows; ++i)
        run.WriteTo(Row(InMemoryOrder(target, i)) + offset);
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
    const unsigned int rows = target.bottom - target.top;
    RunWriter run(m_nBitsPerPixel, withAlpha, target.right - target.left);
    const size_t offset = static_cast<size_t>(target.left) * BytesPerPixel();

    if (direction == 0) {
        const long long span = static_cast<long long>(ramp.right) - ramp.left;
        for (LONG x = target.left; x < target.right; ++x) {
            const long long t = static_cast<long long>(x) - ramp.left;
            run.SetPixel(x - target.left, RampColour(from, to, t, span));
        }
        for (unsigned int i = 0; i < rows; ++i)
            run.WriteTo(Row(InMemoryOrder(target, i)) + offset);
        return 1;
    }

    const long long span = static_cast<long long>(ramp.bottom) - ramp.top;
    RGBQUAD previous = {};
    for (unsigned int i = 0; i < rows; ++i) {
        const LONG y = InMemoryOrder(target, i);
        const RGBQUAD colour = RampColour(from, to, static_cast<long long>(y) - ramp.top, span);
        // Neighbouring rows of a tall ramp mostly share their colour.
        if (i == 0 || !SameColour(colour, previous))
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

// Rows are written in the order they lie in memory, which suits the caches.
LONG CTqDib::InMemoryOrder(const RECT& target, unsigned int i) const
{
    return m_bTopDown ? target.top + static_cast<LONG>(i) : target.bottom - 1 - static_cast<LONG>(i);
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
