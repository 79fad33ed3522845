// OS version answers, console, debugger output, directory chains and
// resources, each on the real system: version answers in helper copies to
// which Wine reports another Windows version, debugger output caught by this
// test acting as the helper's debugger, a real console read back, real
// folders with double-byte names.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "HelperProcess.h"
#include "SystemTestSupport.h"

namespace {

struct DebugSession {
    std::vector<std::string> texts;
    int exitCode = -1000;
};

// Starts the helper as a debuggee and collects the texts it sends to the
// debugger until it ends.
DebugSession DebugHelper(const std::string& arguments)
{
    DebugSession session;
    std::string commandLine = "\"" + HelperPath() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE,
                        DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &started))
        return session;
    DEBUG_EVENT event;
    while (WaitForDebugEvent(&event, 30000)) {
        DWORD continueStatus = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile)
                CloseHandle(event.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT: {
            const OUTPUT_DEBUG_STRING_INFO& info = event.u.DebugString;
            std::string text(info.nDebugStringLength, '\0');
            SIZE_T read = 0;
            ReadProcessMemory(started.hProcess, info.lpDebugStringData, &text[0], text.size(),
                              &read);
            text.resize(std::strlen(text.c_str()));
            session.texts.push_back(text);
            break;
        }
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                continueStatus = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            session.exitCode = static_cast<int>(event.u.ExitProcess.dwExitCode);
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            break;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return session;
}

