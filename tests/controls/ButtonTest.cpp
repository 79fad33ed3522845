// The library's faces; the system, bitmap and custom buttons as painted and
// under the mouse, by messages and by real input; the controls' binary
// interface.
#include <algorithm>

#include "ControlsSupport.h"
#include "VtableSlots.h"

using namespace ctl;

// Sizes by the width of pointers and handles.
constexpr size_t ByWidth(size_t wide, size_t narrow)
{
    return sizeof(void*) == 8 ? wide : narrow;
}
static_assert(sizeof(CTqButtonCtrl) == ByWidth(48, 24) && sizeof(CTqBmpButtonCtrl) == ByWidth(72, 44) &&
                  sizeof(CTqCstmButtonCtrl) == ByWidth(88, 60) && sizeof(CTqSliderCtrl) == ByWidth(48, 24) &&
                  sizeof(CTqVolumeSliderCtrl) == ByWidth(64, 32) &&
                  sizeof(CTqTimeSliderCtrl) == ByWidth(176, 136) && sizeof(CTqPlayerCtrl) == ByWidth(504, 376),
              "the controls' sizes");

namespace {

// New virtual operations follow CTqWnd's two destructors and 39 operations.
const long kFirstNew = 41;
// The protected members opened.
struct B : CTqButtonCtrl {
    using CTqButtonCtrl::OnClick;
};
struct T : CTqTimeSliderCtrl {
    using CTqTimeSliderCtrl::OnStartTrack, CTqTimeSliderCtrl::OnTracking, CTqTimeSliderCtrl::OnEndTrack;
};
struct P : CTqPlayerCtrl {
    using CTqPlayerCtrl::m_btnPlay, CTqPlayerCtrl::m_timeSlider, CTqPlayerCtrl::m_volumeSlider;
};

// The offset of a field, as the Itanium C++ ABI represents pointers to it.
template <class Field>
size_t Offset(Field field)
{
    size_t offset;
    std::memcpy(&offset, &field, sizeof offset);
    return offset;
}

}  // namespace

TEST(ControlInterface, NewVirtualOperationsInOrderAndFieldOffsets)
{
    EXPECT_EQ(Longs({FirstMisplaced(kFirstNew, &B::Create, &B::OnClick),
                     FirstMisplaced(kFirstNew, &T::Create, &T::OnStartTrack, &T::OnTracking, &T::OnEndTrack),
                     FirstMisplaced(kFirstNew, &P::Create, &P::OnPlay, &P::OnTimeStartTrack, &P::OnTimeTracking,
                                    &P::OnTimeEndTrack, &P::OnVolumeStartTrack, &P::OnVolumeTracking,
                                    &P::OnVolumeEndTrack),
                     FirstMisplaced(kFirstNew, &CTqCstmButtonCtrl::Create),
                     FirstMisplaced(kFirstNew, &CTqSliderCtrl::Create)}),
              Longs(5, -1));
    EXPECT_EQ(std::vector<size_t>({Offset(&P::m_btnPlay), Offset(&P::m_timeSlider), Offset(&P::m_volumeSlider)}),
              std::vector<size_t>({ByWidth(48, 24), ByWidth(136, 88), ByWidth(320, 232)}));
    EXPECT_EQ(CTqPlayerCtrl::GetClientHeight(), 24);
}

TEST(LibraryFaces, FourDistinct16x16BitmapsAtFourBitsOnMagentaInTheLibrary)
{
    const HINSTANCE library = TqGetLibraryInstance();
    ASSERT_NE(library, GetModuleHandleA(nullptr));
    std::vector<Picture> faces;
    for (int id : {kPlay, kPause, kStart, kEnd}) {
        const HRSRC found = FindResourceA(library, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
        ASSERT_NE(found, nullptr) << id;
        const auto* info =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(library, found)));
        EXPECT_EQ(Longs({info->biWidth, info->biHeight, info->biBitCount}), Longs({16, 16, 4}));
        const Picture face = Face(id);
        EXPECT_EQ(Pixels({face.At(0, 0), face.At(15, 0), face.At(0, 15), face.At(15, 15)}),
                  Pixels(4, kMagenta));
        EXPECT_LT(std::count(face.begin(), face.end(), kMagenta), 216) << id;
        for (const Picture& other : faces)
            EXPECT_NE(face, other) << id;
        faces.push_back(face);
    }
    // The test program's own 103 is another picture, so that a face loaded
    // from the program instead of the library shows.
    const tq::GdiObject<HBITMAP> own(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPlay)));
    EXPECT_NE(BitmapPicture(own), faces[0]);
}

