// CTqString value lists (reading with any single-byte separators, appending
// in the comma form) and Format.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const unsigned int kNotFound = 0xFFFFFFFFu;

std::string Text(const CTqString& s)
{
    return static_cast<const char*>(s);
}

}  // namespace

TEST(StringValues, SingleValues)
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
    EXPECT_EQ(CTqString().GetInt(i, ","), 0);
    EXPECT_EQ(i, 5);

    unsigned int u = 0;
    EXPECT_EQ(CTqString(" 4294967295;").GetUint(u, ";"), 1);
    EXPECT_EQ(u, 4294967295u);
    long l = 0;
    EXPECT_EQ(CTqString("|-123456789|").GetLong(l, "|"), 1);
    EXPECT_EQ(l, -123456789L);
    double d = 0;
    EXPECT_EQ(CTqString("  2.5e3x").GetDouble(d, nullptr), 1);
    EXPECT_EQ(d, 2500.0);
    float f = 0;
    EXPECT_EQ(CTqString("0.1 0.2").GetFloat(f, " "), 1);
    EXPECT_EQ(f, 0.1f);
    EXPECT_EQ(CTqString("7 8").GetInt(i, ""), 1);  // no separators: one token
    EXPECT_EQ(i, 7);

    const struct {
        const char* token;
        int flag;
    } flags[] = {{"TRUE", 1}, {"true", 1}, {"tRuE", 1}, {"1", 1},   {"yes", 0},
                 {"01", 0},   {"True ", 0}, {" true", 0}, {"0", 0}, {"truex", 0}};
    for (const auto& c : flags) {
        int flag = 7;
        EXPECT_EQ(CTqString(c.token).GetBool(flag, ","), 1) << c.token;
        EXPECT_EQ(flag, c.flag) << c.token;
    }
}

TEST(StringValues, Lists)
{
    const CTqString s("  12 ,34");
    int values[3] = {0, 0, -1};
    EXPECT_EQ(s.GetInts(values, 2, ","), 1);
    EXPECT_EQ(values[0], 12);
    EXPECT_EQ(values[1], 34);
    EXPECT_EQ(s.GetInts(values, 3, ","), 0);
    EXPECT_EQ(values[2], -1);
    EXPECT_EQ(s.GetInts(values, 0, ","), 1);

    EXPECT_EQ(CTqString(",1,,2,3,").GetValueCount(","), 3u);
    EXPECT_EQ(CTqString(",,,").GetValueCount(","), 0u);
    EXPECT_EQ(CTqString().GetValueCount(","), 0u);
    EXPECT_EQ(CTqString("1 2\t3,4").GetValueCount(" \t,"), 4u);

    const CTqString pair("10,20");
    int v = 0;
    EXPECT_EQ(pair.GetInt(v, ",", 0), 2u);
    EXPECT_EQ(v, 10);
    EXPECT_EQ(pair.GetInt(v, ",", 2), 5u);
    EXPECT_EQ(v, 20);
    EXPECT_EQ(pair.GetInt(v, ",", 5), kNotFound);
    EXPECT_EQ(v, 20);
    EXPECT_EQ(pair.GetInts(values, 0, ",", 4), 4u);
    EXPECT_EQ(pair.GetInts(values, 2, ",", 0), 5u);
    EXPECT_EQ(pair.GetInts(values, 3, ",", 0), kNotFound);

    const CTqString mixed("1.5;-2;x;3e2");
    double doubles[4] = {};
    EXPECT_EQ(mixed.GetDoubles(doubles, 4, ";"), 1);
    EXPECT_EQ(doubles[0], 1.5);
    EXPECT_EQ(doubles[1], -2.0);
    EXPECT_EQ(doubles[2], 0.0);
    EXPECT_EQ(doubles[3], 300.0);
    float floats[2] = {};
    EXPECT_EQ(mixed.GetFloats(floats, 2, ";", 0), 6u);
    EXPECT_EQ(floats[0], 1.5f);
    long longs[2] = {};
    EXPECT_EQ(mixed.GetLongs(longs, 2, ";"), 1);
    EXPECT_EQ(longs[1], -2L);
    unsigned int uints[2] = {};
    EXPECT_EQ(CTqString("7/8").GetUints(uints, 2, "/", 0), 3u);
    EXPECT_EQ(uints[1], 8u);
    int flags[3] = {};
    EXPECT_EQ(CTqString("True,False,1").GetBools(flags, 3, ","), 1);
    EXPECT_EQ(flags[0] * 100 + flags[1] * 10 + flags[2], 101);
    EXPECT_EQ(CTqString("True,False,1").GetBool(flags[0], ",", 4), 10u);
    EXPECT_EQ(flags[0], 0);

    EXPECT_TRUE(mixed == "1.5;-2;x;3e2");  // the window left the text as it was
}

