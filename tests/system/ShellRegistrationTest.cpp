// Shell file-type registration in HKEY_CLASSES_ROOT of the test prefix:
// every key and value read back with its type and bytes, what the check
// accepts, removal, the shell's notification, a whole-root comparison showing
// that nothing else changes, and a document opened through the registration.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <shlobj.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "MsgBoxCatcher.h"
#include "SystemTestSupport.h"
#include "TestWindow.h"

namespace {

// Value name ("" for the default value) -> type and bytes.
using RegistryValues = std::map<std::string, std::pair<DWORD, std::string>>;
// Key path below the root -> its values; every key is listed, also without values.
using RegistryTree = std::map<std::string, RegistryValues>;

RegistryValues ValuesOf(HKEY key)
{
    RegistryValues values;
    DWORD longestName = 0;
    DWORD largestData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &longestName, &largestData, nullptr, nullptr);
    std::vector<char> name(longestName + 1);
    std::vector<BYTE> data(largestData + 1);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, data.data(),
                          &size) != ERROR_SUCCESS)
            break;
        values[std::string(name.data(), nameLength)] = {
            type, std::string(reinterpret_cast<const char*>(data.data()), size)};
    }
    return values;
}

void Collect(HKEY root, const std::string& path, RegistryTree& tree)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    tree[path] = ValuesOf(key);
    std::vector<std::string> subKeys;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subKeys.push_back(std::string(name, length));
    }
    RegCloseKey(key);
    const std::string prefix = path.empty() ? "" : path + "\\";
    for (const std::string& subKey : subKeys)
        Collect(root, prefix + subKey, tree);
}

// The key path and everything below it; the whole root for "".
RegistryTree Snapshot(const std::string& path)
{
    RegistryTree tree;
    Collect(HKEY_CLASSES_ROOT, path, tree);
    return tree;
}

bool KeyExists(const std::string& path)
{
    return !Snapshot(path).empty();
}

// A text value as the registry keeps it: the system counts the terminator
// that follows a text stored without it.
std::pair<DWORD, std::string> Text(const std::string& text)
{
    return {REG_SZ, text + '\0'};
}

std::string ShortPath(const std::string& path)
{
    char shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return std::string(shortPath, length < MAX_PATH ? length : 0);
}

// Counts the shell's notifications that file associations changed, received
// by a window of this thread.
class AssociationNotifications {
public:
    AssociationNotifications() : m_window(WS_POPUP)
    {
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Receive)));
        SHChangeNotifyEntry everything = {nullptr, TRUE};
        m_registration = SHChangeNotifyRegister(m_window, SHCNRF_ShellLevel | SHCNRF_InterruptLevel,
                                                SHCNE_ASSOCCHANGED, kMessage, 1, &everything);
    }
    AssociationNotifications(const AssociationNotifications&) = delete;
    AssociationNotifications& operator=(const AssociationNotifications&) = delete;
    ~AssociationNotifications() { SHChangeNotifyDeregister(m_registration); }

    bool IsListening() const { return m_registration != 0; }

    // The notifications since the last call.
    int Take()
    {
        PumpMessages();
        const int count = m_count;
        m_count = 0;
        return count;
    }

private:
    static const UINT kMessage = WM_APP + 61;

    static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self =
            reinterpret_cast<AssociationNotifications*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == kMessage) {
            if (static_cast<LONG>(lParam) == SHCNE_ASSOCCHANGED)
                ++self->m_count;
            return 0;
        }
        return CallWindowProcA(self->m_previous, window, message, wParam, lParam);
    }

    TestWindow m_window;
    WNDPROC m_previous = nullptr;
    ULONG m_registration = 0;
    int m_count = 0;
};

const char kExt[] = ".tqgeneral";
const char kProgId[] = "TqTest.General";

}  // namespace

