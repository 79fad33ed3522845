#pragma once

#include <windows.h>

namespace tq {

// An open registry key, closed with its scope.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { Reset(nullptr); }

    // Creates root\path, or opens it when it exists, with every right. The key
    // held before is closed, also when this fails (then none is held).
    bool Create(HKEY root, const char* path)
    {
        HKEY key = nullptr;
        const bool created = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &key,
                                             nullptr) == ERROR_SUCCESS;
        Reset(created ? key : nullptr);
        return created;
    }

    // Opens an existing root\path for reading; never creates it. The key held
    // before is closed, also when this fails (then none is held).
    bool Open(HKEY root, const char* path)
    {
        HKEY key = nullptr;
        const bool opened = RegOpenKeyExA(root, path, 0, KEY_READ, &key) == ERROR_SUCCESS;
        Reset(opened ? key : nullptr);
        return opened;
    }

    operator HKEY() const { return m_key; }

private:
    // Closed only once the new key is open, so that root may be the key held.
    void Reset(HKEY key)
    {
        if (m_key)
            RegCloseKey(m_key);
        m_key = key;
    }

    HKEY m_key = nullptr;
};

}  // namespace tq
