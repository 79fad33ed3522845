// CTqString searching, tokens, trimming, removing, replacing and quoting
// under code page 932. The texts hold double-byte characters whose trail
// byte is a backslash, a bar or a letter, so that a byte-wise match inside a
// character shows; the SB twins are run on the same texts.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const unsigned int kNotFound = 0xFFFFFFFFu;
const unsigned int kAll = 0xFFFFFFFFu;

// Double-byte characters of code page 932 and their trail bytes.
const std::string kHyou = "\x95\x5c";  // 表, trail byte backslash
const std::string kSo = "\x83\x5c";    // ソ, trail byte backslash
const std::string kPo = "\x83\x7c";    // ポ, trail byte '|'
const std::string kTsu = "\x83\x63";   // ツ, trail byte 'c'
const std::string kEq = "\x81\x81";    // ＝, both bytes lead-byte values

std::string Text(const CTqString& s)
{
    return static_cast<const char*>(s);
}

struct FindCase {
    std::string text, needle;
    unsigned int pos, multiByte, singleByte;
};

}  // namespace

TEST(StringSearch, FindNeverMatchesInsideACharacter)
{
    const FindCase cases[] = {
        {"a" + kHyou + "b", "\\", 0, kNotFound, 2},
        {kHyou + "\\", "\\", 0, 2, 1},
        {kPo + "|", "|", 0, 2, 1},
        {kTsu + "d", "cd", 0, kNotFound, 1},  // a needle that starts on a trail byte
        {"x" + kHyou + "y", kHyou, 0, 1, 1},
        {kEq + kEq + "a", "\x81" "a", 0, kNotFound, 3},  // the candidate is a trail byte
        {kEq + "\x81" "a", "\x81" "a", 0, 2, 2},        // the candidate starts a character
        {kSo + kSo + "\\" + kSo, "\\", 0, 4, 1},
        {kSo + kSo + "\\" + kSo, "\\", 5, kNotFound, 6},
        {"abcabc", "bc", 2, 4, 4},
        {"abc", "", 1, 1, 1},
        {"abc", "", 3, kNotFound, kNotFound},
        {"abc", "c", 3, kNotFound, kNotFound},
        {"abc", "c", 7, kNotFound, kNotFound},
        {"", "", 0, kNotFound, kNotFound},
        {"abc", "abcd", 0, kNotFound, kNotFound},
        {"a" + kHyou, "\x95", 0, kNotFound, 1},  // a lone lead byte takes half a character
    };
    for (const FindCase& c : cases) {
        const CTqString s(c.text.c_str());
        SCOPED_TRACE(c.text + " / " + c.needle);
        EXPECT_EQ(s.Find(c.needle.c_str(), c.pos, 0), c.multiByte);
        EXPECT_EQ(s.FindSB(c.needle.c_str(), c.pos), c.singleByte);
        const unsigned int n = static_cast<unsigned int>(c.needle.size());
        EXPECT_EQ(s.FindEnd(c.needle.c_str(), c.pos), c.multiByte == kNotFound ? kNotFound : c.multiByte + n);
        EXPECT_EQ(s.FindEndSB(c.needle.c_str(), c.pos), c.singleByte == kNotFound ? kNotFound : c.singleByte + n);
    }
    const CTqString abc("abc");
    EXPECT_EQ(abc.Find("B", 0, 1), 1u);
    EXPECT_EQ(abc.Find("B", 0, 0), kNotFound);
    EXPECT_EQ(CTqString("xAbCab").Find("aB", 2, 1), 4u);
    EXPECT_EQ(CTqString(("A" + kTsu + "C").c_str()).Find("c", 0, 1), 3u);
    EXPECT_EQ(CTqString("abcd").FindEnd("bc", 0), 3u);
}

