// Shell file-type registration in HKEY_CLASSES_ROOT of the test prefix: every
// key and value read back with its type and bytes, the check, removal, the
// shell's notification, whole-root listings showing that nothing else
// changes, and a document opened through the registration.
#include <shlobj.h>

#include "SystemTestSupport.h"

namespace {

const char kExt[] = ".tqgeneral";
const char kProgId[] = "TqTest.General";
const std::string kToolDescription = "tool" + Cp932(" ドキュメント");

// A text value as the registry keeps it: the system counts the terminator
// that follows a text stored without it.
std::pair<DWORD, std::string> Text(const std::string& text)
{
    return {REG_SZ, text + '\0'};
}

// Keys with their default text, and every key on the way to them.
RegistryTree Keys(std::initializer_list<std::pair<std::string, std::string>> texts)
{
    RegistryTree tree;
    for (const auto& [path, text] : texts) {
        for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
            tree[path.substr(0, at)];
        tree[path][""] = Text(text);
    }
    return tree;
}

std::string ShortPath(const std::string& path)
{
    char shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return std::string(shortPath, length < MAX_PATH ? length : 0);
}

// The keys that differ from before, and those of before that are gone.
RegistryTree Changes(const RegistryTree& before, RegistryTree now)
{
    for (const auto& key : before) {
        const auto found = now.find(key.first);
        if (found == now.end())
            now[key.first] = {{"<deleted>", {}}};
        else if (found->second == key.second)
            now.erase(found);
    }
    return now;
}

// The ProgID of tool.exe with its open command, and with dde the print verbs
// and DDE commands of the ".toy" type.
RegistryTree ToolProgId(const std::string& shortPath, const char* open, bool dde)
{
    const std::string id = "tool.Document", verb = id + "\\shell\\";
    const RegistryTree tree = Keys({{id, kToolDescription},
                                    {id + "\\DefaultIcon", shortPath + ",1"},
                                    {verb + "open\\command", shortPath + open}});
    return dde ? tree + Keys({{verb + "open\\ddeexec", "[open(\"%1\")]"},
                              {verb + "print\\command", shortPath + " /dde"},
                              {verb + "print\\ddeexec", "[print(\"%1\")]"},
                              {verb + "printto\\command", shortPath + " /dde"},
                              {verb + "printto\\ddeexec", "[printto(\"%1\",\"%2\",\"%3\",\"%4\")]"}})
               : tree;
}

// Counts the shell's notifications that file associations changed, received
// by a window of this thread.
class AssociationChanges {
public:
    AssociationChanges()
    {
        SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Receive));
        SHChangeNotifyEntry all = {nullptr, TRUE};
        m_id = SHChangeNotifyRegister(m_window, SHCNRF_ShellLevel | SHCNRF_InterruptLevel,
                                      SHCNE_ASSOCCHANGED, WM_APP, 1, &all);
    }
    ~AssociationChanges() { SHChangeNotifyDeregister(m_id); }
    int Take()  // the notifications since the last call
    {
        PumpMessages();
        return std::exchange(s_count, 0);
    }

private:
    static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP && static_cast<LONG>(lParam) == SHCNE_ASSOCCHANGED)
            ++s_count;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static inline int s_count = 0;
    TestWindow m_window{WS_POPUP};
    ULONG m_id = 0;
};

}  // namespace

