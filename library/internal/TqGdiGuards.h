#pragma once

#include <windows.h>

// Scope guards for GDI work inside the library, so that every path releases
// what it made and puts back what it changed. Not installed: applications
// never see them.

namespace tq {

// A DC from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : m_hWnd(window), m_hDC(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (m_hDC)
            ReleaseDC(m_hWnd, m_hDC);
    }
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Releases the DC before the scope ends, for callers that must know
    // whether ReleaseDC succeeded; returns its result (0 when there is no DC).
    int ReleaseNow()
    {
        const int released = m_hDC ? ReleaseDC(m_hWnd, m_hDC) : 0;
        m_hDC = nullptr;
        return released;
    }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// The DC of a WM_PAINT answer: BeginPaint, and EndPaint, which validates the
// update region.
class PaintDC {
public:
    explicit PaintDC(HWND window)
        : m_hWnd(window), m_paint(), m_hDC(BeginPaint(window, &m_paint))
    {
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(m_hWnd, &m_paint); }
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    const RECT& UpdateRect() const { return m_paint.rcPaint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint;
    HDC m_hDC;
};

// A memory DC from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : m_hDC(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC()
    {
        if (m_hDC)
            DeleteDC(m_hDC);
    }
    // Hands the DC over to the caller, who deletes it.
    HDC Release()
    {
        HDC dc = m_hDC;
        m_hDC = nullptr;
        return dc;
    }
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

// Owns a GDI object (pen, brush, bitmap, font, region) and deletes it.
// It must not be selected into a DC when the guard ends: declare the guard
// before the SelectedObject that selects it.
template <class Handle>
class GdiObject {
public:
    explicit GdiObject(Handle handle = nullptr) : m_handle(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }
    void Reset(Handle handle = nullptr)
    {
        if (m_handle)
            DeleteObject(m_handle);
        m_handle = handle;
    }
    Handle Release()
    {
        Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    Handle Get() const { return m_handle; }
    operator Handle() const { return m_handle; }

private:
    Handle m_handle;
};

// Selects an object into a DC and selects the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_previous(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            SelectObject(m_hDC, m_previous);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_previous;
};

// Saves the whole DC state (colours, mix mode, selected objects, ...) and
// restores it.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : m_hDC(dc), m_state(SaveDC(dc)) {}
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;
    ~SavedDC()
    {
        if (m_state)
            RestoreDC(m_hDC, m_state);
    }

private:
    HDC m_hDC;
    int m_state;
};

// Sets a DC's text and background colours and puts the old ones back.
class DCColors {
public:
    DCColors(HDC dc, COLORREF text, COLORREF background)
        : m_hDC(dc), m_text(SetTextColor(dc, text)), m_background(SetBkColor(dc, background))
    {
    }
    DCColors(const DCColors&) = delete;
    DCColors& operator=(const DCColors&) = delete;
    ~DCColors()
    {
        SetTextColor(m_hDC, m_text);
        SetBkColor(m_hDC, m_background);
    }

private:
    HDC m_hDC;
    COLORREF m_text;
    COLORREF m_background;
};

}  // namespace tq
