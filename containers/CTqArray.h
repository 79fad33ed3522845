#pragma once

#include <algorithm>
#include <new>

#include "library/TqExport.h"

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
        m_nCapacity ? static_cast<unsigned long long>(m_nCapacity) * N : 1;
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
    const unsigned long long grown = static_cast<unsigned long long>(m_nCapacity) * N;
    return needed > grown ? needed : grown;
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

TQ_EXTERN_TEMPLATE template class TQ_API CTqArray<char, 2>;
