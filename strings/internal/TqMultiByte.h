#pragma once

#include <mbstring.h>

// Small helpers for the runtime's multibyte functions, which take unsigned
// characters, shared by the string sources.
namespace tq {

inline const unsigned char* MB(const char* p)
{
    return reinterpret_cast<const unsigned char*>(p);
}

inline unsigned char* MB(char* p)
{
    return reinterpret_cast<unsigned char*>(p);
}

// 1 for a lead byte of the current multibyte code page.
inline int IsLeadByte(char c)
{
    return _ismbblead(static_cast<unsigned char>(c)) != 0;
}

// The byte length of the character at p: 2 for a lead byte with its trail,
// else 1.
inline unsigned int CharLength(const char* p)
{
    return IsLeadByte(p[0]) && p[1] ? 2u : 1u;
}

}  // namespace tq
