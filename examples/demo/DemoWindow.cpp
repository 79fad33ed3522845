#include "DemoWindow.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "DemoIds.h"
#include "DemoRecorder.h"
#include "DemoShots.h"

namespace {

const char kClassName[] = "TqDemoWindow";
const UINT_PTR kPressKeyTimer = 1;
const UINT_PTR kAnswerBoxTimer = 2;
const UINT_PTR kPlayTimer = 3;
const UINT kAutoDelayMs = 1500;

// Key colour of the library's button faces (IDB_TQ_PLAY and the rest).
const COLORREF kMagenta = RGB(255, 0, 255);

// Ten seconds at 25 frames per second; one frame per timer tick.
const double kFps = 25.0;
const double kLastFrame = 250.0;
const UINT kFrameMs = 40;

// Layout of the client area, from the top: the text lines, the stage, the
// row of buttons; the player bar sits at the bottom.
const int kMargin = 10;
const int kLineHeight = 22;
const int kLineCount = 7;
const int kStageTop = kMargin + kLineCount * kLineHeight;
const int kStageHeight = 60;
const int kRowTop = kStageTop + kStageHeight + 8;
const int kButtonSize = 32;
const int kRowHeight = 28;
const int kLoopWidth = 80;
const int kGap = 4;

const char kImageFilter[] =
    "Images\0*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.bmp;*.ico\0All files\0*.*\0";
const int kImageGap = 8;
const unsigned int kOpaque = 255;

const COLORREF kPlayingMark = RGB(40, 110, 200);
const COLORREF kPausedMark = RGB(140, 140, 140);

CTqString Number(const char* label, unsigned int value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%u", value);
    return CTqString(label) + digits;
}

BOOL CALLBACK AnswerBox(HWND window, LPARAM answered)
{
    char className[16];
    if (GetClassNameA(window, className, sizeof className) &&
        std::strcmp(className, "#32770") == 0) {
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        *reinterpret_cast<bool*>(answered) = true;
    }
    return TRUE;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Blends each pixel of a 32-bit picture over colour by its alpha, so that
// drawing it without alpha shows what a transparent picture looks like.
void BlendOver(CTqDib& picture, COLORREF colour)
{
    const BYTE background[] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
    const size_t count = size_t(picture.GetWidth()) * picture.GetHeight();
    unsigned char* pixel = picture.GetPixels();
    for (size_t i = 0; i < count; ++i, pixel += 4) {
        const unsigned int alpha = pixel[3];
        for (int c = 0; c < 3; ++c)
            pixel[c] = BYTE((pixel[c] * alpha + background[c] * (kOpaque - alpha)) / kOpaque);
        pixel[3] = BYTE(kOpaque);
    }
}

void Repaint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
}

}  // namespace

CDemoWnd::CDemoWnd(Mode mode) : m_mode(mode), m_player(*this), m_playing(false), m_dragging(false)
{
    BuildLines();
}

int CDemoWnd::Register(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = CTqWnd::WndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = IDR_DEMO_MENU;
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
}

