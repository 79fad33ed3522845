// The system button wrapper, the owner-drawn bitmap button, the buttons'
// binary interface, and the library's four faces as the DLL carries them.
#include <gtest/gtest.h>

#include <algorithm>

#include "ButtonTestSupport.h"

using namespace buttontest;
using slidertest::Canvas;
using slidertest::Slot;
using slidertest::SysPixel;

namespace {

struct ButtonSlots : CTqButtonCtrl {
    static std::vector<int> NewSlots()
    {
        return {Slot(&ButtonSlots::Create), Slot(&ButtonSlots::OnClick)};
    }
};
struct BmpButtonFields : CTqBmpButtonCtrl {
    static int DrawItemSlot() { return Slot(&BmpButtonFields::DrawItem); }
    std::vector<std::ptrdiff_t> Offsets() const
    {
        const auto offset = [this](const void* field) {
            return static_cast<const char*>(field) -
                   reinterpret_cast<const char*>(static_cast<const CTqWnd*>(this));
        };
        return {offset(&m_bChecked), offset(&m_nBmpID), offset(&m_crBmp),
                offset(&m_nCheckedBmpID), offset(&m_crCheckedBmp)};
    }
    void Face(HDC dc, const RECT& rect, int pushed, RECT* placed)
    {
        DrawBmp(dc, rect, pushed, 0, placed);
    }
};
struct CstmButtonFields : CTqCstmButtonCtrl {
    using C = CstmButtonFields;
    static std::vector<int> OverriddenSlots()
    {
        return {Slot(&C::OnPaint),     Slot(&C::OnEraseBkgnd), Slot(&C::OnSize),
                Slot(&C::OnLButtonDown), Slot(&C::OnLButtonUp), Slot(&C::OnMouseMove),
                Slot(&C::OnSetFocus),  Slot(&C::OnKillFocus)};
    }
    std::vector<std::ptrdiff_t> Offsets() const
    {
        const auto offset = [this](const void* field) {
            return static_cast<const char*>(field) -
                   reinterpret_cast<const char*>(static_cast<const CTqWnd*>(this));
        };
        return {offset(&m_bFocusEnabled), offset(&m_bGradated),     offset(&m_bChecked),
                offset(&m_nBmpID),        offset(&m_crBmp),         offset(&m_nCheckedBmpID),
                offset(&m_crCheckedBmp),  offset(&m_bTracking),     offset(&m_bPressed)};
    }
};
struct WndSlots : CTqWnd {
    using W = WndSlots;
    static std::vector<int> Handlers()
    {
        return {Slot(&W::OnPaint),     Slot(&W::OnEraseBkgnd), Slot(&W::OnSize),
                Slot(&W::OnLButtonDown), Slot(&W::OnLButtonUp), Slot(&W::OnMouseMove),
                Slot(&W::OnSetFocus),  Slot(&W::OnKillFocus)};
    }
    static int DrawItemSlot() { return Slot(&W::DrawItem); }
};

class Buttons : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(host.CreateTop(), 1);
        SetFocus(host.GetHwnd());
    }
    void TearDown() override { host.Destroy(); }

    // A 23 x 23 owner-drawn button at (10, 10) showing the play face, drawn
    // through the host.
    void CreateBmpButton(CTqBmpButtonCtrl& button)
    {
        ASSERT_EQ(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 23, 23, &host,
                                55),
                  1);
        button.SetBmpID(kPlayFace, kMagenta);
        host.ownerDrawn = &button;
    }
    static Picture Paint(CTqWnd& button)
    {
        button.InvalidateRect(nullptr, TRUE);
        button.UpdateWindow();
        return slidertest::CaptureClient(button.GetHwnd());
    }
    static Picture Frame(int pressed)
    {
        Canvas frame(23, 23);
        RECT all = {0, 0, 23, 23};
        DrawFrameControl(frame.Dc(), &all, DFC_BUTTON,
                         DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        return frame.Read();
    }

    ButtonHost host;
};

}  // namespace

TEST(ButtonInterface, VirtualOperationsAndFieldsKeepTheirPlaces)
{
    const int first = slidertest::kFirstSlotAfterWnd;
    EXPECT_EQ(ButtonSlots::NewSlots(), (std::vector<int>{first, first + 1}));
    EXPECT_EQ(sizeof(CTqButtonCtrl), sizeof(CTqWnd));
    EXPECT_EQ(BmpButtonFields::DrawItemSlot(), WndSlots::DrawItemSlot());
    EXPECT_EQ(BmpButtonFields().Offsets(), (std::vector<std::ptrdiff_t>{24, 28, 32, 36, 40}));
    EXPECT_EQ(sizeof(CTqBmpButtonCtrl), 44u);

    EXPECT_EQ(Slot(&CstmButtonFields::Create), first);
    EXPECT_EQ(CstmButtonFields::OverriddenSlots(), WndSlots::Handlers());
    EXPECT_EQ(CstmButtonFields().Offsets(),
              (std::vector<std::ptrdiff_t>{24, 28, 32, 36, 40, 44, 48, 52, 56}));
    EXPECT_EQ(sizeof(CTqCstmButtonCtrl), 60u);
}