TEST(StringValues, Appending)
{
    CTqString s;
    const int ints[] = {1, -2, 3};
    s.AddInts(ints, 3);
    EXPECT_EQ(Text(s), "1,-2,3");
    s.AddInts(ints, 0);
    EXPECT_EQ(Text(s), "1,-2,3");

    const struct {
        void (*add)(CTqString&);
        const char* expected;
    } cases[] = {
        {[](CTqString& t) { t.AddInt(-7); }, "-7"},
        {[](CTqString& t) { t.AddUint(4294967295u); }, "4294967295"},
        {[](CTqString& t) { t.AddDouble(0.1); }, "0.1"},
        {[](CTqString& t) { t.AddFloat(1.0f / 3); }, "0.333333"},
        {[](CTqString& t) { t.AddBool(5); }, "True"},
        {[](CTqString& t) { t.AddBool(0); }, "False"},
        {[](CTqString& t) {
             const int flags[] = {1, 0};
             t.AddBools(flags, 2);
         },
         "True,False"},
        {[](CTqString& t) {
             const unsigned int values[] = {0, 10};
             t.AddUints(values, 2);
         },
         "0,10"},
        {[](CTqString& t) {
             const float values[] = {0.5f, -2.0f};
             t.AddFloats(values, 2);
         },
         "0.5,-2"},
        {[](CTqString& t) {
             const double values[] = {123456789012345.0, -0.25};
             t.AddDoubles(values, 2);
         },
         "123456789012345,-0.25"},
    };
    for (const auto& c : cases) {
        CTqString t;
        c.add(t);
        EXPECT_EQ(Text(t), c.expected);
    }

    CTqString joined("x");
    const int pair[] = {1, 2};
    joined.AddInts(pair, 2);
    EXPECT_EQ(Text(joined), "x1,2");

    // The longest forms survive a round trip.
    const double extremes[] = {-1.23456789012345e-300, 1.7976931348623157e308, -0.0};
    CTqString list;
    list.AddDoubles(extremes, 3);
    double back[3] = {};
    EXPECT_EQ(list.GetDoubles(back, 3, ","), 1) << Text(list);
    EXPECT_EQ(back[0], -1.23456789012345e-300);
    EXPECT_EQ(back[2], 0.0);
}

TEST(StringValues, FormatGrowsFrom1024ByDoubling)
{
    CTqString s;
    const std::string long2000(2000, 'q');
    EXPECT_EQ(s.Format("%s", long2000.c_str()), 2000);
    EXPECT_EQ(s.GetSize(), 2001u);
    EXPECT_EQ(s.GetBufferSize(), 2048u);
    EXPECT_EQ(Text(s), long2000);

    const struct {
        size_t length;
        unsigned int capacity;
    } fills[] = {{0, 1024}, {1, 1024}, {1023, 1024}, {1024, 2048}, {4095, 4096}, {4096, 8192}};
    for (const auto& c : fills) {
        CTqString t;
        const std::string text(c.length, 'z');
        EXPECT_EQ(t.Format("%s", text.c_str()), static_cast<int>(c.length));
        EXPECT_EQ(t.GetSize(), c.length ? c.length + 1 : 0u) << c.length;
        EXPECT_EQ(t.GetBufferSize(), c.capacity) << c.length;
        EXPECT_EQ(Text(t), text);
    }

    CTqString roomy;
    roomy.Reserve(5000, 0, 0);
    roomy = "old";
    EXPECT_EQ(roomy.Format("%d-%s", 42, "x"), 4);
    EXPECT_EQ(Text(roomy), "42-x");
    EXPECT_EQ(roomy.GetBufferSize(), 5000u);

    CTqString blank("text");
    EXPECT_EQ(blank.Format(""), 0);
    EXPECT_EQ(blank.GetSize(), 0u);
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
    // A wide character that code page 932 lacks cannot be formatted: the
    // runtime reports it as -1, like output that does not fit.
    CTqString s("previous");
    EXPECT_LT(s.Format("%ls", L"a\x20ac" L"b"), 0);
    EXPECT_EQ(s.GetSize(), 0u);
    EXPECT_EQ(s.GetBufferSize(), 1024u);
    EXPECT_LT(s.Format("%s and %ls", std::string(3000, 'a').c_str(), L"\x20ac"), 0);
    EXPECT_EQ(s.GetSize(), 0u);
    EXPECT_EQ(s.Format("%d", 12), 2);
    EXPECT_EQ(Text(s), "12");
}
