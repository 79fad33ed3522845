#include "strings/CTqString.h"

#include <cstring>
#include <new>

#include "strings/internal/TqMultiByte.h"
#include "system/TqMsgBox.h"

using tq::MB;

namespace {

// The one sub-string window the library can have open: the byte it replaced
// with NUL and where that byte lives.
struct SubStrWindow {
    char* address = nullptr;
    char saved = 0;
};
SubStrWindow g_window;

// Handed out for empty strings so that their text is never null; reset at
// every use in case a caller wrote into the writable one.
char g_emptyConst = 0;
char g_emptyWritable = 0;

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

}  // namespace

CTqString::CTqString() noexcept : m_hFile(nullptr) {}

CTqString::CTqString(const CTqString& s) : CTqArray<char, 2>(s), m_hFile(nullptr) {}

CTqString::CTqString(const char* p) : m_hFile(nullptr)
{
    if (p && *p)
        *this = p;
}

CTqString::~CTqString()
{
    EndFileMode();
}

CTqString& CTqString::operator=(const CTqString& s)
{
    if (s.IsStrEmpty()) {
        m_nCount = 0;
        return *this;
    }
    return *this = s.m_pBuffer;
}

CTqString& CTqString::operator=(const char* p)
{
    if (!p)
        return *this;
    const size_t length = std::strlen(p);
    if (length == 0) {
        m_nCount = 0;
        return *this;
    }
    // A text no count can describe (only a 64-bit process can have one) is
    // refused before anything changes, never copied in under a wrapped size.
    if (length >= MaxCount())
        throw std::bad_alloc();
    // p may point into this string's own text; it then fits without growth,
    // so the storage stays where it is and an overlapping move is enough.
    ResizeStr(1, static_cast<unsigned int>(length), 0);
    std::memmove(m_pBuffer, p, length + 1);
    return *this;
}

// Conversions and lengths

const char* CTqString::Text() const
{
    if (m_nCount)
        return m_pBuffer;
    g_emptyConst = 0;
    return &g_emptyConst;
}

CTqString::operator const char*() const
{
    return Text();
}

CTqString::operator char*()
{
    if (m_nCount)
        return m_pBuffer;
    g_emptyWritable = 0;
    return &g_emptyWritable;
}

unsigned int CTqString::GetLengthMB() const
{
    return m_nCount ? static_cast<unsigned int>(_mbslen(MB(m_pBuffer))) : 0;
}

unsigned int CTqString::GetLengthWC() const
{
    return m_nCount < 2 ? 0 : (m_nCount - 2) / 2;
}

int CTqString::IsStrSB() const
{
    return m_nCount == 0 || m_nCount - 1 == GetLengthMB();
}

int CTqString::IsStrEmpty() const
{
    return m_nCount <= 1;
}

// Comparison

int CTqString::operator==(const char* p) const
{
    if (!p)
        return IsStrEmpty();
    if (IsStrEmpty())
        return *p == 0;
    return std::strcmp(m_pBuffer, p) == 0;
}

int CTqString::operator==(const CTqString& s) const
{
    const unsigned int length = GetLength();
    return length == s.GetLength() && std::memcmp(Text(), s.Text(), length) == 0;
}

int CTqString::operator!=(const CTqString& s) const
{
    return !(*this == s);
}

int CTqString::operator!=(const char* p) const
{
    return !(*this == p);
}

int CTqString::operator<(const char* p) const
{
    return CompareStr(p) < 0;
}

int CTqString::operator>(const char* p) const
{
    return CompareStr(p) > 0;
}

int CTqString::operator<(const CTqString& s) const
{
    return CompareStr(s.Text()) < 0;
}

int CTqString::operator>(const CTqString& s) const
{
    return CompareStr(s.Text()) > 0;
}

// A null text orders as the empty text instead of crashing the runtime.
int CTqString::CompareStr(const char* p) const
{
    return Sign(_mbscmp(MB(Text()), MB(p ? p : "")));
}

int CTqString::CompareLCStr(const char* p) const
{
    return Sign(_mbsicmp(MB(Text()), MB(p ? p : "")));
}

int operator==(const char* p, const CTqString& s)
{
    return s == p;
}

// Sizing and appending

int CTqString::ResizeStr(int term, unsigned int size, int keep)
{
    return ResizeTo(static_cast<unsigned long long>(size) + (term ? 1 : 0), keep, 0);
}

char* CTqString::AddStrSize(int term, unsigned int pos, unsigned int size, int keep)
{
    return MakeRoom(term, pos, size, keep, nullptr);
}

// Makes count = term + pos + size and returns the address of byte pos. When
// *source points into this string's storage it is moved along with the text,
// so that a string can append its own text.
char* CTqString::MakeRoom(int term, unsigned long long pos, unsigned long long size, int keep,
                          const char** source, size_t sourceLength)
{
    if (size == 0)
        return m_pBuffer ? m_pBuffer + pos : nullptr;
    const unsigned long long needed = (term ? 1 : 0) + pos + size;
    if (needed > m_nCapacity) {
        char* const old = m_pBuffer;
        const bool aliased = source && old && *source >= old && *source < old + m_nCapacity;
        if (!Grow(GrowthTarget(needed), keep, m_hFile != nullptr))
            return SpillToFile(term, size, source, sourceLength);
        if (aliased)
            *source = m_pBuffer + (*source - old);
    }
    m_nCount = static_cast<unsigned int>(needed);
    return m_pBuffer + pos;
}