TEST(ShellRegistration, GeneralFormWritesTheRowsItsArgumentsCallFor)
{
    const ScopedRegistryCleanup cleanup(HKEY_CLASSES_ROOT, {kExt, kProgId});
    const std::string app = HelperPath();
    const std::string shortPath = ShortPath(app);
    ASSERT_FALSE(shortPath.empty());

    ASSERT_EQ(TqRegisterAppExt(kExt, 0, kProgId, "General type", app.c_str(), 7, 0, 0), 1);
    EXPECT_EQ(Snapshot(kExt), (RegistryTree{{kExt, {{"", Text(kProgId)}}}}));
    const RegistryTree expected = {
        {kProgId, {{"", Text("General type")}}},
        {std::string(kProgId) + "\\DefaultIcon", {{"", Text(shortPath + ",7")}}},
        {std::string(kProgId) + "\\shell", {}},
        {std::string(kProgId) + "\\shell\\open", {}},
        {std::string(kProgId) + "\\shell\\open\\command", {{"", Text(shortPath + " %1")}}},
    };
    EXPECT_EQ(Snapshot(kProgId), expected);
    EXPECT_EQ(TqIsAppExtRegisterd(kExt, 0, kProgId, "General type", app.c_str(), 7, 0), 1);

    const struct {
        int shellNew;
        const char* description;
        int iconIndex;
        int useDde;
    } mismatches[] = {
        {1, "General type", 7, 0},  // no ShellNew key
        {0, "general type", 7, 0},  // the text compares case-sensitively
        {0, "General type", 0, 0},
        {0, "General type", 7, 1},  // open command with /dde, DDE keys
    };
    for (const auto& m : mismatches)
        EXPECT_EQ(TqIsAppExtRegisterd(kExt, m.shellNew, kProgId, m.description, app.c_str(),
                                      m.iconIndex, m.useDde),
                  0)
            << m.shellNew << " " << m.description << " " << m.iconIndex << " " << m.useDde;
}

TEST(ShellRegistration, IconIndexMinusOneWritesNoIconAndIgnoresAStaleOne)
{
    const ScopedRegistryCleanup cleanup(HKEY_CLASSES_ROOT, {kExt, kProgId});
    const std::string app = HelperPath();
    ASSERT_EQ(TqRegisterAppExt(kExt, 1, kProgId, "No icon", app.c_str(), -1, 1, 0), 1);
    EXPECT_FALSE(KeyExists(std::string(kProgId) + "\\DefaultIcon"));
    EXPECT_EQ(TqIsAppExtRegisterd(kExt, 1, kProgId, "No icon", app.c_str(), -1, 1), 1);

    RegSetValueA(HKEY_CLASSES_ROOT, (std::string(kProgId) + "\\DefaultIcon").c_str(), REG_SZ,
                 "stale.exe,9", 11);
    EXPECT_EQ(TqIsAppExtRegisterd(kExt, 1, kProgId, "No icon", app.c_str(), -1, 1), 1);
    EXPECT_EQ(TqIsAppExtRegisterd(kExt, 1, kProgId, "No icon", app.c_str(), 9, 1), 0);
    // Rows not asked for are not examined: ShellNew and the DDE keys stay unlooked at.
    EXPECT_EQ(TqIsAppExtRegisterd(kExt, 0, kProgId, "No icon", app.c_str(), -1, 1), 1);
}

TEST(ShellRegistration, MissingOrOverlongItemsAreRefusedWithNothingWritten)
{
    const std::string app = HelperPath();
    const std::string longName(250, 'p');  // its key paths outgrow MAX_PATH
    const std::string longText(MAX_PATH, 'd');
    const std::string longExt = "." + std::string(MAX_PATH, 'e');
    const ScopedRegistryCleanup cleanup(HKEY_CLASSES_ROOT, {kExt, kProgId, longName, longExt});

    // An executable of 257 or 258 bytes whose path, all in 8.3 names, is its
    // own short path: too long for the open command "path /dde".
    const std::string folder = TempPath("tqlong");
    std::string deep = folder;
    while (deep.size() + 22 < 258)
        deep += "\\abcdefgh";
    if (deep.size() < 244)
        deep += "\\" + std::string(244 - deep.size(), 'g');
    ASSERT_EQ(TqCreateDirectoryPath((deep + "\\").c_str()), 1);
    const std::string deepApp = deep + "\\abcdefgh.exe";
    WriteBytes(deepApp, "MZ");
    ASSERT_EQ(ShortPath(deepApp), deepApp);
    ASSERT_GE(deepApp.size() + sizeof " /dde", size_t(MAX_PATH));

    const struct {
        const char* ext;
        const char* progId;
        const char* description;
        const char* app;
    } cases[] = {
        {nullptr, kProgId, "d", app.c_str()},
        {"", kProgId, "d", app.c_str()},
        {kExt, nullptr, "d", app.c_str()},
        {kExt, "", "d", app.c_str()},
        {kExt, kProgId, nullptr, app.c_str()},
        {kExt, kProgId, "", app.c_str()},
        {kExt, kProgId, "d", nullptr},
        {kExt, kProgId, "d", ""},
        {kExt, kProgId, "d", "C:\\no such folder\\tool.exe"},  // no short path
        {kExt, longName.c_str(), "d", app.c_str()},
        {kExt, kProgId, longText.c_str(), app.c_str()},
        {longExt.c_str(), kProgId, "d", app.c_str()},
        {kExt, kProgId, "d", deepApp.c_str()},
    };
    const RegistryTree before = Snapshot("");
    for (const auto& c : cases) {
        for (const int useDde : {0, 1}) {
            EXPECT_EQ(TqRegisterAppExt(c.ext, 1, c.progId, c.description, c.app, 1, useDde, 0), 0)
                << "case " << &c - cases << " dde " << useDde;
            EXPECT_EQ(TqIsAppExtRegisterd(c.ext, 1, c.progId, c.description, c.app, 1, useDde), 0)
                << "case " << &c - cases << " dde " << useDde;
        }
    }
    EXPECT_TRUE(Snapshot("") == before) << "nothing written";
    RemoveTree(folder);
}

