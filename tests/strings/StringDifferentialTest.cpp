// The byte-wise string operations against a plain model written here with
// std::string, on many generated single-byte texts. The seed is fixed, so
// every run checks the same texts.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

const unsigned int kNotFound = 0xFFFFFFFFu;
const unsigned int kAll = 0xFFFFFFFFu;
const int kTexts = 20000;

// Model operations, following the stated rules on std::string.
unsigned int ModelFind(const std::string& s, const std::string& needle, size_t pos)
{
    if (pos >= s.size())
        return kNotFound;
    const size_t found = s.find(needle, pos);
    return found == std::string::npos ? kNotFound : static_cast<unsigned int>(found);
}

unsigned int ModelFirstOf(const std::string& s, const std::string& chars, size_t pos)
{
    if (pos >= s.size())
        return kNotFound;
    const size_t found = s.find_first_of(chars, pos);
    return found == std::string::npos ? kNotFound : static_cast<unsigned int>(found);
}

unsigned int ModelFirstNotOf(const std::string& s, const std::string& chars, size_t pos)
{
    if (pos >= s.size())
        return kNotFound;
    const size_t found = s.find_first_not_of(chars, pos);
    return found == std::string::npos ? kNotFound : static_cast<unsigned int>(found);
}

struct Token {
    bool found;
    unsigned int begin, end;
};

Token ModelToken(const std::string& s, const std::string& delims, size_t pos)
{
    const unsigned int begin = ModelFirstNotOf(s, delims, pos);
    if (begin == kNotFound)
        return {false, 0, 0};
    const unsigned int end = ModelFirstOf(s, delims, begin);
    return {true, begin, end == kNotFound ? static_cast<unsigned int>(s.size()) : end};
}

std::string ModelRemove(std::string s, const std::string& text, size_t pos)
{
    if (text.empty())
        return s;
    for (unsigned int i = ModelFind(s, text, pos); i != kNotFound; i = ModelFind(s, text, i))
        s.erase(i, text.size());
    return s;
}

std::string ModelReplace(const std::string& s, const std::string& find,
                         const std::string& replace, bool all, unsigned int& count)
{
    std::string out;
    count = 0;
    size_t last = 0;
    for (size_t i = s.find(find); i != std::string::npos; i = s.find(find, last)) {
        out += s.substr(last, i - last) + replace;
        ++count;
        last = i + find.size();
        if (!all)
            break;
    }
    return count ? out + s.substr(last) : std::string();
}

// Generated texts: few different characters, so that matches are frequent.
class Generator {
public:
    explicit Generator(unsigned int seed) : m_random(seed) {}

    unsigned int Below(unsigned int n) { return static_cast<unsigned int>(m_random() % n); }

    std::string Text(const char* alphabet, unsigned int maxLength)
    {
        const std::string letters(alphabet);
        std::string text(Below(maxLength + 1), ' ');
        for (char& c : text)
            c = letters[Below(static_cast<unsigned int>(letters.size()))];
        return text;
    }

private:
    std::mt19937 m_random;
};

const char kAlphabet[] = "ab, .";

}  // namespace

TEST(StringDifferential, SearchesMatchTheModel)
{
    Generator generate(20240601);
    for (int n = 0; n < kTexts; ++n) {
        const std::string text = generate.Text(kAlphabet, 24);
        const std::string needle = generate.Text(kAlphabet, 3);
        const std::string chars = generate.Text(kAlphabet, 3);
        const unsigned int pos = generate.Below(static_cast<unsigned int>(text.size()) + 2);
        const CTqString s(text.c_str());
        SCOPED_TRACE("'" + text + "' '" + needle + "' '" + chars + "' " + std::to_string(pos));

        const unsigned int found = ModelFind(text, needle, pos);
        ASSERT_EQ(s.FindSB(needle.c_str(), pos), found);
        ASSERT_EQ(s.Find(needle.c_str(), pos, 0), found);
        ASSERT_EQ(s.FindEndSB(needle.c_str(), pos),
                  found == kNotFound ? kNotFound : found + needle.size());
        ASSERT_EQ(s.FindFirstSB(chars.c_str(), pos), ModelFirstOf(text, chars, pos));
        ASSERT_EQ(s.FindFirstNotSB(chars.c_str(), pos), ModelFirstNotOf(text, chars, pos));

        const Token token = ModelToken(text, chars, pos);
        unsigned int begin = kNotFound, end = kNotFound;
        ASSERT_EQ(s.GetTokenPosSB(begin, end, chars.c_str(), pos), token.found ? 1 : 0);
        if (token.found) {
            ASSERT_EQ(begin, token.begin);
            ASSERT_EQ(end, token.end);
        }

        ASSERT_EQ(s.HasPrefix(needle.c_str()), text.compare(0, needle.size(), needle) == 0);
        ASSERT_EQ(s.HasSuffix(needle.c_str()),
                  needle.size() <= text.size() &&
                      text.compare(text.size() - needle.size(), needle.size(), needle) == 0);
    }
}

