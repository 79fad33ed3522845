// CTqArray<char,2>, the exported instantiation: what each operation returns
// and leaves (counts and capacities included), comparison, search and
// arithmetic in signed order, allocation failures that really happen, counts
// past 32 bits refused where a 64-bit process has the memory, and whole-file
// reading and writing on real files with each failure's message box, byte for
// byte, through MsgBoxCatcher.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "AddressSpaceHog.h"
#include "CodePage.h"
#include "MsgBoxCatcher.h"
#include "TableRows.h"
#include "TempFolder.h"

namespace {

using Array = CTqArray<char, 2>;
const unsigned int kNone = 0xFFFFFFFFu;  // not found; all ones
const unsigned int kHuge = 0xC0000000u;  // more than a 32-bit process can allocate
const unsigned int kAny = 12345u;        // a capacity that is not checked

// What a 32-bit and what a 64-bit process expects: the latter has the memory
// for any count that fits in 32 bits.
template <class V>
V ByWidth(V in32, V in64)
{
    return sizeof(void*) == 8 ? in64 : in32;
}

Array Make(const std::string& bytes, unsigned int capacity = 0)
{
    Array a;
    a.Reserve(capacity > bytes.size() ? capacity : static_cast<unsigned int>(bytes.size()), 0, 0);
    for (char c : bytes)
        a.PushBack(c);
    return a;
}

// The first elements, at most limit of them (storage a 64-bit process got for
// a huge count is left untouched).
std::string Bytes(const Array& a, size_t limit = std::string::npos)
{
    return a.GetSize() ? std::string(a.GetBuffer(), std::min<size_t>(a.GetSize(), limit))
                       : std::string();
}

// Signed element values, written as numbers.
Array Of(const std::vector<int>& values)
{
    return Make(std::string(values.begin(), values.end()));
}

// A file of the given size whose contents take no disk space.
bool MakeSparseFile(const std::string& path, long long size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool made = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return made;
}

HANDLE Open(const std::string& path, DWORD access, DWORD share)
{
    return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

#define OP(expr) [&]([[maybe_unused]] Array& a) -> int { return (expr); }

}  // namespace

TEST(Array, OperationsGiveTheStatedResultsCountsAndCapacities)
{
    const struct {
        const char* name;
        std::function<int(Array&)> op;
        std::string initial;
        unsigned int initialCapacity;
        long long result;
        unsigned int count;
        std::string prefix;     // the first elements after the operation
        unsigned int capacity;  // or kAny
    } cases[] = {
        {"sized", OP(Array(7u).GetSize() * 100 + Array(7u).GetBufferSize()), "", 0, 707, 0, "", 0},
        {"sized 0, a copy of nothing: no storage", OP(Array(0u).IsBufferEmpty() + Array(a).IsBufferEmpty()),
         "", 0, 2, 0, "", 0},
        {"a copy: its own storage of the count", OP([&] {
             Array copy(a);
             return Bytes(copy) == "abc" && copy.GetBuffer() != a.GetBuffer() ? copy.GetBufferSize() : 0;
         }()), "abc", 16, 3, 3, "abc", 16},
        {"PushBack one at a time doubles", OP([&] {
             unsigned int capacities = 0;
             for (char c : std::string("abcde"))
                 capacities = (a.PushBack(c), capacities * 10 + a.GetBufferSize());
             return capacities;
         }()), "", 0, 12448, 5, "abcde", 8},
        {"Reserve below capacity keeps all", OP(a.Reserve(3, 0, 0)), "abcde", 8, 1, 5, "abcde", 8},
        {"Reserve keep 0 drops the elements", OP(a.Reserve(20, 0, 0)), "abcde", 8, 1, 0, "", 20},
        {"Reserve keep 1 copies them", OP(a.Reserve(20, 1, 0)), "abcde", 8, 1, 5, "abcde", 20},
        {"Resize within capacity", OP(a.Resize(3, 1, 0)), "abcde", 10, 1, 3, "abc", 10},
        {"Resize doubles", OP(a.Resize(6, 1, 0)), "abcde", 5, 1, 6, "abcde", 10},
        {"Resize past double", OP(a.Resize(50, 1, 0)), "", 10, 1, 50, "", 50},
        {"AddSize", OP(a.AddSize(10, 1, 0)), "ab", 2, 1, 12, "ab", 12},
        {"CleanUp shrinks to the count", OP(a.CleanUp(0)), "abc", 16, 1, 3, "abc", 3},
        {"CleanUp of nothing releases", OP((a.Empty(), a.CleanUp(0))), "abc", 16, 1, 0, "", 0},
        {"Empty keeps the storage", OP((a.Empty(), a.IsEmpty())), "abc", 8, 1, 0, "", 8},
        {"Clear releases it", OP((a.Clear(), a.IsBufferEmpty())), "abc", 8, 1, 0, "", 0},
        {"ResizeSet grows by the max rule", OP(a.ResizeSet(5, 'z')), "ab", 2, 1, 5, "zzzzz", 5},
        {"Set within capacity", OP(a.Set("xy", 2)), "abcd", 4, 1, 2, "xy", 4},
        {"SetAt in range", OP(a.SetAt(1, 'X')), "abc", 3, 1, 3, "aXc", 3},
        {"SetAt out of range", OP(a.SetAt(3, 'X')), "abc", 3, 0, 3, "abc", 3},
        {"AddAll wraps", OP((a.AddAll(1), 1)), "a\x7f\xff", 0, 1, 3, std::string("b\x80", 3), 3},
        {"GetLength: the count less a terminator", OP(a.GetLength()), "abc", 0, 2, 3, "abc", 3},
        {"GetLength of one", OP(a.GetLength() + Array().GetLength()), "a", 0, 0, 1, "a", 1},
        {"assignment that fits keeps storage", OP((a = Make("abc"), 1)), "wxyz", 5, 1, 3, "abc", 5},
        {"assignment grows by max rule", OP((a = Make("abcdefg"), 1)), "", 2, 1, 7, "abcdefg", 7},
        {"self-assignment", OP((a = a, 1)), "abc", 0, 1, 3, "abc", 3},
        {"InsertAt the count appends", OP(a.InsertAt(3, 'd', 0)), "abc", 4, 1, 4, "abcd", 4},
        {"InsertAt past the count fails", OP(a.InsertAt(4, 'd', 0)), "abc", 4, 0, 3, "abc", 4},
        {"InsertAt grows by doubling", OP(a.InsertAt(1, 'X', 0)), "abc", 3, 1, 4, "aXbc", 6},
        {"InsertAfterAt the last appends", OP(a.InsertAfterAt(2, 'X')), "abc", 3, 1, 4, "abcX", 6},
        {"InsertAt of an element, grows", OP(a.InsertAt(0, a.Back(), 0)), "abc", 3, 1, 4, "cabc", 6},
        {"PushFront of an element it moves", OP(a.PushFront(a.Front())), "abc", 8, 1, 4, "aabc", 8},
        {"ResizeSet to an element", OP(a.ResizeSet(9, a.GetAt(1))), "abc", 3, 1, 9, "bbbbbbbbb", 9},
        {"PushBack of itself doubles it", OP(a.PushBack(a)), "abc", 3, 1, 6, "abcabc", 6},
        {"PushBack of nothing", OP(a.PushBack(Array())), "abc", 3, 0, 3, "abc", 3},
        {"PopAt n 0 removes one", OP(a.PopAt(2, 0)), "abcde", 5, 1, 4, "abde", 5},
        {"PopAt past the end is cut", OP(a.PopAt(2, 1000)), "abcde", 5, 1, 2, "ab", 5},
        {"PopAt at the count fails", OP(a.PopAt(5, 1)), "abcde", 5, 0, 5, "abcde", 5},
        {"PopAt from the middle keeps the tail", OP(a.PopAt(1, 3)), "abcde", 5, 1, 2, "ae", 5},
        {"PopFront", OP(a.PopFront()), "abc", 3, 1, 2, "bc", 3},
        {"PopBack", OP(a.PopBack()), "abc", 3, 1, 2, "ab", 3},
        {"PopBack and PopFront of nothing", OP(a.PopBack() + a.PopFront()), "", 3, 0, 0, "", 3},
        {"Insert before the first match", OP(a.Insert('c', 'z')), "acc", 0, 1, 4, "azcc", kAny},
        {"Insert before a missing value", OP(a.Insert('d', 'z')), "acc", 0, 0, 3, "acc", 3},
        {"Insert of own elements", OP(a.Insert(a.GetAt(0), a.GetAt(1))), "azcc", 0, 1, 5, "zazcc", 8},
        {"FindPop of the first match", OP(a.FindPop('b')), "abcbd", 0, 1, 4, "acbd", 5},
        {"FindPop of a missing value", OP(a.FindPop('x')), "abcbd", 0, 0, 5, "abcbd", 5},
        {"FindPop of values, all", OP(a.FindPop(Make("bc"))), "abcbd", 0, 1, 2, "ad", kAny},
        {"FindPop of no values", OP(a.FindPop(Make("e")) + a.FindPop(Array())), "ab", 0, 0, 2, "ab", 2},
        {"FindPop of itself empties it", OP(a.FindPop(a)), "ad", 0, 1, 0, "", kAny},
        {"FindPop from nothing", OP(a.FindPop(Make("a"))), "", 0, 0, 0, "", 0},
        {"Reverse", OP((a.Reverse(), 1)), "abcde", 0, 1, 5, "edcba", 5},
        // Allocation failures that are real in a 32-bit process (a 64-bit one
        // gets the storage), and counts whose arithmetic passes 32 bits.
        {"noThrow Reserve", OP(a.Reserve(kHuge, 1, 1)), "abc", 4, ByWidth(0, 1), 3, "abc",
         ByWidth(4u, kHuge)},
        {"noThrow AddSize", OP(a.AddSize(kHuge, 1, 1)), "abc", 4, ByWidth(0, 1),
         ByWidth(3u, kHuge + 3), "abc", ByWidth(4u, kHuge + 3)},
        {"noThrow Reserve keep 0 releases", OP(a.Reserve(kHuge, 0, 1)), "abc", 4, ByWidth(0, 1),
         0, "", ByWidth(0u, kHuge)},
        {"AddSize wrapping to 2 fails", OP(a.AddSize(kNone, 1, 1)), "abc", 4, 0, 3, "abc", 4},
        {"Resize to all ones", OP(a.Resize(kNone, 1, 1)), "abc", 4, ByWidth(0, 1),
         ByWidth(3u, kNone), "abc", ByWidth(4u, kNone)},
        {"Reserve", OP(a.Reserve(kHuge, 1, 0)), "abc", 4, ByWidth(kBadAlloc, 1ll), 3, "abc",
         ByWidth(4u, kHuge)},
        {"AddSize wrapping throws", OP(a.AddSize(kNone - 1, 1, 0)), "abc", 4, kBadAlloc, 3, "abc", 4},
        {"a huge array", OP((Array{kHuge}, 1)), "abc", 4, ByWidth(kBadAlloc, 1ll), 3, "abc", 4},
    };
    CheckRows(cases, [](const auto& c) { return Make(c.initial, c.initialCapacity); },
              [](const auto& c, Array& a, long long result) {
                  EXPECT_EQ(result, c.result) << c.name;
                  EXPECT_EQ(a.GetSize(), c.count);
                  EXPECT_EQ(Bytes(a, c.prefix.size()), c.prefix);
                  EXPECT_TRUE(c.capacity == kAny || a.GetBufferSize() == c.capacity)
                      << a.GetBufferSize();
                  EXPECT_EQ(a.IsBufferEmpty(), a.GetBuffer() == nullptr);
              });
}

TEST(Array, ComparesSignedElementsThenCounts)
{
    const struct {
        std::vector<int> a, b;
        int expected;
    } cases[] = {
        {{1, 2}, {1, 2, 0}, -1}, {{1, 3}, {1, 2, 9}, 1}, {{-1}, {1}, -1}, {{}, {}, 0},
        {{}, {0}, -1}, {{0}, {}, 1}, {{5, 6}, {5, 6}, 0}, {{127}, {-128}, 1},
    };
    for (const auto& c : cases) {
        const Array a = Of(c.a), b = Of(c.b);
        const int result = a.Compare(b);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(a == b, result == 0);
        EXPECT_EQ(a != b, result != 0);
        EXPECT_EQ(a < b, result < 0);
        EXPECT_EQ(a > b, result > 0);
        EXPECT_EQ(a <= b, result <= 0);
        EXPECT_EQ(a >= b, result >= 0);
    }
}

TEST(Array, FindAndBinSearchInSignedOrder)
{
    const struct {
        std::vector<int> sorted;
        int value;
        unsigned int find, bin;
    } cases[] = {
        {{1, 3, 5, 7}, 4, kNone, kNone}, {{1, 3, 5, 7}, 0, kNone, kNone},
        {{1, 3, 5, 7}, 9, kNone, kNone}, {{}, 'a', kNone, kNone},
        {{-100, 100}, 0, kNone, kNone},  {{2, 2, 2}, 2, 0, 0},  // Find: the first
    };
    for (const auto& c : cases) {
        const Array a = Of(c.sorted);
        EXPECT_EQ(a.Find(static_cast<char>(c.value)), c.find) << c.value;
        EXPECT_EQ(a.BinSearch(static_cast<char>(c.value)) != kNone, c.bin != kNone) << c.value;
    }
    // Every value present, at every place, the first and last included.
    Array ramp;
    for (int v = -128; v < 128; ++v)
        ramp.PushBack(static_cast<char>(v));
    for (unsigned int i = 0; i < ramp.GetSize(); ++i) {
        EXPECT_EQ(ramp.Find(ramp.GetAt(i)), i);
        EXPECT_EQ(ramp.BinSearch(ramp.GetAt(i)), i);
    }
}

TEST(Array, SumsAndNormalisesInTheElementType)
{
    char sum = 7;
    EXPECT_EQ(Array().GetSum(sum), 0);
    EXPECT_EQ(sum, 7);
    EXPECT_EQ(Of({100, 100}).GetSum(sum), 1);
    EXPECT_EQ(sum, -56);

    const struct {
        std::vector<int> initial;
        int total;  // 0: Normalize() without a total
        int result;
        std::vector<int> expected;
    } cases[] = {
        {{2, 4, 6}, 0, 1, {0, 0, 0}},      {{-1, -2}, 0, 0, {-1, -2}},
        {{}, 0, 0, {}},                    {{-7, 9}, 0, 1, {-3, 4}},  // truncated toward zero
        {{1, -1}, 12, 0, {1, -1}},         {{2, 3}, 11, 1, {4, 6}},   // factor 11 / 5 = 2
        {{-2, -2}, 12, 1, {6, 6}},         // factor -3
        {{100, 1}, 101, 1, {100, 1}},      // factor 1
        {{70, -10}, 120, 1, {-116, -20}},  // 140 kept to 8 bits
    };
    for (const auto& c : cases) {
        Array a = Of(c.initial);
        EXPECT_EQ(c.total ? a.Normalize(static_cast<char>(c.total)) : a.Normalize(), c.result);
        EXPECT_EQ(Bytes(a), Bytes(Of(c.expected))) << c.total;
    }
}

TEST(Array, CleanUpFailureKeepsTheStorage)
{
    // CleanUp needs a second block as large as the array: with the address
    // space around a large array taken, the copy cannot be had.
    Array big;
    unsigned int size = 0x20000000u;
    while (size > 0x1000000u && !big.Reserve(size, 0, 1))
        size /= 2;
    ASSERT_FALSE(big.IsBufferEmpty());
    big.Resize(size - 1, 1, 0);
    char* storage = big.GetBuffer();
    storage[0] = 'q';
    int result = -1;
    {
        AddressSpaceHog hog;
        ASSERT_TRUE(hog.Full()) << "run under a bounded address space (tq-wine)";
        result = big.CleanUp(1);
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(big.GetBuffer(), storage);
    EXPECT_EQ(big.GetBufferSize(), size);
    EXPECT_EQ(big.GetAt(0), 'q');
}

// Where the memory is there (a 64-bit process), the 32-bit count is the limit:
// growth stops at the largest count, and a count past it is refused, never
// wrapped. The storage is only reserved; no element is touched.
TEST(Array, CountsPastThirtyTwoBitsAreRefusedWhereMemoryIsNot)
{
    if (sizeof(void*) < 8)
        GTEST_SKIP() << "a 32-bit process cannot hold arrays of these sizes";
    const unsigned int half = 0x80000000u;
    Array a;
    ASSERT_EQ(a.Reserve(half, 0, 1), 1);
    ASSERT_EQ(a.Resize(half + 1, 1, 1), 1);  // 2 x capacity would pass the largest count
    EXPECT_EQ(a.GetBufferSize(), kNone);
    const char* storage = a.GetBuffer();
    EXPECT_THROW(a.PushBack(a), std::bad_alloc);
    EXPECT_EQ(a.AddSize(half - 1, 1, 1), 0);  // 2^32 elements
    EXPECT_EQ(a.GetSize(), half + 1);
    ASSERT_EQ(a.AddSize(half - 2, 1, 1), 1);  // all ones: the largest count
    EXPECT_EQ(a.InsertAt(0, 'x', 1), 0);
    EXPECT_THROW(a.PushBack('x'), std::bad_alloc);
    EXPECT_EQ(a.GetSize(), kNone);
    EXPECT_EQ(a.GetBuffer(), storage);
}

class ArrayFile : public ::testing::Test {
protected:
    TempFolder folder;
    MsgBoxCatcher catcher;
};

TEST_F(ArrayFile, ReadsAndWritesBytesWithAndWithoutTerminator)
{
    const std::string bytes("0123\0\xff\x95\x5c" "89", 10);
    const std::string path = folder.WriteFile("ten.bin", bytes);
    Array a = Make("old contents");
    int isEmpty = 5;
    EXPECT_EQ(a.ReadFile(path.c_str(), 1, &isEmpty), 1);
    EXPECT_EQ(isEmpty, 0);
    EXPECT_EQ(Bytes(a), bytes + '\0');
    EXPECT_EQ(a.ReadFile(path.c_str(), 0, nullptr), 1);
    EXPECT_EQ(Bytes(a), bytes);

    const std::string copy = folder / "copy.bin";
    const Array text = Make(std::string("abc\0", 4));
    EXPECT_EQ(text.WriteFile(copy.c_str(), 1, 1), 1);
    EXPECT_EQ(TempFolder::ReadFile(copy), "abc");
    EXPECT_EQ(text.WriteFile(copy.c_str(), 0, 0), 1);
    EXPECT_EQ(TempFolder::ReadFile(copy), std::string("abc\0", 4));
    EXPECT_EQ(Array().WriteFile(copy.c_str(), 1, 0), 1);
    EXPECT_EQ(TempFolder::ReadFile(copy), "");

    // Serial writing streams pieces into one file.
    Array piece = Make(std::string("ab\0", 3));
    void* file = piece.BeginWriteFile(copy.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(piece.SerialWriteFile(file, 1, 0) + piece.SerialWriteFile(file, 0, 1), 2);
    EXPECT_EQ(Array().SerialWriteFile(file, 1, 0), 1);
    EXPECT_EQ(piece.EndWriteFile(file), 1);
    EXPECT_EQ(TempFolder::ReadFile(copy), std::string("abab\0", 5));
    EXPECT_EQ(catcher.Count(), 0u);
}

// Every failure: its result, the one exclamation box it shows (or none) and
// an array left as it was.
TEST_F(ArrayFile, FailuresShowTheirMessageAndChangeNothing)
{
    const std::string empty = folder.WriteFile("empty.bin", "");
    const std::string shared = folder.WriteFile("shared.bin", "abcdef");
    const std::string missing = folder / "missing.bin";
    const std::string longMissing = folder / (std::string(600, 'd') + "\\x.bin");
    const std::string wrap = folder / "wrap.bin";  // 4 GiB - 1 bytes and a terminator
    const std::string huge = folder / "huge.bin";  // 4 GiB + 10 bytes
    ASSERT_TRUE(MakeSparseFile(wrap, 0xFFFFFFFFll));
    ASSERT_TRUE(MakeSparseFile(huge, 0x10000000All));
    HANDLE reader = Open(shared, GENERIC_READ, FILE_SHARE_READ);
    const char* reading = "ファイルの読み込み";
    const char* writing = "ファイルの書き込み";
    int isEmpty = 0;

    const struct {
        std::function<int(Array&)> run;
        std::string path;    // the file the message names, if any
        const char* text;    // the message after the path; null: no box
        const char* caption;
        int result = 0;
    } cases[] = {
        // Silent, with isEmpty: the read fails and tells why.
        {OP(!a.ReadFile(empty.c_str(), 1, &isEmpty) && isEmpty), "", nullptr, nullptr, 1},
        {OP(a.ReadFile(empty.c_str(), 1, nullptr)), empty, "は空です。", reading},
        {OP(a.ReadFile(missing.c_str(), 0, nullptr)), missing, "のオープンに失敗しました。", reading},
        {OP(a.ReadFile(wrap.c_str(), 1, nullptr)), wrap, "の読み込みに失敗しました。", reading},
        {OP(a.ReadFile(huge.c_str(), 0, nullptr)), huge, "の読み込みに失敗しました。", reading},
        {OP(a.WriteFile(longMissing.c_str(), 0, 0)), longMissing, "のオープンに失敗しました。", writing},
        {OP(a.BeginWriteFile(longMissing.c_str()) != nullptr), longMissing, "のオープンに失敗しました。",
         writing},
        {OP(a.EndWriteFile(nullptr)), "", "不正なファイル ハンドルです。", writing},
        {OP(a.SerialWriteFile(nullptr, 0, 0)), "", nullptr, nullptr},
        {OP(a.SerialWriteFile(reader, 0, 0)), "", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + (c.text ? c.text : ""));
        const size_t shown = catcher.Count();
        Array a = Make("unchanged");
        const char* storage = a.GetBuffer();
        EXPECT_EQ(c.run(a), c.result);
        EXPECT_EQ(Bytes(a), "unchanged");
        EXPECT_EQ(a.GetBuffer(), storage);
        ASSERT_EQ(catcher.Count(), shown + (c.text ? 1 : 0));
        if (c.text) {
            EXPECT_EQ(catcher.Last(), (MsgBoxCatcher::Box{
                                          (c.path.empty() ? "" : "\"" + c.path + "\"\n") + Cp932(c.text),
                                          Cp932(c.caption), nullptr, {IDOK}, MsgBoxCatcher::Icon::Exclamation}));
        }
    }
    CloseHandle(reader);

    // Reading shares the file with other readers, and nobody may write it.
    HANDLE writer = Open(shared, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    Array a;
    EXPECT_EQ(a.ReadFile(shared.c_str(), 1, nullptr), 0);
    CloseHandle(writer);
    reader = Open(shared, GENERIC_READ, FILE_SHARE_READ);
    EXPECT_EQ(a.ReadFile(shared.c_str(), 1, nullptr), 1);
    CloseHandle(reader);
    EXPECT_EQ(Bytes(a), std::string("abcdef", 7));
}