// A window of the system's class with the text, style and id given; the
// check state as the system keeps it, the indeterminate one included.
TEST_F(ControlTest, SystemButtonCheck)
{
    CTqButtonCtrl button;
    ASSERT_EQ(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, 0, 0, 80, 20, &host, 77), 1);
    char text[32] = {};
    GetWindowTextA(button.GetHwnd(), text, sizeof text);
    EXPECT_STREQ(text, "Go");
    EXPECT_EQ(GetWindowLongA(button.GetHwnd(), GWL_STYLE) & 0xF, BS_AUTO3STATE);
    EXPECT_EQ(GetDlgCtrlID(button.GetHwnd()), 77);
    EXPECT_EQ(button.GetCheck(), 0);
    button.SetCheck(2);
    EXPECT_EQ(button.GetCheck(), 2);
    button.Destroy();
    EXPECT_EQ(CTqButtonCtrl().GetCheck(), 0);
}

// The faces of both bitmap buttons on the same button painted without faces:
// centred (the division truncating toward zero), pushed by one pixel,
// checked, missing, in another transparent colour, and disabled: greyed.
TEST_F(ControlTest, FacesOfTheBitmapAndCustomButtons)
{
    // kind 0: owner-drawn bitmap button, 1: custom, 2: custom with gradient.
    struct Case { int kind, width, height, face, checkedFace, checked, pushed, disabled, shows;
                  COLORREF transparent; };
    const COLORREF m = kMagenta;
    const Case cases[] = {
        {0, 23, 23, kPlay, 0, 0, 0, 0, kPlay, m},   {0, 23, 23, kPlay, 0, 0, 1, 0, kPlay, m},
        {0, 23, 23, kPlay, kPause, 1, 0, 0, kPause, m}, {0, 23, 23, kPlay, 0, 1, 0, 0, 0, m},
        {0, 23, 23, 4242, 0, 0, 0, 0, 0, m},         {0, 23, 23, kPlay, 0, 0, 0, 1, 0, m},
        {1, 40, 24, kPlay, 0, 0, 0, 0, kPlay, m},   {2, 40, 24, kPlay, 0, 0, 1, 0, kPlay, m},
        {2, 17, 16, kPlay, 0, 0, 0, 0, kPlay, m},   {1, 11, 11, kPlay, 0, 0, 0, 0, kPlay, m},
        {2, 32, 24, kPlay, kPause, 1, 0, 0, kPause, m}, {1, 32, 24, 0x10000, 0, 0, 0, 0, 0, m},
        {1, 32, 24, kPlay, 0, 0, 0, 1, 0, m},       {2, 32, 24, kPlay, 0, 0, 0, 0, kPlay, 0},
    };
    for (const Case& c : cases) {
        const std::ptrdiff_t row = &c - cases;
        CTqBmpButtonCtrl bmp;  // the one of them without a window only stores its settings
        Button custom;
        CTqWnd& button = c.kind ? static_cast<CTqWnd&>(custom) : bmp;
        ASSERT_EQ(c.kind ? custom.Open(host, c.width, c.height, 101, 10, 10)
                         : bmp.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 23, 23,
                                      &host, 5),
                  1);
        host.ownerDrawn = &bmp;
        host.drawItemCalls = 0;
        custom.IsGradated() = c.kind == 2;
        custom.IsFocusEnabled() = 0;
        const auto faces = [&](int face, int checkedFace, COLORREF transparent) {
            custom.SetBmpID(face, transparent);
            bmp.SetBmpID(face, transparent);
            custom.SetCheckedBmpID(checkedFace, kMagenta);
            bmp.SetCheckedBmpID(checkedFace, kMagenta);
        };
        custom.SetChecked(c.checked);
        bmp.SetChecked(c.checked);
        button.EnableWindow(!c.disabled);
        if (c.pushed)
            c.kind ? Mouse(custom.GetHwnd(), WM_LBUTTONDOWN, 1, 1)
                   : void(SendMessageA(bmp.GetHwnd(), BM_SETSTATE, TRUE, 0));
        faces(0, 0, kMagenta);
        const Picture bare = Paint(button.GetHwnd());
        const int x = (c.width - 16) / 2 + c.pushed, y = (c.height - 16) / 2 + c.pushed;
        Picture expected = WithFace(bare, c.shows ? Face(c.shows) : Picture(), x, y, c.transparent);
        if (c.disabled)
            expected = Greyed(bare, Face(kPlay), x, y);
        faces(c.face, c.checkedFace, c.transparent ? kMagenta : RGB(0, 0, 0));
        EXPECT_EQ(Paint(button.GetHwnd()), expected) << row;
        EXPECT_EQ(host.drawItemCalls > 1, c.kind == 0) << row;
        button.Destroy();
    }
    EXPECT_TRUE(host.commands.empty());
}

