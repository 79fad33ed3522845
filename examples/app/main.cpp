// An application on the installed TqCommon package: a main window with the
// library's player bar. Play moves the time slider along a 90-second clip;
// the title shows where it is, formatted by CTqString.
//
// "TqExampleApp.exe /auto" presses play itself, lets the clip run for a few
// ticks, closes the window and exits with 0 when everything it saw was right
// (the test suite runs it that way).
#include <TqCommon.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

const char kClassName[] = "TqExampleAppWindow";
const UINT_PTR kTickTimer = 1;
const UINT kTickMs = 40;
const double kFps = 25.0;
const double kClipFrames = 90 * kFps;
const double kFramesPerTick = kFps * kTickMs / 1000.0;
const int kAutoTicks = 10;
const unsigned int kPlayerId = 100;

class MainWindow : public CTqWnd {
public:
    explicit MainWindow(bool automatic) : m_automatic(automatic) {}

    int CreateMain()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = CTqWnd::WndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
        return Create(kClassName, "TqCommon example", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      CW_USEDEFAULT, CW_USEDEFAULT, 480, 120, nullptr, 0);
    }

    int Ticks() const { return m_ticks; }
    double Position() const { return m_player.TimeSlider().GetPos(); }

protected:
    int OnCreate(CREATESTRUCTA*) override
    {
        if (!m_player.Create(WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, this, kPlayerId))
            return -1;  // fails the window's creation
        m_player.TimeSlider().SetFps(kFps, 0);
        m_player.TimeSlider().SetRange(0, kClipFrames, 0);
        m_player.TimeSlider().SetPos(0, 1);
        if (m_automatic)
            m_player.OnPlay();
        return 0;
    }

    void OnSize(unsigned int, int cx, int) override
    {
        m_player.MoveWindow(8, 8, cx - 16, CTqPlayerCtrl::GetClientHeight(), 1);
    }

    void OnTimer(UINT_PTR) override
    {
        CTqTimeSliderCtrl& slider = m_player.TimeSlider();
        double next = slider.GetPos() + kFramesPerTick;
        slider.SetPos(next < kClipFrames ? next : 0, 1);
        ShowPosition(slider.GetPos());
        if (m_automatic && ++m_ticks == kAutoTicks)
            PostMessageA(WM_CLOSE, 0, 0);
    }

    void OnDestroy() override { PostQuitMessage(0); }

private:
    // The player bar tells its owner through virtual calls; this one starts
    // and stops the clock and shows the matching face.
    class Player : public CTqPlayerCtrl {
    public:
        void OnPlay() override
        {
            m_playing = !m_playing;
            PlayBtn().SetChecked(m_playing);
            HWND owner = ::GetParent(GetHwnd());
            if (m_playing)
                SetTimer(owner, kTickTimer, kTickMs, nullptr);
            else
                KillTimer(owner, kTickTimer);
        }

    private:
        bool m_playing = false;
    };

    void ShowPosition(double frame)
    {
        CTqString title;
        title.Format("TqCommon example - %.1f s", frame / kFps);
        SetWindowTextA(GetHwnd(), title);
    }

    Player m_player;
    bool m_automatic;
    int m_ticks = 0;
};

// An allocation failure inside the DLL reaches the application as
// std::bad_alloc: a size past 32 bits is refused, never wrapped.
bool ThrowsAcrossTheDll()
{
    CTqArray<char, 2> bytes;
    bytes.PushBack('x');
    try {
        bytes.AddSize(0xFFFFFFFFu, 1, 0);
    } catch (const std::bad_alloc&) {
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    bool automatic = argc > 1 && std::strcmp(argv[1], "/auto") == 0;

    MainWindow window(automatic);
    if (!window.CreateMain()) {
        std::printf("example: the main window could not be created\n");
        return 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (CTqWnd::PreTranslateProc(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (!automatic)
        return 0;

    double expected = kAutoTicks * kFramesPerTick;
    bool moved = window.Ticks() == kAutoTicks && window.Position() > expected - 0.01 &&
                 window.Position() < expected + 0.01;
    bool threw = ThrowsAcrossTheDll();
    std::printf("example: %d ticks, position %.1f of %.0f frames; std::bad_alloc %s\n",
                window.Ticks(), window.Position(), kClipFrames, threw ? "caught" : "missing");
    return moved && threw ? 0 : 1;
}
