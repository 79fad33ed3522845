// CTqString searching, tokens, trimming, removing, replacing and quoting
// under code page 932, on texts with double-byte characters whose trail byte
// is a backslash, a bar or a letter, so that a byte-wise match inside a
// character shows. The SB twins run on the same texts; single-byte texts are
// left to the differential test.
#include "StringTestSupport.h"

namespace {

enum class Op { Find, FindEnd, FindIgnoringCase, FindFirst, FindFirstNot, Token };

// An operation and its twin on one text: the SB form, or for
// FindIgnoringCase the Find that heeds case. A token is begin * 100 + end.
unsigned int Search(Op op, const CTqString& s, const char* arg, unsigned int pos, bool twin)
{
    unsigned int begin = 0, end = kNone;
    switch (op) {
    case Op::Find:
        return twin ? s.FindSB(arg, pos) : s.Find(arg, pos, 0);
    case Op::FindEnd:
        return twin ? s.FindEndSB(arg, pos) : s.FindEnd(arg, pos);
    case Op::FindIgnoringCase:
        return s.Find(arg, pos, twin ? 0 : 1);
    case Op::FindFirst:
        return twin ? s.FindFirstSB(arg, pos) : s.FindFirst(arg, pos);
    case Op::FindFirstNot:
        return twin ? s.FindFirstNotSB(arg, pos) : s.FindFirstNot(arg, pos);
    case Op::Token:
        if (!(twin ? s.GetTokenPosSB(begin, end, arg, pos) : s.GetTokenPos(begin, end, arg, pos)))
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
        unsigned int pos, result, twin;
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
        {Op::Find, "", "", 0, kNone, kNone},
        {Op::FindEnd, "abcd", "bc", 0, 3, 3},
        {Op::FindEnd, kPo, "|", 0, kNone, 2},
        {Op::FindIgnoringCase, "xAbCab", "aB", 2, 4, kNone},
        {Op::FindIgnoringCase, "A" + kTsu + "C", "c", 0, 3, kNone},
        {Op::FindFirst, kHyou + "\\x" + kPo + "|", "\\", 0, 2, 1},
        {Op::FindFirst, kHyou + "\\x" + kPo + "|", kPo, 0, 4, 4},
        {Op::FindFirstNot, kHyou + "\\x", "\x95\\", 0, 2, 3},  // one character 表, or two bytes
        {Op::FindFirstNot, kSo + kSo, kSo, 0, kNone, kNone},
        {Op::Token, "x" + kHyou + "\\y", "\\", 0, 3, 2},
    };
    for (const auto& c : cases) {
        const CTqString s(C(c.text));
        SCOPED_TRACE(std::to_string(static_cast<int>(c.op)) + " " + c.text);
        EXPECT_EQ(Search(c.op, s, C(c.arg), c.pos, false), c.result);
        EXPECT_EQ(Search(c.op, s, C(c.arg), c.pos, true), c.twin);
    }
}

TEST(StringSearch, PartsTokensTrimsAndEdits)
{
    static const char kReadOnly[] = "xy--";
    CTqString out("stale");
    const std::string path = "x" + kHyou + "\\y,,z";
    // Rows that look at more than the string put it together as "a|b|c".
    const auto trims = [](CTqString& s, const char* chars) {
        CTqString left(s), right(s), both(s);
        left.TrimLeft(chars);
        right.TrimRight(chars);
        both.TrimLeftRight(chars);
        s = C(Text(left) + "|" + Text(right) + "|" + Text(both));
        return both.GetLength();
    };
    const auto endNumber = [](CTqString& s) {
        CTqString head("stale");
        unsigned int number = 777;
        const unsigned int result = s.GetEndNumber(head, number);
        s = C(Text(head) + "|" + std::to_string(number));
        return result;
    };
    const Edit edits[] = {
        {"    ", OP(s.FindEndNot(" ", 0, kNone)), kNone},
        {"a" + kHyou, OP(s.FindEndNot("\\", 0, kNone)), 3},
        {"a" + kSo + kSo, OP(s.FindEndNot(C(kSo), 0, kNone)), 1},
        {"ab  cd", OP(s.FindEndNot(" ", 0, 4)), 2},
        {"ab  cd", OP(s.FindEndNot(" ", 2, 4)), kNone},
        {"abc", OP(s.FindEndNot(" ", 0, 4)), kNone},
        {"", OP(s.FindEndNot(" ", 0, kNone)), kNone},
        // TqFindEndNot reads the characters where they lie, so they may be read-only.
        {"", OP(TqFindEndNot(kReadOnly, kReadOnly + 4, "-") - kReadOnly), 2},
        {"", OP(TqFindEndNot(kReadOnly + 2, kReadOnly + 4, "-") == nullptr), 1},
        {" a b ", OP(trims(s, " \t")), 3, "a b | a b|a b"},
        {"\\a" + kHyou, OP(trims(s, "\\")), 3, "a" + kHyou + "|\\a" + kHyou + "|a" + kHyou},
        {kSo + "\\\\", OP(trims(s, "\\")), 2, kSo + "\\\\|" + kSo + "|" + kSo},
        {kSo + kSo + "x" + kSo, OP(trims(s, C(kSo))), 1, "x" + kSo + "|" + kSo + kSo + "x|x"},
        // Comparing parts leaves the text as it was.
        {"abcdef", OP(s.NumCompareStr("abX", 2) == 0 && s.NumCompareStr("abX", 3) > 0), 1},
        {"abcdef", OP(s.CompareSubStr("cdef", 2, kNone) == 0 && s.CompareSubStr("CDE", 2, 3) != 0), 1},
        {"abcdef", OP(s.CompareSubStr("", 6, 1) == 0 && s.CompareLCSubStr("CDE", 2, 3) == 0), 1},
        {"0123456789", OP(s.GetSubStr(s, 3, 4)), 1, "3456"},
        // The runtime's tokenizer writes NULs over the delimiters.
        {path,
         OP(s.GetToken("\\,", 0) == 0 && s.GetToken("\\,", 1) == 4 && s.GetToken("\\,", 1) == 7 &&
            s.GetToken("\\,", 1) == kNone),
         1, "x" + kHyou + std::string("\0y\0,z", 5)},
        {"", OP(s.GetToken(",", 0)), kNone},
        // An empty find is found once, at the start.
        {"banana", OP(s.ReplaceStr("", "xy", 1, 0)), 1, "xybanana"},
        {"BanAna", OP(s.ReplaceStr("a", "o", 1, 1)), 3, "Bonono"},
        {"C:\\" + kHyou + "\\" + kSo, OP(s.ReplaceStr("\\", "/", 1, 0)), 2, "C:/" + kHyou + "/" + kSo},
        {"abc", OP(s.GetReplacedStr(out, "x", "y", 1, 0) == 0 && out.IsEmpty()), 1},
        {"x.y", OP(s.GetReplacedStr(s, ".", "::", 1, 0)), 1, "x::y"},
        // A removal that joins an occurrence leaves it.
        {"aabb", OP(s.Remove("ab", 0)), 1, "ab"},
        {"C:\\" + kHyou + "\\a", OP(s.Remove("\\", 0)), 1, "C:" + kHyou + "a"},
        {kSo + "\\" + kSo, OP(s.Remove(C(kSo), 0)), 1, "\\"},
        {"a-b-c", OP(s.Remove(s.GetBuffer() + 3, 0)), 1, "a-b"},  // "-c", from its own text
        {"a\"b", OP(s.QuoteStr("\"", "\"")), 1, "\"a\"\"b\""},
        {"", OP(s.QuoteStr("\"", "\\")), 1, "\"\""},
        {"a\\\"", OP(s.QuoteStr("\"", "\\")), 1, "\"a\\\\\"\""},
        {kPo + "|", OP(s.QuoteStr("|", "\\")), 1, "|" + kPo + "\\||"},
        {"abc", OP(s.QuoteStr("", "\\") + s.QuoteStr("\"", nullptr)), 0},
        {"file012", OP(endNumber(s)), 3, "file|12"},
        {"file", OP(endNumber(s)), 0, "file|777"},
        {"12a34", OP(endNumber(s)), 2, "12a|34"},
        {"x99999999999", OP(endNumber(s)), 11, "x|4294967295"},  // beyond 32 bits: saturated
        {"0042", OP(endNumber(s)), 4, "|42"},                    // digits only: all number
    };
    CheckEdits(edits);

    // Walking with positions.
    const CTqString walk(C(path));
    CTqString token;
    std::string walked;
    for (unsigned int pos = 0; (pos = walk.GetToken(token, "\\,", pos)) != kNone;)
        walked += "[" + Text(token) + "]";
    EXPECT_EQ(walked, "[x" + kHyou + "][y][z]");
}
