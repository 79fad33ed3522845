// CTqArray<char,2>: comparison, search, value-keyed editing, arithmetic, and
// whole-file reading and writing of real files, with the messages answered
// through MsgBoxCatcher.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MsgBoxCatcher.h"
#include "TempFolder.h"

namespace {

using Array = CTqArray<char, 2>;
const unsigned int kNotFound = 0xFFFFFFFFu;

Array Of(const std::vector<int>& values)
{
    Array a;
    for (int v : values)
        a.PushBack(static_cast<char>(v));
    return a;
}

Array OfBytes(const std::string& bytes)
{
    Array a;
    if (!bytes.empty())
        a.Set(bytes.data(), static_cast<unsigned int>(bytes.size()));
    return a;
}

std::vector<int> Values(const Array& a)
{
    std::vector<int> values;
    for (unsigned int i = 0; i < a.GetSize(); ++i)
        values.push_back(static_cast<signed char>(a.GetAt(i)));
    return values;
}

std::string Bytes(const Array& a)
{
    return a.GetSize() ? std::string(a.GetBuffer(), a.GetSize()) : std::string();
}

// UTF-8 text as code page 932 bytes, converted by the system, so that the
// expected messages do not depend on the library's own byte tables.
std::string Cp932(const char* utf8)
{
    wchar_t wide[256];
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 256);
    char bytes[512];
    const int length =
        WideCharToMultiByte(932, 0, wide, units, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, length > 0 ? length - 1 : 0);
}

std::string FileMessage(const std::string& path, const char* utf8)
{
    return "\"" + path + "\"\n" + Cp932(utf8);
}

void ExpectWarning(const MsgBoxCatcher::Box& box, const std::string& text, const char* caption)
{
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, Cp932(caption));
    EXPECT_EQ(box.icon, MsgBoxCatcher::Icon::Exclamation);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
}

const char kReading[] = "ファイルの読み込み";
const char kWriting[] = "ファイルの書き込み";

// A file of the given size whose contents take no disk space.
bool MakeSparseFile(const std::string& path, long long size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool made = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return made;
}

}  // namespace

