// Starting programs and documents and waiting for them, with the helper
// program as the started process: the exact command line of the direct form,
// the shell's verb, closing the first window, time-outs and exit codes.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <string>
#include <vector>

#include "HelperProcess.h"
#include "MsgBoxCatcher.h"
#include "SystemTestSupport.h"

namespace {

const unsigned long kWait = 30000;
HANDLE const kUntouchedHandle = reinterpret_cast<HANDLE>(0x1234);
const unsigned long kUntouchedId = 0x5678;

struct Started {
    void* process = nullptr;
    unsigned long id = 0;
};

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindows(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[8] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && lstrcmpiA(className, "IME") != 0)
        search->found.push_back(window);
    return TRUE;
}

// The process's top-level windows in the system's enumeration order, leaving
// out the hidden IME window that every GUI thread has.
std::vector<HWND> WindowsOf(DWORD processId)
{
    WindowSearch search = {processId, {}};
    EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts the helper directly and, when it is to show windows, waits until
// they all exist.
Started StartHelper(const char* arguments, size_t windows = 0)
{
    Started started;
    if (!TqExecuteApp(started.process, started.id, HelperPath().c_str(), arguments, 1))
        return started;
    for (int attempt = 0; attempt < 300 && WindowsOf(started.id).size() < windows; ++attempt)
        Sleep(100);
    return started;
}

// Waits until a window with this title exists, then asks it to close. False
// when none appeared.
bool CloseWindowTitled(const char* title)
{
    for (int attempt = 0; attempt < 300; ++attempt) {
        if (HWND window = FindWindowA(nullptr, title))
            return PostMessageA(window, WM_CLOSE, 0, 0) != FALSE;
        Sleep(100);
    }
    return false;
}

// A document type whose verbs start the helper with different exit codes:
// open 11, runas 12, and edit 13, which is also the type's default verb.
class VerbProbe {
public:
    VerbProbe() : m_cleanup(HKEY_CLASSES_ROOT, {".tqverb", "TqTest.VerbProbe"})
    {
        SetText(".tqverb", "TqTest.VerbProbe");
        SetText("TqTest.VerbProbe\\shell", "edit");
        const std::string helper = "\"" + HelperPath() + "\" exit ";
        SetText("TqTest.VerbProbe\\shell\\open\\command", helper + "11");
        SetText("TqTest.VerbProbe\\shell\\runas\\command", helper + "12");
        SetText("TqTest.VerbProbe\\shell\\edit\\command", helper + "13");
        WriteBytes(m_document, "");
    }
    ~VerbProbe() { DeleteFileA(m_document.c_str()); }

    const std::string& Document() const { return m_document; }

private:
    static void SetText(const char* key, const std::string& text)
    {
        RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, text.c_str(),
                     static_cast<DWORD>(text.size()));
    }

    ScopedRegistryCleanup m_cleanup;
    std::string m_document = TempPath("tq probe.tqverb");
};

}  // namespace

TEST(Process, DirectLaunchQuotesTheProgramAndPassesTheArgumentsUnchanged)
{
    // A copy of the helper in a folder whose name has a blank; it finds the
    // runtime libraries beside the tests through PATH.
    const std::string spacedFolder = TempPath("tq My Tools");
    CreateDirectoryA(spacedFolder.c_str(), nullptr);
    const std::string spacedHelper = spacedFolder + "\\tqtest_helper.exe";
    CopyFileA(HelperPath().c_str(), spacedHelper.c_str(), FALSE);
    std::string testFolder = HelperPath();
    PathRemoveFileSpecA(&testFolder[0]);
    char path[4096] = {};
    GetEnvironmentVariableA("PATH", path, sizeof path);
    const ScopedEnvironment searchPath("PATH", testFolder.c_str() + std::string(";") + path);

    const std::string record = TempPath("tq command line.txt");
    const ScopedEnvironment recording("TQ_HELPER_COMMAND_LINE", record);
    const struct {
        const char* arguments;
        const char* tail;
    } cases[] = {
        {"-a x", " -a x"},
        {nullptr, ""},
        {"", ""},
        {" \"two words\"  \t end ", "  \"two words\"  \t end "},
    };
    for (const std::string& app : {HelperPath(), spacedHelper}) {
        for (const auto& c : cases) {
            DeleteFileA(record.c_str());
            EXPECT_NE(RunToEnd(app, c.arguments), -1000) << app;
            EXPECT_EQ(ReadBytes(record), "\"" + app + "\"" + c.tail)
                << app << " with " << (c.arguments ? c.arguments : "(null)");
        }
    }
    DeleteFileA(record.c_str());
    DeleteFileA(spacedHelper.c_str());
    RemoveDirectoryA(spacedFolder.c_str());
}

TEST(Process, DirectLaunchFailureLeavesHandleAndIdAlone)
{
    for (const char* app : {static_cast<const char*>(nullptr), "", "C:\\no such folder\\none.exe"}) {
        void* process = kUntouchedHandle;
        unsigned long id = kUntouchedId;
        EXPECT_EQ(TqExecuteApp(process, id, app, "exit 1", 0), 0) << (app ? app : "(null)");
        EXPECT_EQ(process, kUntouchedHandle);
        EXPECT_EQ(id, kUntouchedId);
    }
}

