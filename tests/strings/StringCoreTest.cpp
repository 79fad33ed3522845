// CTqString core under code page 932: construction, assignment, appending
// (also of a string to itself), comparison, editing of double-byte text,
// embedded NULs and allocation failures.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "MsgBoxCatcher.h"

namespace {

// Code page 932 texts. 0x95 0x5C is a double-byte character whose trail byte
// is a backslash; 0x83 0x61 one whose trail byte is the letter a.
const char kNihon[] = "\x93\xfa\x96\x7b";  // two double-byte characters
const char kHyou[] = "\x95\x5c";
const char kTrailA[] = "\x83\x61";

std::string Bytes(const CTqString& s)
{
    return s.GetSize() ? std::string(s.GetBuffer(), s.GetSize()) : std::string();
}

}  // namespace

TEST(StringCore, RunsInCodePage932)
{
    ASSERT_EQ(GetACP(), 932u);
}

TEST(StringCore, EmptyStringsHoldNoStorageAndAreNeverNull)
{
    const CTqString fromNull(static_cast<const char*>(nullptr));
    const CTqString fromEmpty("");
    for (const CTqString* s : {&fromNull, &fromEmpty}) {
        EXPECT_EQ(s->GetSize(), 0u);
        EXPECT_TRUE(s->IsBufferEmpty());
        ASSERT_NE(static_cast<const char*>(*s), nullptr);
        EXPECT_STREQ(static_cast<const char*>(*s), "");
        EXPECT_TRUE(s->IsStrEmpty());
        EXPECT_TRUE(s->IsStrSB());
    }
    CTqString writable;
    char* text = writable;
    ASSERT_NE(text, nullptr);
    *text = 'x';  // a caller scribbling on the empty text does not change the next one
    EXPECT_STREQ(static_cast<char*>(writable), "");
    EXPECT_EQ(writable.GetBuffer(), nullptr);
}

TEST(StringCore, Assignment)
{
    CTqString s("abcdef");
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(Bytes(s), std::string("abcdef", 7));
    s = "";
    EXPECT_EQ(s.GetSize(), 0u);
    EXPECT_EQ(s.GetBufferSize(), 7u);
    s = "xy";
    EXPECT_EQ(Bytes(s), std::string("xy", 3));
    EXPECT_EQ(s.GetBufferSize(), 7u);
    s = CTqString();
    EXPECT_EQ(s.GetSize(), 0u);

    CTqString t("0123456789");
    t = t.GetBuffer() + 4;  // a tail of its own text
    EXPECT_TRUE(t == "456789");
    t = t;
    EXPECT_TRUE(t == "456789");

    CTqString copy(t);
    EXPECT_NE(copy.GetBuffer(), t.GetBuffer());
    EXPECT_EQ(copy.GetBufferSize(), 7u);
    EXPECT_FALSE(copy.IsFileMode());
}

TEST(StringCore, AppendingGrowsByTheMaxRule)
{
    CTqString s;
    s += "ab";
    EXPECT_EQ(s.GetSize(), 3u);
    EXPECT_EQ(s.GetBufferSize(), 3u);
    s += "cd";
    EXPECT_EQ(s.GetSize(), 5u);
    EXPECT_EQ(s.GetBufferSize(), 6u);
    s += static_cast<const char*>(nullptr);
    s += "";
    s += CTqString();
    EXPECT_EQ(Bytes(s), std::string("abcd", 5));
    s += 'e';
    EXPECT_EQ(Bytes(s), std::string("abcde", 6));

    EXPECT_EQ(s.AddStrCount("ab", 3), 1);
    EXPECT_TRUE(s == "abcdeababab");
    EXPECT_EQ(s.AddStrCount("", 3), 0);
    EXPECT_EQ(s.AddStrCount(nullptr, 3), 0);
    EXPECT_EQ(s.AddStrCount("ab", 0), 0);
    EXPECT_TRUE(s == "abcdeababab");

    CTqString t("x");
    t.AddStr(CTqString("hello"), 2, 0xFFFFFFFFu);
    t.AddStr(CTqString("hello"), 0, 2);
    t.AddStr(CTqString("hello"), 5, 1);  // at the end: nothing
    t.AddStr(CTqString("hello"), 1, 0);
    EXPECT_TRUE(t == "xllohe");

    char* room = t.AddBuffer(3);
    EXPECT_EQ(room, t.GetBuffer() + 6);
    room[0] = 'Z';
    room[1] = 'Z';
    room[2] = 0;
    EXPECT_EQ(Bytes(t), std::string("xlloheZZ", 9));
    EXPECT_EQ(t.AddBuffer(0), nullptr);
}

TEST(StringCore, AppendingAStringToItselfDoublesIt)
{
    CTqString s("abc");
    s += s;
    EXPECT_TRUE(s == "abcabc");
    s += s.GetBuffer() + 3;  // a pointer into its own storage, which must move
    EXPECT_TRUE(s == "abcabcabc");
    CTqString t("hey");
    t.AddStr(t, 1, 0xFFFFFFFFu);
    EXPECT_TRUE(t == "heyey");
    t.AddStrCount(t.GetBuffer(), 2);
    EXPECT_TRUE(t == "heyeyheyeyheyey");
    EXPECT_TRUE(t + t == "heyeyheyeyheyeyheyeyheyeyheyey");
}

TEST(StringCore, EmbeddedNulsAreCountedAndCompared)
{
    CTqString s("a");
    s += '\0';
    s += '\0';
    EXPECT_EQ(Bytes(s), std::string("a\0\0\0", 4));
    EXPECT_EQ(s.GetLength(), 3u);
    EXPECT_FALSE(s == CTqString("a"));
    EXPECT_TRUE(s == "a");  // a C text ends at its first NUL

    CTqString empty;
    empty += '\0';
    EXPECT_EQ(empty.GetSize(), 1u);
    EXPECT_TRUE(empty.IsStrEmpty());
}

