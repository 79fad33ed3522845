// Message boxes and process identity on real windows: the main window and
// caption that TqMsgBox supplies, the overwrite question byte for byte in code
// page 932, the process name, and the captioned frame around a window.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HelperProcess.h"
#include "MsgBoxCatcher.h"
#include "TestWindow.h"

namespace {

const DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
const DWORD kChild = WS_CHILD | WS_VISIBLE;

// UTF-8 text as code page 932 bytes, converted by the system, so that the
// expected texts do not depend on the library's own byte tables.
std::string Cp932(const char* utf8)
{
    wchar_t wide[512];
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 512);
    char bytes[1024];
    const int length = WideCharToMultiByte(932, 0, wide, units, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, length > 0 ? length - 1 : 0);
}

std::string TempFile(const char* name)
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    const std::string path = std::string(directory) + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    return path;
}

std::string ProcessName(unsigned long size)
{
    std::vector<char> buffer(size + 1, '#');
    if (!TqGetProcessName(buffer.data(), size))
        return "<failed>";
    return buffer.data();
}

}  // namespace

TEST(MsgBox, OwnerAndCaptionDefaultToTheMainWindowAndProcessName)
{
    TestWindow main(kFrame);
    TestWindow owned(kFrame, main);  // owned windows are never the main window
    ASSERT_EQ(TqGetMainWnd(), main.Handle());

    MsgBoxCatcher catcher(IDCANCEL);
    EXPECT_EQ(TqMsgBox("first", "", MB_OKCANCEL | MB_ICONEXCLAMATION, nullptr), IDCANCEL);
    EXPECT_EQ(TqMsgBox("second", nullptr, MB_YESNO | MB_ICONQUESTION, nullptr), IDCANCEL + 0);
    catcher.SetAnswer(IDNO);
    EXPECT_EQ(TqMsgBox("third", "Own caption", MB_YESNO, owned), IDNO);

    ASSERT_EQ(catcher.Count(), 3u);
    const auto& boxes = catcher.Boxes();
    EXPECT_EQ(boxes[0].text, "first");
    EXPECT_EQ(boxes[0].caption, "tqtest_system");
    EXPECT_EQ(boxes[0].owner, main.Handle());
    EXPECT_EQ(boxes[0].buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(boxes[0].icon, MsgBoxCatcher::Icon::Exclamation);
    EXPECT_EQ(boxes[1].caption, "tqtest_system");
    EXPECT_EQ(boxes[1].buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(boxes[1].icon, MsgBoxCatcher::Icon::Question);
    EXPECT_EQ(boxes[2].caption, "Own caption");
    EXPECT_EQ(boxes[2].owner, owned.Handle());
    EXPECT_EQ(boxes[2].icon, MsgBoxCatcher::Icon::None);
}

TEST(MsgBox, AProcessWithOnlyAnOwnedWindowGetsABoxWithoutOwner)
{
    HelperProcess other("window OtherProcess");
    ASSERT_TRUE(other.Started());
    HWND foreign = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::stoul(other.ReadLine())));
    ASSERT_TRUE(IsWindow(foreign));
    {
        TestWindow ownedByOther(kFrame, foreign);
        ASSERT_EQ(GetWindow(ownedByOther, GW_OWNER), foreign);
        EXPECT_EQ(TqGetMainWnd(), nullptr);

        MsgBoxCatcher catcher(IDOK);
        EXPECT_EQ(TqMsgBox("no owner", nullptr, MB_OK, nullptr), IDOK);
        ASSERT_EQ(catcher.Count(), 1u);
        EXPECT_EQ(catcher.Last().owner, nullptr);
    }
    // Closed after our owned window is gone: destroying an owner waits for
    // the windows it owns.
    PostMessageA(foreign, WM_CLOSE, 0, 0);
    EXPECT_EQ(other.Wait(10000), 0u);
}

