#include "strings/CTqString.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "strings/internal/TqMultiByte.h"

using tq::CharLength;
using tq::IsLeadByte;
using tq::MB;

namespace {

const unsigned int kNotFound = 0xFFFFFFFFu;
const char kDigits[] = "0123456789";

unsigned int Offset(const char* base, const void* p)
{
    return p ? static_cast<unsigned int>(static_cast<const char*>(p) - base) : kNotFound;
}

// 1 when the last character of text is a lead byte without its trail byte:
// wherever it matched, it would take the first byte of a double-byte
// character.
int EndsInLoneLeadByte(const char* text)
{
    for (const char* p = text; *p; p += CharLength(p)) {
        if (IsLeadByte(*p) && !p[1])
            return 1;
    }
    return 0;
}

// Tells which bytes of a text start characters, for candidates met left to
// right. A byte after one that cannot be a lead byte starts a character;
// otherwise the characters are walked up to it from the last known start, so
// the checks of a whole search walk the text at most once.
class CharStarts {
public:
    explicit CharStarts(const char* text) : m_known(text) {}

    // from, a character start at or before c, is where the search began.
    int IsStart(const char* from, const char* c)
    {
        if (c == from || !IsLeadByte(c[-1]))
            return 1;
        if (m_known < from)
            m_known = from;
        while (m_known < c)
            m_known += CharLength(m_known);
        return m_known == c;
    }

private:
    const char* m_known;
};

// The first occurrence of needle in text (whose first byte starts a
// character) that starts on a character, or null; candidates come from the
// byte-wise strstr.
const char* FindWholeChars(const char* text, const char* needle)
{
    if (EndsInLoneLeadByte(needle))
        return nullptr;
    CharStarts starts(text);
    for (const char* c = std::strstr(text, needle); c; c = std::strstr(c + 1, needle)) {
        if (starts.IsStart(text, c))
            return c;
    }
    return nullptr;
}

// Finds one needle again and again in one text, left to right, each search
// starting on a character, never matching inside a double-byte character.
class WholeCharSearch {
public:
    WholeCharSearch(const char* text, const char* needle)
        : m_end(text + std::strlen(text)),
          m_needle(needle),
          m_length(std::strlen(needle)),
          m_usable(!EndsInLoneLeadByte(needle)),
          m_starts(text)
    {
    }

    size_t NeedleLength() const { return m_length; }

    // The first occurrence at or after from, or null.
    const char* Next(const char* from)
    {
        if (!m_usable)
            return nullptr;
        if (m_length == 0)
            return from;
        for (const char* c = from; c < m_end; ++c) {
            c = static_cast<const char*>(std::memchr(c, m_needle[0], static_cast<size_t>(m_end - c)));
            if (!c || static_cast<size_t>(m_end - c) < m_length)
                return nullptr;
            if (std::memcmp(c, m_needle, m_length) == 0 && m_starts.IsStart(from, c))
                return c;
        }
        return nullptr;
    }

private:
    const char* m_end;
    const char* m_needle;
    size_t m_length;
    int m_usable;
    CharStarts m_starts;
};

// 1 when the character [c, c + length) is one of the characters of chars.
int IsCharInSet(const char* c, unsigned int length, const char* chars)
{
    for (const char* p = chars; *p; p += CharLength(p)) {
        if (CharLength(p) == length && std::memcmp(p, c, length) == 0)
            return 1;
    }
    return 0;
}

}  // namespace

// Searching

unsigned int CTqString::Find(const char* text, unsigned int pos, int ignoreCase) const
{
    if (m_nCount == 0 || pos >= GetLength())
        return kNotFound;
    if (!ignoreCase)
        return Offset(m_pBuffer, FindWholeChars(m_pBuffer + pos, text));
    CTqString rest(m_pBuffer + pos);
    CTqString lowerText(text);
    rest.SetLowerCase();
    lowerText.SetLowerCase();
    const unsigned int found = Offset(rest, FindWholeChars(rest, lowerText));
    return found == kNotFound ? kNotFound : pos + found;
}

