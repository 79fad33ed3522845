// Binding windows to objects: Create, Attach, Destroy, the handle map as the
// window procedure and PreTranslateProc see it, and windows or objects that
// go away first.
#include <gtest/gtest.h>

#include "Recorder.h"
#include "TestWindow.h"

namespace {

const DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
const DWORD kChild = WS_CHILD | WS_VISIBLE;

// A window of the recorder class made without a creation parameter.
HWND UnboundWindow()
{
    return CreateWindowExA(0, RecorderClass(), "Unbound", kFrame, 0, 0, 100, 80, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(WndBinding, CreateBindsBeforeOnCreateAndDestroyUnbinds)
{
    Recorder wnd;
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "&File");
    ASSERT_EQ(wnd.CreateTop("Bound", static_cast<unsigned int>(reinterpret_cast<UINT_PTR>(menu))),
              1);
    const HWND hWnd = wnd.GetHwnd();
    EXPECT_EQ(wnd.handleInOnCreate, hWnd);
    EXPECT_EQ(wnd.mappedInOnCreate, &wnd);
    EXPECT_EQ(wnd.Menu(), menu);
    EXPECT_EQ(Recorder::MappedObject(hWnd), &wnd);

    // Create again destroys the first window.
    ASSERT_EQ(wnd.CreateTop(), 1);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(wnd.Count("OnDestroy("), 1);
    EXPECT_EQ(wnd.Count("OnCreate("), 2);
    EXPECT_EQ(Recorder::MappedObject(hWnd), nullptr);

    const HWND second = wnd.GetHwnd();
    ASSERT_TRUE(DestroyWindow(second));
    EXPECT_EQ(wnd.Count("OnDestroy("), 2);
    EXPECT_EQ(wnd.GetHwnd(), nullptr);
    EXPECT_EQ(wnd.IsWindow(), 0);
    EXPECT_EQ(wnd.Menu(), nullptr);
    EXPECT_EQ(Recorder::MappedObject(second), nullptr);
    EXPECT_EQ(wnd.Destroy(), 1);
}

TEST(WndBinding, OnCreateAnsweringMinusOneFailsCreationWithoutEntry)
{
    Recorder wnd;
    wnd.answer = -1;
    EXPECT_EQ(wnd.CreateTop(), 0);
    ASSERT_NE(wnd.handleInOnCreate, nullptr);
    EXPECT_EQ(wnd.GetHwnd(), nullptr);
    EXPECT_FALSE(IsWindow(wnd.handleInOnCreate));
    EXPECT_EQ(Recorder::MappedObject(wnd.handleInOnCreate), nullptr);
}

TEST(WndBinding, WindowWithoutCreationParameterStaysUnboundUntilAttached)
{
    const HWND hWnd = UnboundWindow();
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(Recorder::MappedObject(hWnd), nullptr);

    Recorder wnd;
    ASSERT_EQ(wnd.Attach(hWnd), 1);
    EXPECT_EQ(wnd.Attached(), 1);
    SendMessageA(hWnd, WM_TIMER, 3, 0);
    EXPECT_EQ(wnd.calls, std::vector<std::string>{"OnTimer(3)"});
    // A WM_CREATE without CREATESTRUCT changes nothing.
    EXPECT_EQ(SendMessageA(hWnd, WM_CREATE, 0, 0), DefWindowProcA(hWnd, WM_CREATE, 0, 0));
    EXPECT_EQ(wnd.Count("OnCreate("), 0);
    EXPECT_EQ(Recorder::MappedObject(hWnd), &wnd);

    EXPECT_EQ(wnd.Destroy(), 1);
    EXPECT_TRUE(IsWindow(hWnd));
    DestroyWindow(hWnd);
    EXPECT_EQ(wnd.Count("OnDestroy("), 1);
    EXPECT_EQ(wnd.Attached(), 0);
    EXPECT_EQ(wnd.GetHwnd(), nullptr);
}

TEST(WndBinding, MessagesForHandlesWithoutEntryGoToTheDefault)
{
    TestWindow plain(kFrame, nullptr, 0, "Plain title");
    EXPECT_EQ(CTqWnd::WndProc(plain, WM_GETTEXTLENGTH, 0, 0), 11);
    const HWND gone = UnboundWindow();
    DestroyWindow(gone);
    EXPECT_EQ(CTqWnd::WndProc(gone, WM_USER, 1, 2), 0);

    MSG threadMessage = {};
    EXPECT_EQ(CTqWnd::PreTranslateProc(&threadMessage), 0);
    EXPECT_EQ(CTqWnd::PreTranslateProc(nullptr), 0);
    CTqWnd nothing;
    EXPECT_EQ(nothing.Attach(nullptr), 0);
    EXPECT_EQ(nothing.GetHwnd(), nullptr);
}

TEST(WndBinding, AttachTakesAHandleFromAnotherObject)
{
    Recorder creator, taker;
    ASSERT_EQ(creator.CreateTop(), 1);
    const HWND hWnd = creator.GetHwnd();
    ASSERT_EQ(taker.Attach(hWnd), 1);
    EXPECT_EQ(Recorder::MappedObject(hWnd), &taker);
    creator.calls.clear();
    SendMessageA(hWnd, WM_TIMER, 4, 0);
    EXPECT_EQ(taker.calls, std::vector<std::string>{"OnTimer(4)"});
    EXPECT_TRUE(creator.calls.empty());
    EXPECT_EQ(taker.Destroy(), 1);
    EXPECT_TRUE(IsWindow(hWnd));

    DestroyWindow(hWnd);
    EXPECT_EQ(taker.Count("OnDestroy("), 1);
    EXPECT_EQ(taker.GetHwnd(), nullptr);
    // The creator was told nothing and finds its window gone.
    EXPECT_EQ(creator.Count("OnDestroy("), 0);
    EXPECT_EQ(creator.Destroy(), 1);
    EXPECT_EQ(creator.GetHwnd(), nullptr);
}

TEST(WndBinding, RebindingLeavesTheAttachedWindowAliveButUnbound)
{
    const HWND first = UnboundWindow();
    const HWND second = UnboundWindow();
    Recorder wnd;
    ASSERT_EQ(wnd.Attach(first), 1);
    ASSERT_EQ(wnd.Attach(second), 1);
    EXPECT_EQ(Recorder::MappedObject(first), nullptr);
    DestroyWindow(first);
    EXPECT_EQ(wnd.Count("OnDestroy("), 0);
    EXPECT_EQ(wnd.GetHwnd(), second);

    // Create keeps the attached flag, so Destroy leaves the new window too.
    ASSERT_EQ(wnd.CreateTop(), 1);
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(Recorder::MappedObject(second), nullptr);
    EXPECT_EQ(Recorder::MappedObject(wnd.GetHwnd()), &wnd);
    EXPECT_EQ(wnd.Destroy(), 1);
    EXPECT_EQ(wnd.IsWindow(), 1);
    DestroyWindow(wnd.GetHwnd());
    DestroyWindow(second);
}

TEST(WndBinding, WindowDestroyedFromItsOwnHandlerIsUnboundOnce)
{
    Recorder wnd;
    ASSERT_EQ(wnd.CreateTop(), 1);
    const HWND hWnd = wnd.GetHwnd();
    wnd.afterTimer = [](Recorder& self) { EXPECT_EQ(self.Destroy(), 1); };
    EXPECT_EQ(SendMessageA(hWnd, WM_TIMER, 1, 0), 0);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(wnd.Count("OnDestroy("), 1);
    EXPECT_EQ(wnd.GetHwnd(), nullptr);
}

TEST(WndBinding, AnObjectThatEndsFirstIsNeverTouchedAgain)
{
    // Ending in its own OnDestroy.
    Grave grave;
    Recorder* wnd = grave.Raise();
    ASSERT_EQ(wnd->CreateTop(), 1);
    HWND hWnd = wnd->GetHwnd();
    wnd->afterDestroy = [&grave](Recorder& self) { grave.Bury(&self); };
    DestroyWindow(hWnd);
    EXPECT_TRUE(grave.Untouched());
    EXPECT_EQ(Recorder::MappedObject(hWnd), nullptr);

    // Ending while its window lives on: the window falls back to the default.
    wnd = grave.Raise();
    ASSERT_EQ(wnd->CreateTop("Orphan"), 1);
    hWnd = wnd->GetHwnd();
    grave.Bury(wnd);
    EXPECT_EQ(Recorder::MappedObject(hWnd), nullptr);
    EXPECT_EQ(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0), 6);
    DestroyWindow(hWnd);
    EXPECT_TRUE(grave.Untouched());
}

TEST(WndBinding, ParentDestructionUnbindsItsChildren)
{
    Recorder parent, child;
    CTqWnd button;  // a system class: wrapped, never bound
    ASSERT_EQ(parent.CreateTop(), 1);
    ASSERT_EQ(child.CreateChild(&parent), 1);
    ASSERT_EQ(button.Create("BUTTON", "B", kChild, 0, 0, 40, 20, &parent, 9), 1);
    const HWND childHandle = child.GetHwnd();
    EXPECT_EQ(Recorder::MappedObject(button.GetHwnd()), nullptr);

    DestroyWindow(parent.GetHwnd());
    EXPECT_EQ(parent.Count("OnDestroy("), 1);
    EXPECT_EQ(child.Count("OnDestroy("), 1);
    EXPECT_EQ(child.GetHwnd(), nullptr);
    EXPECT_EQ(Recorder::MappedObject(childHandle), nullptr);
    EXPECT_EQ(button.IsWindow(), 0);

    // All three can be made again, the button too although its old handle
    // went away unnoticed.
    ASSERT_EQ(parent.CreateTop(), 1);
    EXPECT_EQ(child.CreateChild(&parent), 1);
    EXPECT_EQ(button.Create("BUTTON", "B", kChild, 0, 0, 40, 20, &parent, 9), 1);
    EXPECT_EQ(button.Destroy(), 1);
    EXPECT_EQ(button.GetHwnd(), nullptr);
    parent.Destroy();
}

TEST(WndBinding, GetParentAnswersOnlyForABoundParent)
{
    Recorder parent, child;
    ASSERT_EQ(parent.CreateTop(), 1);
    ASSERT_EQ(child.CreateChild(&parent), 1);
    EXPECT_EQ(child.GetParent(), &parent);
    EXPECT_EQ(parent.GetParent(), nullptr);  // the desktop has no object
    EXPECT_EQ(CTqWnd().GetParent(), nullptr);

    TestWindow plainParent(kFrame);
    TestWindow plainChild(kChild, plainParent);
    CTqWnd orphan;
    ASSERT_EQ(orphan.Attach(plainChild), 1);
    EXPECT_EQ(orphan.GetParent(), nullptr);
    parent.Destroy();
}