TEST(StringSearch, CharacterSets)
{
    const CTqString s((kHyou + "\\x" + kPo + "|").c_str());  // 表 \ x ポ |
    EXPECT_EQ(s.FindFirst("\\", 0), 2u);
    EXPECT_EQ(s.FindFirstSB("\\", 0), 1u);
    EXPECT_EQ(s.FindFirst("|", 0), 6u);
    EXPECT_EQ(s.FindFirstSB("|", 0), 5u);
    EXPECT_EQ(s.FindFirst(kPo.c_str(), 0), 4u);
    EXPECT_EQ(s.FindFirst("z", 0), kNotFound);
    EXPECT_EQ(s.FindFirst("\\", 7), kNotFound);

    // "\x95\\" is the one character 表 to the multibyte search, two bytes to SB.
    EXPECT_EQ(s.FindFirstNot("\x95\\", 0), 2u);
    EXPECT_EQ(s.FindFirstNotSB("\x95\\", 0), 3u);
    EXPECT_EQ(s.FindFirstNot((kHyou + "\\x" + kPo + "|").c_str(), 0), kNotFound);

    const struct {
        const char* text;
        const char* chars;
        unsigned int first, firstNot;
    } cases[] = {
        {"   ", " ", 0, kNotFound}, {"  x", " ", 0, 2}, {"x  ", " ", 1, 0},
        {"", " ", kNotFound, kNotFound}, {"abc", "", kNotFound, 0},
    };
    for (const auto& c : cases) {
        const CTqString t(c.text);
        EXPECT_EQ(t.FindFirst(c.chars, 0), c.first) << c.text;
        EXPECT_EQ(t.FindFirstSB(c.chars, 0), c.first) << c.text;
        EXPECT_EQ(t.FindFirstNot(c.chars, 0), c.firstNot) << c.text;
        EXPECT_EQ(t.FindFirstNotSB(c.chars, 0), c.firstNot) << c.text;
    }
}

TEST(StringSearch, FindEndNotKeepsCharactersWhole)
{
    const struct {
        std::string text;
        const char* chars;
        unsigned int pos, end, expected;
    } cases[] = {
        {"ab  ", " ", 0, kAll, 2},
        {"    ", " ", 0, kAll, kNotFound},
        {"a" + kHyou, "\\", 0, kAll, 3},
        {"a" + kHyou + "\\\\", "\\", 0, kAll, 3},
        {"a" + kSo + kSo, kSo.c_str(), 0, kAll, 1},
        {"ab  cd", " ", 0, 4, 2},
        {"ab  cd", " ", 2, 4, kNotFound},
        {"abc", " ", 0, 4, kNotFound},  // end beyond the length
        {"abc", " ", 3, kAll, kNotFound},
        {"", " ", 0, kAll, kNotFound},
    };
    for (const auto& c : cases) {
        const CTqString s(c.text.c_str());
        EXPECT_EQ(s.FindEndNot(c.chars, c.pos, c.end), c.expected) << c.text;
    }
    // The free form works on read-only text as well.
    static const char kConstant[] = "xy--";
    EXPECT_EQ(TqFindEndNot(kConstant, kConstant + 4, "-"), kConstant + 2);
    EXPECT_EQ(TqFindEndNot(kConstant, kConstant, "-"), nullptr);
    EXPECT_EQ(TqFindEndNot(kConstant + 2, kConstant + 4, "-"), nullptr);
}

TEST(StringSearch, ComparingParts)
{
    const CTqString s("abcdef");
    EXPECT_EQ(s.NumCompareStr("abX", 2), 0);
    EXPECT_GT(s.NumCompareStr("abX", 3), 0);
    EXPECT_EQ(s.CompareSubStr("cd", 2, 2), 0);
    EXPECT_EQ(s.CompareSubStr("cdef", 2, kAll), 0);
    EXPECT_GT(s.CompareSubStr("", 2, 1), 0);
    EXPECT_EQ(s.CompareSubStr("", 6, 1), 0);  // past the end: the empty text
    EXPECT_LT(s.CompareSubStr("a", 1, 0), 0);
    EXPECT_EQ(s.CompareLCSubStr("CDE", 2, 3), 0);
    EXPECT_NE(s.CompareSubStr("CDE", 2, 3), 0);
    EXPECT_TRUE(s == "abcdef");  // the window is closed again

    const struct {
        const char* text;
        const char* affix;
        int prefix, suffix;
    } cases[] = {
        {"abc", "", 1, 1},  {"", "", 1, 1},     {"abc", "ab", 1, 0}, {"abc", "bc", 0, 1},
        {"abc", "abc", 1, 1}, {"abc", "xabc", 0, 0}, {"", "a", 0, 0},
    };
    for (const auto& c : cases) {
        const CTqString t(c.text);
        EXPECT_EQ(t.HasPrefix(c.affix), c.prefix) << c.text << "/" << c.affix;
        EXPECT_EQ(t.HasSuffix(c.affix), c.suffix) << c.text << "/" << c.affix;
    }

    CTqString out("old");
    EXPECT_EQ(s.GetSubStr(out, 1, 3), 1);
    EXPECT_EQ(Text(out), "bcd");
    EXPECT_EQ(out.GetSize(), 4u);
    EXPECT_EQ(s.GetSubStr(out, 4, kAll), 1);
    EXPECT_EQ(Text(out), "ef");
    EXPECT_EQ(s.GetSubStr(out, 6, 1), 0);
    EXPECT_EQ(out.GetSize(), 0u);
    CTqString self("0123456789");
    EXPECT_EQ(self.GetSubStr(self, 3, 4), 1);
    EXPECT_EQ(Text(self), "3456");
}

