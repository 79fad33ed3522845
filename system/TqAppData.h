#pragma once

/// \file
/// Machine-wide values of an application: named values of any registry type
/// in the key `HKEY_LOCAL_MACHINE\SOFTWARE\company\application`.
///
/// Every text must be neither null nor empty; the key's default (unnamed)
/// value is never used. Each call opens and closes the key itself; writing
/// under `HKEY_LOCAL_MACHINE` usually needs administrator rights. No message is
/// shown.

#include "../library/TqExport.h"

/// Writes valueName with type and the size bytes at data (passed on
/// unchanged), creating the key when needed.
/// \param company The company's name: the first key below SOFTWARE.
/// \param application The application's name: the key below company.
/// \param valueName The value's name.
/// \param type The registry type (`REG_SZ`, `REG_DWORD`, `REG_BINARY`, ...).
/// \param data The bytes to store, as the registry expects them for type
///        (a `REG_SZ` text with its NUL counted in size).
/// \param size The number of bytes at data.
/// \return 1 when the value was written; 0 for a null or empty text, null
///         data, size 0, or a key or value that cannot be written.
TQ_API int TqRegisterAppData(const char* company, const char* application, const char* valueName,
                             unsigned long type, const unsigned char* data, unsigned long size);

/// Whether valueName exists with a size other than 0. Creates nothing.
/// \return 1 when present, else 0 (also for a null or empty text or a key
///         that cannot be opened).
TQ_API int TqIsAppDataRegisterd(const char* company, const char* application,
                                const char* valueName);

/// Deletes valueName (the key and its other values stay).
/// \return 1 when it was deleted; 2 when it was not present (nothing changes;
///         also for a null or empty text); 0 when its deletion failed.
TQ_API int TqUnregisterAppData(const char* company, const char* application,
                               const char* valueName);
