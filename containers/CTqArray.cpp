#include "containers/CTqArray.h"

// The exported instantiation, defined once for the whole DLL.
template class CTqArray<char, 2>;
