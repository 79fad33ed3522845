#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "Canvas.h"

// Rows of letters, one a colour: K black, W white, R red, G green, B blue,
// M magenta, D dark red.
using Letters = std::vector<std::string>;

inline COLORREF LetterColor(char letter)
{
    const COLORREF colors[] = {RGB(0, 0, 0),   RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0),
                               RGB(0, 0, 255), RGB(255, 0, 255),   RGB(128, 0, 0)};
    return colors[std::string("KWRGBMD").find(letter)];
}

using Bitmap = tq::GdiObject<HBITMAP>;

// A DIB section holding letters, selected into no DC.
inline HBITMAP MakeBitmap(const Letters& letters)
{
    const size_t width = letters[0].size();
    DWORD* bits = nullptr;
    const HBITMAP bitmap = DibSection(static_cast<int>(width), static_cast<int>(letters.size()), &bits);
    for (size_t i = 0; bits && i < letters.size() * width; ++i)
        bits[i] = SwapRedBlue(LetterColor(letters[i / width][i % width]));
    return bitmap;
}

// A read of path by TqReadBmpFile or TqReadImageFile and the last error it
// left, freeing what it allocates.
struct Read {
    Read(int (*reader)(const char*, BITMAPINFO*&, unsigned char*&), const char* path)
    {
        SetLastError(0xDEADBEEF);
        result = reader(path, info, bits);
        error = GetLastError();
    }
    Read(const Read&) = delete;
    Read& operator=(const Read&) = delete;
    ~Read()
    {
        if (result) {
            delete[] reinterpret_cast<unsigned char*>(info);
            delete[] bits;
        }
    }
    bool Untouched() const { return !result && info == kNoInfo && bits == kNoBits; }

    static inline BITMAPINFO* const kNoInfo = reinterpret_cast<BITMAPINFO*>(0x1234);
    static inline unsigned char* const kNoBits = reinterpret_cast<unsigned char*>(0x5678);
    int result;
    DWORD error;
    BITMAPINFO* info = kNoInfo;
    unsigned char* bits = kNoBits;
};

// A file in the folder of an exchange with ImageMagick (ImageMagickExchange.cmake,
// ImageFileExchange.cmake); empty when the test program runs on its own.
inline std::string InExchange(const std::string& name)
{
    const char* dir = std::getenv("TQ_EXCHANGE_DIR");
    return dir ? dir + ("/" + name) : std::string();
}