TEST(ShellRegistration, GeneralFormWritesAndChecksTheRowsItsArgumentsCallFor)
{
    const RegistryCleanup cleanup(HKEY_CLASSES_ROOT, {kExt, kProgId});
    const std::string id = kProgId;
    const char* const app = kHelper.c_str();
    RegistryTree expected = Keys(
        {{kExt, kProgId}, {id, "General type"}, {id + "\\shell\\open\\command", ShortPath(app) + " %1"}});
    for (const int iconIndex : {-1, 7}) {  // -1 writes no icon
        EXPECT_EQ(TqUnregisterAppExt(kExt, kProgId, 0), 1);
        EXPECT_TRUE((Snapshot(kExt) + Snapshot(kProgId)).empty()) << "gone with everything below";
        ASSERT_EQ(TqRegisterAppExt(kExt, 0, kProgId, "General type", app, iconIndex, 0, 0), 1);
        EXPECT_EQ(Snapshot(kExt) + Snapshot(kProgId), expected) << iconIndex;
        expected = expected + Keys({{id + "\\DefaultIcon", ShortPath(app) + ",7"}});
    }
    const struct { int shellNew; const char* description; int iconIndex, useDde, registered; }
    checks[] = {
        {0, "General type", 7, 0, 1},
        {1, "General type", 7, 0, 0},   // no ShellNew key
        {0, "general type", 7, 0, 0},   // the text compares case-sensitively
        {0, "General type", 0, 0, 0},
        {0, "General type", 7, 1, 0},   // open command with /dde, DDE keys
        {0, "General type", -1, 0, 1},  // no icon asked for: DefaultIcon not examined
    };
    for (const auto& c : checks)
        EXPECT_EQ(TqIsAppExtRegisterd(kExt, c.shellNew, kProgId, c.description, app, c.iconIndex,
                                      c.useDde),
                  c.registered)
            << &c - checks;
    EXPECT_EQ(TqUnregisterAppExt(nullptr, "", 1), 1);
}

