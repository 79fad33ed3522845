#pragma once

#include "../library/TqExport.h"

// Machine-wide values of an application: named values of any registry type in
// the key HKEY_LOCAL_MACHINE\SOFTWARE\company\application. Every text must be
// neither null nor empty; the key's default (unnamed) value is never used.

// Writes valueName with type and the size bytes at data (passed on
// unchanged). 1 when the value was written; 0 for a null or empty text, null
// data, size 0, or a key or value that cannot be written.
TQ_API int TqRegisterAppData(const char* company, const char* application, const char* valueName,
                             unsigned long type, const unsigned char* data, unsigned long size);

// 1 when valueName exists with a size other than 0, else 0. Creates nothing.
TQ_API int TqIsAppDataRegisterd(const char* company, const char* application,
                                const char* valueName);

// Deletes valueName (the key and its other values stay). 1 when it was
// deleted, 2 when it was not present (nothing changes), 0 when its deletion
// failed.
TQ_API int TqUnregisterAppData(const char* company, const char* application,
                               const char* valueName);
