// CTqString searching, tokens, trimming, removing, replacing and quoting
// under code page 932, on texts with double-byte characters whose trail byte
// is a backslash, a bar or a letter, so that a byte-wise match inside a
// character shows. The SB twins run on the same texts; single-byte texts are
// covered by the differential test.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const unsigned int kNone = 0xFFFFFFFFu;  // not found; as a length or end: to the end

const std::string kHyou = "\x95\x5c";  // 表, trail byte backslash
const std::string kSo = "\x83\x5c";    // ソ, trail byte backslash
const std::string kPo = "\x83\x7c";    // ポ, trail byte '|'
const std::string kTsu = "\x83\x63";   // ツ, trail byte 'c'
const std::string kEq = "\x81\x81";    // ＝, both bytes lead-byte values

std::string Text(const CTqString& s)
{
    return static_cast<const char*>(s);
}

enum class Op { Find, FindFirst, FindFirstNot, TokenEnd };

// The multibyte operation and its SB twin on one text.
unsigned int Search(Op op, const CTqString& s, const char* arg, unsigned int pos, bool sb)
{
    unsigned int begin = 0, end = kNone;
    switch (op) {
    case Op::Find:
        return sb ? s.FindSB(arg, pos) : s.Find(arg, pos, 0);
    case Op::FindFirst:
        return sb ? s.FindFirstSB(arg, pos) : s.FindFirst(arg, pos);
    case Op::FindFirstNot:
        return sb ? s.FindFirstNotSB(arg, pos) : s.FindFirstNot(arg, pos);
    case Op::TokenEnd:
        if (!(sb ? s.GetTokenPosSB(begin, end, arg, pos) : s.GetTokenPos(begin, end, arg, pos)))
            return kNone;
        return begin * 100 + end;
    }
    return 0;
}

}  // namespace

TEST(StringSearch, MultiByteSearchesNeverSplitACharacter)
{
    const struct {
        Op op;
        std::string text, arg;
        unsigned int pos, multiByte, singleByte;
    } cases[] = {
        {Op::Find, "a" + kHyou + "b", "\\", 0, kNone, 2},
        {Op::Find, kPo + "|", "|", 0, 2, 1},
        {Op::Find, kTsu + "d", "cd", 0, kNone, 1},  // a needle starting on a trail byte
        {Op::Find, "x" + kHyou + "y", kHyou, 0, 1, 1},
        {Op::Find, kEq + kEq + "a", "\x81" "a", 0, kNone, 3},  // after a run of lead values
        {Op::Find, kEq + "\x81" "a", "\x81" "a", 0, 2, 2},
        {Op::Find, kSo + kSo + "\\" + kSo, "\\", 0, 4, 1},
        {Op::Find, kSo + kSo + "\\" + kSo, "\\", 5, kNone, 6},
        {Op::Find, "a" + kHyou, "\x95", 0, kNone, 1},  // half a character is never found
        {Op::Find, "abc", "", 1, 1, 1},
        {Op::Find, "abc", "c", 3, kNone, kNone},
        {Op::Find, "", "", 0, kNone, kNone},
        {Op::FindFirst, kHyou + "\\x" + kPo + "|", "\\", 0, 2, 1},
        {Op::FindFirst, kHyou + "\\x" + kPo + "|", "|", 0, 6, 5},
        {Op::FindFirst, kHyou + "\\x" + kPo + "|", kPo, 0, 4, 4},
        {Op::FindFirstNot, kHyou + "\\x", "\x95\\", 0, 2, 3},  // one character 表, or two bytes
        {Op::FindFirstNot, kSo + kSo, kSo, 0, kNone, kNone},
        {Op::FindFirstNot, "  x", " ", 0, 2, 2},
        {Op::TokenEnd, "x" + kHyou + "\\y", "\\", 0, 3, 2},
        {Op::TokenEnd, ",,a,b", ",", 3, 405, 405},
        {Op::TokenEnd, ",,a,b", ",", 5, kNone, kNone},
    };
    for (const auto& c : cases) {
        const CTqString s(c.text.c_str());
        SCOPED_TRACE(static_cast<int>(c.op));
        EXPECT_EQ(Search(c.op, s, c.arg.c_str(), c.pos, false), c.multiByte) << c.text;
        EXPECT_EQ(Search(c.op, s, c.arg.c_str(), c.pos, true), c.singleByte) << c.text;
    }
    EXPECT_EQ(CTqString("abcd").FindEnd("bc", 0), 3u);
    EXPECT_EQ(CTqString(kPo.c_str()).FindEnd("|", 0), kNone);
    EXPECT_EQ(CTqString(kPo.c_str()).FindEndSB("|", 0), 2u);
    EXPECT_EQ(CTqString("abc").Find("B", 0, 1), 1u);
    EXPECT_EQ(CTqString("abc").Find("B", 0, 0), kNone);
    EXPECT_EQ(CTqString("xAbCab").Find("aB", 2, 1), 4u);
    EXPECT_EQ(CTqString(("A" + kTsu + "C").c_str()).Find("c", 0, 1), 3u);
}

