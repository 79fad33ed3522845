#pragma once

/// \file
/// Access to a resource of a loaded module.

#include <windows.h>

#include "../library/TqExport.h"

/// The data of the resource name of type type in module (either may be an
/// integer id made with `MAKEINTRESOURCE`).
///
/// For the library's own resources pass TqGetLibraryInstance() as module.
/// \param size Null, or receives the resource's size in bytes once the
///        resource is found, even if loading it then fails.
/// \param module The module that holds the resource.
/// \param name The resource's name or id.
/// \param type The resource's type name or id (for example `RT_BITMAP`).
/// \return The data, or null when the resource is not found or cannot be
///         loaded. The data is read-only, stays valid while the module is
///         loaded and is never freed by the caller.
TQ_API void* TqLoadResource(unsigned long* size, HINSTANCE module, const char* name,
                            const char* type);
