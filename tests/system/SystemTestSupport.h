#pragma once

// What the system-service tests share: their support headers, the helper
// program, registry keys removed around a test, and registry listings.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "CodePage.h"
#include "MsgBoxCatcher.h"
#include "TempFolder.h"
#include "TestWindow.h"

// The full path of a file beside the running test program.
inline std::string BesideTests(const std::string& fileName)
{
    char path[MAX_PATH];
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return program.substr(0, program.find_last_of("\\/") + 1) + fileName;
}

inline const std::string kHelper = BesideTests("tqtest_helper.exe");

// Starts program directly and waits up to 30 seconds for it to end: its exit
// code, or -1000 when it could not be started or did not end.
inline int RunToEnd(const std::string& program, const char* arguments, int closeWindow = 0)
{
    void* process = nullptr;
    unsigned long id = 0;
    int exitCode = 0;
    if (!TqExecuteApp(process, id, program.c_str(), arguments, 0))
        return -1000;
    if (TqWaitAppQuit(exitCode, process, id, 30000, closeWindow))
        return exitCode;
    TerminateProcess(process, 1);
    CloseHandle(process);
    return -1000;
}

// Waits until a visible window with this title exists.
inline HWND WaitForWindow(const char* title)
{
    HWND window = nullptr;
    for (int i = 0; i < 300 && !IsWindowVisible(window = FindWindowA(nullptr, title)); ++i)
        Sleep(100);
    return window;
}

// Runs a copy of the helper to which Wine reports the Windows version given
// ("win2k", "winxp", "vista", "win7") through its per-program setting.
inline int RunAsVersion(const std::string& version, const std::string& arguments)
{
    const std::string name = "tqtest_helper_" + version + ".exe";
    const std::string copy = BesideTests(name);
    const std::string setting = "Software\\Wine\\AppDefaults\\" + name;
    CopyFileA(kHelper.c_str(), copy.c_str(), FALSE);
    SHSetValueA(HKEY_CURRENT_USER, setting.c_str(), "Version", REG_SZ, version.c_str(),
                static_cast<DWORD>(version.size() + 1));
    const int exitCode = RunToEnd(copy, arguments.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, setting.c_str());
    DeleteFileA(copy.c_str());
    return exitCode;
}

// Deletes registry keys with everything below them when made (what an
// interrupted run left) and again when the test ends, whatever its outcome.
struct RegistryCleanup {
    RegistryCleanup(HKEY r, std::vector<std::string> k) : root(r), keys(std::move(k)) { Delete(); }
    ~RegistryCleanup() { Delete(); }
    void Delete() const
    {
        for (const std::string& key : keys)
            SHDeleteKeyA(root, key.c_str());
    }
    HKEY root;
    std::vector<std::string> keys;
};

// Value name ("" for the default value) -> type and bytes.
using RegistryValues = std::map<std::string, std::pair<DWORD, std::string>>;
// Key path -> its values, for every key listed, also those without values.
using RegistryTree = std::map<std::string, RegistryValues>;

// The key at path with every key below it; "" lists the whole root.
inline RegistryTree Snapshot(const std::string& path, HKEY root = HKEY_CLASSES_ROOT)
{
    RegistryTree tree;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return tree;
    static char name[16384];
    static BYTE data[1 << 20];  // far more than any value of the test prefix
    RegistryValues& values = tree[path];
    DWORD length, size, type;
    for (DWORD i = 0; length = sizeof name, size = sizeof data,
               RegEnumValueA(key, i, name, &length, nullptr, &type, data, &size) == 0; ++i)
        values[std::string(name, length)] = {type,
                                             std::string(reinterpret_cast<char*>(data), size)};
    std::vector<std::string> subKeys;
    for (DWORD i = 0; length = sizeof name,
               RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == 0; ++i)
        subKeys.emplace_back(name, length);
    RegCloseKey(key);
    for (const std::string& subKey : subKeys) {
        RegistryTree below = Snapshot(path.empty() ? subKey : path + "\\" + subKey, root);
        tree.merge(below);
    }
    return tree;
}

inline RegistryTree operator+(RegistryTree tree, RegistryTree more)
{
    tree.merge(more);
    return tree;
}
