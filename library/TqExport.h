#pragma once

// TQ_API marks what TqCommon.dll exports; applications see the same
// declarations as imports.
#if defined(TQCOMMON_BUILD)
#define TQ_API __declspec(dllexport)
#else
#define TQ_API __declspec(dllimport)
#endif
