// The binary interface applications are compiled against (virtual slots and
// field offsets), the thin wrappers, and the progress interface.
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

struct NamedSlot {
    const char* name;
    int slot;
    int expected;
};

struct WndLayout : CTqWnd {
    static std::vector<NamedSlot> Slots()
    {
        return {
            {"Attach", Slot(&WndLayout::Attach), 2},
            {"Create", Slot(&WndLayout::Create), 3},
            {"CreateEx", Slot(&WndLayout::CreateEx), 4},
            {"MeasureItem", Slot(&WndLayout::MeasureItem), 5},
            {"DrawItem", Slot(&WndLayout::DrawItem), 6},
            {"CustomDraw", Slot(&WndLayout::CustomDraw), 7},
            {"OnMessage", Slot(&WndLayout::OnMessage), 8},
            {"PreTranslateMessage", Slot(&WndLayout::PreTranslateMessage), 9},
            {"OnCmdMsg", Slot(&WndLayout::OnCmdMsg), 10},
            {"OnCreate", Slot(&WndLayout::OnCreate), 11},
            {"OnDestroy", Slot(&WndLayout::OnDestroy), 12},
            {"OnCommand", Slot(&WndLayout::OnCommand), 13},
            {"OnHelpInfo", Slot(&WndLayout::OnHelpInfo), 14},
            {"OnNcPaint", Slot(&WndLayout::OnNcPaint), 15},
            {"OnPaint", Slot(&WndLayout::OnPaint), 16},
            {"OnEraseBkgnd", Slot(&WndLayout::OnEraseBkgnd), 17},
            {"OnNcCalcSize", Slot(&WndLayout::OnNcCalcSize), 18},
            {"OnSize", Slot(&WndLayout::OnSize), 19},
            {"OnKeyDown", Slot(&WndLayout::OnKeyDown), 20},
            {"OnTimer", Slot(&WndLayout::OnTimer), 21},
            {"OnLButtonDown", Slot(&WndLayout::OnLButtonDown), 22},
            {"OnLButtonUp", Slot(&WndLayout::OnLButtonUp), 23},
            {"OnRButtonDown", Slot(&WndLayout::OnRButtonDown), 24},
            {"OnRButtonUp", Slot(&WndLayout::OnRButtonUp), 25},
            {"OnMButtonDown", Slot(&WndLayout::OnMButtonDown), 26},
            {"OnMButtonUp", Slot(&WndLayout::OnMButtonUp), 27},
            {"OnMouseMove", Slot(&WndLayout::OnMouseMove), 28},
            {"OnMouseWheel", Slot(&WndLayout::OnMouseWheel), 29},
            {"OnNcActivate", Slot(&WndLayout::OnNcActivate), 30},
            {"OnActivate", Slot(&WndLayout::OnActivate), 31},
            {"OnHScroll", Slot(&WndLayout::OnHScroll), 32},
            {"OnMeasureItem", Slot(&WndLayout::OnMeasureItem), 33},
            {"OnDrawItem", Slot(&WndLayout::OnDrawItem), 34},
            {"OnNotify", Slot(&WndLayout::OnNotify), 35},
            {"OnSetCursor", Slot(&WndLayout::OnSetCursor), 36},
            {"OnSetFocus", Slot(&WndLayout::OnSetFocus), 37},
            {"OnKillFocus", Slot(&WndLayout::OnKillFocus), 38},
            {"OnInitMenuPopup", Slot(&WndLayout::OnInitMenuPopup), 39},
            {"OnDropFiles", Slot(&WndLayout::OnDropFiles), 40},
        };
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

// Records every call, to show each operation lands in its own override.
class ProgressLog : public CTqBaseProgressWnd {
public:
    std::vector<std::string> calls;
    void TqShow(int show) override { calls.push_back(Call("TqShow", show)); }
    void TqDoModal() override { calls.push_back("TqDoModal()"); }
    void TqSetTitle(const char* title) override { calls.push_back(std::string("Title ") + title); }
    void TqSetText(const char* text) override { calls.push_back(std::string("Text ") + text); }
    void TqSetRange(int min, int max) override { calls.push_back(Call("TqSetRange", min, max)); }
    void TqSetPos(int pos) override { calls.push_back(Call("TqSetPos", pos)); }
    void TqPeekAndPump() override { calls.push_back("TqPeekAndPump()"); }
    int TqIsCancelled() override { return 1; }
};

void Report(CTqBaseProgressWnd& progress)
{
    progress.TqSetTitle("Work");
    progress.TqSetText("step");
    progress.TqSetRange(-1, 100);
    progress.TqSetPos(50);
    progress.TqShow(1);
    progress.TqPeekAndPump();
    progress.TqDoModal();
}

}  // namespace

TEST(WndInterface, VirtualOperationsKeepTheirSlots)
{
    for (const NamedSlot& entry : WndLayout::Slots())
        EXPECT_EQ(entry.slot, entry.expected) << entry.name;

    const NamedSlot progressSlots[] = {
        {"TqShow", Slot(&CTqBaseProgressWnd::TqShow), 2},
        {"TqDoModal", Slot(&CTqBaseProgressWnd::TqDoModal), 3},
        {"TqSetTitle", Slot(&CTqBaseProgressWnd::TqSetTitle), 4},
        {"TqSetText", Slot(&CTqBaseProgressWnd::TqSetText), 5},
        {"TqSetRange", Slot(&CTqBaseProgressWnd::TqSetRange), 6},
        {"TqSetPos", Slot(&CTqBaseProgressWnd::TqSetPos), 7},
        {"TqPeekAndPump", Slot(&CTqBaseProgressWnd::TqPeekAndPump), 8},
        {"TqIsCancelled", Slot(&CTqBaseProgressWnd::TqIsCancelled), 9},
    };
    for (const NamedSlot& entry : progressSlots)
        EXPECT_EQ(entry.slot, entry.expected) << entry.name;
}

TEST(WndInterface, FieldsFollowTheVtablePointerInOrder)
{
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

    const RECT target = {12, 15, 62, 45};
    RECT before;
    wnd.GetWindowRect(&before);
    EXPECT_EQ(wnd.MoveWindow(nullptr, 1), 0);
    RECT after;
    wnd.GetWindowRect(&after);
    EXPECT_TRUE(EqualRect(&before, &after));

    ASSERT_EQ(wnd.MoveWindow(&target, 1), 1);
    RECT moved;
    wnd.GetWindowRect(&moved);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&moved), 2);
    EXPECT_TRUE(EqualRect(&moved, &target));

    const RECT original = {1, 2, 30, 40};
    RECT rect = original;
    POINT topLeft = {1, 2};
    POINT bottomRight = {30, 40};
    ClientToScreen(child, &topLeft);
    ClientToScreen(child, &bottomRight);
    ASSERT_EQ(wnd.ClientToScreen(&rect), 1);
    EXPECT_EQ(rect.left, topLeft.x);
    EXPECT_EQ(rect.top, topLeft.y);
    EXPECT_EQ(rect.right, bottomRight.x);
    EXPECT_EQ(rect.bottom, bottomRight.y);
    ASSERT_EQ(wnd.ScreenToClient(&rect), 1);
    EXPECT_TRUE(EqualRect(&rect, &original));
    EXPECT_EQ(wnd.ClientToScreen(static_cast<RECT*>(nullptr)), 0);

    DestroyWindow(child);
    RECT untouched = {1, 2, 3, 4};
    EXPECT_EQ(wnd.ClientToScreen(&untouched), 0);
    EXPECT_EQ(wnd.ScreenToClient(&untouched), 0);
    EXPECT_EQ(untouched.left + untouched.top + untouched.right + untouched.bottom, 10);
}