TEST(ArrayCompare, OrdersSignedElementsThenCounts)
{
    const struct {
        std::vector<int> a, b;
        int expected;
    } cases[] = {
        {{1, 2}, {1, 2, 0}, -1}, {{1, 3}, {1, 2, 9}, 1}, {{-1}, {1}, -1}, {{}, {}, 0},
        {{}, {0}, -1},           {{0}, {}, 1},           {{5, 6}, {5, 6}, 0}, {{127}, {-128}, 1},
    };
    for (const auto& c : cases) {
        const Array a = Of(c.a);
        const Array b = Of(c.b);
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

TEST(ArraySearch, FindAndBinSearch)
{
    const Array sorted = Of({1, 3, 5, 7});
    const struct {
        int value;
        unsigned int find, bin;
    } cases[] = {{5, 2, 2}, {4, kNotFound, kNotFound}, {0, kNotFound, kNotFound},
                 {9, kNotFound, kNotFound}, {1, 0, 0}, {7, 3, 3}};
    for (const auto& c : cases) {
        const char v = static_cast<char>(c.value);
        EXPECT_EQ(sorted.Find(v), c.find) << c.value;
        EXPECT_EQ(sorted.BinSearch(v), c.bin) << c.value;
    }
    EXPECT_EQ(Array().Find('a'), kNotFound);
    EXPECT_EQ(Array().BinSearch('a'), kNotFound);
    EXPECT_EQ(Of({2, 2, 2}).Find(2), 0u);

    // Signed order: -100 sorts before 100, as a signed char does.
    const Array mixed = Of({-100, -1, 0, 100});
    EXPECT_EQ(mixed.BinSearch(static_cast<char>(-100)), 0u);
    EXPECT_EQ(mixed.BinSearch(100), 3u);
    EXPECT_EQ(mixed.BinSearch(static_cast<char>(-1)), 1u);

    // Every element of a long sorted array is found where it is.
    Array ramp;
    for (int v = -128; v < 128; ++v)
        ramp.PushBack(static_cast<char>(v));
    for (unsigned int i = 0; i < ramp.GetSize(); ++i)
        EXPECT_EQ(ramp.BinSearch(ramp.GetAt(i)), i);
}

TEST(ArraySearch, ValueKeyedEditing)
{
    Array a = Of({1, 3, 3});
    EXPECT_EQ(a.Insert(3, 9), 1);
    EXPECT_EQ(Values(a), (std::vector<int>{1, 9, 3, 3}));
    EXPECT_EQ(a.Insert(4, 9), 0);
    EXPECT_EQ(Values(a), (std::vector<int>{1, 9, 3, 3}));
    EXPECT_EQ(Array().Insert(1, 2), 0);
    a.Insert(a.GetAt(0), a.GetAt(1));  // both values taken from the array itself
    EXPECT_EQ(Values(a), (std::vector<int>{9, 1, 9, 3, 3}));

    Array b = Of({1, 2, 3, 2, 4});
    EXPECT_EQ(b.FindPop(2), 1);
    EXPECT_EQ(Values(b), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(b.FindPop(8), 0);

    Array c = Of({1, 2, 3, 2, 4});
    EXPECT_EQ(c.FindPop(Of({2, 3})), 1);
    EXPECT_EQ(Values(c), (std::vector<int>{1, 4}));
    EXPECT_EQ(c.FindPop(Of({5})), 0);
    EXPECT_EQ(Values(c), (std::vector<int>{1, 4}));
    EXPECT_EQ(c.FindPop(Array()), 0);
    EXPECT_EQ(c.FindPop(c), 1);  // every element occurs in itself
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.FindPop(Of({1})), 0);
}

TEST(ArrayArithmetic, SumsNormalisesAndReverses)
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
        {{2, 4, 6}, 0, 1, {0, 0, 0}},
        {{-1, -2}, 0, 0, {-1, -2}},
        {{}, 0, 0, {}},
        {{3, 1}, 0, 1, {0, 0}},
        {{4}, 0, 1, {1}},
        {{-7, 9}, 0, 1, {-3, 4}},  // sum 2: truncation toward zero
        {{1, 2, 3}, 12, 1, {2, 4, 6}},
        {{1, -1}, 12, 0, {1, -1}},
        {{2, 3}, 11, 1, {4, 6}},          // factor 11 / 5 = 2
        {{-2, -2}, 12, 1, {6, 6}},        // factor -3
        {{100, 1}, 101, 1, {100, 1}},     // factor 1
        {{70, -10}, 120, 1, {-116, -20}},  // 140 kept to 8 bits
    };
    for (const auto& c : cases) {
        Array a = Of(c.initial);
        const int result = c.total ? a.Normalize(static_cast<char>(c.total)) : a.Normalize();
        EXPECT_EQ(result, c.result) << c.total;
        EXPECT_EQ(Values(a), c.expected) << c.total;
    }

    for (const std::string text : {"abcde", "ab", "a", ""}) {
        Array r = OfBytes(text);
        r.Reverse();
        EXPECT_EQ(Bytes(r), std::string(text.rbegin(), text.rend()));
    }
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

    Array a = OfBytes(std::string("old contents"));
    int isEmpty = 5;
    EXPECT_EQ(a.ReadFile(path.c_str(), 1, &isEmpty), 1);
    EXPECT_EQ(isEmpty, 0);
    EXPECT_EQ(a.GetSize(), 11u);
    EXPECT_EQ(Bytes(a), bytes + '\0');
    EXPECT_EQ(a.ReadFile(path.c_str(), 0, nullptr), 1);
    EXPECT_EQ(Bytes(a), bytes);

    const std::string copy = folder / "copy.bin";
    Array text = OfBytes(std::string("abc\0", 4));
    EXPECT_EQ(text.WriteFile(copy.c_str(), 1, 1), 1);
    EXPECT_EQ(TempFolder::ReadFile(copy), "abc");
    EXPECT_EQ(text.WriteFile(copy.c_str(), 0, 0), 1);
    EXPECT_EQ(TempFolder::ReadFile(copy), std::string("abc\0", 4));
    EXPECT_EQ(Array().WriteFile(copy.c_str(), 1, 0), 1);
    EXPECT_EQ(TempFolder::ReadFile(copy), "");
    EXPECT_EQ(catcher.Count(), 0u);
}