TEST(LibraryFaces, FourBitmapsOf16x16AtFourBitsOnMagenta)
{
    const HINSTANCE library = TqGetLibraryInstance();
    ASSERT_NE(library, nullptr);
    ASSERT_NE(library, GetModuleHandleA(nullptr));
    for (int id : {kPlayFace, kPauseFace, kStartFace, kEndFace}) {
        const HRSRC found = FindResourceA(library, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
        ASSERT_NE(found, nullptr) << id;
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(library, found)));
        ASSERT_NE(header, nullptr) << id;
        EXPECT_EQ(header->biWidth, 16) << id;
        EXPECT_EQ(header->biHeight, 16) << id;
        EXPECT_EQ(header->biBitCount, 4) << id;
        const Picture face = BitmapPicture(LoadFace(id));
        const std::uint32_t magenta = slidertest::Pixel(kMagenta);
        for (POINT corner : {POINT{0, 0}, POINT{15, 0}, POINT{0, 15}, POINT{15, 15}})
            EXPECT_EQ(face.At(corner.x, corner.y), magenta) << id;
        const auto opaque = 256 - std::count(face.pixels.begin(), face.pixels.end(), magenta);
        EXPECT_GT(opaque, 40) << id;
    }
    std::vector<Picture> faces;
    for (int id : {kPlayFace, kPauseFace, kStartFace, kEndFace})
        faces.push_back(BitmapPicture(LoadFace(id)));
    for (size_t i = 0; i < faces.size(); ++i) {
        for (size_t j = i + 1; j < faces.size(); ++j)
            EXPECT_FALSE(faces[i] == faces[j]) << i << " " << j;
    }
}

TEST_F(Buttons, SystemButtonsAndTheirCheckState)
{
    struct Case {
        unsigned long style;
        int set, read;
    };
    const Case cases[] = {{BS_AUTOCHECKBOX, 1, 1}, {BS_AUTOCHECKBOX, 0, 0},
                          {BS_AUTO3STATE, 2, 2},   {BS_AUTORADIOBUTTON, 1, 1},
                          {BS_PUSHBUTTON, 1, 0}};
    for (const Case& c : cases) {
        CTqButtonCtrl button;
        ASSERT_EQ(button.Create("Check", WS_CHILD | WS_VISIBLE | c.style, 0, 0, 80, 20, &host, 9),
                  1);
        char name[32] = {}, text[32] = {};
        GetClassNameA(button.GetHwnd(), name, sizeof name);
        GetWindowTextA(button.GetHwnd(), text, sizeof text);
        EXPECT_STREQ(name, "Button");
        EXPECT_STREQ(text, "Check");
        EXPECT_EQ(static_cast<unsigned long>(GetWindowLongA(button.GetHwnd(), GWL_STYLE)) & 0xF,
                  c.style);
        EXPECT_EQ(button.GetCheck(), 0);
        button.SetCheck(c.set);
        EXPECT_EQ(button.GetCheck(), c.read) << c.style;
        button.Destroy();
    }
    const CTqButtonCtrl none;
    EXPECT_EQ(none.GetCheck(), 0);
}

TEST_F(Buttons, ASystemClickReachesTheParentAsBnClicked)
{
    CTqButtonCtrl button;
    ASSERT_EQ(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80, 20, &host, 77),
              1);
    SendMessageA(button.GetHwnd(), BM_CLICK, 0, 0);
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0].wParam, MAKEWPARAM(77, BN_CLICKED));
    EXPECT_EQ(reinterpret_cast<HWND>(host.commands[0].lParam), button.GetHwnd());
}

