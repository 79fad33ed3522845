#include "system/TqResource.h"

void* TqLoadResource(unsigned long* size, HINSTANCE module, const char* name, const char* type)
{
    const HRSRC found = FindResourceA(module, name, type);
    if (!found)
        return nullptr;
    if (size)
        *size = SizeofResource(module, found);
    const HGLOBAL loaded = LoadResource(module, found);
    if (!loaded)
        return nullptr;
    return LockResource(loaded);
}