TEST(Process, CloseWindowAsksOnlyTheFirstWindowOfTheProcess)
{
    // Also with the windows below the hidden IME window of the helper's thread.
    for (const char* arguments : {"close 3", "close 3 bottom"}) {
        const Started helper = StartHelper(arguments, 3);
        ASSERT_NE(helper.process, nullptr);
        const std::vector<HWND> windows = WindowsOf(helper.id);
        ASSERT_EQ(windows.size(), 3u);
        char title[32] = {};
        GetWindowTextA(windows.front(), title, sizeof title);
        const int index = title[sizeof "TqClose " - 1] - '0';

        int exitCode = -1;
        ASSERT_EQ(TqWaitAppQuit(exitCode, helper.process, helper.id, kWait, 1), 1) << arguments;
        EXPECT_EQ(exitCode, 1 << index) << arguments << ": first window " << title;
    }
}

TEST(Process, WaitTimeOutKeepsTheHandleForTheCaller)
{
    const Started helper = StartHelper("close 1", 1);
    ASSERT_NE(helper.process, nullptr);

    int exitCode = 77;
    EXPECT_EQ(TqWaitAppQuit(exitCode, helper.process, helper.id, 0, 0), 0);
    EXPECT_EQ(exitCode, 0);
    DWORD status = 0;
    ASSERT_TRUE(GetExitCodeProcess(helper.process, &status));
    EXPECT_EQ(status, STILL_ACTIVE);

    EXPECT_EQ(TqWaitAppQuit(exitCode, helper.process, helper.id, kWait, 1), 1);
    EXPECT_EQ(exitCode, 1);
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(helper.process, &flags)) << "closed after the process ended";
}

TEST(Process, CloseWindowWithoutWindowsJustWaits)
{
    const Started helper = StartHelper("exit 5");
    ASSERT_NE(helper.process, nullptr);
    int exitCode = 0;
    EXPECT_EQ(TqWaitAppQuit(exitCode, helper.process, helper.id, kWait, 1), 1);
    EXPECT_EQ(exitCode, 5);
}

TEST(Process, ShellLaunchOfAProgram)
{
    void* process = nullptr;
    ASSERT_EQ(TqExecuteApp(&process, HelperPath().c_str(), "exit 7", 0, 0, 0), 1);
    ASSERT_NE(process, nullptr);
    int exitCode = 0;
    EXPECT_EQ(TqWaitAppQuit(exitCode, process, GetProcessId(process), kWait, 0), 1);
    EXPECT_EQ(exitCode, 7);

    EXPECT_EQ(TqExecuteApp(nullptr, HelperPath().c_str(), "exit 3", 0, 0, 0), 1);

    void* untouched = kUntouchedHandle;
    EXPECT_EQ(TqExecuteApp(&untouched, nullptr, "exit 3", 1, 0, 0), 0);
    EXPECT_EQ(untouched, kUntouchedHandle);

    MsgBoxCatcher catcher(IDOK);  // the shell may report the missing file in a box
    EXPECT_EQ(TqExecuteApp(&untouched, "C:\\no such folder\\none.exe", nullptr, 1, 0, 0), 0);
    EXPECT_EQ(untouched, kUntouchedHandle);
}

TEST(Process, ShellVerbFollowsRunAsAndTheDefaultVerbRequest)
{
    const VerbProbe probe;
    ASSERT_EQ(TqIsVistaOrLater(), 1) << "the test prefix reports Windows 7";
    const struct {
        int runAs;
        int useDefaultVerb;
        int verbExitCode;
    } cases[] = {{0, 0, 11}, {0, 1, 13}, {1, 0, 12}, {1, 1, 12}};
    for (const auto& c : cases) {
        void* process = nullptr;
        ASSERT_EQ(TqExecuteApp(&process, probe.Document().c_str(), nullptr, 0, c.runAs,
                               c.useDefaultVerb),
                  1);
        int exitCode = 0;
        EXPECT_EQ(TqWaitAppQuit(exitCode, process, GetProcessId(process), kWait, 0), 1);
        EXPECT_EQ(exitCode, c.verbExitCode) << "runAs " << c.runAs << " default " << c.useDefaultVerb;
    }

    // Before Vista elevation is not asked for: the verb follows useDefaultVerb.
    const VersionedHelper xp("winxp");
    const std::string launch = "launch \"" + probe.Document() + "\" 1 ";
    EXPECT_EQ(RunToEnd(xp.Path(), (launch + "0").c_str()), 11);
    EXPECT_EQ(RunToEnd(xp.Path(), (launch + "1").c_str()), 13);
}

TEST(Process, ExecuteAndWaitOpensAndReturnsTheExitCode)
{
    int exitCode = -1;
    EXPECT_EQ(TqExecuteAppAndWait(exitCode, HelperPath().c_str(), "exit 9", 0, kWait, 0), 1);
    EXPECT_EQ(exitCode, 9);

    const VerbProbe probe;
    EXPECT_EQ(TqExecuteAppAndWait(exitCode, probe.Document().c_str(), nullptr, 0, kWait, 0), 1);
    EXPECT_EQ(exitCode, 11) << "always the open verb";
    EXPECT_EQ(TqExecuteAppAndWait(exitCode, probe.Document().c_str(), nullptr, 0, kWait, 1), 1);
    EXPECT_EQ(exitCode, 12);

    exitCode = -1;
    EXPECT_EQ(TqExecuteAppAndWait(exitCode, nullptr, nullptr, 0, kWait, 0), 0);
    EXPECT_EQ(exitCode, 0);
}

TEST(Process, ExecuteAndWaitTimeOutLeavesTheProcessRunning)
{
    int exitCode = -1;
    EXPECT_EQ(TqExecuteAppAndWait(exitCode, HelperPath().c_str(), "close 1", 1, 0, 0), 0);
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(CloseWindowTitled("TqClose 0")) << "the helper still runs";
}
