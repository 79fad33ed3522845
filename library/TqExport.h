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

/// \def TQ_NEW_VIRTUAL_CREATE_BEGIN
/// Opens the declaration of a control's own `Create`.
///
/// Each control declares a new virtual `Create` with the parameters that
/// control needs, beside `CTqWnd::Create` and not in its place: the base
/// version stays reachable through a `CTqWnd` reference. Compilers that warn
/// when a derived class hides a virtual overload (`-Woverloaded-virtual`) are
/// told that this hiding is intended, for these declarations only.
/// \def TQ_NEW_VIRTUAL_CREATE_END
/// Closes what TQ_NEW_VIRTUAL_CREATE_BEGIN opened.
#if defined(__GNUC__)
#define TQ_NEW_VIRTUAL_CREATE_BEGIN \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Woverloaded-virtual\"")
#define TQ_NEW_VIRTUAL_CREATE_END _Pragma("GCC diagnostic pop")
#else
#define TQ_NEW_VIRTUAL_CREATE_BEGIN
#define TQ_NEW_VIRTUAL_CREATE_END
#endif
