#pragma once

#include <windows.h>

#include "TqExport.h"

// The instance handle of TqCommon.dll itself, recorded when the library is
// loaded. The library's own resources (bitmaps, manifest) live in this module,
// not in the application's.
TQ_API HINSTANCE TqGetLibraryInstance();