TEST(ButtonFacePlace, DrawBmpGivesTheUnpushedPlaceAndNothingWithoutDc)
{
    struct OpenBmp : CTqBmpButtonCtrl {
        using CTqBmpButtonCtrl::DrawBmp;
    } bmp;
    Button custom;
    const Canvas canvas(60, 60);
    bmp.SetBmpID(kEnd, kMagenta);
    custom.SetBmpID(kStart, kMagenta);
    for (HDC dc : {HDC(nullptr), canvas.Dc()}) {
        RECT placed[2] = {};
        bmp.DrawBmp(dc, {10, 20, 33, 43}, 1, 0, &placed[0]);
        custom.DrawBmp(dc, {10, 20, 33, 43}, 1, 1, &placed[1]);
        for (const RECT& r : placed)
            EXPECT_EQ(Longs({r.left, r.top, r.right, r.bottom}),
                      dc ? Longs({13, 23, 29, 39}) : Longs(4, 0));
    }
    EXPECT_EQ(bmp.DrawItem(nullptr), 0);
}

// At rest and pressed: the system's soft push-button frame over the face
// colour, or the raised and sunken edges over the gradient, which runs from
// the highlight to exactly the face colour at the middle row, then to the
// shadow. Edges outer then inner, top-left then bottom-right; every column
// alike.
TEST_F(ControlTest, CustomButtonFramesEdgesAndGradient)
{
    const int edges[4][4] = {  // plain, gradated, plain pressed, gradated pressed
        {COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW},
        {COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW},
        {COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT},
        {COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT}};
    const COLORREF face = Sys(COLOR_BTNFACE);
    for (int height : {24, 21, 7}) {
        for (int kind : {0, 1, 2, 3}) {
            const int gradated = kind & 1, last = height - 1, mid = height / 2;
            Button button;
            ASSERT_EQ(button.Open(host, 40, height), 1);
            button.SetBmpID(0, kMagenta);
            button.IsGradated() = gradated;
            button.IsFocusEnabled() = 0;
            if (kind & 2)
                Mouse(button.GetHwnd(), WM_LBUTTONDOWN, 1, 1);
            const Picture p = Paint(button.GetHwnd());
            button.Destroy();
            const int* e = edges[kind];
            EXPECT_EQ(Pixels({p.At(20, 0), p.At(0, 3), p.At(20, 1), p.At(1, 3), p.At(20, last),
                              p.At(39, 3), p.At(20, last - 1), p.At(38, 3), p.At(30, mid)}),
                      Pixels({Sys(e[0]), Sys(e[0]), Sys(e[1]), Sys(e[1]), Sys(e[2]), Sys(e[2]),
                              Sys(e[3]), Sys(e[3]), face}))
                << height << " " << kind;
            EXPECT_EQ(p.At(30, 2) != face && p.At(30, mid + 1) != face, gradated == 1) << height;
            for (int y = 2; y < height - 2; ++y) {
                EXPECT_TRUE(gradated || p.At(30, y) == face) << height << " " << y;
                EXPECT_TRUE(y == 2 || NotDarker(p.At(30, y - 1), p.At(30, y))) << height << y;
                EXPECT_EQ(p.At(2, y), p.At(37, y)) << height << " " << y;
            }
        }
    }
}

