#pragma once

/// \file
/// Bitmaps drawn with one transparent colour: CTqTransparentBmp.

#include <windows.h>

#include "../library/TqExport.h"

/// A bitmap drawn through a mask so that one colour, the background colour,
/// stays transparent: the destination shows through wherever the bitmap has
/// that colour.
///
/// The object owns at most one bitmap: the one passed to the three-argument
/// constructor or to Attach. The destructor and assignment delete it; Attach
/// and Detach hand the former one back without deleting it. Copies hold a
/// bitmap of their own with the same picture (made compatible with the
/// window's DC), never the same handle. The window's DC (the screen's when the
/// window is null) is the reference for the memory DCs and the copies, and the
/// target of the Draw overloads that take no DC.
///
/// Drawing makes a monochrome mask (1 where the bitmap has the background
/// colour) and a copy of the picture with its transparent pixels black, then
/// ANDs the mask into the destination and ORs the copy over it. Both live for
/// one call only. dc's text and background colours are set to black and white
/// for the mask and put back afterwards; nothing else of dc changes. The
/// bitmap must not be selected into a DC while the object draws or is copied.
/// No member shows a message; one thread at a time.
class TQ_API CTqTransparentBmp {
public:
    /// No window (the screen is the reference), no bitmap, colour 0 (black).
    CTqTransparentBmp();
    /// The window whose DC is the reference; no bitmap, colour 0 (black).
    explicit CTqTransparentBmp(HWND window);
    /// Takes ownership of bitmap, drawn with backgroundColor (a COLORREF) as
    /// the transparent colour.
    CTqTransparentBmp(HWND window, HBITMAP bitmap, unsigned long backgroundColor);
    /// The same window and colour and a bitmap of its own with the same picture
    /// (none when source has none or the copy cannot be made).
    CTqTransparentBmp(const CTqTransparentBmp& source);
    /// Deletes the bitmap held, then copies source as the copy constructor
    /// does.
    /// \return A copy of this object after the assignment (a further bitmap
    ///         of its own).
    CTqTransparentBmp operator=(CTqTransparentBmp source);

protected:
    /// Makes this object a copy of *source (a CTqTransparentBmp): the window,
    /// the colour and a bitmap of its own with the same picture (null when
    /// source has none or the copy cannot be made). Whatever this object held
    /// is overwritten, not deleted.
    virtual void InternalCopyConstructor(void* source);
    /// Deletes the bitmap held, then InternalCopyConstructor(source).
    virtual void InternalSubstitutionOperator(void* source);

public:
    /// Deletes the bitmap held.
    virtual ~CTqTransparentBmp();

    /// Draws the bitmap unscaled with its top-left corner at (x, y) of dc.
    /// \return 1 on success; 0 when the object holds no bitmap or the mask or
    ///         the black-background copy cannot be made.
    virtual int Draw(HDC dc, long x, long y);
    /// Draw() on the window's DC (taken with `GetDC` and released; the screen's
    /// without a window).
    virtual int Draw(long x, long y);
    /// Draws the whole bitmap stretched into (x, y, width, height); results as
    /// for Draw().
    virtual int DrawStretch(HDC dc, long x, long y, long width, long height);
    /// DrawStretch() on the window's DC.
    virtual int DrawStretch(long x, long y, long width, long height);

    /// Sets the window whose DC is the reference (null: the screen).
    void SetWindowHandle(HWND window) { m_hWnd = window; }
    /// The window whose DC is the reference, or null.
    HWND GetWindowHandle() const { return m_hWnd; }
    /// Sets the transparent colour, a COLORREF (0x00BBGGRR).
    void SetBackgroundColor(unsigned long color) { m_crBackground = color; }
    /// The transparent colour, a COLORREF (0x00BBGGRR).
    unsigned long GetBackgroundColor() const { return m_crBackground; }

    /// The object owns bitmap from now on; returns the former bitmap, which
    /// the caller now owns.
    HBITMAP Attach(HBITMAP bitmap);
    /// Returns the bitmap held, which the caller now owns; the object holds none.
    HBITMAP Detach();

protected:
    /// A new monochrome bitmap of bitmap's size: 1 (white) where bitmap has
    /// the background colour, 0 elsewhere. The caller deletes it; null on
    /// failure.
    HBITMAP CreateMask(HBITMAP bitmap);
    /// A new bitmap compatible with the window's DC: bitmap's picture with every
    /// pixel that mask marks transparent black. mask is inverted and restored
    /// on the way and comes back unchanged. The caller deletes the result; null
    /// on failure.
    HBITMAP CreateBlackBackgroundBitmap(HBITMAP bitmap, HBITMAP mask);
    /// Blits first with firstRop, then second with secondRop, both at (x, y) in
    /// first's size. 0 when a bitmap is null, first's size cannot be read or no
    /// memory DC can be made; 1 otherwise.
    int InternalDraw(HDC dc, long x, long y, HBITMAP first, HBITMAP second, unsigned long firstRop,
                     unsigned long secondRop);
    /// As InternalDraw, each bitmap stretched whole into (x, y, width, height).
    int InternalDrawStretch(HDC dc, long x, long y, long width, long height, HBITMAP first,
                            HBITMAP second, unsigned long firstRop, unsigned long secondRop);

private:
    HWND m_hWnd;
    HBITMAP m_hBitmap;
    unsigned long m_crBackground;
};
