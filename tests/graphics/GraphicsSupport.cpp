#include "GraphicsSupport.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

DWORD ToDibPixel(COLORREF color)
{
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

COLORREF FromDibPixel(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

HBITMAP CreateTopDownSection(int width, int height, DWORD** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (!bitmap)
        throw std::runtime_error("CreateDIBSection failed");
    *bits = static_cast<DWORD*>(memory);
    return bitmap;
}

}  // namespace

COLORREF LetterColor(char letter)
{
    switch (letter) {
    case 'K': return RGB(0, 0, 0);
    case 'W': return RGB(255, 255, 255);
    case 'R': return RGB(255, 0, 0);
    case 'G': return RGB(0, 255, 0);
    case 'B': return RGB(0, 0, 255);
    case 'M': return RGB(255, 0, 255);
    case 'D': return RGB(128, 0, 0);
    case 'Y': return RGB(255, 255, 0);
    case 'C': return RGB(0, 255, 255);
    case '.': return RGB(128, 128, 128);
    default: throw std::invalid_argument(std::string("no colour for ") + letter);
    }
}

Canvas::Canvas(int width, int height)
    : m_nWidth(width), m_nHeight(height), m_hDC(CreateCompatibleDC(nullptr)), m_pBits(nullptr)
{
    m_hBitmap = CreateTopDownSection(width, height, &m_pBits);
    m_hPrevious = SelectObject(m_hDC, m_hBitmap);
}

Canvas::~Canvas()
{
    SelectObject(m_hDC, m_hPrevious);
    DeleteObject(m_hBitmap);
    DeleteDC(m_hDC);
}

COLORREF Canvas::Pixel(int x, int y) const
{
    GdiFlush();
    return FromDibPixel(m_pBits[y * m_nWidth + x]);
}

void Canvas::SetPixel(int x, int y, COLORREF color)
{
    GdiFlush();
    m_pBits[y * m_nWidth + x] = ToDibPixel(color);
}

void Canvas::FillPattern()
{
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x)
            SetPixel(x, y, RGB(16 + 8 * x, 16 + 8 * y, 64 + x * y % 128));
    }
}

void Canvas::Fill(COLORREF color)
{
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x)
            SetPixel(x, y, color);
    }
}

void Canvas::Draw(int x, int y, const std::vector<std::string>& picture)
{
    for (size_t row = 0; row < picture.size(); ++row) {
        for (size_t column = 0; column < picture[row].size(); ++column)
            SetPixel(x + static_cast<int>(column), y + static_cast<int>(row),
                     LetterColor(picture[row][column]));
    }
}

std::vector<COLORREF> Canvas::Pixels() const
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x)
            pixels.push_back(Pixel(x, y));
    }
    return pixels;
}

PictureBitmap::PictureBitmap(const std::vector<std::string>& picture)
{
    const int width = static_cast<int>(picture.front().size());
    const int height = static_cast<int>(picture.size());
    DWORD* bits = nullptr;
    m_hBitmap = CreateTopDownSection(width, height, &bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bits[y * width + x] = ToDibPixel(LetterColor(picture[y][x]));
    }
}

PictureBitmap::~PictureBitmap()
{
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
}

HBITMAP PictureBitmap::Release()
{
    HBITMAP bitmap = m_hBitmap;
    m_hBitmap = nullptr;
    return bitmap;
}

std::vector<COLORREF> ReadBitmap(HBITMAP bitmap, int& width, int& height)
{
    BITMAP info = {};
    GetObject(bitmap, sizeof info, &info);
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bits(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, height, bits.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> pixels;
    for (DWORD pixel : bits)
        pixels.push_back(FromDibPixel(pixel));
    return pixels;
}

TempFile::TempFile(const std::string& name)
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    m_path = std::string(directory) + "tqgraphics-" + name;
    DeleteFileA(m_path.c_str());
}

TempFile::~TempFile()
{
    DeleteFileA(m_path.c_str());
}

bool TempFile::Exists() const
{
    return GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<unsigned char> ReadBytes(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>());
}

bool WriteBytes(const char* path, const std::vector<unsigned char>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

unsigned int GetU32(const std::vector<unsigned char>& bytes, size_t offset)
{
    bytes.at(offset + 3);  // range check
    unsigned int value = 0;
    std::memcpy(&value, &bytes[offset], sizeof value);
    return value;
}

void PutU32(std::vector<unsigned char>& bytes, size_t offset, unsigned int value)
{
    bytes.at(offset + 3);  // range check
    std::memcpy(&bytes[offset], &value, sizeof value);
}

void PutU16(std::vector<unsigned char>& bytes, size_t offset, unsigned int value)
{
    bytes.at(offset + 1) = static_cast<unsigned char>(value >> 8);
    bytes[offset] = static_cast<unsigned char>(value);
}