unsigned int CTqString::FindEnd(const char* text, unsigned int pos) const
{
    const unsigned int found = Find(text, pos, 0);
    return found == kNotFound ? kNotFound : found + static_cast<unsigned int>(std::strlen(text));
}

unsigned int CTqString::FindSB(const char* text, unsigned int pos) const
{
    if (m_nCount == 0 || pos >= GetLength())
        return kNotFound;
    return Offset(m_pBuffer, std::strstr(m_pBuffer + pos, text));
}

unsigned int CTqString::FindEndSB(const char* text, unsigned int pos) const
{
    const unsigned int found = FindSB(text, pos);
    return found == kNotFound ? kNotFound : found + static_cast<unsigned int>(std::strlen(text));
}

unsigned int CTqString::FindFirst(const char* chars, unsigned int pos) const
{
    if (m_nCount == 0 || pos >= GetLength())
        return kNotFound;
    return Offset(m_pBuffer, _mbspbrk(MB(m_pBuffer + pos), MB(chars)));
}

unsigned int CTqString::FindFirstSB(const char* chars, unsigned int pos) const
{
    if (m_nCount == 0 || pos >= GetLength())
        return kNotFound;
    return Offset(m_pBuffer, std::strpbrk(m_pBuffer + pos, chars));
}

unsigned int CTqString::FindFirstNot(const char* chars, unsigned int pos) const
{
    if (m_nCount == 0 || pos >= GetLength())
        return kNotFound;
    const unsigned int found = pos + static_cast<unsigned int>(_mbsspn(MB(m_pBuffer + pos), MB(chars)));
    return found >= GetLength() ? kNotFound : found;
}

unsigned int CTqString::FindFirstNotSB(const char* chars, unsigned int pos) const
{
    if (m_nCount == 0 || pos >= GetLength())
        return kNotFound;
    const unsigned int found = pos + static_cast<unsigned int>(std::strspn(m_pBuffer + pos, chars));
    return found >= GetLength() ? kNotFound : found;
}

unsigned int CTqString::FindEndNot(const char* chars, unsigned int pos, unsigned int end) const
{
    const unsigned int length = GetLength();
    if (end == kNotFound)
        end = length;
    if (m_nCount == 0 || pos >= length || end > length)
        return kNotFound;
    return Offset(m_pBuffer, TqFindEndNot(m_pBuffer + pos, m_pBuffer + end, chars));
}

// Each character is tested where it lies, so the text may be read-only.
char* TqFindEndNot(const char* begin, const char* end, const char* chars)
{
    const unsigned char* start = MB(begin);
    const unsigned char* stop = MB(end);
    for (const unsigned char* c = _mbsdec(start, stop); c; stop = c, c = _mbsdec(start, c)) {
        const char* character = reinterpret_cast<const char*>(c);
        if (!IsCharInSet(character, static_cast<unsigned int>(stop - c), chars))
            return const_cast<char*>(reinterpret_cast<const char*>(stop));
    }
    return nullptr;
}

// Comparing parts

int CTqString::NumCompareStr(const char* text, unsigned int n) const
{
    return _mbsnbcmp(MB(Text()), MB(text), n);
}

int CTqString::CompareSubStr(const char* text, unsigned int pos, unsigned int len) const
{
    const char* window = BeginSubStr(pos, len);
    if (!window)
        return _mbscmp(MB(""), MB(text));
    const int result = _mbscmp(MB(window), MB(text));
    EndSubStr();
    return result;
}

int CTqString::CompareLCSubStr(const char* text, unsigned int pos, unsigned int len) const
{
    const char* window = BeginSubStr(pos, len);
    if (!window)
        return _mbsicmp(MB(""), MB(text));
    const int result = _mbsicmp(MB(window), MB(text));
    EndSubStr();
    return result;
}