TEST(StringDifferential, EditsMatchTheModel)
{
    Generator generate(77);
    for (int n = 0; n < kTexts; ++n) {
        const std::string text = generate.Text(kAlphabet, 24);
        const std::string find = generate.Text(kAlphabet, 3);
        const std::string replace = generate.Text("xab", 3);
        const unsigned int pos = generate.Below(static_cast<unsigned int>(text.size()) + 2);
        const unsigned int len = generate.Below(4) == 0 ? kAll : generate.Below(8);
        const bool all = generate.Below(2) != 0;
        SCOPED_TRACE("'" + text + "' '" + find + "' '" + replace + "' " + std::to_string(pos));

        CTqString sub("x");
        const bool inRange = len != 0 && pos < text.size();
        ASSERT_EQ(CTqString(text.c_str()).GetSubStr(sub, pos, len), inRange ? 1 : 0);
        ASSERT_EQ(static_cast<const char*>(sub), inRange ? text.substr(pos, len) : std::string());

        CTqString removed(text.c_str());
        const std::string expectRemoved = ModelRemove(text, find, pos);
        ASSERT_EQ(removed.Remove(find.c_str(), pos), !find.empty() && expectRemoved != text);
        ASSERT_EQ(static_cast<const char*>(removed), expectRemoved);
        ASSERT_EQ(removed.GetLength(), expectRemoved.size());

        if (!find.empty()) {
            unsigned int count = 0;
            const std::string expectReplaced = ModelReplace(text, find, replace, all, count);
            CTqString replaced(text.c_str());
            ASSERT_EQ(replaced.ReplaceStr(find.c_str(), replace.c_str(), all, 0), count);
            ASSERT_EQ(static_cast<const char*>(replaced), count ? expectReplaced : text);
        }

        const std::string chars = find.empty() ? " " : find;
        const size_t first = text.find_first_not_of(chars);
        const size_t last = text.find_last_not_of(chars);
        CTqString left(text.c_str()), right(text.c_str());
        left.TrimLeft(chars.c_str());
        right.TrimRight(chars.c_str());
        ASSERT_EQ(static_cast<const char*>(left),
                  first == std::string::npos ? std::string() : text.substr(first));
        ASSERT_EQ(static_cast<const char*>(right),
                  last == std::string::npos ? std::string() : text.substr(0, last + 1));
    }
}

TEST(StringDifferential, ValueListsMatchTheModel)
{
    Generator generate(5);
    const std::string seps = ",; ";
    for (int n = 0; n < kTexts; ++n) {
        // A list of numbers and junk joined by runs of separators, also at
        // either end.
        std::string text = generate.Text(",; ", 2);
        std::vector<std::string> tokens;
        const unsigned int count = generate.Below(6);
        for (unsigned int i = 0; i < count; ++i) {
            std::string token = std::to_string(static_cast<int>(generate.Below(4001)) - 2000);
            if (generate.Below(5) == 0)
                token = generate.Text("x+-7", 3) + "q";
            tokens.push_back(token);
            text += token + std::string(1, seps[generate.Below(3)]) + generate.Text(",; ", 1);
        }
        SCOPED_TRACE("'" + text + "'");
        const CTqString s(text.c_str());
        ASSERT_EQ(s.GetValueCount(seps.c_str()), tokens.size());

        const unsigned int wanted = generate.Below(7);
        std::vector<int> values(wanted + 1, -99999);
        const int result = s.GetInts(values.data(), wanted, seps.c_str());
        ASSERT_EQ(result, tokens.size() >= wanted ? 1 : 0);
        for (unsigned int i = 0; i <= wanted; ++i) {
            const int expected = i < wanted && i < tokens.size()
                                     ? static_cast<int>(std::strtol(tokens[i].c_str(), nullptr, 10))
                                     : -99999;
            ASSERT_EQ(values[i], expected) << i;
        }

        // Walking with positions meets the tokens in order and ends not found.
        unsigned int pos = 0;
        for (const std::string& token : tokens) {
            double value = 0;
            pos = s.GetDouble(value, seps.c_str(), pos);
            ASSERT_NE(pos, kNotFound);
            ASSERT_EQ(value, std::atof(token.c_str()));
            ASSERT_EQ(text.compare(pos - token.size(), token.size(), token), 0);
        }
        double untouched = 1.5;
        ASSERT_EQ(s.GetDouble(untouched, seps.c_str(), pos), kNotFound);
        ASSERT_EQ(untouched, 1.5);
    }
}