// File mode, out of memory: the text so far goes to the file and the string
// starts again with room for only the new piece, at its start.
char* CTqString::SpillToFile(int term, unsigned long long size, const char** source,
                             size_t sourceLength)
{
    SerialWriteFile(m_hFile, 1, 0);
    const unsigned long long needed = (term ? 1 : 0) + size;
    char* storage = nullptr;
    try {
        storage = Allocate(needed);
    } catch (const std::bad_alloc&) {
        Clear();  // the text is in the file now; it must not be written twice
        throw;
    }
    if (source && m_pBuffer && *source >= m_pBuffer && *source < m_pBuffer + m_nCapacity) {
        std::memcpy(storage, *source, sourceLength);
        *source = storage;
    }
    Clear();
    m_pBuffer = storage;
    m_nCount = m_nCapacity = static_cast<unsigned int>(needed);
    return storage;
}

int CTqString::PointsIntoText(const void* p) const
{
    const char* byte = static_cast<const char*>(p);
    return m_pBuffer && byte >= m_pBuffer && byte < m_pBuffer + m_nCapacity;
}

void CTqString::AppendBytes(const char* p, unsigned long long n, unsigned long long times)
{
    // A piece longer than any count is too long however often it is repeated;
    // only such a piece (64-bit) could make n x times wrap past 64 bits.
    const unsigned long long total = n > MaxCount() ? n : n * times;
    char* dest = MakeRoom(1, GetLength(), total, 1, &p, static_cast<size_t>(n));
    for (unsigned long long i = 0; i < times; ++i, dest += n)
        std::memmove(dest, p, static_cast<size_t>(n));
    *dest = 0;
}

char* CTqString::AddBuffer(unsigned int n)
{
    if (n == 0)
        return nullptr;
    return MakeRoom(0, GetLength(), n, 1, nullptr);
}

void CTqString::AddStr(const CTqString& src, unsigned int pos, unsigned int len)
{
    // The same bytes the sub-string window would show, taken without writing
    // into src: src may be this string, whose storage the append can move.
    const unsigned int length = src.GetLength();
    if (len == 0 || src.m_nCount == 0 || pos >= length)
        return;
    if (len > length - pos)
        len = length - pos;
    AppendBytes(src.m_pBuffer + pos, len);
}

int CTqString::AddStrCount(const char* p, unsigned int n)
{
    if (!p || n == 0 || *p == 0)
        return 0;
    AppendBytes(p, std::strlen(p), n);
    return 1;
}

// Appends that fit the storage, the common case, move the text and its
// terminator in one step; p may point into the text, which then stays put.
CTqString& CTqString::operator+=(const char* p)
{
    if (!p || !*p)
        return *this;
    const size_t n = std::strlen(p);
    const unsigned int length = GetLength();
    if (n < m_nCapacity && length < m_nCapacity - n) {
        std::memmove(m_pBuffer + length, p, n + 1);
        m_nCount = length + static_cast<unsigned int>(n) + 1;
        return *this;
    }
    AppendBytes(p, n);
    return *this;
}

CTqString& CTqString::operator+=(const CTqString& s)
{
    if (!s.IsStrEmpty())
        AppendBytes(s.m_pBuffer, std::strlen(s.m_pBuffer));
    return *this;
}

CTqString& CTqString::operator+=(const char& c)
{
    const char value = c;
    if (value) {
        char* dest = MakeRoom(1, GetLength(), 1, 1, nullptr);
        dest[0] = value;
        dest[1] = 0;
    } else {
        *MakeRoom(0, m_nCount, 1, 1, nullptr) = 0;
    }
    return *this;
}

CTqString CTqString::operator+(const CTqString& s) const
{
    CTqString result(*this);
    result += s;
    return result;
}

CTqString CTqString::operator+(const char* p) const
{
    CTqString result(*this);
    result += p;
    return result;
}

CTqString operator+(const char* p, const CTqString& s)
{
    return CTqString(p) + s;
}

// Editing

int CTqString::RemoveAt(unsigned int pos, unsigned int n)
{
    const unsigned int length = GetLength();
    if (m_nCount == 0 || pos >= length || n == 0)
        return 0;
    if (n > length - pos)
        n = length - pos;
    if (pos + n == length) {
        m_pBuffer[pos] = 0;
        m_nCount = pos + 1;
    } else {
        std::memmove(m_pBuffer + pos, m_pBuffer + pos + n, m_nCount - pos - n);
        m_nCount -= n;
    }
    return 1;
}

int CTqString::PopBackChar()
{
    if (m_nCount <= 1)
        return 0;
    unsigned char* start = MB(m_pBuffer);
    unsigned char* last = _mbsdec(start, start + m_nCount - 1);
    if (!last)
        return 0;
    *last = 0;
    m_nCount = static_cast<unsigned int>(last - start) + 1;
    return 1;
}

void CTqString::SetLowerCase()
{
    if (!IsStrEmpty())
        _mbslwr(MB(m_pBuffer));
}

void CTqString::SetUpperCase()
{
    if (!IsStrEmpty())
        _mbsupr(MB(m_pBuffer));
}

int CTqString::ShowMsgBox(const char* caption, unsigned int type, HWND owner) const
{
    if (IsStrEmpty())
        return 0;
    return TqMsgBox(m_pBuffer, caption, type, owner);
}

// Sub-string window

const char* CTqString::BeginSubStr(unsigned int pos, unsigned int len) const
{
    const unsigned int length = GetLength();
    if (len == 0 || m_nCount == 0 || pos >= length)
        return nullptr;
    if (len > length - pos)
        len = length - pos;
    g_window.address = m_pBuffer + pos + len;
    g_window.saved = *g_window.address;
    *g_window.address = 0;
    return m_pBuffer + pos;
}

void CTqString::EndSubStr() const
{
    if (g_window.address) {
        *g_window.address = g_window.saved;
        g_window.address = nullptr;
    }
}