int CTqString::HasPrefix(const char* prefix) const
{
    const size_t n = std::strlen(prefix);
    if (n > GetLength())
        return 0;
    return CompareSubStr(prefix, 0, static_cast<unsigned int>(n)) == 0;
}

int CTqString::HasSuffix(const char* suffix) const
{
    const size_t n = std::strlen(suffix);
    const unsigned int length = GetLength();
    if (n > length)
        return 0;
    const unsigned int size = static_cast<unsigned int>(n);
    return CompareSubStr(suffix, length - size, size) == 0;
}

// out may be this string: the bytes then move down within the storage.
int CTqString::GetSubStr(CTqString& out, unsigned int pos, unsigned int len) const
{
    const unsigned int length = GetLength();
    if (len == 0 || m_nCount == 0 || pos >= length) {
        out.m_nCount = 0;
        return 0;
    }
    if (len > length - pos)
        len = length - pos;
    if (&out != this)
        out.m_nCount = 0;
    out.ResizeStr(1, len, 0);  // never moves this string's own storage: len < count
    std::memmove(out.m_pBuffer, m_pBuffer + pos, len);
    out.m_pBuffer[len] = 0;
    return 1;
}

// Tokens

unsigned int CTqString::GetToken(const char* delims, int next)
{
    if (IsStrEmpty())
        return kNotFound;
    return Offset(m_pBuffer, _mbstok(next ? nullptr : MB(m_pBuffer), MB(delims)));
}

int CTqString::GetTokenPos(unsigned int& begin, unsigned int& end, const char* delims,
                           unsigned int pos) const
{
    const unsigned int first = FindFirstNot(delims, pos);
    if (first == kNotFound)
        return 0;
    const unsigned int behind = FindFirst(delims, first);
    begin = first;
    end = behind == kNotFound ? GetLength() : behind;
    return 1;
}

int CTqString::GetTokenPosSB(unsigned int& begin, unsigned int& end, const char* delims,
                             unsigned int pos) const
{
    const unsigned int first = FindFirstNotSB(delims, pos);
    if (first == kNotFound)
        return 0;
    const unsigned int behind = FindFirstSB(delims, first);
    begin = first;
    end = behind == kNotFound ? GetLength() : behind;
    return 1;
}

unsigned int CTqString::GetToken(CTqString& token, const char* delims, unsigned int pos) const
{
    unsigned int begin = 0;
    unsigned int end = 0;
    if (!GetTokenPos(begin, end, delims, pos))
        return kNotFound;
    GetSubStr(token, begin, end - begin);
    return end;
}

// Trimming and removing

void CTqString::TrimLeft(const char* chars)
{
    const unsigned int first = FindFirstNot(chars, 0);
    if (first == kNotFound)
        m_nCount = 0;
    else if (first > 0)
        RemoveAt(0, first);
}

void CTqString::TrimRight(const char* chars)
{
    const unsigned int end = FindEndNot(chars, 0, kNotFound);
    if (end == kNotFound)
        m_nCount = 0;
    else if (end != GetLength())
        RemoveAt(end, kNotFound);
}

void CTqString::TrimLeftRight(const char* chars)
{
    TrimLeft(chars);
    TrimRight(chars);
}

// Removes the occurrences in one pass: every search goes on behind the last
// removed text, exactly where it would go on after closing each gap, so an
// occurrence that a removal joins together stays.
int CTqString::Remove(const char* text, unsigned int pos)
{
    if (PointsIntoText(text)) {
        const std::string copy(text);  // the removals move the text
        return Remove(copy.c_str(), pos);
    }
    const size_t n = std::strlen(text);
    const unsigned int first = n ? Find(text, pos, 0) : kNotFound;
    if (first == kNotFound)
        return 0;
    char* write = m_pBuffer + first;
    const char* read = write;
    WholeCharSearch search(read, text);
    for (const char* found = read; found; found = search.Next(read)) {
        const size_t kept = static_cast<size_t>(found - read);
        std::memmove(write, read, kept);
        write += kept;
        read = found + n;
    }
    const size_t rest = static_cast<size_t>(m_pBuffer + m_nCount - read);
    std::memmove(write, read, rest);
    m_nCount = static_cast<unsigned int>(write - m_pBuffer + rest);
    return 1;
}

