#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <type_traits>

#include "../library/TqExport.h"
#include "../library/TqScopedHandle.h"
#include "../system/TqMsgBox.h"

/// \file
/// The growable array CTqArray, exported as CTqArray<char, 2>.

/// A growable, contiguous array of plain elements.
///
/// Storage is allocated with array new and released with array delete; growth
/// multiplies the capacity by N (the exported instantiation, N = 2, doubles).
/// Operations that grow take their target size in 64 bits, so that a count,
/// position or size whose arithmetic passes 32 bits fails as a failed
/// allocation instead of wrapping into a small buffer.
///
/// The library exports one instantiation, CTqArray<char, 2>: the storage of
/// CTqString, and a byte buffer that reads and writes whole files.
///
/// <b>Model.</b> An array holds a count of elements in use, a buffer and a
/// capacity, with count <= capacity; the buffer is null exactly when the
/// capacity is 0. The array owns its storage alone (a copy never shares it).
/// Elements are copied by plain assignment; storage gained by growth is left
/// uninitialised. Positions, counts and sizes are unsigned 32-bit element
/// counts (bytes, for `char`). An `int` result is 1 for success (or true) and
/// 0 for failure (or false); a position result of 0xFFFFFFFF means "not
/// found".
///
/// <b>Growth.</b> An operation that grows by a known amount grows to
/// max(needed, N x capacity); one that inserts a single element grows to
/// N x capacity, or 1 from nothing, so elements pushed one by one give
/// capacities 1, 2, 4, 8 and so on. The storage never shrinks by itself: only
/// CleanUp() and Clear() make it smaller. Empty(), a smaller Resize() and the
/// Pop operations keep the storage where it is, so a pointer from GetBuffer()
/// stays valid across them; any growth may move the storage.
///
/// <b>Failures.</b>
/// - Storage exhaustion throws `std::bad_alloc` from every growing operation,
///   except that Reserve(), Resize(), AddSize(), CleanUp() and InsertAt() take
///   a noThrow flag: when it is nonzero they return 0 instead. After such a 0
///   the array is unchanged, except after a keep of 0, which has already
///   emptied it and released its storage.
/// - Out-of-range positions give 0 and change nothing (SetAt(), InsertAt(),
///   InsertAfterAt(), PopAt()); GetAt(), Front() and Back() make no range test.
/// - The file operations show a modal message box and then return 0 or null
///   (below).
///
/// <b>File operations.</b> ReadFile(), WriteFile(), BeginWriteFile() and
/// EndWriteFile() report every failure in a message box before they return 0
/// (null for BeginWriteFile()); only SerialWriteFile() and an empty file read
/// with isEmpty fail silently. Each box is modal (the call returns only once
/// the box is answered) and goes through TqMsgBox() with
/// `MB_OK | MB_ICONEXCLAMATION` (0x30) and a null owner, so it is owned by the
/// application's main window, TqGetMainWnd() (the first unowned top-level
/// window of the process, or none). The text is the path in double quotes, a
/// line feed and one of these texts (code page 932):
/// | Failure | Text after the path | Caption |
/// |---|---|---|
/// | the file cannot be opened or created | のオープンに失敗しました。 | ファイルの読み込み (reading), ファイルの書き込み (writing) |
/// | its size cannot be read, it is too large for the array, or reading fails | の読み込みに失敗しました。 | ファイルの読み込み |
/// | the file is empty (ReadFile() without isEmpty) | は空です。 | ファイルの読み込み |
/// | writing fails or writes less than asked | の書き込みに失敗しました。 | ファイルの書き込み |
/// | EndWriteFile() cannot close the handle (no path in front) | 不正なファイル ハンドルです。 | ファイルの書き込み |
///
/// A program with no user to answer (a tool, a test) either avoids these
/// paths (checks the file first, passes isEmpty) or answers the box itself: a
/// thread-local `WH_CBT` hook
/// (`SetWindowsHookExA(WH_CBT, proc, NULL, GetCurrentThreadId())`) sees the box
/// at `HCBT_ACTIVATE` as a window of class "#32770" (its text is dialog item
/// 0xFFFF) and can post it `WM_COMMAND` with `IDOK`; the operation then
/// returns its 0 or null.
///
/// <b>Threads.</b> No locks: one thread at a time, and the user-interface
/// thread for the file operations, whose boxes are modal.
///
/// \tparam T The element type: a plain type copied by assignment. Only `char`
///           is instantiated by the library; `char` elements compare, sum and
///           divide as signed values whatever the compiler's `char` is.
/// \tparam N The growth factor, at least 2.
template <class T, int N>
class CTqArray {
    static_assert(N >= 2, "the growth factor must be at least 2");

public:
    /// An empty array without storage.
    CTqArray() noexcept;
    /// An array of n uninitialised elements: count and capacity n (no storage
    /// for n = 0). Throws `std::bad_alloc` when the storage cannot be had.
    explicit CTqArray(unsigned int n);
    /// A copy of other's elements in storage of exactly other's count (spare
    /// capacity is not reproduced; an empty array gives no storage). Throws
    /// `std::bad_alloc`.
    CTqArray(const CTqArray& other);
    /// Makes the elements those of other. Grows to max(other's count,
    /// N x capacity), dropping the old elements, when other's count exceeds
    /// the capacity; otherwise the storage is reused. Throws `std::bad_alloc`.
    /// \return `*this`.
    CTqArray& operator=(const CTqArray& other);
    /// Releases the storage, as Clear().
    ~CTqArray();
    /// Releases the storage: count, buffer and capacity become 0.
    void Clear() noexcept;