TEST(ShellRegistration, RemovalDeletesBothKeysWithEverythingBelow)
{
    const ScopedRegistryCleanup cleanup(HKEY_CLASSES_ROOT, {kExt, kProgId});
    AssociationNotifications notifications;
    ASSERT_TRUE(notifications.IsListening());

    ASSERT_EQ(TqRegisterAppExt(kExt, 1, kProgId, "Removed", HelperPath().c_str(), 1, 1, 1), 1);
    EXPECT_EQ(notifications.Take(), 1);
    EXPECT_EQ(TqUnregisterAppExt(kExt, kProgId, 1), 1);
    EXPECT_EQ(notifications.Take(), 1);
    EXPECT_FALSE(KeyExists(kExt));
    EXPECT_FALSE(KeyExists(kProgId));

    EXPECT_EQ(TqUnregisterAppExt(kExt, kProgId, 1), 1);
    EXPECT_EQ(TqUnregisterAppExt(nullptr, "", 1), 1);
    EXPECT_EQ(notifications.Take(), 0) << "nothing was deleted";

    TqNotifyAppExtRegistration();
    EXPECT_EQ(notifications.Take(), 1);
}

namespace {

const char kToolDocument[] = "tool.Document";

// tool.exe, a copy of the helper in a folder of its own, registered as the
// program of the family's document types.
class RegisteredTool {
public:
    RegisteredTool()
        : m_cleanup(HKEY_CLASSES_ROOT, {".toy", ".top", kToolDocument}),
          m_folder(TempPath("tq tool"))
    {
        CreateDirectoryA(m_folder.c_str(), nullptr);
        CopyFileA(HelperPath().c_str(), Path().c_str(), FALSE);
    }
    ~RegisteredTool() { RemoveTree(m_folder); }

    std::string Path() const { return m_folder + "\\tool.exe"; }
    std::string ShortPath() const { return ::ShortPath(Path()); }

private:
    ScopedRegistryCleanup m_cleanup;
    std::string m_folder;
};

std::string Key(const char* key, const char* subKey)
{
    return std::string(key) + "\\" + subKey;
}

// What the ProgID of tool.exe holds after a ".toy" registration.
RegistryTree ToyProgId(const std::string& shortPath)
{
    const std::string dde = shortPath + " /dde";
    return {
        {kToolDocument, {{"", Text("tool" + Cp932(" ドキュメント"))}}},
        {Key(kToolDocument, "DefaultIcon"), {{"", Text(shortPath + ",1")}}},
        {Key(kToolDocument, "shell"), {}},
        {Key(kToolDocument, "shell\\open"), {}},
        {Key(kToolDocument, "shell\\open\\command"), {{"", Text(dde)}}},
        {Key(kToolDocument, "shell\\open\\ddeexec"), {{"", Text("[open(\"%1\")]")}}},
        {Key(kToolDocument, "shell\\print"), {}},
        {Key(kToolDocument, "shell\\print\\command"), {{"", Text(dde)}}},
        {Key(kToolDocument, "shell\\print\\ddeexec"), {{"", Text("[print(\"%1\")]")}}},
        {Key(kToolDocument, "shell\\printto"), {}},
        {Key(kToolDocument, "shell\\printto\\command"), {{"", Text(dde)}}},
        {Key(kToolDocument, "shell\\printto\\ddeexec"),
         {{"", Text("[printto(\"%1\",\"%2\",\"%3\",\"%4\")]")}}},
    };
}

}  // namespace

