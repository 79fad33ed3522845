#pragma once

#include <windows.h>
#include <vfw.h>

#include "../library/TqExport.h"

// Writes a movie to an AVI file, frame by frame, through the video compressor
// the user picks in the system's compressor dialog.
//
// Create opens the file and hands out a memory DC with a 24-bit DIB section
// selected into it: draw each frame there (or copy a packed DIB into it with
// SetBits), then AddFrame compresses and appends it. Clear, or the
// destructor, finishes the file. Failures of Create are shown in a message
// box owned by Create's window.
//
// Copies never share the file: a copy starts closed with the source's frame
// size, and assigning to an open writer finishes its file first.
class TQ_API CTqAVI {
public:
    CTqAVI();
    CTqAVI(const CTqAVI& other);
    CTqAVI& operator=(const CTqAVI& other);
    virtual ~CTqAVI();

    // Opens path for a movie of rate / scale frames per second; window owns
    // the message boxes and lends its DC for the frame (null: the screen).
    // Returns the memory DC to draw in, or null when the user cancelled the
    // compressor dialog or a step failed.
    HDC Create(const char* path, HWND window, unsigned int width, unsigned int height,
               unsigned long rate, unsigned long scale);
    // Copies a packed DIB (header, colour table or masks, bits) of any depth
    // into the frame. Returns the memory DC.
    HDC SetBits(BITMAPINFOHEADER* dib);
    // Appends the frame as a key frame. A frame that fails to write still uses
    // up its frame number.
    bool AddFrame();
    // Closes the movie; nothing happens when none is open.
    void Clear();

    HBITMAP GetDib();
    HDC GetMemDC();
    void* GetPixels();
    unsigned int GetWidth();
    unsigned int GetHeight();

private:
    HDC MakeFrame(HWND window, const BITMAPINFOHEADER& header);

    HBITMAP m_hDib;
    void* m_pPixels;
    HBITMAP m_hPrevBitmap;
    HDC m_hMemDC;
    PAVISTREAM m_pStream;
    PAVISTREAM m_pCompressedStream;
    PAVIFILE m_pFile;
    COMPVARS m_CompVars;
    unsigned int m_nWidth;
    unsigned int m_nHeight;
    unsigned int m_nFrameSize;
    int m_nFrame;
};
