// The byte-wise string operations against a plain model written here with
// std::string, on many generated single-byte texts, where the multibyte
// searches must agree with them. The seeds are fixed, so every run checks the
// same texts.
#include "StringTestSupport.h"

#include <random>

namespace {

const int kTexts = 20000;

// The model's offsets: a search from past the end finds nothing.
unsigned int At(size_t found, size_t pos, const std::string& s)
{
    return pos >= s.size() || found == std::string::npos ? kNone : static_cast<unsigned int>(found);
}

std::string ModelRemove(std::string s, const std::string& text, size_t pos)
{
    if (text.empty() || pos >= s.size())
        return s;
    for (size_t i = s.find(text, pos); i != std::string::npos; i = s.find(text, i))
        s.erase(i, text.size());
    return s;
}

std::string ModelReplace(std::string s, const std::string& find, const std::string& replace,
                         bool all, unsigned int& count)
{
    count = 0;
    for (size_t i = s.find(find); i != std::string::npos && (all || !count);
         i = s.find(find, i + replace.size())) {
        s.replace(i, find.size(), replace);
        ++count;
    }
    return s;
}

// Texts of few different characters, so that matches are frequent.
struct Generator {
    std::mt19937 random;

    unsigned int Below(size_t n) { return static_cast<unsigned int>(random() % n); }

    std::string Text(const std::string& letters, unsigned int maxLength)
    {
        std::string text(Below(maxLength + 1), ' ');
        for (char& c : text)
            c = letters[Below(letters.size())];
        return text;
    }
};

const char kAlphabet[] = "ab, .";

}  // namespace

TEST(StringDifferential, SearchesAndEditsMatchTheModel)
{
    Generator generate{std::mt19937(20240601)};
    for (int n = 0; n < kTexts; ++n) {
        const std::string text = generate.Text(kAlphabet, 24);
        const std::string needle = generate.Text(kAlphabet, 3);
        const std::string chars = generate.Text(kAlphabet, 3);
        const std::string replace = generate.Text("xab", 3);
        const unsigned int pos = generate.Below(text.size() + 2);
        const unsigned int len = generate.Below(4) == 0 ? kNone : generate.Below(8);
        const bool all = generate.Below(2) != 0;
        const CTqString s(C(text));
        SCOPED_TRACE("'" + text + "' '" + needle + "' '" + chars + "' '" + replace + "' " +
                     std::to_string(pos) + " " + std::to_string(len));

        const unsigned int found = At(text.find(needle, pos), pos, text);
        ASSERT_EQ(s.FindSB(C(needle), pos), found);
        ASSERT_EQ(s.Find(C(needle), pos, 0), found);
        ASSERT_EQ(s.FindEndSB(C(needle), pos), found == kNone ? kNone : found + needle.size());
        ASSERT_EQ(s.FindFirstSB(C(chars), pos), At(text.find_first_of(chars, pos), pos, text));
        const unsigned int begin = At(text.find_first_not_of(chars, pos), pos, text);
        ASSERT_EQ(s.FindFirstNotSB(C(chars), pos), begin);
        ASSERT_EQ(s.FindFirst(C(chars), pos), s.FindFirstSB(C(chars), pos));
        ASSERT_EQ(s.FindFirstNot(C(chars), pos), begin);

        unsigned int tokenBegin = kNone, tokenEnd = kNone;
        ASSERT_EQ(s.GetTokenPosSB(tokenBegin, tokenEnd, C(chars), pos), begin != kNone);
        if (begin != kNone) {
            const unsigned int end = At(text.find_first_of(chars, begin), begin, text);
            ASSERT_EQ(tokenBegin, begin);
            ASSERT_EQ(tokenEnd, end == kNone ? text.size() : end);
            unsigned int mbBegin = kNone, mbEnd = kNone;
            ASSERT_EQ(s.GetTokenPos(mbBegin, mbEnd, C(chars), pos), 1);
            ASSERT_EQ(mbBegin * 1000 + mbEnd, tokenBegin * 1000 + tokenEnd);
        }
        ASSERT_EQ(s.HasPrefix(C(needle)), text.compare(0, needle.size(), needle) == 0);
        ASSERT_EQ(s.HasSuffix(C(needle)),
                  needle.size() <= text.size() &&
                      text.compare(text.size() - needle.size(), needle.size(), needle) == 0);

        CTqString sub("x");
        const bool inRange = len != 0 && pos < text.size();
        ASSERT_EQ(s.GetSubStr(sub, pos, len), inRange);
        ASSERT_EQ(Text(sub), inRange ? text.substr(pos, len) : std::string());

        CTqString edited(s);
        const std::string removed = ModelRemove(text, needle, pos);
        ASSERT_EQ(edited.Remove(C(needle), pos), removed != text);
        ASSERT_EQ(Text(edited), removed);
        ASSERT_EQ(edited.GetLength(), removed.size());

        if (!needle.empty()) {
            unsigned int count = 0;
            const std::string replaced = ModelReplace(text, needle, replace, all, count);
            edited = s;
            ASSERT_EQ(edited.ReplaceStr(C(needle), C(replace), all, 0), count);
            ASSERT_EQ(Text(edited), replaced);
        }

        const size_t first = text.find_first_not_of(chars), last = text.find_last_not_of(chars);
        CTqString left(s), right(s);
        left.TrimLeft(C(chars));
        right.TrimRight(C(chars));
        ASSERT_EQ(Text(left), first == std::string::npos ? std::string() : text.substr(first));
        ASSERT_EQ(Text(right), last == std::string::npos ? std::string() : text.substr(0, last + 1));
    }
}