TEST(ShellRegistration, ToyTypeWithShellNewIconAndDde)
{
    const RegisteredTool tool;
    ASSERT_EQ(TqRegisterAppExt(1, tool.Path().c_str(), 0), 1);

    const RegistryTree extension = {
        {".toy", {{"", Text(kToolDocument)}}},
        {".toy\\ShellNew", {{"NullFile", {REG_SZ, ""}}}},
    };
    EXPECT_EQ(Snapshot(".toy"), extension);
    EXPECT_EQ(Snapshot(kToolDocument), ToyProgId(tool.ShortPath()));
    EXPECT_EQ(TqIsAppExtRegisterd(1, tool.Path().c_str()), 1);
    EXPECT_EQ(TqIsAppExtRegisterd(0, tool.Path().c_str()), 0) << "no .top key";
}

TEST(ShellRegistration, TopTypeOpensWithTheDocumentsPath)
{
    const RegisteredTool tool;
    ASSERT_EQ(TqRegisterAppExt(0, tool.Path().c_str(), 0), 1);

    EXPECT_EQ(Snapshot(".top"), (RegistryTree{{".top", {{"", Text(kToolDocument)}}}}));
    const RegistryTree progId = {
        {kToolDocument, {{"", Text("tool" + Cp932(" ドキュメント"))}}},
        {Key(kToolDocument, "DefaultIcon"), {{"", Text(tool.ShortPath() + ",1")}}},
        {Key(kToolDocument, "shell"), {}},
        {Key(kToolDocument, "shell\\open"), {}},
        {Key(kToolDocument, "shell\\open\\command"), {{"", Text(tool.ShortPath() + " %1")}}},
    };
    EXPECT_EQ(Snapshot(kToolDocument), progId);
    EXPECT_EQ(TqIsAppExtRegisterd(0, tool.Path().c_str()), 1);
}

TEST(ShellRegistration, TopAfterToySharesTheProgIdAndKeepsTheDdeKeys)
{
    const RegisteredTool tool;
    ASSERT_EQ(TqRegisterAppExt(1, tool.Path().c_str(), 0), 1);
    ASSERT_EQ(TqRegisterAppExt(0, tool.Path().c_str(), 0), 1);

    RegistryTree expected = ToyProgId(tool.ShortPath());
    expected[Key(kToolDocument, "shell\\open\\command")] = {{"", Text(tool.ShortPath() + " %1")}};
    EXPECT_EQ(Snapshot(kToolDocument), expected);
    EXPECT_EQ(TqIsAppExtRegisterd(0, tool.Path().c_str()), 1);
    EXPECT_EQ(TqIsAppExtRegisterd(1, tool.Path().c_str()), 0) << "the open command differs";

    ASSERT_EQ(TqRegisterAppExt(1, tool.Path().c_str(), 0), 1);
    EXPECT_EQ(Snapshot(kToolDocument), ToyProgId(tool.ShortPath()));
    EXPECT_EQ(TqIsAppExtRegisterd(0, tool.Path().c_str()), 0);
}

TEST(ShellRegistration, RegisteringAgainWritesNothingAndDoesNotNotify)
{
    const RegisteredTool tool;
    AssociationNotifications notifications;
    ASSERT_TRUE(notifications.IsListening());
    ASSERT_EQ(TqRegisterAppExt(1, tool.Path().c_str(), 1), 1);
    EXPECT_EQ(notifications.Take(), 1);

    // The check only asks for NullFile's presence: a registration that wrote
    // again would empty it.
    HKEY shellNew = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, ".toy\\ShellNew", 0, KEY_ALL_ACCESS, &shellNew),
              ERROR_SUCCESS);
    RegSetValueExA(shellNew, "NullFile", 0, REG_SZ, reinterpret_cast<const BYTE*>("mark"), 5);
    RegCloseKey(shellNew);
    const RegistryTree before = Snapshot("");

    EXPECT_EQ(TqRegisterAppExt(1, tool.Path().c_str(), 1), 1);
    EXPECT_EQ(notifications.Take(), 0);
    EXPECT_TRUE(Snapshot("") == before);
}

