// The binary interface applications are compiled against (virtual slots and
// field offsets), copies, rectangle wrappers, the progress interface and the
// registration of control classes.
#include <gtest/gtest.h>

#include <cstring>

#include "Recorder.h"
#include "TestWindow.h"

namespace {

// The vtable slot of a virtual member function, read from the pointer to
// member as the Itanium C++ ABI of this compiler lays it out: 1 plus the
// byte offset of the slot. Slots 0 and 1 hold the two destructors.
template <class MemberFunction>
int Slot(MemberFunction function)
{
    struct Representation {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof function == sizeof representation, "Itanium pointer to member");
    std::memcpy(&representation, &function, sizeof representation);
    return static_cast<int>((representation.pointer - 1) / sizeof(void*));
}

// The virtual operations of CTqWnd after the destructor, in declaration
// order, and its fields' offsets.
struct WndLayout : CTqWnd {
    using L = WndLayout;
    static std::vector<int> Slots()
    {
        return {Slot(&L::Attach), Slot(&L::Create), Slot(&L::CreateEx), Slot(&L::MeasureItem),
                Slot(&L::DrawItem), Slot(&L::CustomDraw), Slot(&L::OnMessage),
                Slot(&L::PreTranslateMessage), Slot(&L::OnCmdMsg), Slot(&L::OnCreate),
                Slot(&L::OnDestroy), Slot(&L::OnCommand), Slot(&L::OnHelpInfo),
                Slot(&L::OnNcPaint), Slot(&L::OnPaint), Slot(&L::OnEraseBkgnd),
                Slot(&L::OnNcCalcSize), Slot(&L::OnSize), Slot(&L::OnKeyDown), Slot(&L::OnTimer),
                Slot(&L::OnLButtonDown), Slot(&L::OnLButtonUp), Slot(&L::OnRButtonDown),
                Slot(&L::OnRButtonUp), Slot(&L::OnMButtonDown), Slot(&L::OnMButtonUp),
                Slot(&L::OnMouseMove), Slot(&L::OnMouseWheel), Slot(&L::OnNcActivate),
                Slot(&L::OnActivate), Slot(&L::OnHScroll), Slot(&L::OnMeasureItem),
                Slot(&L::OnDrawItem), Slot(&L::OnNotify), Slot(&L::OnSetCursor),
                Slot(&L::OnSetFocus), Slot(&L::OnKillFocus), Slot(&L::OnInitMenuPopup),
                Slot(&L::OnDropFiles)};
    }
    std::vector<std::ptrdiff_t> FieldOffsets() const
    {
        const auto offset = [this](const void* field) {
            return static_cast<const char*>(field) -
                   reinterpret_cast<const char*>(static_cast<const CTqWnd*>(this));
        };
        return {offset(&m_hWnd), offset(&m_hMenu), offset(&m_hAccel), offset(&m_bAttached),
                offset(&m_pCmdWnd)};
    }
};

// From slot 2 on, one slot per operation in declaration order.
std::vector<int> SlotsFromTwo(size_t count)
{
    std::vector<int> slots(count);
    for (size_t i = 0; i < count; ++i)
        slots[i] = static_cast<int>(i) + 2;
    return slots;
}

}  // namespace

TEST(WndInterface, VirtualOperationsAndFieldsKeepTheirPlaces)
{
    EXPECT_EQ(WndLayout::Slots(), SlotsFromTwo(39));
    using P = CTqBaseProgressWnd;
    const std::vector<int> progress = {Slot(&P::TqShow), Slot(&P::TqDoModal),
                                       Slot(&P::TqSetTitle), Slot(&P::TqSetText),
                                       Slot(&P::TqSetRange), Slot(&P::TqSetPos),
                                       Slot(&P::TqPeekAndPump), Slot(&P::TqIsCancelled)};
    EXPECT_EQ(progress, SlotsFromTwo(8));

    EXPECT_EQ(WndLayout().FieldOffsets(), (std::vector<std::ptrdiff_t>{4, 8, 12, 16, 20}));
    EXPECT_EQ(sizeof(CTqWnd), 24u);
    EXPECT_EQ(sizeof(CTqBaseProgressWnd), sizeof(void*));
    EXPECT_EQ(sizeof(CTqWaitCursor), sizeof(void*));
}

