#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <type_traits>

#include "../library/TqExport.h"
#include "../system/TqMsgBox.h"

// A growable, contiguous array of plain elements.
//
// Storage is allocated with array new and released with array delete; growth
// multiplies the capacity by N (the exported instantiation, N = 2, doubles).
// Operations that grow take their target size in 64 bits, so that a count,
// position or size whose arithmetic passes 32 bits fails as a failed
// allocation instead of wrapping into a small buffer.
template <class T, int N>
class CTqArray {
    static_assert(N >= 2, "the growth factor must be at least 2");

public:
    CTqArray() noexcept;
    explicit CTqArray(unsigned int n);
    CTqArray(const CTqArray& other);
    CTqArray& operator=(const CTqArray& other);
    ~CTqArray();
    void Clear() noexcept;

    // Capacity and size
    int Reserve(unsigned int n, int keep, int noThrow);
    int Resize(unsigned int n, int keep, int noThrow);
    int AddSize(unsigned int d, int keep, int noThrow);
    int CleanUp(int noThrow);
    int ResizeSet(unsigned int n, const T& v);
    int Set(const T* src, unsigned int n);
    void Empty() noexcept;
    int IsEmpty() const noexcept;
    int IsBufferEmpty() const noexcept;
    unsigned int GetSize() const noexcept;
    unsigned int GetByteSize() const noexcept;
    unsigned int GetLength() const noexcept;
    unsigned int GetBufferSize() noexcept;
    unsigned int ElementSize() const noexcept;
    static unsigned int CalcSizeFromByteSize(unsigned int bytes) noexcept;

    // Element access
    T* GetBuffer() noexcept;
    const T* GetBuffer() const noexcept;
    operator T*() noexcept;
    operator const T*() const noexcept;
    T& Front() noexcept;
    const T& Front() const noexcept;
    T& Back() noexcept;
    const T& Back() const noexcept;
    T& GetAt(unsigned int i) noexcept;
    const T& GetAt(unsigned int i) const noexcept;
    int SetAt(unsigned int i, const T& v);
    void SetAll(const T& v);
    void AddAll(const T& v);

    // Insertion and removal by position. The inserted value is copied before
    // the array can reallocate, so it may refer to one of the array's elements.
    int InsertAt(unsigned int pos, const T& v, int noThrow);
    int InsertAfterAt(unsigned int pos, const T& v);
    int PushFront(const T& v);
    int PushBack(const T& v);
    int PushBack(const CTqArray& other);
    int PopAt(unsigned int pos, unsigned int n);
    int PopFront();
    int PopBack();

    // Comparison: element by element as signed values, then by count; an
    // empty array is the smallest. Compare gives -1, 0 or 1.
    int Compare(const CTqArray& other) const;
    int operator==(const CTqArray& other) const;
    int operator!=(const CTqArray& other) const;
    int operator<(const CTqArray& other) const;
    int operator>(const CTqArray& other) const;
    int operator<=(const CTqArray& other) const;
    int operator>=(const CTqArray& other) const;

    // Search and value-keyed editing. Not found is 0xFFFFFFFF. BinSearch
    // needs an array sorted in ascending signed order.
    unsigned int Find(const T& v) const;
    unsigned int BinSearch(const T& v) const;
    int Insert(const T& before, const T& v);
    int FindPop(const T& v);
    int FindPop(const CTqArray& values);

    // Arithmetic over all elements, wrapping in the element type.
    int GetSum(T& sum) const;
    int Normalize();
    int Normalize(const T& total);
    void Reverse();

    // Whole-file reading and writing of the element bytes. With term the
    // array ends in a terminator that is added after reading and never
    // written. Failures give 0 (null) after a message box; only a failed
    // SerialWriteFile and an empty file read with isEmpty are silent.
    int ReadFile(const char* path, int term, int* isEmpty);
    int WriteFile(const char* path, int term, int flush) const;
    void* BeginWriteFile(const char* path) const;
    int SerialWriteFile(void* file, int term, int flush);
    int EndWriteFile(void* file) const;

protected:
    // Opens one uninitialised slot at pos and returns it; null when pos is past
    // the end or, with noThrow, when the storage cannot grow.
    T* InsertArea(unsigned int pos, int noThrow);

