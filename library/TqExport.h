#pragma once

/// \file
/// The export macro of TqCommon.dll.

/// \def TQ_API
/// Marks what TqCommon.dll exports; applications see the same declarations
/// as imports.
///
/// The library's own build defines TQCOMMON_BUILD and gets
/// `__declspec(dllexport)`; every other translation unit, applications
/// included, gets `__declspec(dllimport)`.
#if defined(TQCOMMON_BUILD)
#define TQ_API __declspec(dllexport)
#else
#define TQ_API __declspec(dllimport)
#endif