int CDemoWnd::CreateMain(HINSTANCE instance)
{
    if (!CTqWnd::Create(kClassName, "TqCommon demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        CW_USEDEFAULT, CW_USEDEFAULT, 560, 350, nullptr, 0))
        return 0;
    LoadAcceleratorsA(instance, IDR_DEMO_ACCEL);
    if (m_mode == Mode::Automatic) {
        SetPlaying(true);
        SetTimer(m_hWnd, kPressKeyTimer, kAutoDelayMs, nullptr);
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Children

int CDemoWnd::OnCreate(CREATESTRUCTA*)
{
    if (!m_player.Create(WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, this, ID_DEMO_PLAYER))
        return -1;
    CTqTimeSliderCtrl& time = m_player.TimeSlider();
    time.SetFps(kFps, 0);
    time.SetRange(0, kLastFrame, 0);
    time.SetPos(0, 0);
    return CreateButtons() ? 0 : -1;
}

int CDemoWnd::CreateButtons()
{
    const unsigned long style = WS_CHILD | WS_VISIBLE;
    int x = kMargin;
    if (!m_toStart.Create("", style, x, kRowTop, kButtonSize, kRowHeight, this, ID_DEMO_TO_START))
        return 0;
    m_toStart.SetBmpID(IDB_TQ_TO_START, kMagenta);
    m_toStart.IsGradated() = 1;
    x += kButtonSize + kGap;
    // A system button drawn by its owner: WM_DRAWITEM comes here.
    if (!m_play.Create("", style | BS_OWNERDRAW, x, kRowTop, kButtonSize, kRowHeight, this,
                       ID_DEMO_PLAY))
        return 0;
    m_play.SetBmpID(IDB_TQ_PLAY, kMagenta);
    m_play.SetCheckedBmpID(IDB_TQ_PAUSE, kMagenta);
    x += kButtonSize + kGap;
    if (!m_toEnd.Create("", style, x, kRowTop, kButtonSize, kRowHeight, this, ID_DEMO_TO_END))
        return 0;
    m_toEnd.SetBmpID(IDB_TQ_TO_END, kMagenta);
    m_toEnd.IsGradated() = 1;
    x += kButtonSize + 3 * kGap;
    if (!m_loop.Create("Loop", style | BS_AUTOCHECKBOX, x, kRowTop, kLoopWidth, kRowHeight, this,
                       ID_DEMO_LOOP))
        return 0;
    ::SendMessageA(m_loop.GetHwnd(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    PositionChanged();
    return 1;
}

void CDemoWnd::OnSize(unsigned int type, int cx, int cy)
{
    if (type == SIZE_MINIMIZED)
        return;
    m_player.MoveWindow(0, cy - CTqPlayerCtrl::GetClientHeight(), cx,
                        CTqPlayerCtrl::GetClientHeight(), TRUE);
}

int CDemoWnd::OnDrawItem(int, DRAWITEMSTRUCT* item)
{
    if (!item || item->hwndItem != m_play.GetHwnd())
        return 0;
    return m_play.DrawItem(item);
}

// ---------------------------------------------------------------------------
// Commands

int CDemoWnd::OnCmdMsg(unsigned int id, int code, HWND control)
{
    if (CTqWnd::OnCmdMsg(id, code, control))
        return 1;
    switch (id) {
    case ID_DEMO_SUMMARY:
        ShowSummary();
        return 1;
    case ID_DEMO_RECORD:
        if (m_mode == Mode::Interactive)  // the compressor dialog needs a user
            RecordDemoMovie(m_hWnd, nullptr);
        return 1;
    case ID_DEMO_EXIT:
        PostMessageA(WM_CLOSE, 0, 0);
        return 1;
    case ID_DEMO_PLAY:
        TogglePlay();
        return 1;
    case ID_DEMO_TO_START:
        JumpTo(m_player.TimeSlider().GetRangeMin());
        return 1;
    case ID_DEMO_TO_END:
        JumpTo(m_player.TimeSlider().GetRangeMax());
        return 1;
    case ID_DEMO_LOOP:
        ToggleLoop(control);
        return 1;
    case ID_DEMO_OPEN_IMAGE:
        if (m_mode == Mode::Interactive)  // the file dialog needs a user
            OpenImage();
        return 1;
    }
    return 0;
}

// The check box toggles itself; the menu item toggles the check box.
void CDemoWnd::ToggleLoop(HWND control)
{
    if (control != m_loop.GetHwnd())
        m_loop.SetCheck(m_loop.GetCheck() ? 0 : 1);
}

// ---------------------------------------------------------------------------
// Image

void CDemoWnd::OpenImage()
{
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_hWnd;
    dialog.lpstrFilter = kImageFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&dialog))
        return;
    if (!ShowImage(path)) {
        const DWORD error = GetLastError();
        const CTqString text = Number("The picture could not be read (error ", error) + ").";
        text.ShowMsgBox(nullptr, MB_OK | MB_ICONEXCLAMATION, m_hWnd);
    }
}

bool CDemoWnd::ShowImage(const char* path)
{
    if (!m_image.ReadImageFile(path))
        return false;
    BlendOver(m_image, GetSysColor(COLOR_WINDOW));
    InvalidateStage();
    return true;
}

// The picture at the right end of the stage, as tall as the stage inside its
// frame and at most a third of its width, keeping its proportions.
RECT CDemoWnd::ImageRect() const
{
    RECT stage = StageRect();
    InflateRect(&stage, -2, -2);
    if (!m_image.IsValid())
        return {stage.right, stage.top, stage.right, stage.top};
    const double scale = std::min(double(stage.bottom - stage.top) / m_image.GetHeight(),
                                  double(stage.right - stage.left) / 3 / m_image.GetWidth());
    const int width = int(m_image.GetWidth() * scale);
    const int height = int(m_image.GetHeight() * scale);
    const int top = (stage.top + stage.bottom - height) / 2;
    return {stage.right - width, top, stage.right, top + height};
}

// ---------------------------------------------------------------------------
// Playing

void CDemoWnd::TogglePlay()
{
    SetPlaying(!m_playing);
}

// The library never changes the faces itself: both play buttons show pause
// while playing.
void CDemoWnd::SetPlaying(bool playing)
{
    CTqTimeSliderCtrl& time = m_player.TimeSlider();
    if (playing && time.GetPos() >= time.GetRangeMax())
        JumpTo(time.GetRangeMin());
    m_playing = playing;
    m_player.PlayBtn().SetChecked(playing);
    m_play.SetChecked(playing);
    if (playing)
        SetTimer(m_hWnd, kPlayTimer, kFrameMs, nullptr);
    else
        KillTimer(m_hWnd, kPlayTimer);
    InvalidateStage();
}

void CDemoWnd::Step()
{
    if (m_dragging)
        return;
    CTqTimeSliderCtrl& time = m_player.TimeSlider();
    const double next = time.GetPos() + 1;
    if (next <= time.GetRangeMax()) {
        JumpTo(next);
    } else if (m_loop.GetCheck()) {
        JumpTo(time.GetRangeMin());
    } else {
        SetPlaying(false);
    }
}

void CDemoWnd::JumpTo(double frame)
{
    m_player.TimeSlider().SetPos(frame, 1);
    PositionChanged();
}

// Each jump button is greyed while the mark is already where it leads.
void CDemoWnd::PositionChanged()
{
    const CTqTimeSliderCtrl& time = m_player.TimeSlider();
    SetEnabled(m_toStart, time.GetPos() > time.GetRangeMin());
    SetEnabled(m_toEnd, time.GetPos() < time.GetRangeMax());
    InvalidateStage();
}

// The custom button paints its greyed face at its next paint: enabling or
// disabling it asks for one.
void CDemoWnd::SetEnabled(CTqWnd& button, bool enabled)
{
    if ((button.IsWindowEnabled() != 0) == enabled)
        return;
    button.EnableWindow(enabled);
    button.InvalidateRect(nullptr, TRUE);
}

void CDemoWnd::OnTimer(UINT_PTR id)
{
    if (id == kPlayTimer) {
        Step();
        return;
    }
    // The automatic run: press F1 through the message loop, then answer the
    // box it opens; without a box there is nothing left to wait for.
    KillTimer(m_hWnd, id);
    if (id == kPressKeyTimer) {
        SetTimer(m_hWnd, kAnswerBoxTimer, kAutoDelayMs, nullptr);
        PostMessageA(WM_KEYDOWN, VK_F1, 1);
    } else if (id == kAnswerBoxTimer) {
        bool answered = false;
        EnumThreadWindows(GetCurrentThreadId(), AnswerBox, reinterpret_cast<LPARAM>(&answered));
        if (!answered)
            PostMessageA(WM_CLOSE, 0, 0);
    }
}

// ---------------------------------------------------------------------------
// Painting

RECT CDemoWnd::StageRect() const
{
    RECT client = {};
    GetClientRect(&client);
    return {kMargin, kStageTop, client.right - kMargin, kStageTop + kStageHeight};
}

void CDemoWnd::InvalidateStage()
{
    if (!m_hWnd)
        return;
    const RECT stage = StageRect();
    InvalidateRect(&stage, TRUE);
}

// A line across the stage and a mark on it: where it is follows the time
// slider, its size the volume slider, its colour play or pause.
void CDemoWnd::PaintStage(HDC dc) const
{
    const RECT stage = StageRect();
    FrameRect(dc, &stage, GetSysColorBrush(COLOR_BTNSHADOW));
    const int middle = (stage.top + stage.bottom) / 2;
    const int radius = 5 + static_cast<int>(m_player.VolumeSlider().GetPos()) / 8;
    const RECT image = ImageRect();
    if (m_image.IsValid()) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        m_image.StretchDIBits(dc, image.left, image.top, image.right - image.left,
                              image.bottom - image.top, SRCCOPY, 1);
    }
    const int left = stage.left + radius + 2;
    const int right = (m_image.IsValid() ? image.left - kImageGap : stage.right) - radius - 2;
    MoveToEx(dc, left, middle, nullptr);
    LineTo(dc, right, middle);

    const CTqTimeSliderCtrl& time = m_player.TimeSlider();
    const double span = time.GetRangeMax() - time.GetRangeMin();
    const double done = span > 0 ? (time.GetPos() - time.GetRangeMin()) / span : 0;
    const int x = left + static_cast<int>((right - left) * done);
    HBRUSH brush = CreateSolidBrush(m_playing ? kPlayingMark : kPausedMark);
    HGDIOBJ previous = SelectObject(dc, brush);
    Ellipse(dc, x - radius, middle - radius, x + radius + 1, middle + radius + 1);
    SelectObject(dc, previous);
    DeleteObject(brush);
}

void CDemoWnd::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    int y = kMargin;
    for (const CTqString& line : m_lines) {
        TextOutA(dc, kMargin, y, line, static_cast<int>(line.GetLength()));
        y += kLineHeight;
    }
    PaintStage(dc);
    EndPaint(m_hWnd, &paint);
}

// ---------------------------------------------------------------------------
// Summary

void CDemoWnd::OnLButtonUp(unsigned int, POINT pt)
{
    if (pt.y < kStageTop)
        ShowSummary();
}

void CDemoWnd::OnDestroy()
{
    KillTimer(m_hWnd, kPlayTimer);
    CTqWnd::OnDestroy();
    PostQuitMessage(0);
}

void CDemoWnd::BuildLines()
{
    CTqArray<char, 2> bytes;
    for (char c = 'a'; c <= 'e'; ++c)
        bytes.PushBack(c);
    m_lines[0] = Number("Array: 5 bytes pushed one by one, capacity ", bytes.GetBufferSize());

    CTqString text("Tq");
    text += "Common";
    text += text;  // a string may append itself
    m_lines[1] = CTqString("String: ") + text;

    // Two double-byte characters of code page 932 ("日本") and "go".
    CTqString japanese("\x93\xfa\x96\x7b" "go");
    m_lines[2] = CTqString("Characters in \"") + japanese + "\": ";
    m_lines[2] += Number("", japanese.GetLengthMB());
    m_lines[2] += Number(" (bytes ", japanese.GetLength()) + ")";

    CTqString name("FileName.TXT");
    name.SetLowerCase();
    m_lines[3] = CTqString("Lower case: ") + name;

    char process[MAX_PATH];
    if (TqGetProcessName(process, sizeof process))
        m_lines[4] = CTqString("Process name: ") + process;
    m_lines[5] = "Below: play, drag the sliders, jump to the start or the end.";
    m_lines[6] = "Click here, press F1 or use the menu for a message box.";
}

void CDemoWnd::ShowSummary()
{
    CTqString summary;
    for (const CTqString& line : m_lines) {
        summary += line;
        summary += "\n";
    }
    summary.ShowMsgBox(nullptr, MB_OK | MB_ICONINFORMATION, nullptr);
    if (m_mode == Mode::Automatic)
        PostMessageA(WM_CLOSE, 0, 0);
}

// ---------------------------------------------------------------------------
// Screenshots

int CDemoWnd::SaveScreenshots(const char* picture)
{
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetFocus(m_hWnd);
    CTqTimeSliderCtrl& time = m_player.TimeSlider();
    time.SetRange(0, 100 * kFps, 1);  // 01:40
    int saved = 0;

    // Playing shows the pause face; paused the play face.
    m_player.PlayBtn().SetChecked(1);
    time.SetPos(30 * kFps, 1);
    Repaint(m_hWnd);
    saved += SaveClientShot(m_player.GetHwnd(), "player-playing.bmp");
    m_player.PlayBtn().SetChecked(0);
    time.SetPos(52 * kFps, 1);
    Repaint(m_hWnd);
    saved += SaveClientShot(m_player.GetHwnd(), "player-paused.bmp");

    JumpTo(time.GetRangeMin() + 70 * kFps);
    saved += SaveButtonStates(m_toEnd, "button");
    saved += SaveButtonStates(m_play, "bmpbutton");

    m_playing = true;
    m_player.PlayBtn().SetChecked(1);
    m_play.SetChecked(1);
    Repaint(m_hWnd);
    saved += SaveClientShot(m_hWnd, "demo-window.bmp");
    m_playing = false;

    if (picture && *picture && ShowImage(picture)) {
        Repaint(m_hWnd);
        saved += SaveClientShot(m_hWnd, "demo-image.bmp");
    }
    return saved;
}

// Normal, pressed, disabled and focused, each drawn by the button itself:
// pressed by a press inside that is then dragged away and released without a
// click.
int CDemoWnd::SaveButtonStates(CTqWnd& button, const char* name)
{
    const HWND window = button.GetHwnd();
    const bool custom = &button != &m_play;
    const auto shot = [&](const char* state) {
        Repaint(m_hWnd);
        return SaveClientShot(window, CTqString(name) + "-" + state + ".bmp");
    };
    int saved = shot("normal");

    if (custom)
        ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    else
        ::SendMessageA(window, BM_SETSTATE, TRUE, 0);
    SetFocus(m_hWnd);  // the press took it: pressed alone, without the focus rectangle
    saved += shot("pressed");
    if (custom) {
        ::SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-100, -100));
        ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(-100, -100));
    } else {
        ::SendMessageA(window, BM_SETSTATE, FALSE, 0);
    }

    button.EnableWindow(0);
    saved += shot("disabled");
    button.EnableWindow(1);

    SetFocus(window);
    saved += shot("focused");
    SetFocus(m_hWnd);
    return saved;
}
