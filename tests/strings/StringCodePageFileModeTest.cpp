// Code-page conversion 932 <-> UTF-16 <-> UTF-8 with the system's converter,
// and file mode on real files: streaming, completion at the end, at the next
// file and at destruction, and a spill forced by an allocation that really
// fails in this 32-bit process.
#include "StringTestSupport.h"

#include "AddressSpaceHog.h"

namespace {

const unsigned int kRefused = 99999;  // not a code page
const unsigned int kUtf8 = 65001;

const std::string kNihonUtf8 = "\xe6\x97\xa5\xe6\x9c\xac";        // 日本 in UTF-8
const std::wstring kNihonWide = L"\x65e5\x672c";                  // 日本 in UTF-16
const std::string kHyouSoA = kHyou + kSo + "a";                   // 表ソa in code page 932
const std::string kHyouSoAUtf8 = "\xe8\xa1\xa8\xe3\x82\xbd" "a";  // 表ソa in UTF-8

// The size of a file, read without opening it (file mode shares it with nobody).
long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

TEST(StringCodePage, ConvertsThroughUtf16)
{
    const auto wide = [](const CTqString& s) { return reinterpret_cast<const wchar_t*>(s.GetBuffer()); };
    const Edit edits[] = {
        // UTF-16 in the storage: 日本 and a NUL, the count taking its two bytes.
        {"stale", OP(s.MultiByteToWideChar(932, C(kNihon)) && s.GetLengthWC() == 2), 1,
         std::string("\xe5\x65\x2c\x67", 5)},
        {"stale", OP(s.WideCharToMultiByte(932, kNihonWide.c_str())), 1, kNihon},
        {kHyouSoA, OP(s.ConvertMultiByteCodePage(932, kUtf8)), 1, kHyouSoAUtf8},
        // The source inside the string; UTF-8 needs more bytes than UTF-16 here.
        {kNihon, OP(s.MultiByteToWideChar(932, s) && s.WideCharToMultiByte(kUtf8, wide(s))), 1, kNihonUtf8},
        // A refused code page or a null text gives an empty string.
        {"text", OP(s.MultiByteToWideChar(kRefused, "abc") == 1 && s.GetSize() == 0), 1, ""},
        {"text", OP(s.MultiByteToWideChar(932, nullptr) == 1 && s.GetSize() == 0), 1, ""},
        {"text", OP(s.WideCharToMultiByte(kRefused, L"abc") == 1 && s.GetSize() == 0), 1, ""},
        // Converting the string's own text loses nothing to a refused code page.
        {kNihon, OP(s.ConvertMultiByteCodePage(kRefused, kUtf8) + s.ConvertMultiByteCodePage(932, kRefused)),
         0, kNihon},
        // Empty strings, with storage and without.
        {"earlier", OP((s = "", s.ConvertMultiByteCodePage(932, kUtf8))), 1, ""},
        {"", OP(s.ConvertMultiByteCodePage(kUtf8, 932)), 1},
        {"", OP(s.MultiByteToWideChar(932, "") && s.GetSize() == 2 && s.GetLengthWC() == 0), 1,
         std::string(1, '\0')},
    };
    CheckEdits(edits);
}

class StringFileMode : public ::testing::Test {
protected:
    TempFolder folder;
    MsgBoxCatcher catcher;
};

TEST_F(StringFileMode, StreamsAppendedTextIntoTheFileUntilItEnds)
{
    const std::string first = folder / "first.txt", second = folder / "second.txt";
    CTqString s("abc");
    EXPECT_EQ(s.BeginFileMode(first.c_str()), 1);
    EXPECT_EQ(s.IsFileMode(), 1);
    s += "def";
    s += CTqString(C(kNihon));
    s.AddStrCount("-", 2);
    s.AddInt(7);
    EXPECT_EQ(FileSize(first), 0);  // held in memory until the end
    EXPECT_EQ(TempFolder::ReadFile(first), "<missing>");  // and shared with nobody

    // A new file completes the previous one; a copy is not in file mode.
    EXPECT_EQ(s.BeginFileMode(second.c_str()), 1);
    s += "two";
    EXPECT_EQ(CTqString(s).IsFileMode(), 0);
    s.EndFileMode();
    EXPECT_EQ(s.IsFileMode(), 0);
    EXPECT_TRUE(s.IsBufferEmpty());
    EXPECT_EQ(TempFolder::ReadFile(first), "abcdef" + kNihon + "--7");
    EXPECT_EQ(TempFolder::ReadFile(second), "two");
    s.EndFileMode();  // nothing to end
    EXPECT_EQ(catcher.Count(), 0u);

    s += "x";
    const std::string missing = folder / "no\\such\\folder.txt";
    EXPECT_EQ(s.BeginFileMode(missing.c_str()), 0);
    EXPECT_EQ(s.IsFileMode(), 0);
    EXPECT_EQ(Text(s), "x");
    ASSERT_EQ(catcher.Count(), 1u);
    EXPECT_EQ(catcher.Last().text.substr(0, missing.size() + 3), "\"" + missing + "\"\n");
    EXPECT_EQ(catcher.Last().icon, MsgBoxCatcher::Icon::Exclamation);

    // Destruction completes the file and closes it: it opens without sharing.
    {
        CTqString destroyed;
        ASSERT_EQ(destroyed.BeginFileMode(second.c_str()), 1);
        destroyed += "written at the end";
    }
    EXPECT_EQ(TempFolder::ReadFile(second), "written at the end");
    HANDLE exclusive = CreateFileA(second.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    CloseHandle(exclusive);
}

TEST_F(StringFileMode, AppendThatCannotGetMemorySpillsToTheFile)
{
    const std::string path = folder / "spill.txt";
    const std::string bulk(4u << 20, 'a');
    CTqString s;
    ASSERT_EQ(s.BeginFileMode(path.c_str()), 1);
    s += bulk.c_str();  // capacity now exactly the text: the next append must grow to 8 MiB
    EXPECT_EQ(s.GetBufferSize(), bulk.size() + 1);
    std::string afterSpill;
    {
        AddressSpaceHog hog(16);  // room for small allocations only
        ASSERT_TRUE(hog.Full()) << "run under a bounded address space (tq-wine)";
        s += "tail";
        afterSpill = std::string(s.GetBuffer(), s.GetSize());
    }
    EXPECT_EQ(afterSpill, std::string("tail", 5));
    EXPECT_EQ(FileSize(path), static_cast<long long>(bulk.size()));
    s += "more";
    s.EndFileMode();
    const std::string file = TempFolder::ReadFile(path);
    EXPECT_TRUE(file == bulk + "tailmore");
    EXPECT_EQ(catcher.Count(), 0u);
}
