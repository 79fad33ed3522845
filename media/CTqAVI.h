#pragma once

#include <windows.h>
#include <vfw.h>

#include "../library/TqExport.h"

/// \file
/// The AVI movie writer CTqAVI.

/// Writes a movie to an AVI file, frame by frame, through the video compressor
/// the user picks in the system's compressor dialog.
///
/// Create opens the file and hands out a memory DC with a 24-bit DIB section
/// selected into it: draw each frame there (or copy a packed DIB into it with
/// SetBits), then AddFrame compresses and appends it. Clear, or the
/// destructor, finishes the file. Failures of Create are shown in a message
/// box owned by Create's window.
///
/// The object owns the file, the streams, the compressor settings, the DIB
/// section and the memory DC; GetMemDC(), GetDib() and GetPixels() lend them
/// until Clear(). Each failure box is the system's `MessageBoxA` with `MB_OK`,
/// caption "AVIファイル出力" and one of these texts (code page 932):
/// | Step that failed | Text |
/// |---|---|
/// | opening the file | AVIファイルのオープンに失敗しました。 |
/// | creating the stream | ストリームの作成に失敗しました。 |
/// | creating the compressed stream | 圧縮ストリームの作成に失敗しました。 |
/// | setting the stream's format | ストリームのフォーマット設定に失敗しました。 |
/// | getting the window's DC | デバイス コンテキストの取得に失敗しました。 |
/// | creating the DIB section | DIBセクションの作成に失敗しました。 |
/// | creating the memory DC | メモリ デバイス コンテキストの取得に失敗しました。 |
/// | releasing the window's DC | デバイス コンテキストの開放に失敗しました。 |
///
/// Create() also shows the system's compressor dialog (`ICCompressorChoose`,
/// without an owner, uncompressed frames preselected); it is modal like the
/// boxes. A test answers both from a thread-local `WH_CBT` hook: the dialog is
/// the "#32770" window that holds a combo box.
///
/// Copies never share the file: a copy starts closed with the source's frame
/// size, and assigning to an open writer finishes its file first. One thread
/// at a time, the user-interface thread.
class TQ_API CTqAVI {
public:
    /// A closed writer with frame size 0 x 0.
    CTqAVI();
    /// A closed writer with other's frame size; nothing of other's file is
    /// shared.
    CTqAVI(const CTqAVI& other);
    /// Finishes this writer's file (Clear()), then takes other's frame size.
    /// \return `*this`.
    CTqAVI& operator=(const CTqAVI& other);
    /// Finishes the file, as Clear().
    virtual ~CTqAVI();

    /// Opens path for a movie of rate / scale frames per second (2997 and 100
    /// give 29.97); window owns the message boxes and lends its DC for the
    /// frame (null: the screen). A movie already open is finished first. The
    /// file is created or replaced, then the user picks a compressor.
    /// \return The memory DC to draw in, owned by the object (never delete or
    ///         release it); null when the user cancelled the compressor dialog
    ///         (no box; the file opened may remain) or a step failed (after its
    ///         box). The object is closed after a null.
    HDC Create(const char* path, HWND window, unsigned int width, unsigned int height,
               unsigned long rate, unsigned long scale);
    /// Copies a packed DIB (header, colour table or masks, bits) of any depth
    /// into the frame, converted to 24 bits (`SetDIBits`); the caller keeps
    /// owning dib. A null dib copies nothing.
    /// \return The memory DC, null when no movie is open.
    HDC SetBits(BITMAPINFOHEADER* dib);
    /// Appends the frame as a key frame. A frame that fails to write still uses
    /// up its frame number.
    /// \return true when it was written; false when no movie is open or
    ///         writing failed (no box).
    bool AddFrame();
    /// Closes the movie; nothing happens when none is open.
    void Clear();

    /// The frame's DIB section (selected into the memory DC), or null when
    /// no movie is open. Owned by the object.
    HBITMAP GetDib();
    /// The memory DC to draw the frame in, or null. Owned by the object.
    HDC GetMemDC();
    /// The frame's pixels: bottom-up rows of 24-bit pixels, each padded to a
    /// multiple of 4 bytes; null when no movie is open. Owned by the object.
    void* GetPixels();
    /// The frame width in pixels given to the last Create() (or copied).
    unsigned int GetWidth();
    /// The frame height in pixels given to the last Create() (or copied).
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