    // The largest element count whose byte size fits in 32 bits.
    static constexpr unsigned long long MaxCount() { return 0xFFFFFFFFull / sizeof(T); }

    // max(needed, N x capacity): the growth rule of every operation that grows
    // by a known amount.
    unsigned long long GrowthTarget(unsigned long long needed) const noexcept;

    static T* Allocate(unsigned long long n);
    static T* TryAllocate(unsigned long long n) noexcept;

    // Ensures capacity >= n. With keep 0 the old elements are dropped first.
    int Grow(unsigned long long n, int keep, int noThrow);
    int ResizeTo(unsigned long long n, int keep, int noThrow);
    int InsertValue(unsigned int pos, const T& v, int noThrow);

    static constexpr unsigned int NotFound() { return 0xFFFFFFFFu; }

    // char elements compare, sum and divide as signed values, whatever the
    // compiler's char is.
    using Value = std::conditional_t<std::is_same<T, char>::value, signed char, T>;
    static Value ValueOf(const T& v) { return static_cast<Value>(v); }

    int WriteElements(HANDLE file, int term) const;

    // The library's file messages and captions, in code page 932.
    static const char* OpenFailedText()  // "のオープンに失敗しました。"
    {
        return "\x82\xcc\x83I\x81[\x83v\x83\x93\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
               "B";
    }
    static const char* ReadFailedText()  // "の読み込みに失敗しました。"
    {
        return "\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
               "B";
    }
    static const char* IsEmptyText()  // "は空です。"
    {
        return "\x82\xcd\x8b\xf3\x82\xc5\x82\xb7\x81"
               "B";
    }
    static const char* WriteFailedText()  // "の書き込みに失敗しました。"
    {
        return "\x82\xcc\x8f\x91\x82\xab\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
               "B";
    }
    static const char* InvalidHandleText()  // "不正なファイル ハンドルです。"
    {
        return "\x95s\x90\xb3\x82\xc8\x83t\x83@\x83"
               "C\x83\x8b \x83n\x83\x93\x83h\x83\x8b\x82\xc5\x82\xb7\x81"
               "B";
    }
    static const char* ReadingCaption()  // "ファイルの読み込み"
    {
        return "\x83t\x83@\x83"
               "C\x83\x8b\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd";
    }
    static const char* WritingCaption()  // "ファイルの書き込み"
    {
        return "\x83t\x83@\x83"
               "C\x83\x8b\x82\xcc\x8f\x91\x82\xab\x8d\x9e\x82\xdd";
    }

    // Shows a message in an exclamation box; PathMessage puts the quoted path
    // (a null path reads as "") and a line feed in front of a text.
    static void ShowFileMessage(const std::string& message, const char* caption);
    static std::string PathMessage(const char* path, const char* text);

    // A file handle closed with its scope.
    class ScopedFile {
    public:
        explicit ScopedFile(HANDLE handle) noexcept : m_handle(handle) {}
        ScopedFile(const ScopedFile&) = delete;
        ScopedFile& operator=(const ScopedFile&) = delete;
        ~ScopedFile()
        {
            if (IsOpen())
                ::CloseHandle(m_handle);
        }
        int IsOpen() const noexcept { return m_handle != INVALID_HANDLE_VALUE; }
        HANDLE Get() const noexcept { return m_handle; }

    private:
        HANDLE m_handle;
    };

    unsigned int m_nCount;
    T* m_pBuffer;
    unsigned int m_nCapacity;
};

template <class T, int N>
CTqArray<T, N>::CTqArray() noexcept : m_nCount(0), m_pBuffer(nullptr), m_nCapacity(0)
{
}

