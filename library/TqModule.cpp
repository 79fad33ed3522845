#include "library/TqModule.h"

namespace {
HINSTANCE g_libraryInstance = nullptr;
}

HINSTANCE TqGetLibraryInstance()
{
    return g_libraryInstance;
}

// Records the module handle on the first call, whatever the reason, and never
// refuses to load or unload.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/)
{
    if (!g_libraryInstance)
        g_libraryInstance = instance;
    return TRUE;
}
