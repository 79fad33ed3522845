// CTqString value lists (read with any single-byte separators, appended in
// the comma form) and Format.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const unsigned int kNone = 0xFFFFFFFFu;

std::string Text(const CTqString& s)
{
    return static_cast<const char*>(s);
}

}  // namespace

TEST(StringValues, Reading)
{
    int i = -1;
    EXPECT_EQ(CTqString("a,b").GetInt(i, ","), 1);
    EXPECT_EQ(i, 0);
    EXPECT_EQ(CTqString("42abc").GetInt(i, nullptr), 1);
    EXPECT_EQ(i, 42);
    EXPECT_EQ(CTqString().GetInt(i, nullptr), 1);
    EXPECT_EQ(i, 0);
    i = 5;
    EXPECT_EQ(CTqString(",,,").GetInt(i, ","), 0);
    EXPECT_EQ(i, 5);

    unsigned int u = 0;
    long l = 0;
    double d = 0;
    float f = 0;
    EXPECT_EQ(CTqString(" 4294967295;").GetUint(u, ";") + CTqString("|-123456789|").GetLong(l, "|") +
                  CTqString("  2.5e3x").GetDouble(d, nullptr) + CTqString("0.1 0.2").GetFloat(f, " "),
              4);
    EXPECT_EQ(u, 4294967295u);
    EXPECT_EQ(l, -123456789L);
    EXPECT_EQ(d, 2500.0);
    EXPECT_EQ(f, 0.1f);

    const struct {
        const char* token;
        int flag;
    } flags[] = {{"TRUE", 1}, {"true", 1}, {"tRuE", 1},  {"1", 1},
                 {"yes", 0},  {"01", 0},   {"True ", 0}, {" true", 0}};
    for (const auto& c : flags) {
        int flag = 7;
        EXPECT_EQ(CTqString(c.token).GetBool(flag, ","), 1);
        EXPECT_EQ(flag, c.flag) << c.token;
    }

    const CTqString s("  12 ,34");
    int values[3] = {0, 0, -1};
    EXPECT_EQ(s.GetInts(values, 2, ","), 1);
    EXPECT_EQ(values[0] * 100 + values[1], 1234);
    EXPECT_EQ(s.GetInts(values, 3, ","), 0);
    EXPECT_EQ(values[2], -1);
    EXPECT_EQ(s.GetInts(values, 0, ","), 1);

    EXPECT_EQ(CTqString(",1,,2,3,").GetValueCount(","), 3u);
    EXPECT_EQ(CTqString(",,,").GetValueCount(","), 0u);
    EXPECT_EQ(CTqString("1 2\t3,4").GetValueCount(" \t,"), 4u);

    const CTqString pair("10,20");
    int v = 0;
    EXPECT_EQ(pair.GetInt(v, ",", 0), 2u);
    EXPECT_EQ(v, 10);
    EXPECT_EQ(pair.GetInt(v, ",", 2), 5u);
    EXPECT_EQ(v, 20);
    EXPECT_EQ(pair.GetInt(v, ",", 5), kNone);
    EXPECT_EQ(pair.GetInts(values, 0, ",", 4), 4u);
    EXPECT_EQ(pair.GetInts(values, 3, ",", 0), kNone);

    const CTqString mixed("1.5;-2;x;3e2");
    double doubles[4] = {};
    float floats[2] = {};
    long longs[2] = {};
    unsigned int uints[2] = {};
    int bools[3] = {};
    EXPECT_EQ(mixed.GetDoubles(doubles, 4, ";"), 1);
    EXPECT_EQ(doubles[0] + doubles[1] + doubles[2] + doubles[3], 299.5);
    EXPECT_EQ(mixed.GetFloats(floats, 2, ";", 0), 6u);
    EXPECT_EQ(floats[0], 1.5f);
    EXPECT_EQ(mixed.GetLongs(longs, 2, ";"), 1);
    EXPECT_EQ(longs[1], -2L);
    EXPECT_EQ(CTqString("7/8").GetUints(uints, 2, "/", 0), 3u);
    EXPECT_EQ(uints[1], 8u);
    EXPECT_EQ(CTqString("True,False,1").GetBools(bools, 3, ","), 1);
    EXPECT_EQ(bools[0] * 100 + bools[1] * 10 + bools[2], 101);
    EXPECT_EQ(Text(mixed), "1.5;-2;x;3e2");  // the windows left the text as it was
}

