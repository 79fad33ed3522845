// Message boxes and process identity on real windows: the main window and
// caption that TqMsgBox supplies, the overwrite question byte for byte in code
// page 932, the process name, and the captioned frame around a window.
#include "SystemTestSupport.h"

namespace {

const DWORD kChild = WS_CHILD | WS_VISIBLE;
using Icon = MsgBoxCatcher::Icon;
using Box = MsgBoxCatcher::Box;

}  // namespace

TEST(MsgBox, OwnerCaptionAndOverwriteQuestion)
{
    TestWindow main(kFrame);
    TestWindow owned(kFrame, main);  // owned windows are never the main window
    ASSERT_EQ(TqGetMainWnd(), main.Handle());
    const TempFolder folder;
    const std::string path = folder.WriteFile("tq overwrite.txt", "");
    const std::string exists = Cp932(" は既に存在します｡\n");
    const std::string question = exists + Cp932("上書きしますか？");
    const std::vector<int> okCancel = {IDOK, IDCANCEL};

    MsgBoxCatcher catcher(IDCANCEL);
    EXPECT_EQ(TqMsgBox("first", "", MB_OKCANCEL | MB_ICONEXCLAMATION, nullptr), IDCANCEL);
    EXPECT_EQ(TqMsgBox("second", nullptr, MB_YESNO | MB_ICONQUESTION, nullptr), IDCANCEL);
    catcher.SetAnswer(IDNO);
    EXPECT_EQ(TqMsgBox("third", "Own caption", MB_YESNO, owned), IDNO);
    EXPECT_EQ(TqOverwriteMsgBox((folder / "missing.txt").c_str(), 0, nullptr, nullptr), 0);
    catcher.SetAnswer(IDOK);
    EXPECT_EQ(TqOverwriteMsgBox(path.c_str(), 0, nullptr, nullptr), IDOK);
    EXPECT_EQ(TqOverwriteMsgBox(path.c_str(), 7, "Save", owned), IDOK);
    const std::vector<Box> expected = {
        {"first", "tqtest_system", main, okCancel, Icon::Exclamation},
        {"second", "tqtest_system", main, {IDYES, IDNO}, Icon::Question},
        {"third", "Own caption", owned, {IDYES, IDNO}, Icon::None},
        {path + question, "tqtest_system", main, okCancel, Icon::Exclamation},
        {path + exists + Cp932("全ての連番ファイルを上書きしますか？"), "Save", owned, okCancel,
         Icon::Exclamation},
    };
    EXPECT_EQ(catcher.Boxes(), expected);
}

TEST(MsgBox, WindowsOfOtherProcessesAreNeverTheMainWindow)
{
    void* other = nullptr;
    unsigned long id = 0;
    ASSERT_EQ(TqExecuteApp(other, id, kHelper.c_str(), "close 1", 0), 1);
    const HWND foreign = WaitForWindow("TqClose 0");
    ASSERT_NE(foreign, nullptr);
    {
        TestWindow ownedByOther(kFrame, foreign);
        ASSERT_EQ(GetWindow(ownedByOther, GW_OWNER), foreign);
        EXPECT_EQ(TqGetMainWnd(), nullptr);
    }
    // Closed after our owned window is gone: an owner waits for what it owns.
    int closed = 0;
    EXPECT_EQ(TqWaitAppQuit(closed, other, id, 30000, 1), 1);
}

TEST(MsgBox, ProcessNameIsCutToTheBufferBeforeTheExtensionGoes)
{
    const struct { unsigned long size; const char* name; } cases[] = {
        {MAX_PATH, "tqtest_system"}, {18, "tqtest_system"}, {16, "tqtest_system"},
        {15, "tqtest_system"},       {10, "tqtest_sy"},     {2, "t"}};
    for (const auto& c : cases) {
        std::string buffer(c.size + 1, '#');
        EXPECT_EQ(TqGetProcessName(&buffer[0], c.size), 1);
        EXPECT_STREQ(buffer.c_str(), c.name) << "size " << c.size;
    }
    char buffer[4] = "###";
    EXPECT_EQ(TqGetProcessName(buffer, 0), 0);
    EXPECT_EQ(TqGetProcessName(nullptr, MAX_PATH), 0);
}

TEST(MsgBox, ParentFrameIsTheNearestWindowWithTheWholeCaption)
{
    TestWindow frame(kFrame);
    TestWindow child(kChild, frame);
    TestWindow grandchild(kChild, child);
    TestWindow borderOnly(WS_CHILD | WS_BORDER, frame);
    TestWindow dialogFrameOnly(WS_CHILD | WS_DLGFRAME, frame);
    TestWindow captionedChild(WS_CHILD | WS_CAPTION, frame);
    TestWindow popup(WS_POPUP | WS_VISIBLE);
    TestWindow popupChild(kChild, popup);
    const struct { HWND window, frame; } cases[] = {
        {frame, frame},      {child, frame},           {grandchild, frame},
        {borderOnly, frame}, {dialogFrameOnly, frame}, {captionedChild, captionedChild},
        {popup, nullptr},    {popupChild, nullptr}};
    for (const auto& c : cases)
        EXPECT_EQ(TqGetParentFrame(c.window), c.frame);

    EXPECT_EQ(TqIsParentFrameVisible(grandchild, 1), 1);
    ShowWindow(frame, SW_MINIMIZE);
    PumpMessages();
    ASSERT_TRUE(IsIconic(frame));
    EXPECT_EQ(TqIsParentFrameVisible(grandchild, 0), 1);
    EXPECT_EQ(TqIsParentFrameVisible(grandchild, 1), 0);
    ShowWindow(frame, SW_HIDE);
    EXPECT_EQ(TqIsParentFrameVisible(grandchild, 0), 0);
    EXPECT_EQ(TqIsParentFrameVisible(popupChild, 0), 0) << "no frame";
}
