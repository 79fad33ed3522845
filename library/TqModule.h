#pragma once

/// \file
/// The library's own module handle.

#include <windows.h>

#include "TqExport.h"

/// The instance handle of TqCommon.dll itself, recorded when the library is
/// loaded.
///
/// The library's own resources (the button faces of TqResourceIds.h, the
/// manifest) live in this module, not in the application's: pass this handle,
/// not `GetModuleHandleA(NULL)`, to `LoadBitmapA` or TqLoadResource() for them.
/// Window classes, by contrast, are registered under the application's module.
///
/// \return The handle, recorded by the library's entry point at its first call
///         (whatever the reason code). Null only if the entry point has not run,
///         which cannot happen for a loaded library. The handle is not
///         reference-counted and must not be freed.
TQ_API HINSTANCE TqGetLibraryInstance();
