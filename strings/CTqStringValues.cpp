#include "strings/CTqString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "strings/internal/TqMultiByte.h"

using tq::MB;

namespace {

const unsigned int kNotFound = 0xFFFFFFFFu;

// Conversions of one token.
int ToInt(const char* token)
{
    return static_cast<int>(std::strtol(token, nullptr, 10));
}

unsigned int ToUint(const char* token)
{
    return static_cast<unsigned int>(std::strtoul(token, nullptr, 10));
}

long ToLong(const char* token)
{
    return std::atol(token);
}

double ToDouble(const char* token)
{
    return std::atof(token);
}

float ToFloat(const char* token)
{
    return static_cast<float>(std::atof(token));
}

int ToBool(const char* token)
{
    return _mbsicmp(MB(token), MB("true")) == 0 || _mbscmp(MB(token), MB("1")) == 0;
}

// One value of a list as text: separator (empty for the first value) and
// value. The largest, a %.15g double with its comma, takes 24 bytes.
struct Piece {
    char text[32];
};

// The runtime's own printf family, as Format uses it.
template <class... Args>
void Print(Piece& piece, const char* format, Args... args)
{
    _snprintf(piece.text, sizeof piece.text - 1, format, args...);
    piece.text[sizeof piece.text - 1] = 0;
}

void PrintValue(Piece& piece, const char* separator, int value)
{
    Print(piece, "%s%d", separator, value);
}

void PrintValue(Piece& piece, const char* separator, unsigned int value)
{
    Print(piece, "%s%u", separator, value);
}

void PrintValue(Piece& piece, const char* separator, double value)
{
    Print(piece, "%s%.15g", separator, value);
}

void PrintValue(Piece& piece, const char* separator, float value)
{
    Print(piece, "%s%.6g", separator, static_cast<double>(value));
}

void PrintFlag(Piece& piece, const char* separator, int value)
{
    Print(piece, "%s%s", separator, value ? "True" : "False");
}

template <class V, class Printer>
void AppendList(CTqString& s, const V* values, unsigned int n, Printer print)
{
    Piece piece;
    for (unsigned int i = 0; i < n; ++i) {
        print(piece, i == 0 ? "" : ",", values[i]);
        s += piece.text;
    }
}

template <class V>
void AppendValues(CTqString& s, const V* values, unsigned int n)
{
    AppendList(s, values, n, [](Piece& piece, const char* separator, V value) {
        PrintValue(piece, separator, value);
    });
}

// _vsnprintf into size bytes; -1 when the output did not fit.
int PrintInto(char* buffer, unsigned int size, const char* fmt, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int written = _vsnprintf(buffer, size - 1, fmt, copy);
    va_end(copy);
    return written;
}

// The characters the formatting needs, negative for a formatting error.
int MeasureFormat(const char* fmt, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int needed = _vscprintf(fmt, copy);
    va_end(copy);
    return needed;
}

const unsigned int kFormatStart = 1024;

}  // namespace

// Reading values

const char* CTqString::BeginToken(const char* seps, unsigned int& pos) const
{
    unsigned int begin = 0;
    unsigned int end = 0;
    if (!GetTokenPosSB(begin, end, seps, pos))
        return nullptr;
    pos = end;
    return BeginSubStr(begin, end - begin);
}

template <class V, class Convert>
int CTqString::ReadValue(V& value, const char* seps, Convert convert) const
{
    if (!seps) {
        value = convert(Text());
        return 1;
    }
    unsigned int pos = 0;
    const char* token = BeginToken(seps, pos);
    if (!token)
        return 0;
    value = convert(token);
    EndSubStr();
    return 1;
}

template <class V, class Convert>
unsigned int CTqString::ReadValues(V* values, unsigned int n, const char* seps, unsigned int pos,
                                   Convert convert) const
{
    for (unsigned int i = 0; i < n; ++i) {
        const char* token = BeginToken(seps, pos);
        if (!token)
            return kNotFound;
        values[i] = convert(token);
        EndSubStr();
    }
    return pos;
}

int CTqString::GetInt(int& value, const char* seps) const
{
    return ReadValue(value, seps, ToInt);
}

int CTqString::GetInts(int* const values, unsigned int n, const char* seps) const
{
    return ReadValues(values, n, seps, 0, ToInt) != kNotFound;
}

unsigned int CTqString::GetInt(int& value, const char* seps, unsigned int pos) const
{
    return ReadValues(&value, 1, seps, pos, ToInt);
}

unsigned int CTqString::GetInts(int* const values, unsigned int n, const char* seps,
                                unsigned int pos) const
{
    return ReadValues(values, n, seps, pos, ToInt);
}

int CTqString::GetUint(unsigned int& value, const char* seps) const
{
    return ReadValue(value, seps, ToUint);
}

int CTqString::GetUints(unsigned int* const values, unsigned int n, const char* seps) const
{
    return ReadValues(values, n, seps, 0, ToUint) != kNotFound;
}

unsigned int CTqString::GetUint(unsigned int& value, const char* seps, unsigned int pos) const
{
    return ReadValues(&value, 1, seps, pos, ToUint);
}

unsigned int CTqString::GetUints(unsigned int* const values, unsigned int n, const char* seps,
                                 unsigned int pos) const
{
    return ReadValues(values, n, seps, pos, ToUint);
}

int CTqString::GetLong(long& value, const char* seps) const
{
    return ReadValue(value, seps, ToLong);
}