TEST(MsgBox, OverwriteQuestionOnlyForAnExistingFile)
{
    MsgBoxCatcher catcher(IDOK);
    EXPECT_EQ(TqOverwriteMsgBox("C:\\no such folder\\missing.txt", 0, nullptr, nullptr), 0);
    EXPECT_EQ(catcher.Count(), 0u);

    const std::string path = TempFile("tq overwrite.txt");
    EXPECT_EQ(TqOverwriteMsgBox(path.c_str(), 0, nullptr, nullptr), IDOK);
    catcher.SetAnswer(IDCANCEL);
    EXPECT_EQ(TqOverwriteMsgBox(path.c_str(), 7, "Save", nullptr), IDCANCEL);

    ASSERT_EQ(catcher.Count(), 2u);
    const auto& single = catcher.Boxes()[0];
    EXPECT_EQ(single.text, path + Cp932(" は既に存在します｡\n上書きしますか？"));
    EXPECT_EQ(single.caption, "tqtest_system");
    EXPECT_EQ(single.buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(single.icon, MsgBoxCatcher::Icon::Exclamation);
    const auto& series = catcher.Boxes()[1];
    EXPECT_EQ(series.text, path + Cp932(" は既に存在します｡\n全ての連番ファイルを上書きしますか？"));
    EXPECT_EQ(series.caption, "Save");
    DeleteFileA(path.c_str());
}

TEST(MsgBox, OverwriteQuestionShowsALongPathWhole)
{
    // A path of more than 520 bytes that still names the file: it climbs in
    // and out of the temp folder many times.
    const std::string file = TempFile("tq long.txt");
    const std::string directory = file.substr(0, file.find_last_of('\\') + 1);
    std::string path = directory;
    while (path.size() < 600)
        path += "x\\..\\";
    path += "tq long.txt";
    CreateDirectoryA((directory + "x").c_str(), nullptr);

    MsgBoxCatcher catcher(IDOK);
    const int result = TqOverwriteMsgBox(path.c_str(), 0, nullptr, nullptr);
    if (result == 0) {
        EXPECT_EQ(catcher.Count(), 0u);  // the system refused the long path: nothing shown
    } else {
        ASSERT_EQ(catcher.Count(), 1u);
        EXPECT_EQ(catcher.Last().text, path + Cp932(" は既に存在します｡\n上書きしますか？"));
    }
    DeleteFileA(file.c_str());
    RemoveDirectoryA((directory + "x").c_str());
}

TEST(MsgBox, ProcessNameIsCutToTheBufferBeforeTheExtensionGoes)
{
    const struct {
        unsigned long size;
        const char* name;
    } cases[] = {
        {MAX_PATH, "tqtest_system"}, {18, "tqtest_system"}, {16, "tqtest_system"},
        {15, "tqtest_system"},       {10, "tqtest_sy"},     {2, "t"},
        {0, "<failed>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProcessName(c.size), c.name) << "size " << c.size;
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

    const struct {
        HWND window;
        HWND frame;
    } cases[] = {
        {frame, frame},          {child, frame},           {grandchild, frame},
        {borderOnly, frame},     {dialogFrameOnly, frame}, {captionedChild, captionedChild},
        {popup, nullptr},        {popupChild, nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TqGetParentFrame(c.window), c.frame);
}

TEST(MsgBox, ParentFrameVisibility)
{
    TestWindow frame(kFrame);
    TestWindow child(kChild, frame);
    TestWindow popup(WS_POPUP | WS_VISIBLE);

    EXPECT_EQ(TqIsParentFrameVisible(child, 1), 1);
    ShowWindow(frame, SW_MINIMIZE);
    PumpMessages();
    ASSERT_TRUE(IsIconic(frame));
    EXPECT_EQ(TqIsParentFrameVisible(child, 0), 1);
    EXPECT_EQ(TqIsParentFrameVisible(child, 1), 0);
    ShowWindow(frame, SW_HIDE);
    EXPECT_EQ(TqIsParentFrameVisible(child, 0), 0);
    EXPECT_EQ(TqIsParentFrameVisible(popup, 0), 0);
}