template <class T, int N>
CTqArray<T, N>::CTqArray(unsigned int n) : CTqArray()
{
    if (n > 0) {
        Reserve(n, 0, 0);
        m_nCount = n;
    }
}

template <class T, int N>
CTqArray<T, N>::CTqArray(const CTqArray& other) : CTqArray()
{
    if (other.m_nCount) {
        m_pBuffer = Allocate(other.m_nCount);
        m_nCount = m_nCapacity = other.m_nCount;
        std::copy(other.m_pBuffer, other.m_pBuffer + m_nCount, m_pBuffer);
    }
}

template <class T, int N>
CTqArray<T, N>& CTqArray<T, N>::operator=(const CTqArray& other)
{
    if (this != &other) {
        if (other.m_nCount > m_nCapacity)
            Grow(GrowthTarget(other.m_nCount), 0, 0);
        m_nCount = other.m_nCount;
        std::copy(other.m_pBuffer, other.m_pBuffer + m_nCount, m_pBuffer);
    }
    return *this;
}

template <class T, int N>
CTqArray<T, N>::~CTqArray()
{
    Clear();
}

template <class T, int N>
void CTqArray<T, N>::Clear() noexcept
{
    delete[] m_pBuffer;
    m_pBuffer = nullptr;
    m_nCount = m_nCapacity = 0;
}

template <class T, int N>
int CTqArray<T, N>::Reserve(unsigned int n, int keep, int noThrow)
{
    return Grow(n, keep, noThrow);
}

template <class T, int N>
int CTqArray<T, N>::Resize(unsigned int n, int keep, int noThrow)
{
    return ResizeTo(n, keep, noThrow);
}

template <class T, int N>
int CTqArray<T, N>::AddSize(unsigned int d, int keep, int noThrow)
{
    return ResizeTo(static_cast<unsigned long long>(m_nCount) + d, keep, noThrow);
}