TEST(ShellRegistration, MissingOrOverlongItemsAreRefusedWithNothingWritten)
{
    const std::string longName(250, 'p');  // its key paths outgrow MAX_PATH
    const std::string longText(MAX_PATH, 'd');
    const std::string longExt = "." + std::string(MAX_PATH, 'e');
    const RegistryCleanup cleanup(HKEY_CLASSES_ROOT,
                                  {kExt, kProgId, longName, longExt, ".toy", ".Document"});
    // An executable of 257 or 258 bytes whose path, all in 8.3 names, is its
    // own short path: too long for the open command "path /dde".
    const TempFolder folder;
    std::string deep = ShortPath(folder.Path());
    while (deep.size() + 22 < 258)
        deep += "\\abcdefgh";
    if (deep.size() < 244)
        deep += "\\" + std::string(244 - deep.size(), 'g');
    ASSERT_EQ(TqCreateDirectoryPath((deep + "\\").c_str()), 1);
    const std::string deepApp = deep + "\\abcdefgh.exe";
    CloseHandle(CreateFileA(deepApp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_EQ(ShortPath(deepApp), deepApp);
    ASSERT_GE(deepApp.size() + sizeof " /dde", size_t(MAX_PATH));

    const char* const app = kHelper.c_str();
    // Null and empty items are refused alike: each item is left out once.
    const struct { const char *ext, *progId, *description, *app; } cases[] = {
        {nullptr, kProgId, "d", app},  {kExt, "", "d", app},
        {kExt, kProgId, nullptr, app}, {kExt, kProgId, "d", ""},
        {kExt, kProgId, "d", "C:\\no such folder\\tool.exe"},  // no short path
        {kExt, longName.c_str(), "d", app},
        {kExt, kProgId, longText.c_str(), app},
        {longExt.c_str(), kProgId, "d", app},
        {kExt, kProgId, "d", deepApp.c_str()},
    };
    // The type forms refuse paths without a file name: no ".Document" ProgID
    // is written or removed.
    RegSetValueA(HKEY_CLASSES_ROOT, ".Document", REG_SZ, "other", 5);
    const RegistryTree before = Snapshot("");
    for (const auto& c : cases) {  // with DDE, whose open command is the longer one
        EXPECT_EQ(TqRegisterAppExt(c.ext, 1, c.progId, c.description, c.app, 1, 1, 0), 0)
            << &c - cases;
        EXPECT_EQ(TqIsAppExtRegisterd(c.ext, 1, c.progId, c.description, c.app, 1, 1), 0);
    }
    const std::string folderOnly = folder.Path() + "\\";
    for (const char* path : {static_cast<const char*>(nullptr), "", folderOnly.c_str()}) {
        EXPECT_EQ(TqRegisterAppExt(1, path, 0), 0);
        EXPECT_EQ(TqIsAppExtRegisterd(1, path), 0);
        EXPECT_EQ(TqUnregisterAppExt(1, path, 0), 1);
    }
    EXPECT_EQ(Changes(before, Snapshot("")), RegistryTree()) << "nothing written";
}

TEST(ShellRegistration, TypeFormsWriteTheirTableAndNothingElseAndOpenDocuments)
{
    // tool.exe, a copy of the helper beside the tests, where its libraries are.
    const std::string tool = BesideTests("tool.exe");
    CopyFileA(kHelper.c_str(), tool.c_str(), FALSE);
    const std::string shortPath = ShortPath(tool);
    const RegistryCleanup cleanup(HKEY_CLASSES_ROOT, {".toy", ".top", "tool.Document"});
    AssociationChanges notifications;
    const RegistryTree before = Snapshot("");
    const auto changes = [&] { return Changes(before, Snapshot("")); };
    const auto registered = [&] {  // the check for ".toy" and ".top"
        return std::to_string(TqIsAppExtRegisterd(1, tool.c_str())) +
               std::to_string(TqIsAppExtRegisterd(0, tool.c_str()));
    };
    RegistryTree toy = Keys({{".toy", "tool.Document"}});
    toy[".toy\\ShellNew"] = {{"NullFile", {REG_SZ, std::string("mark\0", 5)}}};
    const RegistryTree top = Keys({{".top", "tool.Document"}});

    ASSERT_EQ(TqRegisterAppExt(1, tool.c_str(), 1), 1);
    EXPECT_EQ(notifications.Take(), 1);
    // The check asks only for NullFile's presence: writing again would empty it.
    SHSetValueA(HKEY_CLASSES_ROOT, ".toy\\ShellNew", "NullFile", REG_SZ, "mark", 5);
    EXPECT_EQ(TqRegisterAppExt(1, tool.c_str(), 1), 1);
    EXPECT_EQ(notifications.Take(), 0) << "nothing written, nothing to tell";
    EXPECT_EQ(changes(), toy + ToolProgId(shortPath, " /dde", true));
    EXPECT_EQ(registered(), "10");
    EXPECT_EQ(TqIsAppExtRegisterd(".toy", 0, "tool.Document", kToolDescription.c_str(),
                                  tool.c_str(), 1, 1),
              1) << "rows not asked for, here ShellNew, are not examined";

    // ".top" after ".toy" shares the ProgID, keeps the DDE keys, takes the open command.
    ASSERT_EQ(TqRegisterAppExt(0, tool.c_str(), 0), 1);
    EXPECT_EQ(changes(), toy + top + ToolProgId(shortPath, " %1", true));
    EXPECT_EQ(registered(), "01");
    ASSERT_EQ(TqRegisterAppExt(1, tool.c_str(), 0), 1);
    toy[".toy\\ShellNew"] = {{"NullFile", {REG_SZ, ""}}};
    EXPECT_EQ(changes(), toy + top + ToolProgId(shortPath, " /dde", true));
    EXPECT_EQ(registered(), "10");

    // Removal by type takes the file name of a full path, or a bare name.
    EXPECT_EQ(TqUnregisterAppExt(1, tool.c_str(), 1), 1);
    EXPECT_EQ(notifications.Take(), 1);
    EXPECT_EQ(changes(), top);
    ASSERT_EQ(TqRegisterAppExt(0, tool.c_str(), 0), 1);
    EXPECT_EQ(changes(), top + ToolProgId(shortPath, " %1", false));
    EXPECT_EQ(registered(), "01");

    // The shell opens a document in tool.exe, which ends with the number the
    // document holds. The short form keeps blanks out of the unquoted %1.
    const TempFolder folder;
    const std::string document = ShortPath(folder.WriteFile("x.top", "42"));
    int exitCode = -1;
    EXPECT_EQ(TqExecuteAppAndWait(exitCode, document.c_str(), nullptr, 0, 30000, 0), 1);
    EXPECT_EQ(exitCode, 42);

    EXPECT_EQ(TqUnregisterAppExt(0, "tool.exe", 1), 1);
    EXPECT_EQ(TqUnregisterAppExt(0, "tool.exe", 1), 1);
    EXPECT_EQ(notifications.Take(), 1) << "only what deletes something notifies";
    EXPECT_EQ(changes(), RegistryTree());
    DeleteFileA(tool.c_str());
}