// Replacing, quoting, trailing numbers

// An empty find is found once, at the start: replace goes in front of the
// text and the result is 1, with all set or not.
unsigned int CTqString::GetReplacedStr(CTqString& out, const char* find, const char* replace,
                                       int all, int ignoreCase) const
{
    if (&out == this) {
        CTqString result;
        const unsigned int replaced = GetReplacedStr(result, find, replace, all, ignoreCase);
        out = result;
        return replaced;
    }
    out.m_nCount = 0;
    if (IsStrEmpty())
        return 0;
    // Letter case is ignored by searching lower-cased copies, whose offsets
    // are those of the text.
    CTqString lowerText;
    CTqString lowerFind;
    const char* text = m_pBuffer;
    const char* needle = find;
    if (ignoreCase) {
        lowerText = m_pBuffer;
        lowerFind = find;
        lowerText.SetLowerCase();
        lowerFind.SetLowerCase();
        text = lowerText;
        needle = lowerFind;
    }
    WholeCharSearch search(text, needle);
    const size_t findLength = search.NeedleLength();
    const size_t replaceLength = replace ? std::strlen(replace) : 0;
    unsigned int replaced = 0;
    size_t last = 0;
    for (const char* found = search.Next(text); found; found = search.Next(text + last)) {
        const size_t at = static_cast<size_t>(found - text);
        if (at > last)
            out.AppendBytes(m_pBuffer + last, at - last);
        if (replaceLength)
            out.AppendBytes(replace, replaceLength);
        ++replaced;
        last = at + findLength;
        if (!all || findLength == 0)
            break;
    }
    if (replaced && last < GetLength())
        out += m_pBuffer + last;
    return replaced;
}

unsigned int CTqString::ReplaceStr(const char* find, const char* replace, int all,
                                   int ignoreCase)
{
    CTqString result;
    const unsigned int replaced = GetReplacedStr(result, find, replace, all, ignoreCase);
    if (replaced)
        *this = result;
    return replaced;
}

int CTqString::GetQuotedStr(CTqString& out, const char* quote, const char* escape) const
{
    if (!quote || !*quote || !escape || !*escape)
        return 0;
    if (&out == this) {
        CTqString result;
        GetQuotedStr(result, quote, escape);
        out = result;
        return 1;
    }
    out = quote;
    if (IsStrEmpty()) {
        out += quote;
        return 1;
    }
    WholeCharSearch search(m_pBuffer, quote);
    const size_t quoteLength = search.NeedleLength();
    size_t last = 0;
    for (const char* found = search.Next(m_pBuffer); found;
         found = search.Next(m_pBuffer + last)) {
        const size_t at = static_cast<size_t>(found - m_pBuffer);
        if (at > last)
            out.AppendBytes(m_pBuffer + last, at - last);
        out += escape;
        out += quote;
        last = at + quoteLength;
    }
    if (last < GetLength())
        out += m_pBuffer + last;
    out += quote;
    return 1;
}

int CTqString::QuoteStr(const char* quote, const char* escape)
{
    CTqString result;
    if (!GetQuotedStr(result, quote, escape))
        return 0;
    *this = result;
    return 1;
}

// A text of digits only is all number: head becomes empty.
unsigned int CTqString::GetEndNumber(CTqString& head, unsigned int& number) const
{
    const unsigned int length = GetLength();
    unsigned int digitsAt = FindEndNot(kDigits, 0, kNotFound);
    if (digitsAt == kNotFound)
        digitsAt = IsStrEmpty() ? length : 0;
    if (digitsAt == length) {
        head = *this;
        return 0;
    }
    number = static_cast<unsigned int>(std::strtoul(m_pBuffer + digitsAt, nullptr, 10));
    GetSubStr(head, 0, digitsAt);
    return length - digitsAt;
}