TEST(StringValues, Appending)
{
    static const int ints[] = {1, -2, 3};
    static const int flags[] = {1, 0};
    static const unsigned int uints[] = {0, 4294967295u};
    static const float floats[] = {0.5f, -2.0f};
    static const double doubles[] = {123456789012345.0, -0.25};
    const struct {
        void (*add)(CTqString&);
        const char* expected;
    } cases[] = {
        {[](CTqString& t) { t.AddInts(ints, 3); }, "1,-2,3"},
        {[](CTqString& t) { t.AddInts(ints, 0); }, ""},
        {[](CTqString& t) { t.AddInt(-7); }, "-7"},
        {[](CTqString& t) { t.AddUint(4294967295u); }, "4294967295"},
        {[](CTqString& t) { t.AddDouble(0.1); }, "0.1"},
        {[](CTqString& t) { t.AddFloat(1.0f / 3); }, "0.333333"},
        {[](CTqString& t) { t.AddBool(5); }, "True"},
        {[](CTqString& t) { t.AddBools(flags, 2); }, "True,False"},
        {[](CTqString& t) { t.AddUints(uints, 2); }, "0,4294967295"},
        {[](CTqString& t) { t.AddFloats(floats, 2); }, "0.5,-2"},
        {[](CTqString& t) { t.AddDoubles(doubles, 2); }, "123456789012345,-0.25"},
        {[](CTqString& t) {
             t = "x";
             t.AddInts(ints, 2);
         },
         "x1,-2"},
    };
    for (const auto& c : cases) {
        CTqString t;
        c.add(t);
        EXPECT_EQ(Text(t), c.expected);
    }

    // The longest forms fit and read back.
    const double extremes[] = {-1.23456789012345e-300, -0.0};
    CTqString list;
    list.AddDoubles(extremes, 2);
    double back[2] = {};
    EXPECT_EQ(list.GetDoubles(back, 2, ","), 1) << Text(list);
    EXPECT_EQ(back[0], -1.23456789012345e-300);
}

TEST(StringValues, FormatGrowsFrom1024ByDoubling)
{
    const struct {
        size_t length;
        unsigned int capacity;
    } fills[] = {{0, 1024}, {1023, 1024}, {1024, 2048}, {2000, 2048}, {4096, 8192}};
    for (const auto& c : fills) {
        CTqString s;
        const std::string text(c.length, 'z');
        EXPECT_EQ(s.Format("%s", text.c_str()), static_cast<int>(c.length));
        EXPECT_EQ(s.GetSize(), c.length ? c.length + 1 : 0u) << c.length;
        EXPECT_EQ(s.GetBufferSize(), c.capacity) << c.length;
        EXPECT_EQ(Text(s), text);
    }
    CTqString roomy;
    roomy.Reserve(5000, 0, 0);
    roomy = "old";
    EXPECT_EQ(roomy.Format("%d-%s", 42, "x"), 4);
    EXPECT_EQ(Text(roomy), "42-x");
    EXPECT_EQ(roomy.GetBufferSize(), 5000u);
}

TEST(StringValues, FormatMayReadItsOwnText)
{
    CTqString s("abc");
    EXPECT_EQ(s.Format("%s-%s", s.GetBuffer(), static_cast<const char*>(s)), 7);
    EXPECT_EQ(Text(s), "abc-abc");
    CTqString big(std::string(1500, 'x').c_str());
    EXPECT_EQ(big.Format("<%s>", static_cast<const char*>(big)), 1502);
    EXPECT_EQ(Text(big), "<" + std::string(1500, 'x') + ">");
    EXPECT_EQ(big.GetBufferSize(), 3002u);  // 1501 held already, doubled once
}

TEST(StringValues, FormatErrorsLeaveAnEmptyString)
{
    // A wide character that code page 932 lacks cannot be formatted; the
    // runtime reports it as -1, like output that does not fit.
    CTqString s("previous");
    EXPECT_LT(s.Format("%ls", L"a\x20ac" L"b"), 0);
    EXPECT_EQ(s.GetSize(), 0u);
    EXPECT_EQ(s.GetBufferSize(), 1024u);
    EXPECT_LT(s.Format("%s and %ls", std::string(3000, 'a').c_str(), L"\x20ac"), 0);
    EXPECT_EQ(s.Format(""), 0);
    EXPECT_EQ(s.GetSize(), 0u);
}
