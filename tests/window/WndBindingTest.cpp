// Binding windows to objects: Create, Attach, Destroy, the handle map as the
// window procedure and PreTranslateProc see it, and windows or objects that
// go away first.
#include <iterator>
#include <new>

#include "Recorder.h"

TEST(WndBinding, CreateBindsBeforeOnCreateAndDestructionUnbinds)
{
    Recorder wnd;
    const HMENU menu = CreateMenu();
    ASSERT_EQ(wnd.CreateTop("Bound", menu), 1);
    const HWND first = wnd.GetHwnd();
    EXPECT_EQ(wnd.handleInOnCreate, first);
    EXPECT_EQ(wnd.mappedInOnCreate, &wnd);
    EXPECT_EQ(wnd.Menu(), menu);
    { const Recorder copy(wnd); }  // a copy shares the handle, not the binding
    EXPECT_EQ(Recorder::MappedObject(first), &wnd);

    ASSERT_EQ(wnd.CreateTop(), 1);  // destroys the first window
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(Recorder::MappedObject(first), nullptr);
    const HWND second = wnd.GetHwnd();
    EXPECT_EQ(SendMessageA(second, WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(wnd.Count("OnDestroy"), 2);
    EXPECT_EQ(wnd.GetHwnd(), nullptr);
    EXPECT_EQ(wnd.Menu(), nullptr);
    EXPECT_EQ(Recorder::MappedObject(second), nullptr);

    // Attached over a handle bound to another object, which is told nothing
    // more and finds its window gone.
    Recorder taker;
    ASSERT_EQ(wnd.CreateTop(), 1);
    const HWND third = wnd.GetHwnd();
    ASSERT_EQ(taker.Attach(third), 1);
    wnd.calls.clear();
    SendMessageA(third, WM_TIMER, 4, 0);
    DestroyWindow(third);
    EXPECT_EQ(taker.calls.front(), "OnTimer 4");
    EXPECT_EQ(taker.Count("OnDestroy"), 1);
    EXPECT_EQ(taker.GetHwnd(), nullptr);
    EXPECT_TRUE(wnd.calls.empty());
    EXPECT_EQ(wnd.Destroy(), 1);

    wnd.answer = -1;  // from OnCreate: creation fails and leaves no entry
    EXPECT_EQ(wnd.CreateTop(), 0);
    EXPECT_NE(wnd.handleInOnCreate, third);
    EXPECT_EQ(wnd.GetHwnd(), nullptr);
    EXPECT_FALSE(IsWindow(wnd.handleInOnCreate));
    EXPECT_EQ(Recorder::MappedObject(wnd.handleInOnCreate), nullptr);
}

TEST(WndBinding, WindowsWithoutEntryGetTheDefaultUntilAttached)
{
    HWND unbound[2];
    for (HWND& hWnd : unbound)  // no creation parameter
        hWnd = CreateWindowExA(0, RecorderClass(), "Unbound", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    const HWND first = unbound[0], second = unbound[1];
    EXPECT_EQ(Recorder::MappedObject(first), nullptr);
    EXPECT_EQ(CTqWnd::WndProc(first, WM_GETTEXTLENGTH, 0, 0), 7);
    MSG threadMessage = {};
    EXPECT_EQ(CTqWnd::PreTranslateProc(&threadMessage), 0);
    EXPECT_EQ(CTqWnd::PreTranslateProc(nullptr), 0);

    Recorder wnd;
    EXPECT_EQ(wnd.Attach(nullptr), 0);
    ASSERT_EQ(wnd.Attach(first), 1);
    SendMessageA(first, WM_TIMER, 3, 0);
    // A WM_CREATE without CREATESTRUCT changes nothing.
    EXPECT_EQ(SendMessageA(first, WM_CREATE, 0, 0), DefWindowProcA(first, WM_CREATE, 0, 0));
    EXPECT_EQ(wnd.calls, std::vector<std::string>{"OnTimer 3"});
    EXPECT_EQ(Recorder::MappedObject(first), &wnd);

    // Attaching another window leaves the first alive but unbound; so does
    // Create, which keeps the attached flag, so that Destroy leaves its window.
    ASSERT_EQ(wnd.Attach(second), 1);
    EXPECT_EQ(Recorder::MappedObject(first), nullptr);
    ASSERT_EQ(wnd.CreateTop(), 1);
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(Recorder::MappedObject(second), nullptr);
    EXPECT_EQ(wnd.Destroy(), 1);
    ASSERT_EQ(wnd.IsWindow(), 1);
    DestroyWindow(wnd.GetHwnd());
    // Its destruction cleared the flag: Destroy destroys again.
    ASSERT_EQ(wnd.CreateTop(), 1);
    const HWND created = wnd.GetHwnd();
    EXPECT_EQ(wnd.Destroy(), 1);
    EXPECT_FALSE(IsWindow(created));

    DestroyWindow(first);
    DestroyWindow(second);
    EXPECT_EQ(wnd.Count("OnDestroy"), 2);  // none for the unbound windows
    EXPECT_EQ(CTqWnd::WndProc(first, WM_USER, 1, 2), 0);
}

TEST(WndBinding, WindowOrObjectEndingInsideAHandlerIsUnboundOnce)
{
    Recorder wnd;
    ASSERT_EQ(wnd.CreateTop(), 1);
    HWND hWnd = wnd.GetHwnd();
    wnd.after = [](Recorder& self, const std::string& call) {
        if (call == "OnTimer 1") {
            EXPECT_EQ(self.Destroy(), 1);
        }
    };
    EXPECT_EQ(SendMessageA(hWnd, WM_TIMER, 1, 0), 0);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(wnd.Count("OnDestroy"), 1);
    EXPECT_EQ(wnd.GetHwnd(), nullptr);

    // Objects ended in their own OnDestroy, or while their window lives on, in
    // storage filled with a pattern then, to show that nothing writes to it.
    alignas(Recorder) unsigned char grave[sizeof(Recorder)];
    const auto bury = [&grave](Recorder* doomed) {
        doomed->~Recorder();
        std::fill(std::begin(grave), std::end(grave), 0xA5);
    };
    const auto untouched = [&grave] {
        return std::all_of(std::begin(grave), std::end(grave), [](auto b) { return b == 0xA5; });
    };
    Recorder* doomed = new (grave) Recorder;
    ASSERT_EQ(doomed->CreateTop(), 1);
    hWnd = doomed->GetHwnd();
    doomed->after = [&bury](Recorder& self, const std::string& call) {
        if (call == "OnDestroy")
            bury(&self);
    };
    DestroyWindow(hWnd);
    EXPECT_TRUE(untouched());
    EXPECT_EQ(Recorder::MappedObject(hWnd), nullptr);

    doomed = new (grave) Recorder;
    ASSERT_EQ(doomed->CreateTop("Orphan"), 1);
    hWnd = doomed->GetHwnd();
    bury(doomed);
    EXPECT_EQ(Recorder::MappedObject(hWnd), nullptr);
    EXPECT_EQ(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0), 6);
    DestroyWindow(hWnd);
    EXPECT_TRUE(untouched());
}

TEST(WndBinding, ChildrenOfBoundAndPlainParents)
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    Recorder parent, bound;
    CTqWnd button;  // a system class: wrapped, never bound
    ASSERT_EQ(parent.CreateTop(), 1);
    ASSERT_EQ(bound.Create(RecorderClass(), "Child", child, 5, 5, 100, 50, &parent, 7), 1);
    ASSERT_EQ(button.Create("BUTTON", "B", child, 0, 0, 40, 20, &parent, 9), 1);
    EXPECT_EQ(bound.GetParent(), &parent);
    EXPECT_EQ(parent.GetParent(), nullptr);  // the desktop has no object
    EXPECT_EQ(Recorder::MappedObject(button.GetHwnd()), nullptr);

    DestroyWindow(parent.GetHwnd());
    EXPECT_EQ(button.IsWindow(), 0);
    // The button can be made again although its old handle went away unnoticed.
    ASSERT_EQ(parent.CreateTop(), 1);
    EXPECT_EQ(button.Create("BUTTON", "B", child, 0, 0, 40, 20, &parent, 9), 1);
    EXPECT_EQ(button.Destroy(), 1);
    EXPECT_EQ(button.GetHwnd(), nullptr);
    parent.Destroy();

    TestWindow plainParent(WS_OVERLAPPEDWINDOW), plainChild(child, plainParent);
    CTqWnd orphan;
    ASSERT_EQ(orphan.Attach(plainChild), 1);
    EXPECT_EQ(orphan.GetParent(), nullptr);
    EXPECT_EQ(CTqWnd().GetParent(), nullptr);
}