    /// \name Capacity and size
    /// Sizes are element counts. keep nonzero keeps the elements when the
    /// storage moves; keep 0 drops them (count 0) before the storage grows.
    /// noThrow nonzero turns a failed allocation into a 0 result instead of
    /// `std::bad_alloc`.
    ///@{

    /// Ensures a capacity of at least n elements, allocating exactly n.
    /// When the capacity is already n or more nothing changes, whatever keep
    /// says. Otherwise keep 0 releases the storage first (count 0, also when
    /// the allocation then fails) and keep nonzero copies the elements over.
    /// \return 1, or 0 when noThrow is nonzero and the storage cannot be had.
    int Reserve(unsigned int n, int keep, int noThrow);
    /// Sets the count to n. Within the capacity nothing moves (elements
    /// beyond the old count hold whatever the storage held); beyond it the
    /// array grows as Reserve(max(n, N x capacity), keep, noThrow).
    /// \return 1, or 0 (count unchanged, but the array emptied after keep 0)
    ///         when noThrow is nonzero and the storage cannot be had.
    int Resize(unsigned int n, int keep, int noThrow);
    /// Resize() to count + d, computed without wrapping: a sum beyond 32 bits
    /// fails as a failed allocation.
    int AddSize(unsigned int d, int keep, int noThrow);
    /// Shrinks the storage to exactly the count: releases it when the count is
    /// 0, otherwise reallocates (also when capacity already equals count).
    /// \return 1, or 0 with the array unchanged when noThrow is nonzero and
    ///         the new storage cannot be had.
    int CleanUp(int noThrow);
    /// Sets the count to n and every element to v (which may be one of the
    /// elements). Grows as operator=() when n exceeds the capacity; throws
    /// `std::bad_alloc`.
    /// \return 1.
    int ResizeSet(unsigned int n, const T& v);
    /// Sets the count to n and copies n elements from src, which must not
    /// point into this array. Grows as ResizeSet(); throws `std::bad_alloc`.
    /// \return 1.
    int Set(const T* src, unsigned int n);
    /// Sets the count to 0; the storage stays for reuse.
    void Empty() noexcept;
    /// 1 when the count is 0.
    int IsEmpty() const noexcept;
    /// 1 when no storage is held (capacity 0).
    int IsBufferEmpty() const noexcept;
    /// The count: the number of elements in use.
    unsigned int GetSize() const noexcept;
    /// The count times the element size, in bytes.
    unsigned int GetByteSize() const noexcept;
    /// The count less one, or 0 for an empty array: the text length in
    /// elements when the last element is a terminator. For a CTqString this is
    /// the length in bytes without the NUL.
    unsigned int GetLength() const noexcept;
    /// The capacity: the number of elements the storage holds.
    unsigned int GetBufferSize() noexcept;
    /// The size of one element in bytes (1 for `char`).
    unsigned int ElementSize() const noexcept;
    /// The number of whole elements in a number of bytes.
    static unsigned int CalcSizeFromByteSize(unsigned int bytes) noexcept;
    ///@}

