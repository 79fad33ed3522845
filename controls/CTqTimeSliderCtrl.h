#pragma once

#include <windows.h>

#include "../library/TqExport.h"
#include "../window/CTqWnd.h"

// A self-drawn horizontal slider over a range of frame numbers, window class
// "TqTimeSliderCtrl", with an optional read-out right of the track showing
// the position and the length of the range as minutes:seconds.
//
// Positions and range are frame numbers; the frame rate turns them into
// seconds for the read-out only. The position is not clamped to the range.
// The thumb is drawn and the mouse acts only while the range is valid
// (max - min > 0). A drag is reported through OnStartTrack, OnTracking and
// OnEndTrack; the setters report nothing.
//
// Each paint is composed off-screen from a background bitmap that is rebuilt
// at every layout and focus change; the window background is never erased.
// With the volume shape (last argument of Create) the track is a rising
// wedge instead of a sunken groove.
//
// The flags returned by reference take effect at the next layout
// (HasValue), the next background rebuild (IsGradated) or the next click
// (IsFocusEnabled): set them right after Create, before the first sizing.
class TQ_API CTqTimeSliderCtrl : public CTqWnd {
public:
    // Range 0-100, position 50, 1 frame per second; creates the edge pens in
    // the system colours of this moment.
    CTqTimeSliderCtrl();
    // A copy owns duplicates of the pens and bitmaps: each object deletes
    // only what it owns.
    CTqTimeSliderCtrl(const CTqTimeSliderCtrl& other);
    CTqTimeSliderCtrl& operator=(const CTqTimeSliderCtrl& other);
    // Deletes the pens and bitmaps; the window is left alive.
    virtual ~CTqTimeSliderCtrl();

    // Registers the window class on first use. 1 on success; 0 when the class
    // cannot be registered or the window cannot be created.
    virtual int Create(unsigned long style, int x, int y, int width, int height, CTqWnd* parent,
                       unsigned int id, int volumeShape);

    double GetRangeMin() const;
    double GetRangeMax() const;
    double GetPos() const;
    double GetFps() const;
    int IsRangeValid() const;

    int& HasValue();
    const int& HasValue() const;
    int& IsGradated();
    const int& IsGradated() const;
    int& IsFocusEnabled();
    const int& IsFocusEnabled() const;

    // 0 without a change for a rate that is not positive (NaN included) or
    // equals the current one; else 1.
    int SetFps(double fps, int redraw);
    // Each stores a changed value, moves the thumb and, with redraw,
    // invalidates the window.
    void SetRangeMin(double value, int redraw);
    void SetRangeMax(double value, int redraw);
    void SetRange(double min, double max, int redraw);
    void SetPos(double pos, int redraw);

protected:
    int OnCreate(CREATESTRUCTA* create) override;
    void OnPaint() override;
    // 1: the background is never erased, each paint covers the whole client.
    int OnEraseBkgnd(HDC dc) override;
    // Lays out for SIZE_RESTORED and SIZE_MAXIMIZED only.
    void OnSize(unsigned int type, int cx, int cy) override;
    void OnLButtonDown(unsigned int flags, POINT pt) override;
    void OnLButtonUp(unsigned int flags, POINT pt) override;
    void OnMouseMove(unsigned int flags, POINT pt) override;
    // Both rebuild the background with or without the focus rectangle.
    void OnSetFocus(HWND previous) override;
    void OnKillFocus(HWND next) override;

    // A drag started, moved the position, ended; each with the position in
    // frames. They do nothing here.
    virtual void OnStartTrack(double pos);
    virtual void OnTracking(double pos);
    virtual void OnEndTrack(double pos);

    // Places the thumb for the position; with an invalid range the thumb
    // keeps its rectangle.
    void UpdateThumbRect();
    // The position under client x; 0 without touching pos when the range is
    // invalid.
    int CalcPos(double& pos, long x) const;
    // Rebuilds the client-sized bitmaps and draws the background into one.
    void RenewBitmaps();
    void DeleteBitmaps();

    int m_bFocusEnabled;
    int m_bHasValue;
    double m_dFps;
    int m_nTextWidth;
    int m_bGradated;
    int m_bVolumeShape;
    double m_dRangeMin;
    double m_dRangeMax;
    double m_dPos;
    int m_bTracking;
    int m_nTrackOffset;
    RECT m_rcTrack;
    RECT m_rcThumb;
    HPEN m_hLightPen;
    HPEN m_hShadowPen;
    HBITMAP m_hWorkBmp;
    HBITMAP m_hBackBmp;

private:
    // After a setter changed the range or the position.
    void Moved(int redraw);
    void Invalidate();
    void FocusChanged();
    void DrawBackground(HDC dc, const RECT& client) const;
    void DrawGradient(HDC dc, const RECT& client) const;
    void DrawWedge(HDC dc, const RECT& client) const;
    void DrawReadOut(HDC dc, const RECT& client) const;
};
