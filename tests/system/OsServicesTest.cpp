// OS version, debugger output, console, directory chains and resources on the
// real system: helper copies to which Wine reports another Windows version,
// the debugger's texts caught on their way, a real console read back, real
// folders with double-byte names.
#include "SystemTestSupport.h"

namespace {

// The texts sent to the debugger while it is set: the exception that carries
// each to a debugger passes this first-chance handler on its way.
std::vector<std::string>* t_debugTexts = nullptr;

LONG CALLBACK CatchDebugText(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode == DBG_PRINTEXCEPTION_C && t_debugTexts && record.NumberParameters >= 2)
        t_debugTexts->emplace_back(reinterpret_cast<const char*>(record.ExceptionInformation[1]));
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

TEST(OsVersion, CachedAnswersFollowTheReportedWindowsVersion)
{
    // The helper asks twice; exit code bit 0 is TqIsXpOrLater, bit 1 TqIsVistaOrLater.
    const struct { const char* version; int answers; } cases[] = {
        {"win2k", 0}, {"winxp", 1}, {"vista", 3}, {"win7", 3}};
    for (const auto& c : cases)
        EXPECT_EQ(RunAsVersion(c.version, "osversion"), c.answers) << c.version;

    const struct { unsigned long major1, minor1, major2, minor2; int valid; } versions[] = {
        {5, 1, 5, 1, 1}, {5, 2, 5, 1, 0}, {4, 9, 5, 0, 1}, {6, 0, 5, 9, 0},
        {5, 0, 5, 1, 1}, {0, 0, 0, 0, 1}, {0xFFFFFFFF, 0, 1, 0, 0}, {1, 0xFFFFFFFF, 2, 0, 1}};
    for (const auto& v : versions)
        EXPECT_EQ(TqIsVersionValid(v.major1, v.minor1, v.major2, v.minor2), v.valid)
            << v.major1 << "." << v.minor1 << " against " << v.major2 << "." << v.minor2;
}

TEST(DebugOutput, TextsReachTheDebuggerCutAt255Characters)
{
    std::string text;
    while (text.size() < 300)
        text += static_cast<char>('a' + text.size() % 26);
    const std::string cut = text.substr(0, 255);
    std::vector<std::string> texts;
    t_debugTexts = &texts;
    void* const handler = AddVectoredExceptionHandler(1, CatchDebugText);
    // Each text, then "<result> tq!" formatted with %d %s%c.
    for (const std::string& sent : {text.substr(0, 10), cut, text.substr(0, 256), text})
        TqOutputDebugString("%d %s%c", TqOutputDebugString("%s", sent.c_str()), "tq", '!');
    EXPECT_EQ(TqOutputDebugString(nullptr), 0);
    RemoveVectoredExceptionHandler(handler);
    t_debugTexts = nullptr;
    EXPECT_EQ(texts, (std::vector<std::string>{text.substr(0, 10), "10 tq!", cut, "255 tq!", cut,
                                               "-1 tq!", cut, "-1 tq!"}));
}

TEST(Console, WritesReachANewConsoleAndNothingElse)
{
    // A bit for each step of the helper's: alloc, write, null refused, pipe
    // refused, free, and the text seen on the console.
    EXPECT_EQ(RunToEnd(kHelper, "console"), 0x3F);
}

TEST(DirectoryPath, MakesEveryFolderUpToTheLastBackslash)
{
    const TempFolder scratch;
    scratch.WriteFile("file", "x");
    // 表示 and ソフト hold the double-byte characters 0x95 0x5C and 0x83 0x5C.
    const std::string display = Cp932("表示");
    const std::string software = Cp932("ソフト");
    const size_t room = MAX_PATH - scratch.Path().size() - 1;  // a path of MAX_PATH bytes
    const struct { std::string path; int result; } cases[] = {
        {display + "\\" + software + "\\" + Cp932("能力.txt"), 1},
        {"a\\b\\c\\", 1},
        {"a\\b\\c\\", 1},  // all there already
        {"e\\\x95", 1},  // a lead byte cut off by the end of the text
        {"file\\sub\\", 0},
        {"made\\..\\file\\sub\\", 0},  // what was made before the file stays
        {("fits\\" + std::string(room, 'n')).substr(0, room), 1},
        {("over\\" + std::string(room, 'n')).substr(0, room + 1), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TqCreateDirectoryPath((scratch / c.path).c_str()), c.result) << c.path;
    EXPECT_EQ(TqCreateDirectoryPath(nullptr), 0);
    EXPECT_EQ(TqCreateDirectoryPath(""), 0);

    EXPECT_EQ(scratch.List(), (std::vector<std::string>{"a", "a\\b", "a\\b\\c", "e", "file", "fits",
                                              "made", display, display + "\\" + software}));
}

TEST(Resource, DataOfTheProgramAndTheLibrary)
{
    const HINSTANCE program = GetModuleHandleA(nullptr);
    const struct { HINSTANCE module; const char *name, *type; std::string data; } found[] = {
        {program, "TQNAMED", "TQTYPE", std::string("named\0data", 10)},
        {TqGetLibraryInstance(), MAKEINTRESOURCEA(2), RT_MANIFEST,
         "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""},
    };
    for (const auto& f : found) {
        unsigned long size = 0;
        const auto* data =
            static_cast<const char*>(TqLoadResource(&size, f.module, f.name, f.type));
        ASSERT_NE(data, nullptr);
        const std::string bytes(data, size);  // the manifest only contains the text
        EXPECT_EQ(f.module == program ? bytes : f.data, f.data);
        EXPECT_NE(bytes.find(f.data), std::string::npos);
        EXPECT_EQ(TqLoadResource(nullptr, f.module, f.name, f.type), data);
    }
    unsigned long size = 12345;
    EXPECT_EQ(TqLoadResource(&size, program, MAKEINTRESOURCEA(202), RT_RCDATA), nullptr);
    EXPECT_EQ(TqLoadResource(&size, program, "TQNAMED", RT_RCDATA), nullptr);
    EXPECT_EQ(size, 12345u) << "not found: size untouched";
}