    /// \name Element access
    /// The array owns the storage: pointers into it stay valid until the next
    /// growth, Clear() or destruction, and are never freed by the caller.
    ///@{

    /// The storage, or null when none is held.
    T* GetBuffer() noexcept;
    /// The storage, or null when none is held.
    const T* GetBuffer() const noexcept;
    /// The storage, or null when none is held (a CTqString's own conversions
    /// never give null).
    operator T*() noexcept;
    /// The storage, or null when none is held.
    operator const T*() const noexcept;
    /// The first element; only on a non-empty array.
    T& Front() noexcept;
    /// The first element; only on a non-empty array.
    const T& Front() const noexcept;
    /// The last element (at count - 1); only on a non-empty array.
    T& Back() noexcept;
    /// The last element (at count - 1); only on a non-empty array.
    const T& Back() const noexcept;
    /// The element at i, with no range test: i must be below the count.
    T& GetAt(unsigned int i) noexcept;
    /// The element at i, with no range test: i must be below the count.
    const T& GetAt(unsigned int i) const noexcept;
    /// Sets the element at i to v.
    /// \return 1, or 0 with nothing changed when i is not below the count.
    int SetAt(unsigned int i, const T& v);
    /// Sets every element to v.
    void SetAll(const T& v);
    /// Adds v to every element, wrapping in the element type.
    void AddAll(const T& v);
    ///@}

    /// \name Insertion and removal by position
    /// The inserted value is copied before the array can reallocate, so it may
    /// refer to one of the array's elements. A full array grows to
    /// N x capacity (1 from nothing).
    ///@{

    /// Inserts v at pos, moving the elements from pos one place up; pos equal
    /// to the count appends.
    /// \return 1; 0 with nothing changed when pos is beyond the count, or when
    ///         noThrow is nonzero and the storage cannot grow.
    int InsertAt(unsigned int pos, const T& v, int noThrow);
    /// Inserts v behind the element at pos (at pos + 1); throws
    /// `std::bad_alloc`.
    /// \return 1, or 0 with nothing changed when pos + 1 is beyond the count.
    int InsertAfterAt(unsigned int pos, const T& v);
    /// Inserts v in front of the first element; throws `std::bad_alloc`.
    /// \return 1.
    int PushFront(const T& v);
    /// Appends v; throws `std::bad_alloc`.
    /// \return 1.
    int PushBack(const T& v);
    /// Appends all of other's elements as they were at the call (other may be
    /// this array, which then doubles), growing to max(needed, N x capacity);
    /// throws `std::bad_alloc`.
    /// \return 1, or 0 with nothing changed when other is empty.
    int PushBack(const CTqArray& other);
    /// Removes n elements from pos, moving the rest down. n = 0 removes one;
    /// an n reaching past the end is cut there. The capacity never changes.
    /// \return 1, or 0 with nothing changed when pos is not below the count.
    int PopAt(unsigned int pos, unsigned int n);
    /// Removes the first element.
    /// \return 1, or 0 for an empty array.
    int PopFront();
    /// Removes the last element.
    /// \return 1, or 0 for an empty array.
    int PopBack();
    ///@}

    /// \name Comparison
    /// Element by element as signed values, then by count; an empty array is
    /// the smallest. Compare() gives -1, 0 or 1; the operators give 1 for true
    /// and 0 for false.
    ///@{

    /// Compares with other: the first differing element decides, then the
    /// shorter array is the smaller.
    /// \return -1, 0 or 1.
    int Compare(const CTqArray& other) const;
    /// Compare(other) == 0.
    int operator==(const CTqArray& other) const;
    /// Compare(other) != 0.
    int operator!=(const CTqArray& other) const;
    /// Compare(other) < 0.
    int operator<(const CTqArray& other) const;
    /// Compare(other) > 0.
    int operator>(const CTqArray& other) const;
    /// Compare(other) <= 0.
    int operator<=(const CTqArray& other) const;
    /// Compare(other) >= 0.
    int operator>=(const CTqArray& other) const;
    ///@}

    /// \name Search and value-keyed editing
    /// Not found is 0xFFFFFFFF. BinSearch() needs an array sorted in ascending
    /// signed order.
    ///@{

