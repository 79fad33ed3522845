#pragma once

// Where virtual member functions sit in their class's vtable, the slots that
// applications built against the library call through. A slot is read from
// the pointer to member as the Itanium C++ ABI represents it: 1 plus the
// slot's byte offset. Slots 0 and 1 of a class without a base hold its two
// destructors.
#include <cstdint>
#include <cstring>

template <class Function>
long VtableSlot(Function function)
{
    std::uintptr_t word;
    std::memcpy(&word, &function, sizeof word);
    return static_cast<long>((word - 1) / sizeof(void*));
}

// The index of the first of functions not in slot first + its index, or -1.
template <class... Functions>
int FirstMisplaced(long first, Functions... functions)
{
    const long slots[] = {VtableSlot(functions)...};
    for (long i = 0; i < long(sizeof...(functions)); ++i) {
        if (slots[i] != first + i)
            return static_cast<int>(i);
    }
    return -1;
}
