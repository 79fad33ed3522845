// CTqArray<char,2>: growth and capacities, copies, insertion and removal by
// position, and allocation failures, on the exported instantiation.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

using Array = CTqArray<char, 2>;

// More than a 32-bit process can allocate, so the allocation really fails.
const unsigned int kHuge = 0xC0000000u;

Array Make(const std::string& bytes, unsigned int capacity = 0)
{
    Array a;
    a.Reserve(capacity > bytes.size() ? capacity : static_cast<unsigned int>(bytes.size()), 0, 0);
    for (char c : bytes)
        a.PushBack(c);
    return a;
}

std::string Bytes(const Array& a)
{
    return a.GetSize() ? std::string(a.GetBuffer(), a.GetSize()) : std::string();
}

struct Case {
    const char* name;
    std::function<int(Array&)> run;  // the operation under test and its result
    std::string initial;
    unsigned int initialCapacity;
    int result;
    unsigned int count;
    std::string prefix;  // the first bytes expected after the operation
    unsigned int capacity;
};

}  // namespace

TEST(Array, OperationsGiveTheStatedCountsAndCapacities)
{
    const Case cases[] = {
        {"Reserve below capacity keeps all", [](Array& a) { return a.Reserve(3, 0, 0); },
         "abcde", 8, 1, 5, "abcde", 8},
        {"Reserve keep 0 drops the elements", [](Array& a) { return a.Reserve(20, 0, 0); },
         "abcde", 8, 1, 0, "", 20},
        {"Reserve keep 1 copies the elements", [](Array& a) { return a.Reserve(20, 1, 0); },
         "abcde", 8, 1, 5, "abcde", 20},
        {"Resize within capacity", [](Array& a) { return a.Resize(3, 1, 0); }, "abcde", 10, 1, 3,
         "abc", 10},
        {"Resize doubles", [](Array& a) { return a.Resize(6, 1, 0); }, "abcde", 5, 1, 6, "abcde",
         10},
        {"Resize to more than double", [](Array& a) { return a.Resize(50, 1, 0); }, "", 10, 1, 50,
         "", 50},
        {"AddSize", [](Array& a) { return a.AddSize(10, 1, 0); }, "ab", 2, 1, 12, "ab", 12},
        {"CleanUp shrinks to count", [](Array& a) { return a.CleanUp(0); }, "abc", 16, 1, 3, "abc",
         3},
        {"CleanUp of nothing releases",
         [](Array& a) {
             a.Empty();
             return a.CleanUp(0);
         },
         "abc", 16, 1, 0, "", 0},
        {"ResizeSet grows by the max rule", [](Array& a) { return a.ResizeSet(5, 'z'); }, "ab", 2,
         1, 5, "zzzzz", 5},
        {"Set within capacity", [](Array& a) { return a.Set("xy", 2); }, "abcd", 4, 1, 2, "xy", 4},
        {"InsertAt count appends", [](Array& a) { return a.InsertAt(3, 'd', 0); }, "abc", 4, 1, 4,
         "abcd", 4},
        {"InsertAt past count fails", [](Array& a) { return a.InsertAt(4, 'd', 0); }, "abc", 4, 0,
         3, "abc", 4},
        {"InsertAt grows by doubling", [](Array& a) { return a.InsertAt(1, 'X', 0); }, "abc", 3, 1,
         4, "aXbc", 6},
        {"InsertAfterAt", [](Array& a) { return a.InsertAfterAt(0, 'X'); }, "abc", 3, 1, 4, "aXbc",
         6},
        {"InsertAfterAt last appends", [](Array& a) { return a.InsertAfterAt(2, 'X'); }, "abc", 3,
         1, 4, "abcX", 6},
        {"PushFront", [](Array& a) { return a.PushFront('X'); }, "abc", 4, 1, 4, "Xabc", 4},
        {"PushBack of the array itself doubles it", [](Array& a) { return a.PushBack(a); }, "abc",
         3, 1, 6, "abcabc", 6},
        {"PushBack of an empty array", [](Array& a) { return a.PushBack(Array()); }, "abc", 3, 0,
         3, "abc", 3},
        {"PopAt n 0 removes one", [](Array& a) { return a.PopAt(2, 0); }, "abcde", 5, 1, 4, "abde",
         5},
        {"PopAt beyond the end is cut", [](Array& a) { return a.PopAt(2, 1000); }, "abcde", 5, 1,
         2, "ab", 5},
        {"PopAt at count fails", [](Array& a) { return a.PopAt(5, 1); }, "abcde", 5, 0, 5, "abcde",
         5},
        {"PopFront", [](Array& a) { return a.PopFront(); }, "abc", 3, 1, 2, "bc", 3},
        {"PopBack", [](Array& a) { return a.PopBack(); }, "abc", 3, 1, 2, "ab", 3},
        {"PopBack of nothing", [](Array& a) { return a.PopBack(); }, "", 3, 0, 0, "", 3},
        {"SetAt in range", [](Array& a) { return a.SetAt(1, 'X'); }, "abc", 3, 1, 3, "aXc", 3},
        {"SetAt out of range", [](Array& a) { return a.SetAt(3, 'X'); }, "abc", 3, 0, 3, "abc", 3},
        {"AddAll wraps",
         [](Array& a) {
             a.AddAll(1);
             return 1;
         },
         std::string("a\x7f\xff", 3), 3, 1, 3, std::string("b\x80\0", 3), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Array a = Make(c.initial, c.initialCapacity);
        EXPECT_EQ(c.run(a), c.result);
        EXPECT_EQ(a.GetSize(), c.count);
        EXPECT_EQ(Bytes(a).substr(0, c.prefix.size()), c.prefix);
        EXPECT_EQ(a.GetBufferSize(), c.capacity);
        EXPECT_EQ(a.IsBufferEmpty(), a.GetBuffer() == nullptr);
    }
}

TEST(Array, ConstructionAndCopiesNeverShareStorage)
{
    Array none(0u);
    EXPECT_TRUE(none.IsBufferEmpty());
    Array seven(7u);
    EXPECT_EQ(seven.GetSize(), 7u);
    EXPECT_EQ(seven.GetBufferSize(), 7u);

    Array source = Make("abc", 16);
    Array copy(source);
    EXPECT_EQ(copy.GetSize(), 3u);
    EXPECT_EQ(copy.GetBufferSize(), 3u);
    EXPECT_NE(copy.GetBuffer(), source.GetBuffer());
    copy.SetAt(0, 'X');
    EXPECT_EQ(Bytes(source), "abc");

    Array emptyCopy{Array()};
    EXPECT_TRUE(emptyCopy.IsBufferEmpty());

    Array assigned = Make("wxyz", 5);
    assigned = source;  // fits: storage kept
    EXPECT_EQ(Bytes(assigned), "abc");
    EXPECT_EQ(assigned.GetBufferSize(), 5u);
    Array small = Make("", 2);
    small = Make("abcdefg");  // 7 > 2 x 2
    EXPECT_EQ(small.GetBufferSize(), 7u);
    small = small;
    EXPECT_EQ(Bytes(small), "abcdefg");
}

TEST(Array, GrowsByDoublingOneElementAtATime)
{
    Array a;
    const unsigned int expected[] = {1, 2, 4, 4, 8, 8, 8, 8, 16};
    for (unsigned int capacity : expected) {
        a.PushBack('x');
        EXPECT_EQ(a.GetBufferSize(), capacity);
    }
}

TEST(Array, InsertedValueMayReferToTheArrayItself)
{
    Array full = Make("abc", 3);  // the insertion reallocates
    full.InsertAt(0, full.Back(), 0);
    EXPECT_EQ(Bytes(full), "cabc");

    Array roomy = Make("abc", 8);  // the insertion moves the referenced element
    roomy.PushFront(roomy.GetAt(0));
    EXPECT_EQ(Bytes(roomy), "aabc");

    Array set = Make("abc", 3);
    set.ResizeSet(10, set.GetAt(1));
    EXPECT_EQ(Bytes(set), std::string(10, 'b'));
}

TEST(Array, SizesAndElementAccess)
{
    Array a = Make("abc", 8);
    EXPECT_EQ(a.GetLength(), 2u);
    EXPECT_EQ(Array().GetLength(), 0u);
    EXPECT_EQ(Make("a").GetLength(), 0u);
    EXPECT_EQ(a.GetByteSize(), 3u);
    EXPECT_EQ(a.ElementSize(), 1u);
    EXPECT_EQ(Array::CalcSizeFromByteSize(12), 12u);
    EXPECT_EQ(a.Front(), 'a');
    EXPECT_EQ(a.Back(), 'c');
    const char* storage = a.GetBuffer();
    a.Empty();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_FALSE(a.IsBufferEmpty());
    EXPECT_EQ(a.GetBuffer(), storage);
    a.Clear();
    EXPECT_TRUE(a.IsBufferEmpty());
    EXPECT_EQ(static_cast<const char*>(a), nullptr);
}

TEST(Array, NoThrowReportsARealAllocationFailure)
{
    Array a = Make("abc", 4);
    const char* storage = a.GetBuffer();

    EXPECT_EQ(a.Reserve(kHuge, 1, 1), 0);
    EXPECT_EQ(Bytes(a), "abc");
    EXPECT_EQ(a.GetBuffer(), storage);
    EXPECT_EQ(a.Resize(kHuge, 1, 1), 0);
    EXPECT_EQ(a.AddSize(kHuge, 1, 1), 0);
    EXPECT_EQ(Bytes(a), "abc");

    EXPECT_EQ(a.Reserve(kHuge, 0, 1), 0);  // keep 0 releases before allocating
    EXPECT_EQ(a.GetSize(), 0u);
    EXPECT_TRUE(a.IsBufferEmpty());

    EXPECT_THROW(a.Reserve(kHuge, 1, 0), std::bad_alloc);
    EXPECT_THROW(Array{kHuge}, std::bad_alloc);
}

TEST(Array, ArithmeticPast32BitsFailsAsAnAllocationFailure)
{
    Array a = Make("abc", 4);
    EXPECT_EQ(a.AddSize(0xFFFFFFFFu, 1, 1), 0);  // count + d wraps to 2
    EXPECT_EQ(Bytes(a), "abc");
    EXPECT_THROW(a.AddSize(0xFFFFFFFEu, 1, 0), std::bad_alloc);
    EXPECT_EQ(a.Resize(0xFFFFFFFFu, 1, 1), 0);
    EXPECT_EQ(Bytes(a), "abc");
}

TEST(Array, CleanUpFailureKeepsTheStorage)
{
    // CleanUp needs a second block as large as the array: fill the address
    // space around a large array so that the copy cannot be had.
    Array big;
    unsigned int size = 0x20000000u;
    while (size > 0x1000000u && !big.Reserve(size, 0, 1))
        size /= 2;
    ASSERT_FALSE(big.IsBufferEmpty());
    big.Resize(size - 1, 1, 0);
    char* storage = big.GetBuffer();
    storage[0] = 'q';

    std::vector<std::unique_ptr<char[]>> hog;
    for (size_t chunk = 0x10000000u; chunk >= 0x10000u;) {
        char* block = new (std::nothrow) char[chunk];
        if (block)
            hog.emplace_back(block);
        else
            chunk /= 2;
    }
    const int result = big.CleanUp(1);
    hog.clear();

    EXPECT_EQ(result, 0);
    EXPECT_EQ(big.GetBuffer(), storage);
    EXPECT_EQ(big.GetBufferSize(), size);
    EXPECT_EQ(big.GetAt(0), 'q');
}
