#pragma once

/// \file
/// The self-drawn time slider CTqTimeSliderCtrl.

#include <windows.h>

#include "../library/TqExport.h"
#include "../window/CTqWnd.h"

/// A self-drawn horizontal slider over a range of frame numbers, window class
/// "TqTimeSliderCtrl", with an optional read-out right of the track showing
/// the position and the length of the range as minutes:seconds.
///
/// Positions and range are frame numbers; the frame rate turns them into
/// seconds for the read-out only. The position is not clamped to the range.
/// The thumb is drawn and the mouse acts only while the range is valid
/// (max - min > 0). A drag is reported through OnStartTrack, OnTracking and
/// OnEndTrack; the setters report nothing.
///
/// Each paint is composed off-screen from a background bitmap that is rebuilt
/// at every layout and focus change; the window background is never erased.
/// With the volume shape (last argument of Create) the track is a rising
/// wedge instead of a sunken groove.
///
/// The flags returned by reference take effect at the next layout
/// (HasValue), the next background rebuild (IsGradated) or the next click
/// (IsFocusEnabled): set them right after Create, before the first sizing.
///
/// The read-out reads "mm:ss / mm:ss": the time from the start of the range
/// to the position, then the length of the range, each in whole seconds
/// (frames divided by the rate, truncated; the minutes have no upper limit),
/// in the GUI font, greyed while the window is disabled. A press on the track
/// moves the thumb there before the drag starts; a press on the thumb keeps it
/// where it is. The window class is registered under the application's module
/// on the first Create().
class TQ_API CTqTimeSliderCtrl : public CTqWnd {
public:
    /// Range 0-100, position 50, 1 frame per second; creates the edge pens in
    /// the system colours of this moment. Focus enabled, no read-out, not
    /// gradated.
    CTqTimeSliderCtrl();
    /// A copy owns duplicates of the pens and bitmaps: each object deletes
    /// only what it owns. It shares the window handle, as every CTqWnd copy
    /// does.
    CTqTimeSliderCtrl(const CTqTimeSliderCtrl& other);
    /// Copies every value and duplicates the pens and bitmaps, deleting its
    /// own.
    /// \return `*this`.
    CTqTimeSliderCtrl& operator=(const CTqTimeSliderCtrl& other);
    /// Deletes the pens and bitmaps; the window is left alive.
    virtual ~CTqTimeSliderCtrl();

    /// Registers the window class on first use and creates the slider;
    /// volumeShape nonzero draws the track as a wedge.
    /// \return 1 on success; 0 when the class cannot be registered or the
    ///         window cannot be created.
    TQ_NEW_VIRTUAL_CREATE_BEGIN
    virtual int Create(unsigned long style, int x, int y, int width, int height, CTqWnd* parent,
                       unsigned int id, int volumeShape);
    TQ_NEW_VIRTUAL_CREATE_END

    /// \name Values
    ///@{

    /// The start of the range, in frames.
    double GetRangeMin() const;
    /// The end of the range, in frames.
    double GetRangeMax() const;
    /// The position, in frames.
    double GetPos() const;
    /// The frame rate, in frames per second.
    double GetFps() const;
    /// 1 when max - min > 0, else 0.
    int IsRangeValid() const;

    /// The read-out right of the track (takes effect at the next layout).
    int& HasValue();
    /// Whether the read-out shows.
    const int& HasValue() const;
    /// A gradient background instead of the face colour (takes effect at the
    /// next background rebuild).
    int& IsGradated();
    /// Whether the background is a gradient.
    const int& IsGradated() const;
    /// A click gives the slider the keyboard focus (takes effect at the next
    /// click).
    int& IsFocusEnabled();
    /// Whether a click gives the slider the keyboard focus.
    const int& IsFocusEnabled() const;