int CTqString::GetLongs(long* const values, unsigned int n, const char* seps) const
{
    return ReadValues(values, n, seps, 0, ToLong) != kNotFound;
}

unsigned int CTqString::GetLong(long& value, const char* seps, unsigned int pos) const
{
    return ReadValues(&value, 1, seps, pos, ToLong);
}

unsigned int CTqString::GetLongs(long* const values, unsigned int n, const char* seps,
                                 unsigned int pos) const
{
    return ReadValues(values, n, seps, pos, ToLong);
}

int CTqString::GetDouble(double& value, const char* seps) const
{
    return ReadValue(value, seps, ToDouble);
}

int CTqString::GetDoubles(double* const values, unsigned int n, const char* seps) const
{
    return ReadValues(values, n, seps, 0, ToDouble) != kNotFound;
}

unsigned int CTqString::GetDouble(double& value, const char* seps, unsigned int pos) const
{
    return ReadValues(&value, 1, seps, pos, ToDouble);
}

unsigned int CTqString::GetDoubles(double* const values, unsigned int n, const char* seps,
                                   unsigned int pos) const
{
    return ReadValues(values, n, seps, pos, ToDouble);
}

int CTqString::GetFloat(float& value, const char* seps) const
{
    return ReadValue(value, seps, ToFloat);
}

int CTqString::GetFloats(float* const values, unsigned int n, const char* seps) const
{
    return ReadValues(values, n, seps, 0, ToFloat) != kNotFound;
}

unsigned int CTqString::GetFloat(float& value, const char* seps, unsigned int pos) const
{
    return ReadValues(&value, 1, seps, pos, ToFloat);
}

unsigned int CTqString::GetFloats(float* const values, unsigned int n, const char* seps,
                                  unsigned int pos) const
{
    return ReadValues(values, n, seps, pos, ToFloat);
}

int CTqString::GetBool(int& value, const char* seps) const
{
    return ReadValue(value, seps, ToBool);
}

int CTqString::GetBools(int* const values, unsigned int n, const char* seps) const
{
    return ReadValues(values, n, seps, 0, ToBool) != kNotFound;
}

unsigned int CTqString::GetBool(int& value, const char* seps, unsigned int pos) const
{
    return ReadValues(&value, 1, seps, pos, ToBool);
}

unsigned int CTqString::GetBools(int* const values, unsigned int n, const char* seps,
                                 unsigned int pos) const
{
    return ReadValues(values, n, seps, pos, ToBool);
}

unsigned int CTqString::GetValueCount(const char* seps) const
{
    unsigned int count = 0;
    unsigned int begin = 0;
    unsigned int end = 0;
    for (unsigned int pos = 0; GetTokenPosSB(begin, end, seps, pos); pos = end)
        ++count;
    return count;
}

// Appending values

void CTqString::AddInt(int value)
{
    AppendValues(*this, &value, 1);
}

void CTqString::AddUint(unsigned int value)
{
    AppendValues(*this, &value, 1);
}

void CTqString::AddDouble(const double& value)
{
    AppendValues(*this, &value, 1);
}

void CTqString::AddFloat(const float& value)
{
    AppendValues(*this, &value, 1);
}

void CTqString::AddBool(int value)
{
    AppendList(*this, &value, 1, PrintFlag);
}

void CTqString::AddInts(const int* const values, unsigned int n)
{
    AppendValues(*this, values, n);
}

void CTqString::AddUints(const unsigned int* const values, unsigned int n)
{
    AppendValues(*this, values, n);
}

void CTqString::AddDoubles(const double* const values, unsigned int n)
{
    AppendValues(*this, values, n);
}

void CTqString::AddFloats(const float* const values, unsigned int n)
{
    AppendValues(*this, values, n);
}

void CTqString::AddBools(const int* const values, unsigned int n)
{
    AppendList(*this, values, n, PrintFlag);
}

// Formatting

// While the string holds text an argument may point into it, so the output
// goes to new storage that replaces the old one only when formatting is done.
// The storage grows from 1024 bytes by doubling until the output fits; an
// output that cannot be measured, or that did not fit although it should
// have, is a formatting error rather than a reason to grow without end.
int CTqString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    CTqString output;
    CTqString& target = IsStrEmpty() ? *this : output;
    if (&target == &output)
        output.Reserve(m_nCapacity > kFormatStart ? m_nCapacity : kFormatStart, 0, 0);
    else
        Reserve(kFormatStart, 0, 0);
    int written = PrintInto(target.m_pBuffer, target.m_nCapacity, fmt, args);
    if (written == -1) {
        const int needed = MeasureFormat(fmt, args);
        if (needed >= 0 && static_cast<unsigned int>(needed) >= target.m_nCapacity) {
            while (static_cast<unsigned int>(needed) >= target.m_nCapacity)
                target.Grow(2ull * target.m_nCapacity, 0, 0);
            written = PrintInto(target.m_pBuffer, target.m_nCapacity, fmt, args);
        }
    }
    va_end(args);
    if (&target == &output) {
        std::swap(m_pBuffer, output.m_pBuffer);
        std::swap(m_nCapacity, output.m_nCapacity);
    }
    if (written <= 0) {
        m_nCount = 0;
        return written;
    }
    if (static_cast<unsigned int>(written) == m_nCapacity - 1)
        m_pBuffer[written] = 0;
    m_nCount = static_cast<unsigned int>(written) + 1;
    return written;
}