TEST(StringSearch, FindEndNotAndTrimming)
{
    const struct {
        std::string text;
        const char* chars;
        unsigned int pos, end, endNot;
    } ends[] = {
        {"ab  ", " ", 0, kNone, 2},          {"    ", " ", 0, kNone, kNone},
        {"a" + kHyou, "\\", 0, kNone, 3},    {"a" + kSo + kSo, kSo.c_str(), 0, kNone, 1},
        {"ab  cd", " ", 0, 4, 2},            {"ab  cd", " ", 2, 4, kNone},
        {"abc", " ", 0, 4, kNone},           {"", " ", 0, kNone, kNone},
    };
    for (const auto& c : ends)
        EXPECT_EQ(CTqString(c.text.c_str()).FindEndNot(c.chars, c.pos, c.end), c.endNot) << c.text;
    static const char kReadOnly[] = "xy--";
    EXPECT_EQ(TqFindEndNot(kReadOnly, kReadOnly + 4, "-"), kReadOnly + 2);
    EXPECT_EQ(TqFindEndNot(kReadOnly + 2, kReadOnly + 4, "-"), nullptr);

    const struct {
        std::string text;
        const char* chars;
        std::string left, right, both;
    } trims[] = {
        {" a b ", " \t", "a b ", " a b", "a b"},
        {"\\a" + kHyou, "\\", "a" + kHyou, "\\a" + kHyou, "a" + kHyou},
        {kSo + "\\\\", "\\", kSo + "\\\\", kSo, kSo},
        {kSo + kSo + "x" + kSo, kSo.c_str(), "x" + kSo, kSo + kSo + "x", "x"},
    };
    for (const auto& c : trims) {
        CTqString left(c.text.c_str()), right(c.text.c_str()), both(c.text.c_str());
        left.TrimLeft(c.chars);
        right.TrimRight(c.chars);
        both.TrimLeftRight(c.chars);
        EXPECT_EQ(Text(left) + "|" + Text(right) + "|" + Text(both),
                  c.left + "|" + c.right + "|" + c.both);
        EXPECT_EQ(both.GetLength(), c.both.size());
    }
}

TEST(StringSearch, PartsAndTokens)
{
    const CTqString s("abcdef");
    EXPECT_EQ(s.NumCompareStr("abX", 2), 0);
    EXPECT_GT(s.NumCompareStr("abX", 3), 0);
    EXPECT_EQ(s.CompareSubStr("cdef", 2, kNone), 0);
    EXPECT_EQ(s.CompareSubStr("", 6, 1), 0);  // past the end: the empty text
    EXPECT_EQ(s.CompareLCSubStr("CDE", 2, 3), 0);
    EXPECT_NE(s.CompareSubStr("CDE", 2, 3), 0);
    EXPECT_EQ(Text(s), "abcdef");  // the window is closed again

    CTqString self("0123456789");
    EXPECT_EQ(self.GetSubStr(self, 3, 4), 1);
    EXPECT_EQ(Text(self), "3456");

    // Walking with positions, and with the runtime's tokenizer.
    const CTqString path(("x" + kHyou + "\\y,,z").c_str());
    CTqString token;
    std::string walked;
    for (unsigned int pos = 0; (pos = path.GetToken(token, "\\,", pos)) != kNone;)
        walked += "[" + Text(token) + "]";
    EXPECT_EQ(walked, "[x" + kHyou + "][y][z]");

    CTqString tokens(path);
    const unsigned int starts[] = {tokens.GetToken("\\,", 0), tokens.GetToken("\\,", 1),
                                   tokens.GetToken("\\,", 1), tokens.GetToken("\\,", 1)};
    EXPECT_EQ(starts[0] * 1000 + starts[1] * 100 + starts[2] * 10, 470u);
    EXPECT_EQ(starts[3], kNone);
    EXPECT_EQ(tokens.GetLength(), path.GetLength());
    EXPECT_EQ(Text(tokens), "x" + kHyou);  // the delimiters became NULs
    EXPECT_EQ(CTqString().GetToken(",", 0), kNone);
}