    /// The index of the first element equal to v, or 0xFFFFFFFF.
    unsigned int Find(const T& v) const;
    /// Bisection search of an array sorted in ascending signed order.
    /// \return The index of an element equal to v (among equal elements the
    ///         one the halving meets first, not necessarily the first), or
    ///         0xFFFFFFFF.
    unsigned int BinSearch(const T& v) const;
    /// Inserts v in front of the first element equal to before; throws
    /// `std::bad_alloc`.
    /// \return 1, or 0 with nothing changed when no element equals before.
    int Insert(const T& before, const T& v);
    /// Removes the first element equal to v.
    /// \return 1 when one was removed, else 0.
    int FindPop(const T& v);
    /// Removes every element that occurs anywhere in values (which may be this
    /// array), keeping the order of the rest; throws `std::bad_alloc`.
    /// \return 1 when at least one element was removed; 0 with nothing changed
    ///         when values or this array is empty or nothing matched.
    int FindPop(const CTqArray& values);
    ///@}

    /// \name Arithmetic over all elements
    /// Sums wrap in the element type (8 bits for `char`).
    ///@{

    /// The wrapping sum of all elements, into sum.
    /// \return 1, or 0 with sum untouched for an empty array.
    int GetSum(T& sum) const;
    /// Divides every element by the sum of all elements (signed, truncating
    /// towards zero).
    /// \return 1, or 0 with nothing changed when the array is empty or the
    ///         sum is not positive.
    int Normalize();
    /// Multiplies every element by total / sum, the quotient computed once
    /// (signed, truncating) and the products kept to the element type.
    /// \return 1, or 0 with nothing changed when the array is empty or the
    ///         sum is 0.
    int Normalize(const T& total);
    /// Reverses the order of the elements in place.
    void Reverse();
    ///@}

    /// \name Files
    /// Whole-file reading and writing of the element bytes, with no header.
    /// With term the array ends in a terminator that is added after reading
    /// and never written. Failures give 0 (null) after a modal message box
    /// (see the class description for the texts); only a failed
    /// SerialWriteFile() and an empty file read with isEmpty are silent. A path
    /// is a NUL-terminated ANSI file name; a file handle is a Win32 `HANDLE`
    /// passed as `void*`, null meaning no file.
    ///@{

    /// Replaces the elements with the file's bytes, plus a terminator (a
    /// value-initialised element) when term is nonzero.
    ///
    /// The file is opened for reading and shared for reading only. The array
    /// grows as needed, dropping its old elements, and the count becomes the
    /// number of whole elements in the file, plus one with term. The number of
    /// bytes actually read is not compared with the file's size.
    /// \param path The file to read.
    /// \param term Nonzero to add a terminator behind the bytes read.
    /// \param isEmpty Null, or receives 1 for an empty file (then read without
    ///        a box) and 0 otherwise.
    /// \return 1 when the file was read. 0 after the open-failed, read-failed
    ///         or empty-file box (no box for an empty file when isEmpty is
    ///         given); the array is then unchanged, except after a failed
    ///         read, when it holds the new count with unspecified contents.
    ///         Throws `std::bad_alloc` when the storage cannot grow.
    int ReadFile(const char* path, int term, int* isEmpty);
    /// Creates or truncates the file (not shared) and writes the elements,
    /// without the last one (the terminator) when term is nonzero; an empty
    /// array makes an empty file.
    /// \param path The file to write.
    /// \param term Nonzero to leave the last element out.
    /// \param flush Nonzero to flush the file to disk before it is closed.
    /// \return 1, or 0 after the open-failed or write-failed box (a file that
    ///         failed while being written stays, with what was written).
    int WriteFile(const char* path, int term, int flush) const;
    /// Creates or truncates the file for writing (not shared) and hands out
    /// its handle, which the caller owns until EndWriteFile().
    /// \return The handle, or null after the open-failed box.
    void* BeginWriteFile(const char* path) const;
    /// Writes the elements (without the terminator when term is nonzero) to a
    /// handle from BeginWriteFile(), leaving it open; flushes it when flush is
    /// nonzero.
    /// \return 1, or 0 without a message for a null handle or a failed or
    ///         short write.
    int SerialWriteFile(void* file, int term, int flush);
    /// Closes a handle from BeginWriteFile().
    /// \return 1, or 0 after the close-failed box.
    int EndWriteFile(void* file) const;
    ///@}

protected:
    /// Opens one uninitialised slot at pos and returns it; null when pos is past
    /// the end or, with noThrow, when the storage cannot grow.
    T* InsertArea(unsigned int pos, int noThrow);