TEST(StringCore, Comparisons)
{
    const CTqString abc("abc");
    const CTqString empty;
    EXPECT_TRUE(empty == static_cast<const char*>(nullptr));
    EXPECT_FALSE(CTqString("x") == static_cast<const char*>(nullptr));
    EXPECT_TRUE(empty == "");
    EXPECT_TRUE(empty == CTqString(""));
    EXPECT_TRUE("abc" == abc);
    EXPECT_TRUE(abc != CTqString("abd"));
    EXPECT_TRUE(abc != "ab");
    EXPECT_FALSE(abc != "abc");
    EXPECT_LT(abc.CompareStr("abd"), 0);
    EXPECT_GT(abc.CompareStr("abb"), 0);
    EXPECT_EQ(abc.CompareLCStr("ABC"), 0);
    EXPECT_TRUE(abc < "abd");
    EXPECT_TRUE(abc > "ab");
    EXPECT_TRUE(empty < abc);
    EXPECT_TRUE(abc > empty);
    EXPECT_EQ(abc.CompareStr(nullptr), 1);  // null orders as the empty text
    EXPECT_EQ(empty.CompareLCStr(nullptr), 0);
    // Double-byte characters order by their code, lead byte first.
    EXPECT_TRUE(CTqString(kHyou) > "z");
}

TEST(StringCore, DoubleByteCharactersStayWhole)
{
    CTqString s((std::string(kNihon) + "a").c_str());
    EXPECT_EQ(s.GetLengthMB(), 3u);
    EXPECT_EQ(s.GetLength(), 5u);
    EXPECT_FALSE(s.IsStrSB());
    EXPECT_TRUE(CTqString("plain").IsStrSB());

    CTqString path((std::string("ab") + kHyou + kHyou).c_str());
    EXPECT_EQ(path.PopBackChar(), 1);
    EXPECT_EQ(Bytes(path), "ab" + std::string(kHyou) + '\0');
    EXPECT_EQ(path.PopBackChar(), 1);
    EXPECT_EQ(path.PopBackChar(), 1);
    EXPECT_EQ(Bytes(path), std::string("a", 2));
    EXPECT_EQ(path.PopBackChar(), 1);
    EXPECT_EQ(path.PopBackChar(), 0);

    CTqString mixed((std::string("a") + kTrailA + "b").c_str());
    mixed.SetUpperCase();
    EXPECT_TRUE(mixed == (std::string("A") + kTrailA + "B").c_str());
    mixed.SetLowerCase();
    EXPECT_TRUE(mixed == (std::string("a") + kTrailA + "b").c_str());
}

TEST(StringCore, RemoveAt)
{
    const struct {
        unsigned int pos, n;
        int result;
        const char* text;
    } cases[] = {
        {1, 0xFFFFFFFFu, 1, "a"}, {1, 2, 1, "ad"},    {0, 100, 1, ""},
        {3, 1, 1, "abc"},         {4, 1, 0, "abcd"},  {1, 0, 0, "abcd"},
        {2, 0xFFFFFFFEu, 1, "ab"},
    };
    for (const auto& c : cases) {
        CTqString s("abcd");
        EXPECT_EQ(s.RemoveAt(c.pos, c.n), c.result) << c.pos << "," << c.n;
        EXPECT_EQ(Bytes(s), std::string(c.text, std::char_traits<char>::length(c.text) + 1));
        EXPECT_EQ(s.GetBufferSize(), 5u);
    }
    EXPECT_EQ(CTqString().RemoveAt(0, 1), 0);
}

TEST(StringCore, SizesPast32BitsFailAsAllocationFailures)
{
    CTqString s("abc");
    EXPECT_THROW(s.ResizeStr(1, 0xFFFFFFFFu, 1), std::bad_alloc);
    EXPECT_THROW(s.AddStrSize(1, 0xFFFFFFF0u, 0x20, 1), std::bad_alloc);
    EXPECT_THROW(s.AddBuffer(0xFFFFFFFFu), std::bad_alloc);
    EXPECT_THROW(s.AddStrCount("abcd", 0x40000000u), std::bad_alloc);
    EXPECT_TRUE(s == "abc");
    EXPECT_EQ(s.GetSize(), 4u);
}

TEST(StringCore, ConcatenationLeavesTheOperandsAlone)
{
    const CTqString ab("ab");
    const CTqString joined = ab + "cd";
    EXPECT_TRUE(joined == "abcd");
    EXPECT_TRUE(ab == "ab");
    EXPECT_TRUE("<" + ab + CTqString(">") == "<ab>");
    EXPECT_TRUE(CTqString() + "" == "");
}

TEST(StringCore, ShowMsgBoxShowsTheTextThroughTqMsgBox)
{
    MsgBoxCatcher catcher(IDCANCEL);
    EXPECT_EQ(CTqString().ShowMsgBox("caption", MB_OK, nullptr), 0);
    EXPECT_EQ(CTqString("").ShowMsgBox("caption", MB_OK, nullptr), 0);
    EXPECT_EQ(catcher.Count(), 0u);

    const std::string text = std::string(kNihon) + " text";
    EXPECT_EQ(CTqString(text.c_str()).ShowMsgBox("Title", MB_OKCANCEL, nullptr), IDCANCEL);
    ASSERT_EQ(catcher.Count(), 1u);
    EXPECT_EQ(catcher.Last().text, text);
    EXPECT_EQ(catcher.Last().caption, "Title");
}