TEST(StringSearch, RemoveReplaceAndQuote)
{
    const struct {
        std::string text, find, replace;
        int all, ignoreCase;
        unsigned int count;
        std::string expected;
    } replaces[] = {
        {"banana", "a", "xy", 1, 0, 3, "bxynxynxy"},
        {"banana", "a", "xy", 0, 0, 1, "bxynana"},
        {"banana", "", "xy", 0, 0, 1, "xybanana"},
        {"banana", "", "xy", 1, 0, 1, "xybanana"},  // an empty find is found once
        {"BanAna", "a", "o", 1, 1, 3, "Bonono"},
        {"C:\\" + kHyou + "\\" + kSo, "\\", "/", 1, 0, 2, "C:/" + kHyou + "/" + kSo},
        {kSo + kSo, "\\", "/", 1, 0, 0, kSo + kSo},
    };
    for (const auto& c : replaces) {
        CTqString s(c.text.c_str());
        EXPECT_EQ(s.ReplaceStr(c.find.c_str(), c.replace.c_str(), c.all, c.ignoreCase), c.count);
        EXPECT_EQ(Text(s), c.expected);
    }
    CTqString out("stale");
    EXPECT_EQ(CTqString("abc").GetReplacedStr(out, "x", "y", 1, 0), 0u);
    EXPECT_TRUE(out.IsEmpty());
    CTqString self("x.y");
    EXPECT_EQ(self.GetReplacedStr(self, ".", "::", 1, 0), 1u);
    EXPECT_EQ(Text(self), "x::y");

    const struct {
        std::string text, remove;
        std::string expected;
    } removes[] = {
        {"aabb", "ab", "ab"},  // a removal that joins an occurrence leaves it
        {"abab", "ab", ""},
        {"C:\\" + kHyou + "\\a", "\\", "C:" + kHyou + "a"},
        {kSo + "\\" + kSo, kSo, "\\"},
    };
    for (const auto& c : removes) {
        CTqString s(c.text.c_str());
        EXPECT_EQ(s.Remove(c.remove.c_str(), 0), 1) << c.text;
        EXPECT_EQ(Text(s), c.expected);
    }
    CTqString own("a-b-c");
    EXPECT_EQ(own.Remove(own.GetBuffer() + 3, 0), 1);  // "-c", from its own text
    EXPECT_EQ(Text(own), "a-b");

    const struct {
        std::string text;
        const char *quote, *escape;
        std::string expected;
    } quotes[] = {
        {"a\"b", "\"", "\\", "\"a\\\"b\""},   {"a\"b", "\"", "\"", "\"a\"\"b\""},
        {"", "\"", "\\", "\"\""},             {"a\\\"", "\"", "\\", "\"a\\\\\"\""},
        {kPo + "|", "|", "\\", "|" + kPo + "\\||"},
    };
    for (const auto& c : quotes) {
        CTqString s(c.text.c_str());
        EXPECT_EQ(s.QuoteStr(c.quote, c.escape), 1);
        EXPECT_EQ(Text(s), c.expected);
    }
    CTqString kept("abc");
    EXPECT_EQ(kept.QuoteStr("", "\\"), 0);
    EXPECT_EQ(kept.QuoteStr("\"", nullptr), 0);
    EXPECT_EQ(Text(kept), "abc");
}

TEST(StringSearch, EndNumber)
{
    const struct {
        const char* text;
        unsigned int result;
        const char* head;
        unsigned int number;
    } cases[] = {
        {"file012", 3, "file", 12}, {"file", 0, "file", 777}, {"12a34", 2, "12a", 34},
        {"x99999999999", 11, "x", 0xFFFFFFFFu},  // beyond 32 bits: saturated
        {"0042", 4, "", 42},                     // digits only: all number
        {"", 0, "", 777},
    };
    for (const auto& c : cases) {
        CTqString head("stale");
        unsigned int number = 777;
        EXPECT_EQ(CTqString(c.text).GetEndNumber(head, number), c.result) << c.text;
        EXPECT_EQ(Text(head), c.head);
        EXPECT_EQ(number, c.number);
    }
}
