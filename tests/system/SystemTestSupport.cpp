#include "SystemTestSupport.h"

#include <TqCommon.h>

#include <shlwapi.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "HelperProcess.h"

std::string Cp932(const char* utf8)
{
    wchar_t wide[512];
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 512);
    char bytes[1024];
    const int length =
        WideCharToMultiByte(932, 0, wide, units, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, length > 0 ? length - 1 : 0);
}

std::string HelperPath()
{
    return HelperProcess::BesideTests("tqtest_helper.exe");
}

std::string TempPath(const std::string& name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return folder + name;
}

int RunToEnd(const std::string& program, const char* arguments)
{
    const int kNotRun = -1000;
    void* process = nullptr;
    unsigned long processId = 0;
    if (!TqExecuteApp(process, processId, program.c_str(), arguments, 0))
        return kNotRun;
    int exitCode = 0;
    if (TqWaitAppQuit(exitCode, process, processId, 30000, 0))
        return exitCode;
    TerminateProcess(process, 1);
    CloseHandle(process);
    return kNotRun;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveTree(const std::string& folder)
{
    for (const std::string& name : FolderNames(folder)) {
        const std::string path = folder + "\\" + name;
        if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : m_name(name)
{
    char old[32767];
    const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
    m_had = length > 0 && length < sizeof old;
    if (m_had)
        m_old.assign(old, length);
    SetEnvironmentVariableA(name, value.c_str());
}

ScopedEnvironment::~ScopedEnvironment()
{
    SetEnvironmentVariableA(m_name.c_str(), m_had ? m_old.c_str() : nullptr);
}

ScopedRegistryCleanup::ScopedRegistryCleanup(HKEY root, std::vector<std::string> keys)
    : m_root(root), m_keys(std::move(keys))
{
    for (const std::string& key : m_keys)
        SHDeleteKeyA(m_root, key.c_str());
}

ScopedRegistryCleanup::~ScopedRegistryCleanup()
{
    for (const std::string& key : m_keys)
        SHDeleteKeyA(m_root, key.c_str());
}

VersionedHelper::VersionedHelper(const char* version)
{
    const std::string name = std::string("tqtest_helper_") + version + ".exe";
    m_path = HelperProcess::BesideTests(name.c_str());
    CopyFileA(HelperPath().c_str(), m_path.c_str(), FALSE);
    m_settingKey = "Software\\Wine\\AppDefaults\\" + name;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, m_settingKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(lstrlenA(version) + 1));
        RegCloseKey(key);
    }
}

VersionedHelper::~VersionedHelper()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, m_settingKey.c_str());
    DeleteFileA(m_path.c_str());
}