template <class T, int N>
int CTqArray<T, N>::CleanUp(int noThrow)
{
    if (m_nCount == 0) {
        Clear();
        return 1;
    }
    T* storage = noThrow ? TryAllocate(m_nCount) : Allocate(m_nCount);
    if (!storage)
        return 0;
    std::copy(m_pBuffer, m_pBuffer + m_nCount, storage);
    delete[] m_pBuffer;
    m_pBuffer = storage;
    m_nCapacity = m_nCount;
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::ResizeSet(unsigned int n, const T& v)
{
    const T value = v;  // v may live in the storage about to be replaced
    if (n > m_nCapacity)
        Grow(GrowthTarget(n), 0, 0);
    m_nCount = n;
    std::fill(m_pBuffer, m_pBuffer + n, value);
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::Set(const T* src, unsigned int n)
{
    if (n > m_nCapacity)
        Grow(GrowthTarget(n), 0, 0);
    m_nCount = n;
    if (n)
        std::copy(src, src + n, m_pBuffer);
    return 1;
}

template <class T, int N>
void CTqArray<T, N>::Empty() noexcept
{
    m_nCount = 0;
}

template <class T, int N>
int CTqArray<T, N>::IsEmpty() const noexcept
{
    return m_nCount == 0;
}

template <class T, int N>
int CTqArray<T, N>::IsBufferEmpty() const noexcept
{
    return m_nCapacity == 0;
}

template <class T, int N>
unsigned int CTqArray<T, N>::GetSize() const noexcept
{
    return m_nCount;
}

template <class T, int N>
unsigned int CTqArray<T, N>::GetByteSize() const noexcept
{
    return m_nCount * ElementSize();
}

template <class T, int N>
unsigned int CTqArray<T, N>::GetLength() const noexcept
{
    return m_nCount ? m_nCount - 1 : 0;
}

template <class T, int N>
unsigned int CTqArray<T, N>::GetBufferSize() noexcept
{
    return m_nCapacity;
}

template <class T, int N>
unsigned int CTqArray<T, N>::ElementSize() const noexcept
{
    return sizeof(T);
}

template <class T, int N>
unsigned int CTqArray<T, N>::CalcSizeFromByteSize(unsigned int bytes) noexcept
{
    return bytes / sizeof(T);
}

template <class T, int N>
T* CTqArray<T, N>::GetBuffer() noexcept
{
    return m_pBuffer;
}

template <class T, int N>
const T* CTqArray<T, N>::GetBuffer() const noexcept
{
    return m_pBuffer;
}

template <class T, int N>
CTqArray<T, N>::operator T*() noexcept
{
    return m_pBuffer;
}

template <class T, int N>
CTqArray<T, N>::operator const T*() const noexcept
{
    return m_pBuffer;
}

template <class T, int N>
T& CTqArray<T, N>::Front() noexcept
{
    return *m_pBuffer;
}

template <class T, int N>
const T& CTqArray<T, N>::Front() const noexcept
{
    return *m_pBuffer;
}

template <class T, int N>
T& CTqArray<T, N>::Back() noexcept
{
    return m_pBuffer[m_nCount - 1];
}

template <class T, int N>
const T& CTqArray<T, N>::Back() const noexcept
{
    return m_pBuffer[m_nCount - 1];
}

template <class T, int N>
T& CTqArray<T, N>::GetAt(unsigned int i) noexcept
{
    return m_pBuffer[i];
}

template <class T, int N>
const T& CTqArray<T, N>::GetAt(unsigned int i) const noexcept
{
    return m_pBuffer[i];
}

template <class T, int N>
int CTqArray<T, N>::SetAt(unsigned int i, const T& v)
{
    if (i >= m_nCount)
        return 0;
    m_pBuffer[i] = v;
    return 1;
}

template <class T, int N>
void CTqArray<T, N>::SetAll(const T& v)
{
    const T value = v;
    std::fill(m_pBuffer, m_pBuffer + m_nCount, value);
}

template <class T, int N>
void CTqArray<T, N>::AddAll(const T& v)
{
    const T value = v;
    for (unsigned int i = 0; i < m_nCount; ++i)
        m_pBuffer[i] = static_cast<T>(m_pBuffer[i] + value);
}

template <class T, int N>
int CTqArray<T, N>::InsertAt(unsigned int pos, const T& v, int noThrow)
{
    return InsertValue(pos, v, noThrow);
}

template <class T, int N>
int CTqArray<T, N>::InsertAfterAt(unsigned int pos, const T& v)
{
    return InsertValue(pos + 1, v, 0);
}

template <class T, int N>
int CTqArray<T, N>::PushFront(const T& v)
{
    return InsertValue(0, v, 0);
}

template <class T, int N>
int CTqArray<T, N>::PushBack(const T& v)
{
    return InsertValue(m_nCount, v, 0);
}

template <class T, int N>
int CTqArray<T, N>::PushBack(const CTqArray& other)
{
    const unsigned int added = other.m_nCount;  // other may be this array
    if (added == 0)
        return 0;
    const unsigned long long needed = static_cast<unsigned long long>(m_nCount) + added;
    if (needed > m_nCapacity)
        Grow(GrowthTarget(needed), 1, 0);
    std::copy(other.m_pBuffer, other.m_pBuffer + added, m_pBuffer + m_nCount);
    m_nCount += added;
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::PopAt(unsigned int pos, unsigned int n)
{
    if (pos >= m_nCount)
        return 0;
    if (n == 0)
        n = 1;
    if (n > m_nCount - pos)
        n = m_nCount - pos;
    if (pos + n < m_nCount)
        std::copy(m_pBuffer + pos + n, m_pBuffer + m_nCount, m_pBuffer + pos);
    m_nCount -= n;
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::PopFront()
{
    return m_nCount ? PopAt(0, 1) : 0;
}

template <class T, int N>
int CTqArray<T, N>::PopBack()
{
    return m_nCount ? PopAt(m_nCount - 1, 1) : 0;
}

template <class T, int N>
T* CTqArray<T, N>::InsertArea(unsigned int pos, int noThrow)
{
    if (pos > m_nCount)
        return nullptr;
    if (m_nCount < m_nCapacity) {
        std::copy_backward(m_pBuffer + pos, m_pBuffer + m_nCount, m_pBuffer + m_nCount + 1);
        ++m_nCount;
        return m_pBuffer + pos;
    }
    const unsigned long long capacity =
        GrowthTarget(static_cast<unsigned long long>(m_nCount) + 1);
    T* storage = noThrow ? TryAllocate(capacity) : Allocate(capacity);
    if (!storage)
        return nullptr;
    std::copy(m_pBuffer, m_pBuffer + pos, storage);
    std::copy(m_pBuffer + pos, m_pBuffer + m_nCount, storage + pos + 1);
    delete[] m_pBuffer;
    m_pBuffer = storage;
    m_nCapacity = static_cast<unsigned int>(capacity);
    ++m_nCount;
    return m_pBuffer + pos;
}

template <class T, int N>
unsigned long long CTqArray<T, N>::GrowthTarget(unsigned long long needed) const noexcept
{
    // Growth stops at the largest count: where memory allows (a 64-bit
    // process), a count that fits is served even when N x capacity does not.
    const unsigned long long grown = static_cast<unsigned long long>(m_nCapacity) * N;
    const unsigned long long target = grown > MaxCount() ? MaxCount() : grown;
    return needed > target ? needed : target;
}

template <class T, int N>
T* CTqArray<T, N>::Allocate(unsigned long long n)
{
    if (n > MaxCount())
        throw std::bad_alloc();
    return new T[static_cast<size_t>(n)];
}

template <class T, int N>
T* CTqArray<T, N>::TryAllocate(unsigned long long n) noexcept
{
    try {
        return Allocate(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

template <class T, int N>
int CTqArray<T, N>::Grow(unsigned long long n, int keep, int noThrow)
{
    if (n <= m_nCapacity)
        return 1;
    if (!keep)
        Clear();
    T* storage = noThrow ? TryAllocate(n) : Allocate(n);
    if (!storage)
        return 0;
    std::copy(m_pBuffer, m_pBuffer + m_nCount, storage);
    delete[] m_pBuffer;
    m_pBuffer = storage;
    m_nCapacity = static_cast<unsigned int>(n);
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::ResizeTo(unsigned long long n, int keep, int noThrow)
{
    if (n <= m_nCapacity) {
        m_nCount = static_cast<unsigned int>(n);
        return 1;
    }
    if (!Grow(GrowthTarget(n), keep, noThrow))
        return 0;
    m_nCount = static_cast<unsigned int>(n);
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::InsertValue(unsigned int pos, const T& v, int noThrow)
{
    const T value = v;
    T* slot = InsertArea(pos, noThrow);
    if (!slot)
        return 0;
    *slot = value;
    return 1;
}

// Comparison

template <class T, int N>
int CTqArray<T, N>::Compare(const CTqArray& other) const
{
    if (m_nCount == 0)
        return other.m_nCount ? -1 : 0;
    if (other.m_nCount == 0)
        return 1;
    const unsigned int common = m_nCount < other.m_nCount ? m_nCount : other.m_nCount;
    for (unsigned int i = 0; i < common; ++i) {
        const Value mine = ValueOf(m_pBuffer[i]);
        const Value theirs = ValueOf(other.m_pBuffer[i]);
        if (mine != theirs)
            return mine < theirs ? -1 : 1;
    }
    if (m_nCount == other.m_nCount)
        return 0;
    return m_nCount < other.m_nCount ? -1 : 1;
}

template <class T, int N>
int CTqArray<T, N>::operator==(const CTqArray& other) const
{
    return Compare(other) == 0;
}

template <class T, int N>
int CTqArray<T, N>::operator!=(const CTqArray& other) const
{
    return Compare(other) != 0;
}

template <class T, int N>
int CTqArray<T, N>::operator<(const CTqArray& other) const
{
    return Compare(other) < 0;
}

template <class T, int N>
int CTqArray<T, N>::operator>(const CTqArray& other) const
{
    return Compare(other) > 0;
}

template <class T, int N>
int CTqArray<T, N>::operator<=(const CTqArray& other) const
{
    return Compare(other) <= 0;
}

template <class T, int N>
int CTqArray<T, N>::operator>=(const CTqArray& other) const
{
    return Compare(other) >= 0;
}

// Search and value-keyed editing

template <class T, int N>
unsigned int CTqArray<T, N>::Find(const T& v) const
{
    if (m_nCount == 0)
        return NotFound();
    const T* found;
    if constexpr (sizeof(T) == 1 && std::is_integral<T>::value)
        found = static_cast<const T*>(std::memchr(m_pBuffer, static_cast<unsigned char>(v), m_nCount));
    else
        found = std::find(m_pBuffer, m_pBuffer + m_nCount, v);
    if (!found || found == m_pBuffer + m_nCount)
        return NotFound();
    return static_cast<unsigned int>(found - m_pBuffer);
}

template <class T, int N>
unsigned int CTqArray<T, N>::BinSearch(const T& v) const
{
    if (m_nCount == 0)
        return NotFound();
    const Value key = ValueOf(v);
    long long lo = 0;
    long long hi = static_cast<long long>(m_nCount) - 1;
    if (key < ValueOf(m_pBuffer[0]) || ValueOf(m_pBuffer[hi]) < key)
        return NotFound();
    while (lo <= hi) {
        const long long mid = (lo + hi) / 2;
        const Value element = ValueOf(m_pBuffer[mid]);
        if (element == key)
            return static_cast<unsigned int>(mid);
        if (key < element)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return NotFound();
}

template <class T, int N>
int CTqArray<T, N>::Insert(const T& before, const T& v)
{
    const T value = v;  // v may be an element that the insertion moves
    const unsigned int pos = Find(before);
    if (pos == NotFound())
        return 0;
    *InsertArea(pos, 0) = value;
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::FindPop(const T& v)
{
    const unsigned int pos = Find(v);
    if (pos == NotFound())
        return 0;
    return PopAt(pos, 1);
}

template <class T, int N>
int CTqArray<T, N>::FindPop(const CTqArray& values)
{
    if (values.m_nCount == 0 || m_nCount == 0)
        return 0;
    // values may be this array: it is read whole before anything changes.
    CTqArray kept;
    for (unsigned int i = 0; i < m_nCount; ++i) {
        if (values.Find(m_pBuffer[i]) == NotFound())
            *kept.InsertArea(kept.m_nCount, 0) = m_pBuffer[i];
    }
    if (kept.m_nCount == m_nCount)
        return 0;
    *this = kept;
    return 1;
}

// Arithmetic and order

template <class T, int N>
int CTqArray<T, N>::GetSum(T& sum) const
{
    if (m_nCount == 0)
        return 0;
    T total = T();
    for (unsigned int i = 0; i < m_nCount; ++i)
        total = static_cast<T>(total + m_pBuffer[i]);
    sum = total;
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::Normalize()
{
    T sum;
    if (!GetSum(sum) || !(ValueOf(sum) > Value()))
        return 0;
    for (unsigned int i = 0; i < m_nCount; ++i)
        m_pBuffer[i] = static_cast<T>(ValueOf(m_pBuffer[i]) / ValueOf(sum));
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::Normalize(const T& total)
{
    T sum;
    if (!GetSum(sum) || ValueOf(sum) == Value())
        return 0;
    const auto factor = ValueOf(total) / ValueOf(sum);
    for (unsigned int i = 0; i < m_nCount; ++i)
        m_pBuffer[i] = static_cast<T>(factor * ValueOf(m_pBuffer[i]));
    return 1;
}

template <class T, int N>
void CTqArray<T, N>::Reverse()
{
    std::reverse(m_pBuffer, m_pBuffer + m_nCount);
}

// Files

template <class T, int N>
int CTqArray<T, N>::ReadFile(const char* path, int term, int* isEmpty)
{
    if (isEmpty)
        *isEmpty = 0;
    const ScopedFile file(
        ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsOpen()) {
        ShowFileMessage(PathMessage(path, OpenFailedText()), ReadingCaption());
        return 0;
    }
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size)) {
        ShowFileMessage(PathMessage(path, ReadFailedText()), ReadingCaption());
        return 0;
    }
    if (size.QuadPart == 0) {
        if (isEmpty)
            *isEmpty = 1;
        else
            ShowFileMessage(PathMessage(path, IsEmptyText()), ReadingCaption());
        return 0;
    }
    // A file the array cannot hold, terminator included, is refused before
    // anything changes rather than read into a count that wrapped.
    const unsigned long long elements = static_cast<unsigned long long>(size.QuadPart) / sizeof(T);
    const unsigned long long count = elements + (term ? 1 : 0);
    if (count > MaxCount()) {
        ShowFileMessage(PathMessage(path, ReadFailedText()), ReadingCaption());
        return 0;
    }
    if (count > m_nCapacity)
        Grow(GrowthTarget(count), 0, 0);
    m_nCount = static_cast<unsigned int>(count);
    DWORD read = 0;
    if (!::ReadFile(file.Get(), m_pBuffer, static_cast<DWORD>(elements * sizeof(T)), &read,
                    nullptr)) {
        ShowFileMessage(PathMessage(path, ReadFailedText()), ReadingCaption());
        return 0;
    }
    if (term)
        m_pBuffer[elements] = T();
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::WriteFile(const char* path, int term, int flush) const
{
    const ScopedFile file(
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file.IsOpen()) {
        ShowFileMessage(PathMessage(path, OpenFailedText()), WritingCaption());
        return 0;
    }
    if (!WriteElements(file.Get(), term)) {
        ShowFileMessage(PathMessage(path, WriteFailedText()), WritingCaption());
        return 0;
    }
    if (flush)
        ::FlushFileBuffers(file.Get());
    return 1;
}

template <class T, int N>
void* CTqArray<T, N>::BeginWriteFile(const char* path) const
{
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ShowFileMessage(PathMessage(path, OpenFailedText()), WritingCaption());
        return nullptr;
    }
    return file;
}

template <class T, int N>
int CTqArray<T, N>::SerialWriteFile(void* file, int term, int flush)
{
    if (!file || !WriteElements(file, term))
        return 0;
    if (flush)
        ::FlushFileBuffers(file);
    return 1;
}

template <class T, int N>
int CTqArray<T, N>::EndWriteFile(void* file) const
{
    if (::CloseHandle(file))
        return 1;
    ShowFileMessage(InvalidHandleText(), WritingCaption());
    return 0;
}

// Writes the elements, without the terminator when term is set; a short
// write counts as a failure.
template <class T, int N>
int CTqArray<T, N>::WriteElements(HANDLE file, int term) const
{
    const unsigned int elements = term && m_nCount ? m_nCount - 1 : m_nCount;
    const DWORD bytes = static_cast<DWORD>(elements * sizeof(T));
    if (bytes == 0)
        return 1;
    DWORD written = 0;
    return ::WriteFile(file, m_pBuffer, bytes, &written, nullptr) && written == bytes;
}

template <class T, int N>
void CTqArray<T, N>::ShowFileMessage(const std::string& message, const char* caption)
{
    TqMsgBox(message.c_str(), caption, MB_OK | MB_ICONEXCLAMATION, nullptr);
}

template <class T, int N>
std::string CTqArray<T, N>::PathMessage(const char* path, const char* text)
{
    std::string message = "\"";
    message += path ? path : "";
    message += "\"\n";
    return message + text;
}

// The library exports CTqArray<char, 2>. Its one instantiation is made inside
// TqCommon.dll (CTqArray.cpp); every other translation unit, in the library
// and in applications, only declares it.
extern template class TQ_API CTqArray<char, 2>;
