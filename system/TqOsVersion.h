#pragma once

/// \file
/// Tests of the running Windows version. The two system tests ask the system
/// (`GetVersionExA`) once per process and keep the answer in unguarded
/// process-wide variables.

#include "../library/TqExport.h"

/// Whether the system is Windows XP (NT 5.1) or later.
/// \return 1 on Windows XP or later, else 0 (also when the version cannot be
///         read, which is kept).
TQ_API int TqIsXpOrLater();

/// Whether the system is Windows Vista (NT 6.0) or later. A failed version
/// read is not kept: the next call asks again.
/// \return 1 on Windows Vista or later, else 0.
TQ_API int TqIsVistaOrLater();

/// Compares two versions as unsigned numbers, major first.
/// \return 1 when version major1.minor1 is not later than major2.minor2,
///         else 0.
TQ_API int TqIsVersionValid(const unsigned long& major1, const unsigned long& minor1,
                            const unsigned long& major2, const unsigned long& minor2);
