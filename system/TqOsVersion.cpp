#include "system/TqOsVersion.h"

#include <windows.h>

namespace {

const DWORD kXpMajor = 5;
const DWORD kXpMinor = 1;
const DWORD kVistaMajor = 6;

// Process-wide answers: asked on the first call, kept for the process's life.
int g_xpPending = 1;
int g_xpResult = 0;
int g_vistaPending = 1;
int g_vistaResult = 0;

bool ReadVersion(OSVERSIONINFOA& info)
{
    info = OSVERSIONINFOA();
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) != FALSE;
}

bool IsNt(const OSVERSIONINFOA& info)
{
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

int TqIsXpOrLater()
{
    if (g_xpPending) {
        OSVERSIONINFOA info;
        if (ReadVersion(info) && IsNt(info)) {
            const bool xp = info.dwMajorVersion == kXpMajor && info.dwMinorVersion >= kXpMinor;
            g_xpResult = xp || info.dwMajorVersion > kXpMajor;
        }
        g_xpPending = 0;
    }
    return g_xpResult;
}

int TqIsVistaOrLater()
{
    if (g_vistaPending) {
        OSVERSIONINFOA info;
        if (!ReadVersion(info))
            return g_vistaResult;
        g_vistaResult = IsNt(info) && info.dwMajorVersion >= kVistaMajor;
        g_vistaPending = 0;
    }
    return g_vistaResult;
}

int TqIsVersionValid(const unsigned long& major1, const unsigned long& minor1,
                     const unsigned long& major2, const unsigned long& minor2)
{
    if (major1 != major2)
        return major1 < major2;
    return minor1 <= minor2;
}
