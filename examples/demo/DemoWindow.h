#pragma once

#include <TqCommon.h>

// The demo's main window, a CTqWnd subclass whose class uses CTqWnd::WndProc.
// At the top it lists what the library's arrays and strings made; below that
// a stage where a mark travels along a line, a row of buttons and a player
// bar at the bottom. The player's time slider says where the mark is, play
// and pause start and stop it, the volume slider sets its size; the buttons
// jump to the start or the end (each greyed while it has nowhere to go),
// play and pause, and loop.
//
// File > Open image... (Ctrl+O) shows a picture of any common format at the
// right end of the stage, blended over the window's colour where it is
// transparent.
//
// A click on the list, F1 or the menu shows the summary through TqMsgBox.
// Each action is a command id (DemoIds.h) handled in OnCmdMsg; the menu, the
// accelerators and the buttons send them.
class CDemoWnd : public CTqWnd {
public:
    enum class Mode { Interactive, Automatic, Screenshots };

    explicit CDemoWnd(Mode mode);

    static int Register(HINSTANCE instance);
    int CreateMain(HINSTANCE instance);

    // Puts the window in a known state, paints it and saves the player bar,
    // the buttons in each state and the whole window as BMP files in the
    // current folder; with a picture, also the window showing it
    // (demo-image.bmp). Returns the number of files written.
    int SaveScreenshots(const char* picture);

protected:
    int OnCreate(CREATESTRUCTA* create) override;
    int OnCmdMsg(unsigned int id, int code, HWND control) override;
    int OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
    void OnPaint() override;
    void OnSize(unsigned int type, int cx, int cy) override;
    void OnLButtonUp(unsigned int flags, POINT pt) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    // The player bar: its notifications drive the stage.
    class Player : public CTqPlayerCtrl {
    public:
        explicit Player(CDemoWnd& owner) : m_owner(owner) {}
        void OnPlay() override { m_owner.TogglePlay(); }
        // The mark holds still under the user's drag, then plays on from
        // where it was dropped.
        void OnTimeStartTrack(double) override { m_owner.m_dragging = true; }
        void OnTimeTracking(double) override { m_owner.PositionChanged(); }
        void OnTimeEndTrack(double) override
        {
            m_owner.m_dragging = false;
            m_owner.PositionChanged();
        }
        void OnVolumeTracking(double) override { m_owner.InvalidateStage(); }

    private:
        CDemoWnd& m_owner;
    };

    void BuildLines();
    void ShowSummary();
    int CreateButtons();
    void TogglePlay();
    void SetPlaying(bool playing);
    void Step();
    void JumpTo(double frame);
    void PositionChanged();
    static void SetEnabled(CTqWnd& button, bool enabled);
    void InvalidateStage();
    RECT StageRect() const;
    void PaintStage(HDC dc) const;
    void ToggleLoop(HWND control);
    void OpenImage();
    bool ShowImage(const char* path);
    RECT ImageRect() const;
    int SaveButtonStates(CTqWnd& button, const char* name);

    Mode m_mode;
    CTqString m_lines[7];
    Player m_player;
    CTqCstmButtonCtrl m_toStart;
    CTqBmpButtonCtrl m_play;
    CTqCstmButtonCtrl m_toEnd;
    CTqButtonCtrl m_loop;
    CTqDib m_image;  // opaque: already blended over the window's colour
    bool m_playing;
    bool m_dragging;
};