// The focus rectangle whenever the control has the focus, however it got it,
// and gone with the focus: inside the buttons' edge, on the time slider's
// outline.
TEST_F(ControlTest, FocusRectangles)
{
    const int edge = GetSystemMetrics(SM_CXEDGE);
    CTqBmpButtonCtrl bmp;
    ASSERT_EQ(bmp.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 23, 23, &host, 55), 1);
    host.ownerDrawn = &bmp;
    Button custom;
    ASSERT_EQ(custom.Open(host, 40, 24, 101, 50, 0), 1);
    custom.IsFocusEnabled() = 0;
    Slider slider;
    ASSERT_EQ(slider.Open(host, 212, 24, 0, 0, 0, 100, 0), 1);
    for (HWND control : {bmp.GetHwnd(), custom.GetHwnd(), slider.GetHwnd()}) {
        const bool edged = control != slider.GetHwnd();
        SetFocus(host.GetHwnd());
        const Picture unfocused = Paint(control);
        SetFocus(control);
        EXPECT_TRUE(FocusRectOnly(Paint(control), unfocused, edged * edge, edged ? 20 : 110));
        SetFocus(host.GetHwnd());
        EXPECT_EQ(Paint(control), unfocused);
    }
    slider.Destroy();
}

// Press, drag out and back, release: the state and capture after each step,
// the one WM_COMMAND of a completed click, sent with the capture released but
// before the button resets; the focus only when enabled; keys never click.
// The last case is real input, end to end at screen coordinates.
TEST_F(ControlTest, CustomButtonMouseSequences)
{
    Button button;
    ASSERT_EQ(button.Open(host, 40, 24, 0x12345, 20, 30), 1);
    const HWND window = button.GetHwnd();
    host.probe = [&] { return button.State(); };
    const UINT down = WM_LBUTTONDOWN, move = WM_MOUSEMOVE, up = WM_LBUTTONUP;
    struct Step { UINT msg; int x, y, state; };  // 10 * tracking + pressed afterwards
    struct Case {
        std::vector<Step> steps;
        size_t commands;
        int focusEnabled, focused;
        bool real = false;
    };
    const Case cases[] = {
        {{{down, 5, 5, 11}, {up, 5, 5, 0}}, 1, 1, 1},
        {{{down, 5, 5, 11}, {up, 5, 5, 0}}, 1, 0, 0},
        {{{down, 5, 5, 11}, {move, -3, 5, 10}, {move, 39, 23, 11}, {up, 39, 23, 0}}, 1, 1, 1},
        // The last move decides, not the release point.
        {{{down, 5, 5, 11}, {move, 5, 24, 10}, {up, 5, 5, 0}}, 0, 1, 1},
        {{{down, 5, 5, 11}, {move, 6, 6, 11}, {up, 100, -40, 0}}, 1, 1, 1},
        {{{down, 0, 0, 11}, {move, 40, 0, 10}, {move, 41, 0, 10}, {up, 41, 0, 0}}, 0, 1, 1},
        {{{down, 40, 5, 0}, {move, 5, 5, 0}, {up, 5, 5, 0}}, 0, 1, 0},
        {{{WM_KEYDOWN, VK_SPACE, 0, 0}, {WM_CHAR, VK_SPACE, 0, 0}, {WM_KEYUP, VK_SPACE, 0, 0},
          {WM_KEYDOWN, VK_RETURN, 0, 0}, {WM_KEYUP, VK_RETURN, 0, 0}}, 0, 1, 0},
        {{{down, 10, 10, 11}, {move, 80, 10, 10}, {move, 30, 20, 11}, {up, 30, 20, 0}}, 1, 1, 1,
         true},
    };
    for (const Case& c : cases) {
        const std::ptrdiff_t row = &c - cases;
        host.commands.clear();
        SetFocus(host.GetHwnd());
        button.IsFocusEnabled() = c.focusEnabled;
        for (const Step& step : c.steps) {
            if (step.msg >= WM_KEYFIRST && step.msg <= WM_KEYLAST)
                SendMessageA(window, step.msg, step.x, step.msg == WM_KEYUP ? 0xC0000001 : 1);
            else
                Mouse(window, step.msg, step.x, step.y, c.real);
            EXPECT_EQ(button.State(), step.state) << row << " " << step.x;
            EXPECT_EQ(GetCapture() == window, step.state > 0) << row << " " << step.x;
        }
        ASSERT_EQ(host.commands.size(), c.commands) << row;
        EXPECT_EQ(GetFocus() == window, c.focused == 1) << row;
        for (const Host::Command& command : host.commands) {
            // The id's low word and BN_CLICKED; no capture, still pressed.
            EXPECT_EQ(Longs({LONG_PTR(command.wParam), command.lParam, LONG_PTR(command.capture),
                             command.state}),
                      Longs({0x2345, LONG_PTR(window), 0, 11}))
                << row;
        }
    }
    EXPECT_EQ(button.GetChecked(), 0);  // a click leaves the face to the owner
}
