#include "TempFolder.h"

#include <TqCommon.h>

#include <algorithm>

namespace {

void ListInto(const std::string& folder, const std::string& prefix, std::vector<std::string>& names)
{
    WIN32_FIND_DATAA found;
    const CTqScopedFindHandle search(FindFirstFileA((folder + "\\" + prefix + "*").c_str(), &found));
    for (BOOL more = search.IsValid(); more; more = FindNextFileA(search.Get(), &found)) {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        names.push_back(prefix + name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListInto(folder, prefix + name + "\\", names);
    }
}

}  // namespace

TempFolder::TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned int serial = 0;
    do {
        m_path = std::string(temp) + "tq" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(++serial);
    } while (!CreateDirectoryA(m_path.c_str(), nullptr));
}

TempFolder::~TempFolder()
{
    // Sorted, everything in a folder comes after it: removed in reverse.
    const std::vector<std::string> names = List();
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (!DeleteFileA((*this / *name).c_str()))
            RemoveDirectoryA((*this / *name).c_str());
    }
    RemoveDirectoryA(m_path.c_str());
}

std::vector<std::string> TempFolder::List() const
{
    std::vector<std::string> names;
    ListInto(m_path, "", names);
    std::sort(names.begin(), names.end());
    return names;
}

std::string TempFolder::WriteFile(const std::string& name, const std::string& bytes) const
{
    const std::string path = *this / name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

std::string TempFolder::ReadFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}
