// Code-page conversion 932 <-> UTF-16 <-> UTF-8 with the system's converter,
// and file mode on real files: streaming, completion at the end, at the next
// file and at destruction, and a spill forced by an allocation that really
// fails in this 32-bit process.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "MsgBoxCatcher.h"
#include "TempFolder.h"

namespace {

const unsigned int kRefused = 99999;  // not a code page
const unsigned int kUtf8 = 65001;

const std::string kNihon = "\x93\xfa\x96\x7b";                    // 日本 in code page 932
const std::string kNihonUtf8 = "\xe6\x97\xa5\xe6\x9c\xac";        // 日本 in UTF-8
const std::wstring kNihonWide = L"\x65e5\x672c";                  // 日本 in UTF-16
const std::string kHyouSoA = "\x95\x5c\x83\x5c" "a";              // 表ソa in code page 932
const std::string kHyouSoAUtf8 = "\xe8\xa1\xa8\xe3\x82\xbd" "a";  // 表ソa in UTF-8

std::string Text(const CTqString& s)
{
    return static_cast<const char*>(s);
}

// The size of a file, read without opening it (file mode shares it with nobody).
long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring Wide(const CTqString& s)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(s.GetBuffer()), s.GetLengthWC());
}

// Holds most of the address space, so that a large allocation fails while
// small ones still succeed.
class AddressSpaceHog {
public:
    AddressSpaceHog()
    {
        for (size_t chunk = 0x10000000u; chunk >= 0x10000u;) {
            char* block = new (std::nothrow) char[chunk];
            if (block)
                m_blocks.emplace_back(block);
            else
                chunk /= 2;
        }
        // Room for the small allocations that go on while it holds.
        for (int i = 0; i < 16 && !m_blocks.empty(); ++i)
            m_blocks.pop_back();
    }

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
};

}  // namespace

TEST(StringCodePage, ConvertsThroughUtf16)
{
    CTqString s("stale");
    EXPECT_EQ(s.MultiByteToWideChar(932, kNihon.c_str()), 1);
    EXPECT_EQ(s.GetSize(), 6u);
    EXPECT_EQ(s.GetLengthWC(), 2u);
    EXPECT_EQ(Wide(s), kNihonWide);

    CTqString back;
    EXPECT_EQ(back.WideCharToMultiByte(932, kNihonWide.c_str()), 1);
    EXPECT_EQ(Text(back), kNihon);
    EXPECT_EQ(back.GetSize(), 5u);
    EXPECT_EQ(back.WideCharToMultiByte(kUtf8, kNihonWide.c_str()), 1);
    EXPECT_EQ(Text(back), kNihonUtf8);

    CTqString mixed(kHyouSoA.c_str());
    EXPECT_EQ(mixed.ConvertMultiByteCodePage(932, kUtf8), 1);
    EXPECT_EQ(Text(mixed), kHyouSoAUtf8);
    EXPECT_EQ(mixed.ConvertMultiByteCodePage(kUtf8, 932), 1);
    EXPECT_EQ(Text(mixed), kHyouSoA);
    EXPECT_EQ(mixed.GetSize(), kHyouSoA.size() + 1);
}

TEST(StringCodePage, SourceInsideTheString)
{
    CTqString s(kNihon.c_str());
    EXPECT_EQ(s.MultiByteToWideChar(932, s), 1);
    EXPECT_EQ(Wide(s), kNihonWide);
    EXPECT_EQ(s.WideCharToMultiByte(kUtf8, reinterpret_cast<const wchar_t*>(s.GetBuffer())), 1);
    EXPECT_EQ(Text(s), kNihonUtf8);  // UTF-8 needs more bytes than UTF-16 here
}

TEST(StringCodePage, RefusedCodePagesAndEmptyTexts)
{
    CTqString s("text");
    EXPECT_EQ(s.MultiByteToWideChar(kRefused, "abc"), 1);
    EXPECT_EQ(s.GetSize(), 0u);
    s = "text";
    EXPECT_EQ(s.MultiByteToWideChar(932, nullptr), 1);
    EXPECT_EQ(s.GetSize(), 0u);
    s = "text";
    EXPECT_EQ(s.WideCharToMultiByte(kRefused, L"abc"), 1);
    EXPECT_EQ(s.GetSize(), 0u);

    // Converting the string's own text loses nothing to a refused code page.
    CTqString own(kNihon.c_str());
    EXPECT_EQ(own.ConvertMultiByteCodePage(kRefused, kUtf8), 0);
    EXPECT_EQ(own.ConvertMultiByteCodePage(932, kRefused), 0);
    EXPECT_EQ(Text(own), kNihon);

    CTqString empty("earlier text");
    empty = "";
    EXPECT_FALSE(empty.IsBufferEmpty());
    EXPECT_EQ(empty.ConvertMultiByteCodePage(932, kUtf8), 1);
    EXPECT_TRUE(empty.IsStrEmpty());
    CTqString none;
    EXPECT_EQ(none.ConvertMultiByteCodePage(kUtf8, 932), 1);
    EXPECT_TRUE(none.IsStrEmpty());
    EXPECT_EQ(none.MultiByteToWideChar(932, ""), 1);
    EXPECT_EQ(none.GetSize(), 2u);
    EXPECT_EQ(none.GetLengthWC(), 0u);
}

