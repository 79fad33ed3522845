#pragma once

#include "../library/TqExport.h"

// Tests of the running Windows version. The two system tests ask the system
// once per process and keep the answer.

// 1 on Windows XP (NT 5.1) or later, else 0.
TQ_API int TqIsXpOrLater();

// 1 on Windows Vista (NT 6.0) or later, else 0. A failed version read is not
// kept: the next call asks again.
TQ_API int TqIsVistaOrLater();

// 1 when version major1.minor1 is not later than major2.minor2, else 0.
TQ_API int TqIsVersionValid(const unsigned long& major1, const unsigned long& minor1,
                            const unsigned long& major2, const unsigned long& minor2);
