#pragma once

#include <windows.h>

#include "../library/TqExport.h"

// Access to a resource of a loaded module.

// The data of the resource name of type type in module (either may be an
// integer id made with MAKEINTRESOURCE), or null. The data is read-only, stays
// valid while the module is loaded and is never freed by the caller. When size
// is not null it receives the resource's size once the resource is found,
// even if loading it then fails.
TQ_API void* TqLoadResource(unsigned long* size, HINSTANCE module, const char* name,
                            const char* type);