TEST(StringSearch, TokenPositions)
{
    const CTqString s(",,a,b");
    unsigned int begin = 77, end = 77;
    EXPECT_EQ(s.GetTokenPos(begin, end, ",", 0), 1);
    EXPECT_EQ(begin, 2u);
    EXPECT_EQ(end, 3u);
    EXPECT_EQ(s.GetTokenPos(begin, end, ",", 3), 1);
    EXPECT_EQ(begin, 4u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(s.GetTokenPos(begin, end, ",", 5), 0);
    EXPECT_EQ(begin, 4u);

    // A delimiter that is also the trail byte of the token's character.
    const CTqString path(("x" + kHyou + "\\y").c_str());
    EXPECT_EQ(path.GetTokenPos(begin, end, "\\", 0), 1);
    EXPECT_EQ(end, 3u);
    EXPECT_EQ(path.GetTokenPosSB(begin, end, "\\", 0), 1);
    EXPECT_EQ(end, 2u);

    CTqString token("untouched");
    const CTqString list("a,,b");
    EXPECT_EQ(list.GetToken(token, ",", 0), 1u);
    EXPECT_EQ(Text(token), "a");
    EXPECT_EQ(list.GetToken(token, ",", 1), 4u);
    EXPECT_EQ(Text(token), "b");
    EXPECT_EQ(list.GetToken(token, ",", 4), kNotFound);
    EXPECT_EQ(Text(token), "b");

    std::string walked;
    for (unsigned int pos = 0; (pos = path.GetToken(token, "\\", pos)) != kNotFound;)
        walked += "[" + Text(token) + "]";
    EXPECT_EQ(walked, "[x" + kHyou + "][y]");
}

TEST(StringSearch, RuntimeTokenizer)
{
    CTqString s(("x" + kHyou + "\\y,,z").c_str());
    const unsigned int length = s.GetLength();
    EXPECT_EQ(s.GetToken("\\,", 0), 0u);
    EXPECT_EQ(s.GetToken("\\,", 1), 4u);
    EXPECT_EQ(s.GetToken("\\,", 1), 7u);
    EXPECT_EQ(s.GetToken("\\,", 1), kNotFound);
    EXPECT_EQ(s.GetLength(), length);
    EXPECT_EQ(Text(s), "x" + kHyou);  // the delimiters became NULs

    CTqString empty;
    EXPECT_EQ(empty.GetToken(",", 0), kNotFound);
    EXPECT_EQ(empty.GetToken(",", 1), kNotFound);
}

TEST(StringSearch, Trimming)
{
    const struct {
        std::string text;
        const char* chars;
        std::string left, right, both;
    } cases[] = {
        {" a b ", " \t", "a b ", " a b", "a b"},
        {"\t a\t", " \t", "a\t", "\t a", "a"},
        {"    ", " ", "", "", ""},
        {"", " ", "", "", ""},
        {"abc", " ", "abc", "abc", "abc"},
        {"\\a" + kHyou, "\\", "a" + kHyou, "\\a" + kHyou, "a" + kHyou},
        {kSo + "\\\\", "\\", kSo + "\\\\", kSo, kSo},
        {kSo + kSo + "x" + kSo, kSo.c_str(), "x" + kSo, kSo + kSo + "x", "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CTqString left(c.text.c_str()), right(c.text.c_str()), both(c.text.c_str());
        left.TrimLeft(c.chars);
        right.TrimRight(c.chars);
        both.TrimLeftRight(c.chars);
        EXPECT_EQ(Text(left), c.left);
        EXPECT_EQ(Text(right), c.right);
        EXPECT_EQ(Text(both), c.both);
        EXPECT_EQ(both.GetLength(), c.both.size());
    }
}

TEST(StringSearch, Remove)
{
    const struct {
        std::string text, remove;
        unsigned int pos;
        int result;
        std::string expected;
    } cases[] = {
        {"aabb", "ab", 0, 1, "ab"},
        {"abab", "ab", 0, 1, ""},
        {"xabyab", "ab", 2, 1, "xaby"},
        {"abc", "", 0, 0, "abc"},
        {"abc", "x", 0, 0, "abc"},
        {"abc", "c", 3, 0, "abc"},
        {"C:\\" + kHyou + "\\a", "\\", 0, 1, "C:" + kHyou + "a"},
        {kSo + kSo, "\\", 0, 0, kSo + kSo},
    };
    for (const auto& c : cases) {
        CTqString s(c.text.c_str());
        EXPECT_EQ(s.Remove(c.remove.c_str(), c.pos), c.result) << c.text;
        EXPECT_EQ(Text(s), c.expected);
        EXPECT_EQ(s.GetLength(), c.expected.size());
    }
}

TEST(StringSearch, Replace)
{
    const struct {
        std::string text, find, replace;
        int all, ignoreCase;
        unsigned int count;
        std::string expected;
    } cases[] = {
        {"banana", "a", "xy", 1, 0, 3, "bxynxynxy"},
        {"banana", "a", "xy", 0, 0, 1, "bxynana"},
        {"banana", "", "xy", 0, 0, 1, "xybanana"},
        {"banana", "", "xy", 1, 0, 1, "xybanana"},
        {"banana", "an", "", 1, 0, 2, "ba"},
        {"banana", "q", "x", 1, 0, 0, "banana"},
        {"BanAna", "a", "o", 1, 1, 3, "Bonono"},
        {"BanAna", "a", "o", 1, 0, 2, "BonAno"},
        {"aaa", "aa", "a", 1, 0, 1, "aa"},  // the replacement is not searched again
        {"C:\\" + kHyou + "\\" + kSo, "\\", "/", 1, 0, 2, "C:/" + kHyou + "/" + kSo},
        {"", "a", "b", 1, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.find);
        const CTqString source(c.text.c_str());
        CTqString out("stale");
        const unsigned int count =
            source.GetReplacedStr(out, c.find.c_str(), c.replace.c_str(), c.all, c.ignoreCase);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(Text(out), count ? c.expected : "");
        CTqString s(c.text.c_str());
        EXPECT_EQ(s.ReplaceStr(c.find.c_str(), c.replace.c_str(), c.all, c.ignoreCase), c.count);
        EXPECT_EQ(Text(s), c.expected);
    }
    CTqString s("a-b");
    EXPECT_EQ(s.ReplaceStr("-", static_cast<const char*>(nullptr), 1, 0), 1u);
    EXPECT_EQ(Text(s), "ab");
    CTqString self("x.y");
    EXPECT_EQ(self.GetReplacedStr(self, ".", "::", 1, 0), 1u);
    EXPECT_EQ(Text(self), "x::y");
}

TEST(StringSearch, Quoting)
{
    const struct {
        std::string text;
        const char* quote;
        const char* escape;
        std::string expected;
    } cases[] = {
        {"a\"b", "\"", "\\", "\"a\\\"b\""},
        {"a\"b", "\"", "\"", "\"a\"\"b\""},
        {"", "\"", "\\", "\"\""},
        {"a\\\"", "\"", "\\", "\"a\\\\\"\""},  // escapes already there are not doubled
        {kPo + "|", "|", "\\", "|" + kPo + "\\||"},
        {"''", "'", "'", "''''''"},
    };
    for (const auto& c : cases) {
        CTqString s(c.text.c_str());
        EXPECT_EQ(s.QuoteStr(c.quote, c.escape), 1) << c.text;
        EXPECT_EQ(Text(s), c.expected);
    }
    CTqString s("abc");
    CTqString out("untouched");
    EXPECT_EQ(s.GetQuotedStr(out, "", "\\"), 0);
    EXPECT_EQ(s.GetQuotedStr(out, "\"", nullptr), 0);
    EXPECT_EQ(s.QuoteStr(nullptr, "\\"), 0);
    EXPECT_EQ(Text(out), "untouched");
    EXPECT_EQ(Text(s), "abc");
}

TEST(StringSearch, EndNumber)
{
    const struct {
        const char* text;
        unsigned int result;
        const char* head;
        unsigned int number;
    } cases[] = {
        {"file012", 3, "file", 12},
        {"file", 0, "file", 777},
        {"12a34", 2, "12a", 34},
        {"x99999999999", 11, "x", 0xFFFFFFFFu},  // beyond 32 bits: saturated
        {"0042", 4, "", 42},                     // digits only: all number
        {"", 0, "", 777},
    };
    for (const auto& c : cases) {
        const CTqString s(c.text);
        CTqString head("stale");
        unsigned int number = 777;
        EXPECT_EQ(s.GetEndNumber(head, number), c.result) << c.text;
        EXPECT_EQ(Text(head), c.head);
        EXPECT_EQ(number, c.number);
    }
    CTqString self("take5");
    unsigned int number = 0;
    EXPECT_EQ(self.GetEndNumber(self, number), 1u);
    EXPECT_EQ(Text(self), "take");
    EXPECT_EQ(number, 5u);
}
