#pragma once

#include <windows.h>

namespace tq {

// An open registry key, closed with its scope.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }

    // Creates root\path, or opens it when it exists, with every right.
    bool Create(HKEY root, const char* path)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        m_key = key;
        return true;
    }

    // Opens an existing root\path for reading; never creates it.
    bool Open(HKEY root, const char* path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        m_key = key;
        return true;
    }

    operator HKEY() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace tq