    /// The largest element count whose byte size fits in 32 bits.
    static constexpr unsigned long long MaxCount() { return 0xFFFFFFFFull / sizeof(T); }

    /// max(needed, N x capacity), N x capacity capped at MaxCount(): the growth
    /// rule of every operation that grows by a known amount.
    unsigned long long GrowthTarget(unsigned long long needed) const noexcept;

    /// New storage for n elements; throws `std::bad_alloc`, also for an n
    /// beyond MaxCount().
    static T* Allocate(unsigned long long n);
    /// Allocate(), giving null instead of throwing.
    static T* TryAllocate(unsigned long long n) noexcept;

    /// Ensures capacity >= n. With keep 0 the old elements are dropped first.
    int Grow(unsigned long long n, int keep, int noThrow);
    /// Resize() to a 64-bit count.
    int ResizeTo(unsigned long long n, int keep, int noThrow);
    /// InsertArea() at pos and a copy of v, read before the storage can move.
    int InsertValue(unsigned int pos, const T& v, int noThrow);

    /// The not-found position, 0xFFFFFFFF.
    static constexpr unsigned int NotFound() { return 0xFFFFFFFFu; }

    /// The type elements compare, sum and divide as: `char` elements as
    /// `signed char`, whatever the compiler's `char` is; other types as
    /// themselves.
    using Value = std::conditional_t<std::is_same<T, char>::value, signed char, T>;
    /// v as a Value.
    static Value ValueOf(const T& v) { return static_cast<Value>(v); }

    /// Writes the elements to file, without the terminator when term is set;
    /// a short write counts as a failure.
    int WriteElements(HANDLE file, int term) const;

    /// \name File messages
    /// The library's file messages and captions, in code page 932.
    ///@{

    /// The open-failed text.
    static const char* OpenFailedText()  // "のオープンに失敗しました。"
    {
        return "\x82\xcc\x83I\x81[\x83v\x83\x93\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
               "B";
    }
    /// The read-failed text.
    static const char* ReadFailedText()  // "の読み込みに失敗しました。"
    {
        return "\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
               "B";
    }
    /// The empty-file text.
    static const char* IsEmptyText()  // "は空です。"
    {
        return "\x82\xcd\x8b\xf3\x82\xc5\x82\xb7\x81"
               "B";
    }
    /// The write-failed text.
    static const char* WriteFailedText()  // "の書き込みに失敗しました。"
    {
        return "\x82\xcc\x8f\x91\x82\xab\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
               "B";
    }
    /// The close-failed text.
    static const char* InvalidHandleText()  // "不正なファイル ハンドルです。"
    {
        return "\x95s\x90\xb3\x82\xc8\x83t\x83@\x83"
               "C\x83\x8b \x83n\x83\x93\x83h\x83\x8b\x82\xc5\x82\xb7\x81"
               "B";
    }
    /// The caption of the reading boxes.
    static const char* ReadingCaption()  // "ファイルの読み込み"
    {
        return "\x83t\x83@\x83"
               "C\x83\x8b\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd";
    }
    /// The caption of the writing boxes.
    static const char* WritingCaption()  // "ファイルの書き込み"
    {
        return "\x83t\x83@\x83"
               "C\x83\x8b\x82\xcc\x8f\x91\x82\xab\x8d\x9e\x82\xdd";
    }

    /// Shows message with caption in a modal exclamation box (TqMsgBox(),
    /// `MB_OK | MB_ICONEXCLAMATION`, owned by the application's main window).
    static void ShowFileMessage(const std::string& message, const char* caption);
    /// The quoted path (a null path reads as ""), a line feed and text.
    static std::string PathMessage(const char* path, const char* text);
    ///@}

    /// The number of elements in use.
    unsigned int m_nCount;
    /// The storage, null when none is held.
    T* m_pBuffer;
    /// The number of elements the storage holds.
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
    const CTqScopedFileHandle file(
        ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid()) {
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
    const CTqScopedFileHandle file(
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file.IsValid()) {
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