TEST(WndInterface, StateWrappersDriveTheWindow)
{
    CTqWnd wnd;
    ASSERT_EQ(wnd.Create(RecorderClass(), "Wrapped", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                         0),
              1);
    EXPECT_EQ(wnd.IsWindowVisible(), 0);
    wnd.ShowWindow(SW_SHOW);
    EXPECT_EQ(wnd.IsWindowVisible(), 1);
    wnd.EnableWindow(0);
    EXPECT_EQ(wnd.IsWindowEnabled(), 0);
    wnd.EnableWindow(1);
    EXPECT_EQ(wnd.SendMessageA(WM_GETTEXTLENGTH, 0, 0), 7);
    EXPECT_EQ(wnd.PostMessageA(WM_NULL, 0, 0), 1);
    EXPECT_EQ(wnd.SetWindowPos(nullptr, 5, 6, 150, 80, SWP_NOZORDER), 1);
    RECT client;
    ASSERT_EQ(wnd.GetClientRect(&client), 1);
    EXPECT_LT(client.right, 150);
    PumpMessages();
    wnd.Destroy();
}

TEST(WndInterface, PlainProgressReportsIntoNothing)
{
    CTqBaseProgressWnd plain;
    Report(plain);
    EXPECT_EQ(plain.TqIsCancelled(), 0);

    ProgressLog log;
    CTqBaseProgressWnd& progress = log;
    Report(progress);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"Title Work", "Text step", "TqSetRange(-1,100)",
                                                   "TqSetPos(50)", "TqShow(1)", "TqPeekAndPump()",
                                                   "TqDoModal()"}));
    EXPECT_EQ(progress.TqIsCancelled(), 1);
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