// Every failure: its result, the one box it shows (or none) and an array
// left as it was.
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
    HANDLE reader = CreateFileA(shared.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);

    const struct {
        std::function<int(Array&)> run;
        std::string text;  // empty: no box
        const char* caption;
        int result = 0;
    } cases[] = {
        {[&](Array& a) {
             int isEmpty = 0;
             return a.ReadFile(empty.c_str(), 1, &isEmpty) * 10 + isEmpty;
         },
         "", nullptr, 1},
        {[&](Array& a) { return a.ReadFile(empty.c_str(), 1, nullptr); },
         FileMessage(empty, "は空です。"), kReading},
        {[&](Array& a) { return a.ReadFile(missing.c_str(), 0, nullptr); },
         FileMessage(missing, "のオープンに失敗しました。"), kReading},
        {[&](Array& a) { return a.ReadFile(wrap.c_str(), 1, nullptr); },
         FileMessage(wrap, "の読み込みに失敗しました。"), kReading},
        {[&](Array& a) { return a.ReadFile(huge.c_str(), 0, nullptr); },
         FileMessage(huge, "の読み込みに失敗しました。"), kReading},
        {[&](Array& a) { return a.WriteFile(longMissing.c_str(), 0, 0); },
         FileMessage(longMissing, "のオープンに失敗しました。"), kWriting},
        {[&](Array& a) { return a.BeginWriteFile(longMissing.c_str()) ? 1 : 0; },
         FileMessage(longMissing, "のオープンに失敗しました。"), kWriting},
        {[&](Array& a) { return a.WriteFile(shared.c_str(), 0, 0); },  // a reader holds it
         FileMessage(shared, "のオープンに失敗しました。"), kWriting},
        {[&](Array& a) { return a.EndWriteFile(nullptr); },
         Cp932("不正なファイル ハンドルです。"), kWriting},
        {[&](Array& a) { return a.SerialWriteFile(nullptr, 0, 0); }, "", nullptr},
        {[&](Array& a) { return a.SerialWriteFile(reader, 0, 0); }, "", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const size_t shown = catcher.Count();
        Array a = OfBytes(std::string("unchanged"));
        const char* storage = a.GetBuffer();
        EXPECT_EQ(c.run(a), c.result);
        EXPECT_EQ(Bytes(a), "unchanged");
        EXPECT_EQ(a.GetBuffer(), storage);
        ASSERT_EQ(catcher.Count(), shown + (c.text.empty() ? 0 : 1));
        if (!c.text.empty())
            ExpectWarning(catcher.Last(), c.text, c.caption);
    }
    CloseHandle(reader);
    EXPECT_EQ(TempFolder::ReadFile(shared), "abcdef");

    // Reading shares the file with other readers, and nobody may write it.
    HANDLE writer = CreateFileA(shared.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    Array a;
    EXPECT_EQ(a.ReadFile(shared.c_str(), 1, nullptr), 0);
    CloseHandle(writer);
    reader = CreateFileA(shared.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
    EXPECT_EQ(a.ReadFile(shared.c_str(), 1, nullptr), 1);
    CloseHandle(reader);
    EXPECT_EQ(Bytes(a), std::string("abcdef", 7));
}

TEST_F(ArrayFile, SerialWritingStreamsIntoOneFile)
{
    const std::string path = folder / "serial.txt";
    Array piece = OfBytes(std::string("ab\0", 3));
    void* file = piece.BeginWriteFile(path.c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(piece.SerialWriteFile(file, 1, 0), 1);
    EXPECT_EQ(piece.SerialWriteFile(file, 0, 1), 1);
    EXPECT_EQ(Array().SerialWriteFile(file, 1, 0), 1);
    EXPECT_EQ(piece.EndWriteFile(file), 1);
    EXPECT_EQ(TempFolder::ReadFile(path), std::string("abab\0", 5));
    EXPECT_EQ(catcher.Count(), 0u);
}
