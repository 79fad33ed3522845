// Starting programs and documents and waiting for them, with the helper
// program as the started process: the exact command line of the direct form,
// the shell's verb, closing the first window, time-outs and exit codes.
#include "SystemTestSupport.h"

namespace {

const unsigned long kWait = 30000;

// The process's first top-level window in Z order, leaving out the hidden IME
// window that every GUI thread has.
HWND FirstWindowOf(DWORD processId)
{
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        char className[8] = {};
        GetWindowThreadProcessId(window, &owner);
        GetClassNameA(window, className, sizeof className);
        if (owner == processId && lstrcmpiA(className, "IME") != 0)
            return window;
    }
    return nullptr;
}

}  // namespace

TEST(Process, DirectLaunchQuotesTheProgramAndPassesTheArgumentsUnchanged)
{
    const TempFolder folder;
    const std::string record = folder / "command line.txt";
    SetEnvironmentVariableA("TQ_HELPER_COMMAND_LINE", record.c_str());
    const struct { const char *arguments, *tail; int exitCode; } cases[] = {
        {"exit 5", " exit 5", 5},
        {nullptr, "", 1},
        {"", "", 1},
        {" \"two words\"  \t end ", "  \"two words\"  \t end ", 1},
    };
    for (const auto& c : cases) {
        DeleteFileA(record.c_str());
        // Asked to close its first window, a process without any is simply waited for.
        EXPECT_EQ(RunToEnd(kHelper, c.arguments, 1), c.exitCode);
        EXPECT_EQ(TempFolder::ReadFile(record), "\"" + kHelper + "\"" + c.tail)
            << (c.arguments ? c.arguments : "(null)");
    }
    SetEnvironmentVariableA("TQ_HELPER_COMMAND_LINE", nullptr);
}

TEST(Process, FailedLaunchesLeaveTheHandleAndIdAlone)
{
    HANDLE const untouched = reinterpret_cast<HANDLE>(0x1234);
    MsgBoxCatcher catcher(IDOK);  // the shell may report a missing file in a box
    const char* const missing = "C:\\no such folder\\none.exe";
    for (const char* app : {static_cast<const char*>(nullptr), "", missing}) {
        void* process = untouched;
        unsigned long id = 0x5678;
        int exitCode = -1;
        EXPECT_EQ(TqExecuteApp(process, id, app, "exit 1", 0), 0);
        if (!app || *app) {  // the shell is not asked to open ""
            EXPECT_EQ(TqExecuteApp(&process, app, "exit 1", 1, 0, 0), 0);
            EXPECT_EQ(TqExecuteAppAndWait(exitCode, app, "exit 1", 0, kWait, 0), 0);
            EXPECT_EQ(exitCode, 0);
        }
        EXPECT_EQ(process, untouched);
        EXPECT_EQ(id, 0x5678u);
    }
}

TEST(Process, WaitClosesOnlyTheFirstWindowAndTimesOutKeepingTheHandle)
{
    // Also with the windows below the hidden IME window of the helper's thread.
    for (const char* arguments : {"close 3", "close 3 bottom"}) {
        void* process = nullptr;
        unsigned long id = 0;
        ASSERT_EQ(TqExecuteApp(process, id, kHelper.c_str(), arguments, 1), 1);
        ASSERT_NE(WaitForWindow("TqClose 2"), nullptr);
        int exitCode = 77;
        EXPECT_EQ(TqWaitAppQuit(exitCode, process, id, 0, 0), 0);
        EXPECT_EQ(exitCode, 0);
        EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_TIMEOUT) << "the handle is still ours";

        const HWND first = FirstWindowOf(id);
        ASSERT_NE(first, nullptr);
        char title[16] = {};
        GetWindowTextA(first, title, sizeof title);
        ASSERT_EQ(TqWaitAppQuit(exitCode, process, id, kWait, 1), 1) << arguments;
        EXPECT_EQ(exitCode, 1 << (title[8] - '0')) << arguments << ": first window " << title;
        DWORD flags = 0;
        EXPECT_FALSE(GetHandleInformation(process, &flags)) << "closed after the process ended";
    }
}

TEST(Process, ShellFormsFollowTheVerbAndReturnTheExitCode)
{
    // A document type whose verbs start the helper with different exit codes;
    // edit is the type's default verb.
    const TempFolder folder;
    const std::string document = folder.WriteFile("probe.tqverb", "");
    const RegistryCleanup cleanup(HKEY_CLASSES_ROOT, {".tqverb", "TqTest.Verbs"});
    const std::string exit = "\"" + kHelper + "\" exit ";
    const std::pair<const char*, std::string> keys[] = {
        {".tqverb", "TqTest.Verbs"},
        {"TqTest.Verbs\\shell", "edit"},
        {"TqTest.Verbs\\shell\\open\\command", exit + "11"},
        {"TqTest.Verbs\\shell\\runas\\command", exit + "12"},
        {"TqTest.Verbs\\shell\\edit\\command", exit + "13"},
    };
    for (const auto& key : keys)
        RegSetValueA(HKEY_CLASSES_ROOT, key.first, REG_SZ, key.second.c_str(),
                     static_cast<DWORD>(key.second.size()));
    ASSERT_EQ(TqIsVistaOrLater(), 1) << "the test prefix reports Windows 7";

    const struct { std::string file; const char* parameters; int runAs, defaultVerb, exitCode; }
    cases[] = {
        {kHelper, "exit 7", 0, 0, 7},  {document, nullptr, 0, 0, 11},
        {document, nullptr, 0, 1, 13}, {document, nullptr, 1, 1, 12},  // runas wins
    };
    for (const auto& c : cases) {
        void* process = nullptr;
        int exitCode = -1;
        const char* file = c.file.c_str();
        ASSERT_EQ(TqExecuteApp(&process, file, c.parameters, 0, c.runAs, c.defaultVerb), 1);
        EXPECT_EQ(TqWaitAppQuit(exitCode, process, GetProcessId(process), kWait, 0), 1);
        EXPECT_EQ(exitCode, c.exitCode) << "runAs " << c.runAs << " default " << c.defaultVerb;
        // Waiting for it, the verb is open (or runas): never the default verb.
        EXPECT_EQ(TqExecuteAppAndWait(exitCode, file, c.parameters, 0, kWait, c.runAs), 1);
        EXPECT_EQ(exitCode, c.defaultVerb && !c.runAs ? 11 : c.exitCode);
    }
    EXPECT_EQ(TqExecuteApp(nullptr, kHelper.c_str(), "exit 3", 0, 0, 0), 1);

    // Before Vista elevation is not asked for: the verb follows useDefaultVerb.
    EXPECT_EQ(RunAsVersion("winxp", "launch \"" + document + "\" 1 0"), 11);
    EXPECT_EQ(RunAsVersion("winxp", "launch \"" + document + "\" 1 1"), 13);

    // A time-out leaves the process running.
    int exitCode = -1;
    EXPECT_EQ(TqExecuteAppAndWait(exitCode, kHelper.c_str(), "close 1", 1, 0, 0), 0);
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(PostMessageA(WaitForWindow("TqClose 0"), WM_CLOSE, 0, 0)) << "it still runs";
}
