#include "system/TqAppData.h"

#include <windows.h>

#include <mbstring.h>

#include <string>

#include "system/internal/TqRegistryKey.h"

namespace {

const int kNotPresent = 2;

bool IsEmptyText(const char* text)
{
    return !text || _mbslen(reinterpret_cast<const unsigned char*>(text)) == 0;
}

bool AreNamesGiven(const char* company, const char* application, const char* valueName)
{
    return !IsEmptyText(company) && !IsEmptyText(application) && !IsEmptyText(valueName);
}

// SOFTWARE\company\application, composed to any length.
std::string AppKeyPath(const char* company, const char* application)
{
    return std::string("SOFTWARE\\") + company + "\\" + application;
}

}  // namespace

int TqRegisterAppData(const char* company, const char* application, const char* valueName,
                      unsigned long type, const unsigned char* data, unsigned long size)
{
    if (!data || size == 0 || !AreNamesGiven(company, application, valueName))
        return 0;
    tq::RegistryKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, AppKeyPath(company, application).c_str()))
        return 0;
    return RegSetValueExA(key, valueName, 0, type, data, size) == ERROR_SUCCESS;
}

int TqIsAppDataRegisterd(const char* company, const char* application, const char* valueName)
{
    if (!AreNamesGiven(company, application, valueName))
        return 0;
    tq::RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, AppKeyPath(company, application).c_str()))
        return 0;
    DWORD size = 0;
    return RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS &&
           size != 0;
}

int TqUnregisterAppData(const char* company, const char* application, const char* valueName)
{
    if (!TqIsAppDataRegisterd(company, application, valueName))
        return kNotPresent;
    tq::RegistryKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, AppKeyPath(company, application).c_str()))
        return 0;
    return RegDeleteValueA(key, valueName) == ERROR_SUCCESS;
}