std::string Digits(size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += static_cast<char>('0' + i % 10);
    return text;
}

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A fresh folder for one test, removed with everything in it afterwards.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* name) : m_path(TempPath(name))
    {
        RemoveTree(m_path);
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveTree(m_path); }
    std::string operator+(const std::string& relative) const { return m_path + "\\" + relative; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace

TEST(OsVersion, AnswersFollowTheReportedWindowsVersion)
{
    const struct {
        const char* version;
        int xp;
        int vista;
    } cases[] = {
        {"win2k", 0, 0}, {"winxp", 1, 0}, {"vista", 1, 1}, {"win7", 1, 1},
    };
    for (const auto& c : cases) {
        const VersionedHelper helper(c.version);
        EXPECT_EQ(RunToEnd(helper.Path(), "osversion"), c.xp | c.vista << 1) << c.version;
    }
}

TEST(OsVersion, VersionValidWhenTheFirstIsNotLater)
{
    const struct {
        unsigned long major1, minor1, major2, minor2;
        int valid;
    } cases[] = {
        {5, 1, 5, 1, 1}, {5, 2, 5, 1, 0}, {4, 9, 5, 0, 1}, {6, 0, 5, 9, 0},
        {5, 0, 5, 1, 1}, {0, 0, 0, 0, 1}, {0xFFFFFFFF, 0, 1, 0, 0}, {1, 0xFFFFFFFF, 2, 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TqIsVersionValid(c.major1, c.minor1, c.major2, c.minor2), c.valid)
            << c.major1 << "." << c.minor1 << " against " << c.major2 << "." << c.minor2;
}

TEST(DebugOutput, TextsReachTheDebuggerCutAt255Characters)
{
    const struct {
        size_t length;
        int result;
    } cases[] = {{10, 10}, {255, 255}, {256, -1}, {300, -1}};
    for (const auto& c : cases) {
        const DebugSession session = DebugHelper("debug " + std::to_string(c.length));
        const std::vector<std::string> expected = {"42 tq !", Digits(c.length < 255 ? c.length : 255)};
        EXPECT_EQ(session.texts, expected) << c.length << " characters";
        EXPECT_EQ(session.exitCode, c.result) << c.length << " characters";
    }
    EXPECT_EQ(TqOutputDebugString(nullptr), 0);
}

TEST(Console, WritesReachANewConsoleAndNothingElse)
{
    HelperProcess helper("console");
    ASSERT_TRUE(helper.Started());
    EXPECT_EQ(helper.ReadLine(), "alloc=1 write=1 null=0 pipe=0 free=1 seen=[console text]");
    EXPECT_EQ(helper.Wait(30000), 0u);
}

TEST(DirectoryPath, MakesEveryDirectoryUpToTheLastBackslash)
{
    const ScratchFolder scratch("tq dirs");
    // 表示 and ソフト hold the double-byte characters 0x95 0x5C and 0x83 0x5C.
    const std::string display = Cp932("表示");
    const std::string software = Cp932("ソフト");
    const struct {
        std::string path;
        std::vector<std::string> directories;
    } cases[] = {
        {display + "\\" + software + "\\" + Cp932("能力.txt"), {display, display + "\\" + software}},
        {"a\\b\\c\\", {"a", "a\\b", "a\\b\\c"}},
        {"a\\b\\c\\", {"a", "a\\b", "a\\b\\c"}},  // all there already
        {"a\\d\\last", {"a\\d"}},
        {"e\\\x95", {"e"}},  // a lead byte cut off by the end of the text
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TqCreateDirectoryPath((scratch + c.path).c_str()), 1) << c.path;
        for (const std::string& directory : c.directories)
            EXPECT_TRUE(IsDirectory(scratch + directory)) << directory;
    }
    EXPECT_EQ(FolderNames(scratch.Path()), (std::vector<std::string>{"a", "e", display}));
    EXPECT_EQ(FolderNames(scratch + display), std::vector<std::string>{software});
    EXPECT_TRUE(FolderNames(scratch + display + "\\" + software).empty());
    EXPECT_EQ(FolderNames(scratch + "a"), (std::vector<std::string>{"b", "d"}));
    EXPECT_TRUE(FolderNames(scratch + "a\\d").empty()) << "the last element is not made";
}

TEST(DirectoryPath, RefusesFilesInTheWayAndOverlongPaths)
{
    const ScratchFolder scratch("tq dirs refused");
    WriteBytes(scratch + "file", "x");
    EXPECT_EQ(TqCreateDirectoryPath((scratch + "file\\sub\\").c_str()), 0);
    EXPECT_EQ(TqCreateDirectoryPath((scratch + "made\\..\\file\\sub\\").c_str()), 0);
    EXPECT_TRUE(IsDirectory(scratch + "made")) << "directories made before stay";
    EXPECT_EQ(TqCreateDirectoryPath(nullptr), 0);
    EXPECT_EQ(TqCreateDirectoryPath(""), 0);

    for (const size_t length : {size_t(MAX_PATH), size_t(MAX_PATH + 1)}) {
        const std::string folder = scratch + "x" + std::to_string(length);
        std::string path = folder + "\\";
        path += std::string(length - path.size(), 'n');
        ASSERT_EQ(path.size(), length);
        EXPECT_EQ(TqCreateDirectoryPath(path.c_str()), length <= MAX_PATH) << length << " bytes";
        EXPECT_EQ(IsDirectory(folder), length <= MAX_PATH) << length << " bytes";
    }
}

TEST(Resource, DataOfTheProgramAndTheLibrary)
{
    const HINSTANCE program = GetModuleHandleA(nullptr);
    unsigned long size = 0;
    const void* data = TqLoadResource(&size, program, MAKEINTRESOURCEA(201), RT_RCDATA);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(data), size), "tq resource bytes");

    data = TqLoadResource(nullptr, program, "TQNAMED", "TQTYPE");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(data), 10), std::string("named\0data", 10));

    data = TqLoadResource(&size, TqGetLibraryInstance(), MAKEINTRESOURCEA(2), RT_MANIFEST);
    ASSERT_NE(data, nullptr);
    EXPECT_NE(std::string(static_cast<const char*>(data), size).find("Basic Library."),
              std::string::npos);

    size = 12345;
    EXPECT_EQ(TqLoadResource(&size, program, MAKEINTRESOURCEA(202), RT_RCDATA), nullptr);
    EXPECT_EQ(TqLoadResource(&size, program, "TQNAMED", RT_RCDATA), nullptr);
    EXPECT_EQ(size, 12345u) << "not found: size untouched";
}