TEST_F(Buttons, BitmapButtonFaceCentredPushedAndFocused)
{
    CTqBmpButtonCtrl button;
    CreateBmpButton(button);
    const Picture play = BitmapPicture(LoadFace(kPlayFace));
    // A 16 x 16 face in a 23 x 23 item: at (3, 3), at (4, 4) while pressed.
    EXPECT_TRUE(Difference(Paint(button), Frame(0)) == Placed(play, 3, 3, 23, 23));
    SendMessageA(button.GetHwnd(), BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(Difference(Paint(button), Frame(1)) == Placed(play, 4, 4, 23, 23));
    SendMessageA(button.GetHwnd(), BM_SETSTATE, FALSE, 0);
    EXPECT_GT(host.drawItemCalls, 1);

    // The application's own resource 103 is another picture.
    const Picture foreign = BitmapPicture(LoadFace(kPlayFace, GetModuleHandleA(nullptr)));
    ASSERT_EQ(foreign.width, 16);
    EXPECT_FALSE(foreign == play);

    const Picture unfocused = Paint(button);
    SetFocus(button.GetHwnd());
    const Picture focused = Paint(button);
    const int cx = GetSystemMetrics(SM_CXEDGE), cy = GetSystemMetrics(SM_CYEDGE);
    int changed = 0, outside = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 23; ++x) {
            if (focused.At(x, y) == unfocused.At(x, y))
                continue;
            ++changed;
            const bool onRectangle = ((x == cx || x == 22 - cx) && y >= cy && y <= 22 - cy) ||
                                     ((y == cy || y == 22 - cy) && x >= cx && x <= 22 - cx);
            outside += !onRectangle;
        }
    }
    EXPECT_GT(changed, 20);
    EXPECT_EQ(outside, 0);
}

TEST_F(Buttons, BitmapButtonCheckedDisabledAndMissingFaces)
{
    CTqBmpButtonCtrl button;
    CreateBmpButton(button);
    const Picture pause = BitmapPicture(LoadFace(kPauseFace));
    button.SetCheckedBmpID(kPauseFace, kMagenta);
    button.SetChecked(1);
    EXPECT_EQ(button.GetChecked(), 1);
    EXPECT_TRUE(Difference(Paint(button), Frame(0)) == Placed(pause, 3, 3, 23, 23));
    SendMessageA(button.GetHwnd(), BM_CLICK, 0, 0);  // a click leaves the flag alone
    EXPECT_EQ(button.GetChecked(), 1);
    SetFocus(host.GetHwnd());
    button.SetCheckedBmpID(0, kMagenta);
    EXPECT_TRUE(Paint(button) == Frame(0));  // checked without a checked face: frame only
    button.SetChecked(0);
    button.SetBmpID(4242, kMagenta);
    EXPECT_TRUE(Paint(button) == Frame(0));

    // Disabled: the face greyed by the platform's own conversion.
    button.SetBmpID(kPlayFace, kMagenta);
    button.EnableWindow(0);
    Canvas expected(23, 23);
    DrawPicture(expected.Dc(), Frame(0));
    const tq::GdiObject<HBITMAP> face(LoadFace(kPlayFace));
    TqDisabledBlt(expected.Dc(), 3, 3, 16, 16, face, 0, 0);
    EXPECT_TRUE(Paint(button) == expected.Read());
}

TEST_F(Buttons, BitmapButtonWithoutWindowOrForwardingParent)
{
    CTqBmpButtonCtrl button;
    button.SetChecked(1);  // no window: stored, nothing invalidated
    button.SetBmpID(kPlayFace, kMagenta);
    EXPECT_EQ(button.GetChecked(), 1);
    EXPECT_EQ(button.DrawItem(nullptr), 0);

    BmpButtonFields probe;
    probe.SetBmpID(kStartFace, kMagenta);
    Canvas canvas(23, 23);
    RECT placed = {};
    probe.Face(nullptr, {0, 0, 23, 23}, 0, &placed);  // no DC: nothing, not even the place
    EXPECT_EQ(placed.right, 0);
    probe.Face(canvas.Dc(), {10, 20, 33, 43}, 1, &placed);
    EXPECT_EQ(placed.left, 13);
    EXPECT_EQ(placed.top, 23);
    EXPECT_EQ(placed.right, 29);
    EXPECT_EQ(placed.bottom, 39);

    // A parent that does not forward WM_DRAWITEM: the button draws nothing,
    // and nothing breaks.
    ASSERT_EQ(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 23, 23, &host, 56), 1);
    Paint(button);
    SendMessageA(button.GetHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(host.drawItemCalls, 0);
    EXPECT_EQ(host.commands.size(), 1u);
}

TEST_F(Buttons, CstmButtonClassRegisteredOnceWithItsValues)
{
    CTqCstmButtonCtrl first, second;
    ASSERT_EQ(first.Create("ignored", WS_CHILD | WS_VISIBLE, 0, 0, 30, 30, &host, 1), 1);
    ASSERT_EQ(second.Create("", WS_CHILD | WS_VISIBLE, 40, 0, 30, 30, &host, 2), 1);
    char text[16] = "x";
    EXPECT_EQ(GetWindowTextA(first.GetHwnd(), text, sizeof text), 0);
    WNDCLASSEXA description = {};
    description.cbSize = sizeof description;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "TqCstmButtonCtrl", &description));
    EXPECT_EQ(description.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(description.lpfnWndProc, &CTqWnd::WndProc);
    EXPECT_EQ(description.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    EXPECT_EQ(description.hCursor, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(description.cbWndExtra, 0);
}