TEST(WndInterface, CopiesShareTheHandleButNotTheBinding)
{
    Recorder wnd;
    ASSERT_EQ(wnd.CreateTop(), 1);
    {
        const Recorder copy(wnd);
        EXPECT_EQ(copy.GetHwnd(), wnd.GetHwnd());
        EXPECT_EQ(Recorder::MappedObject(wnd.GetHwnd()), &wnd);
    }
    EXPECT_EQ(Recorder::MappedObject(wnd.GetHwnd()), &wnd);
    wnd.Destroy();
}

TEST(WndInterface, RectangleWrappersConvertBothCornersOrFail)
{
    TestWindow parent(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TestWindow child(WS_CHILD | WS_VISIBLE, parent);
    CTqWnd wnd;
    ASSERT_EQ(wnd.Attach(child), 1);

    RECT before, after;
    wnd.GetWindowRect(&before);
    EXPECT_EQ(wnd.MoveWindow(nullptr, 1), 0);
    wnd.GetWindowRect(&after);
    EXPECT_TRUE(EqualRect(&before, &after));
    const RECT target = {12, 15, 62, 45};
    ASSERT_EQ(wnd.MoveWindow(&target, 1), 1);
    wnd.GetWindowRect(&after);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&after), 2);
    EXPECT_TRUE(EqualRect(&after, &target));

    const RECT original = {1, 2, 30, 40};
    RECT rect = original;
    POINT corners[2] = {{1, 2}, {30, 40}};
    MapWindowPoints(child, nullptr, corners, 2);
    ASSERT_EQ(wnd.ClientToScreen(&rect), 1);
    const RECT expected = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    EXPECT_TRUE(EqualRect(&rect, &expected));
    ASSERT_EQ(wnd.ScreenToClient(&rect), 1);
    EXPECT_TRUE(EqualRect(&rect, &original));
    EXPECT_EQ(wnd.ClientToScreen(static_cast<RECT*>(nullptr)), 0);

    DestroyWindow(child);
    EXPECT_EQ(wnd.ClientToScreen(&rect), 0);
    EXPECT_EQ(wnd.ScreenToClient(&rect), 0);
    EXPECT_TRUE(EqualRect(&rect, &original));
}

TEST(WndInterface, PlainProgressReportsIntoNothingAndIsNeverCancelled)
{
    CTqBaseProgressWnd plain;
    plain.TqSetTitle("Work");
    plain.TqSetText("step");
    plain.TqSetRange(-1, 100);
    plain.TqSetPos(50);
    plain.TqShow(1);
    plain.TqPeekAndPump();
    plain.TqDoModal();
    EXPECT_EQ(plain.TqIsCancelled(), 0);
    CTqBaseProgressWnd copy(plain);
    copy = plain;
    EXPECT_EQ(copy.TqIsCancelled(), 0);
}

TEST(WndInterface, ControlClassIsRegisteredOnceAndRetriedAfterAFailure)
{
    const HINSTANCE application = GetModuleHandleA(nullptr);
    const char kName[] = "TqTestControlClass";
    WNDCLASSA squatter = {};
    squatter.lpfnWndProc = DefWindowProcA;
    squatter.hInstance = application;
    squatter.lpszClassName = kName;
    ASSERT_TRUE(RegisterClassA(&squatter));

    tq::WndClass control(kName);
    EXPECT_EQ(control.Register(), 0);
    UnregisterClassA(kName, application);
    ASSERT_EQ(control.Register(), 1);

    WNDCLASSEXA registered = {};
    registered.cbSize = sizeof registered;
    ASSERT_TRUE(GetClassInfoExA(application, kName, &registered));
    EXPECT_EQ(registered.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(registered.lpfnWndProc, &CTqWnd::WndProc);
    EXPECT_EQ(registered.cbClsExtra + registered.cbWndExtra, 0);
    EXPECT_EQ(registered.hIcon, nullptr);
    EXPECT_EQ(registered.hCursor, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    EXPECT_EQ(registered.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    EXPECT_EQ(registered.lpszMenuName, nullptr);

    // Registered once: later calls do not register again.
    UnregisterClassA(kName, application);
    EXPECT_EQ(control.Register(), 1);
    EXPECT_FALSE(GetClassInfoExA(application, kName, &registered));
}
