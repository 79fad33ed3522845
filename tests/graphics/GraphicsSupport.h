#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Test pictures and canvases for the graphics tests.
//
// A picture is written as rows of letters, one letter a colour:
//   K black, W white, R red, G green, B blue, M magenta, D dark red,
//   Y yellow, C cyan, . grey (128, 128, 128).

COLORREF LetterColor(char letter);

// A 32-bit top-down DIB section selected into a memory DC: a real DC to draw
// into whose pixels can be read back exactly.
class Canvas {
public:
    Canvas(int width, int height);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    HDC Dc() const { return m_hDC; }
    HBITMAP Bitmap() const { return m_hBitmap; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);
    // Every pixel a different colour, so that any change shows.
    void FillPattern();
    void Fill(COLORREF color);
    void Draw(int x, int y, const std::vector<std::string>& picture);
    std::vector<COLORREF> Pixels() const;

private:
    int m_nWidth;
    int m_nHeight;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hPrevious;
    DWORD* m_pBits;
};

// A 32-bit DIB section holding picture, not selected into any DC; deleted
// with the object unless released.
class PictureBitmap {
public:
    explicit PictureBitmap(const std::vector<std::string>& picture);
    PictureBitmap(const PictureBitmap&) = delete;
    PictureBitmap& operator=(const PictureBitmap&) = delete;
    ~PictureBitmap();

    HBITMAP Get() const { return m_hBitmap; }
    HBITMAP Release();

private:
    HBITMAP m_hBitmap;
};

// The pixels of any bitmap as 32-bit colours, top row first.
std::vector<COLORREF> ReadBitmap(HBITMAP bitmap, int& width, int& height);

// A path in the temporary directory; the file is deleted with the object.
class TempFile {
public:
    explicit TempFile(const std::string& name);
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();
    const char* Path() const { return m_path.c_str(); }
    bool Exists() const;

private:
    std::string m_path;
};

std::vector<unsigned char> ReadBytes(const char* path);
bool WriteBytes(const char* path, const std::vector<unsigned char>& bytes);

// Little-endian fields inside a file image.
unsigned int GetU32(const std::vector<unsigned char>& bytes, size_t offset);
void PutU32(std::vector<unsigned char>& bytes, size_t offset, unsigned int value);
void PutU16(std::vector<unsigned char>& bytes, size_t offset, unsigned int value);