class StringFileMode : public ::testing::Test {
protected:
    TempFolder folder;
    MsgBoxCatcher catcher;
};

TEST_F(StringFileMode, StreamsAppendedTextIntoTheFile)
{
    const std::string path = folder / "stream.txt";
    CTqString s("abc");
    EXPECT_EQ(s.BeginFileMode(path.c_str()), 1);
    EXPECT_EQ(s.IsFileMode(), 1);
    s += "def";
    s += CTqString(kNihon.c_str());
    s.AddStrCount("-", 2);
    s.AddInt(7);
    EXPECT_EQ(FileSize(path), 0);  // held in memory until the end
    EXPECT_EQ(TempFolder::ReadFile(path), "<missing>");  // and shared with nobody

    s.EndFileMode();
    EXPECT_EQ(s.IsFileMode(), 0);
    EXPECT_TRUE(s.IsBufferEmpty());
    EXPECT_EQ(TempFolder::ReadFile(path), "abcdef" + kNihon + "--7");
    s.EndFileMode();  // nothing to end
    EXPECT_EQ(catcher.Count(), 0u);
}

TEST_F(StringFileMode, ANewFileCompletesThePreviousOne)
{
    const std::string first = folder / "first.txt";
    const std::string second = folder / "second.txt";
    CTqString s;
    EXPECT_EQ(s.BeginFileMode(first.c_str()), 1);
    s += "one";
    EXPECT_EQ(s.BeginFileMode(second.c_str()), 1);
    s += "two";
    CTqString copy(s);
    EXPECT_EQ(copy.IsFileMode(), 0);
    s.EndFileMode();
    EXPECT_EQ(TempFolder::ReadFile(first), "one");
    EXPECT_EQ(TempFolder::ReadFile(second), "two");

    s += "x";
    const std::string missing = folder / "no\\such\\folder.txt";
    EXPECT_EQ(s.BeginFileMode(missing.c_str()), 0);
    EXPECT_EQ(s.IsFileMode(), 0);
    EXPECT_EQ(Text(s), "x");
    ASSERT_EQ(catcher.Count(), 1u);
    EXPECT_EQ(catcher.Last().text.substr(0, missing.size() + 3), "\"" + missing + "\"\n");
    EXPECT_EQ(catcher.Last().icon, MsgBoxCatcher::Icon::Exclamation);
}

TEST_F(StringFileMode, DestructionCompletesTheFile)
{
    const std::string path = folder / "destroyed.txt";
    {
        CTqString s;
        ASSERT_EQ(s.BeginFileMode(path.c_str()), 1);
        s += "written at the end";
    }
    EXPECT_EQ(TempFolder::ReadFile(path), "written at the end");
    // Closed as well: the file can be opened without sharing.
    HANDLE exclusive = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
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
    const unsigned int capacityBefore = s.GetBufferSize();

    unsigned int countAfterSpill = 0;
    std::string textAfterSpill;
    {
        AddressSpaceHog hog;
        s += "tail";
        countAfterSpill = s.GetSize();
        textAfterSpill = Text(s);
    }
    const long long fileAfterSpill = FileSize(path);
    s += "more";
    s.EndFileMode();

    EXPECT_EQ(capacityBefore, bulk.size() + 1);
    EXPECT_EQ(countAfterSpill, 5u);
    EXPECT_EQ(textAfterSpill, "tail");
    EXPECT_EQ(fileAfterSpill, static_cast<long long>(bulk.size()));
    const std::string file = TempFolder::ReadFile(path);
    EXPECT_EQ(file.size(), bulk.size() + 8);
    EXPECT_TRUE(file == bulk + "tailmore");
    EXPECT_EQ(catcher.Count(), 0u);
}