TEST(ShellRegistration, RegistrationChangesNothingOutsideItsKeys)
{
    const RegisteredTool tool;
    const RegistryTree before = Snapshot("");
    ASSERT_EQ(TqRegisterAppExt(1, tool.Path().c_str(), 1), 1);
    ASSERT_EQ(TqRegisterAppExt(0, tool.Path().c_str(), 1), 1);
    RegistryTree after = Snapshot("");

    std::vector<std::string> added;
    for (const auto& key : after) {
        if (!before.count(key.first))
            added.push_back(key.first);
    }
    const std::vector<std::string> expected = {
        ".top", ".toy", ".toy\\ShellNew", kToolDocument,
        Key(kToolDocument, "DefaultIcon"), Key(kToolDocument, "shell"),
        Key(kToolDocument, "shell\\open"), Key(kToolDocument, "shell\\open\\command"),
        Key(kToolDocument, "shell\\open\\ddeexec"), Key(kToolDocument, "shell\\print"),
        Key(kToolDocument, "shell\\print\\command"), Key(kToolDocument, "shell\\print\\ddeexec"),
        Key(kToolDocument, "shell\\printto"), Key(kToolDocument, "shell\\printto\\command"),
        Key(kToolDocument, "shell\\printto\\ddeexec"),
    };
    EXPECT_EQ(added, expected);
    for (const std::string& key : expected)
        after.erase(key);
    EXPECT_TRUE(after == before) << "keys outside the registration are unchanged";

    EXPECT_EQ(TqUnregisterAppExt(1, tool.Path().c_str(), 1), 1);
    EXPECT_EQ(TqUnregisterAppExt(0, tool.Path().c_str(), 1), 1);
    EXPECT_TRUE(Snapshot("") == before) << "removal restores the root";
}

TEST(ShellRegistration, TypeRemovalTakesTheFileNameOfAPathOrABareName)
{
    const RegisteredTool tool;
    AssociationNotifications notifications;
    ASSERT_EQ(TqUnregisterAppExt(1, "tool.exe", 1), 1);
    EXPECT_EQ(notifications.Take(), 0) << "never registered";

    ASSERT_EQ(TqRegisterAppExt(1, tool.Path().c_str(), 0), 1);
    ASSERT_EQ(TqRegisterAppExt(0, tool.Path().c_str(), 0), 1);
    EXPECT_EQ(TqUnregisterAppExt(1, tool.Path().c_str(), 1), 1);
    EXPECT_EQ(notifications.Take(), 1);
    EXPECT_FALSE(KeyExists(".toy"));
    EXPECT_FALSE(KeyExists(kToolDocument));
    EXPECT_TRUE(KeyExists(".top"));

    ASSERT_EQ(TqRegisterAppExt(0, tool.Path().c_str(), 0), 1);
    EXPECT_EQ(TqUnregisterAppExt(0, "tool.exe", 0), 1);
    EXPECT_FALSE(KeyExists(".top"));
    EXPECT_FALSE(KeyExists(kToolDocument));
}

TEST(ShellRegistration, PathsWithoutAFileNameAreRefused)
{
    const ScopedRegistryCleanup cleanup(HKEY_CLASSES_ROOT, {".toy", ".top", ".Document"});
    RegSetValueA(HKEY_CLASSES_ROOT, ".Document", REG_SZ, "other", 5);
    const RegistryTree before = Snapshot("");
    const std::string folder = TempPath("");
    for (const char* path : {static_cast<const char*>(nullptr), "", folder.c_str()}) {
        EXPECT_EQ(TqRegisterAppExt(1, path, 0), 0);
        EXPECT_EQ(TqIsAppExtRegisterd(1, path), 0);
        EXPECT_EQ(TqUnregisterAppExt(1, path, 0), 1);
    }
    EXPECT_TRUE(Snapshot("") == before) << "no \".Document\" ProgID written or removed";
}

TEST(ShellRegistration, ADocumentOpensInTheRegisteredProgram)
{
    const ScopedRegistryCleanup cleanup(HKEY_CLASSES_ROOT, {".top", "tqtest_helper.Document"});
    ASSERT_EQ(TqRegisterAppExt(0, HelperPath().c_str(), 1), 1);
    // The helper, opened as the document's program, ends with the number the
    // document holds. The short form keeps blanks out of the unquoted %1.
    const std::string folder = TempPath("tq documents");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "\\x.top", "42");
    const std::string document = ShortPath(folder + "\\x.top");
    ASSERT_FALSE(document.empty());

    int exitCode = -1;
    EXPECT_EQ(TqExecuteAppAndWait(exitCode, document.c_str(), nullptr, 0, 30000, 0), 1);
    EXPECT_EQ(exitCode, 42);

    EXPECT_EQ(TqUnregisterAppExt(0, "tqtest_helper.exe", 1), 1);
    MsgBoxCatcher catcher(IDOK);  // the shell reports the unknown type in a box
    EXPECT_EQ(TqExecuteAppAndWait(exitCode, document.c_str(), nullptr, 0, 30000, 0), 0);
    EXPECT_EQ(exitCode, 0);
    RemoveTree(folder);
}