    /// Sets the frame rate; with redraw the window is invalidated.
    /// \return 1; 0 without a change for a rate that is not positive (NaN
    ///         included) or equals the current one.
    int SetFps(double fps, int redraw);
    /// Sets the start of the range. Each setter stores a changed value, moves
    /// the thumb and, with redraw, invalidates the window; an unchanged value
    /// does nothing. No setter reports a drag.
    void SetRangeMin(double value, int redraw);
    /// Sets the end of the range, as SetRangeMin().
    void SetRangeMax(double value, int redraw);
    /// Sets both ends of the range, as SetRangeMin().
    void SetRange(double min, double max, int redraw);
    /// Sets the position (not clamped to the range), as SetRangeMin().
    void SetPos(double pos, int redraw);
    ///@}

protected:
    /// Measures the read-out's width in the GUI font.
    /// \return 0: the window is created.
    int OnCreate(CREATESTRUCTA* create) override;
    /// Copies the background, draws the thumb (valid range only) and the
    /// read-out off-screen, then onto the window.
    void OnPaint() override;
    /// 1: the background is never erased, each paint covers the whole client.
    int OnEraseBkgnd(HDC dc) override;
    /// Lays out for SIZE_RESTORED and SIZE_MAXIMIZED only: the track, the
    /// read-out's room, the thumb and the background bitmaps.
    void OnSize(unsigned int type, int cx, int cy) override;
    /// With a valid range: moves the thumb under a press on the track,
    /// captures the mouse and calls OnStartTrack(); with IsFocusEnabled()
    /// takes the focus.
    void OnLButtonDown(unsigned int flags, POINT pt) override;
    /// Ends a drag: releases the mouse and calls OnEndTrack().
    void OnLButtonUp(unsigned int flags, POINT pt) override;
    /// During a drag: moves the position and calls OnTracking() when it
    /// changed.
    void OnMouseMove(unsigned int flags, POINT pt) override;
    /// Rebuilds the background with the focus rectangle.
    void OnSetFocus(HWND previous) override;
    /// Rebuilds the background without the focus rectangle.
    void OnKillFocus(HWND next) override;

    /// \name Drag notifications
    /// A drag started, moved the position, ended; each with the position in
    /// frames. They do nothing here.
    ///@{

    /// A drag started, with the position in frames. Does nothing here.
    virtual void OnStartTrack(double pos);
    /// A drag moved the position (in frames). Does nothing here.
    virtual void OnTracking(double pos);
    /// A drag ended at the position (in frames). Does nothing here.
    virtual void OnEndTrack(double pos);
    ///@}

    /// Places the thumb for the position; with an invalid range the thumb
    /// keeps its rectangle.
    void UpdateThumbRect();
    /// The position under client x; 0 without touching pos when the range is
    /// invalid.
    int CalcPos(double& pos, long x) const;
    /// Rebuilds the client-sized bitmaps and draws the background into one.
    void RenewBitmaps();
    /// Deletes the two bitmaps.
    void DeleteBitmaps();

    /// Whether a click takes the focus.
    int m_bFocusEnabled;
    /// Whether the read-out shows.
    int m_bHasValue;
    /// The frame rate.
    double m_dFps;
    /// The read-out's width in pixels, measured at creation.
    int m_nTextWidth;
    /// Whether the background is a gradient.
    int m_bGradated;
    /// Whether the track is a wedge.
    int m_bVolumeShape;
    /// The start of the range.
    double m_dRangeMin;
    /// The end of the range.
    double m_dRangeMax;
    /// The position.
    double m_dPos;
    /// 1 during a drag.
    int m_bTracking;
    /// The distance from the pointer to the thumb's centre at the press.
    int m_nTrackOffset;
    /// The track in client coordinates.
    RECT m_rcTrack;
    /// The thumb in client coordinates.
    RECT m_rcThumb;
    /// The light edge pen (owned).
    HPEN m_hLightPen;
    /// The dark edge pen (owned).
    HPEN m_hShadowPen;
    /// The off-screen bitmap a paint is composed in (owned).
    HBITMAP m_hWorkBmp;
    /// The background bitmap (owned).
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
