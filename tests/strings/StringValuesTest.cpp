// CTqString value lists (read with any single-byte separators, appended in
// the comma form) and Format.
#include "StringTestSupport.h"

#include <iomanip>
#include <limits>
#include <sstream>
#include <vector>

namespace {

// A reading of text as "result:values": the values read through v and the
// one behind them, all 7 before; "!" at the end when the text changed.
template <class V, class Read>
std::string Shown(const char* text, unsigned int n, Read read)
{
    const CTqString s(text);
    std::vector<V> v(n + 1, V(7));
    std::ostringstream out;
    out << std::setprecision(std::numeric_limits<V>::max_digits10) << read(s, v.data()) << ':';
    for (size_t i = 0; i < v.size(); ++i)
        out << (i ? "," : "") << v[i];
    return out.str() + (Text(s) == text ? "" : "!");
}

#define READ(V, n, text, call) \
    Shown<V>(text, n, [](const CTqString& s, [[maybe_unused]] V* v) -> long long { return s.call; })

// Format's result and the capacity it leaves, as one number.
const long long kCap = 100000;
long long Cap(int result, CTqString& s)
{
    return result * kCap + s.GetBufferSize();
}

}  // namespace

TEST(StringValues, Reading)
{
    const std::pair<std::string, std::string> cases[] = {
        {READ(int, 0, "a,b", GetInt(*v, ",")), "1:0"},
        {READ(int, 0, "42abc", GetInt(*v, nullptr)), "1:42"},
        {READ(int, 0, ",,,", GetInt(*v, ",")), "0:7"},
        {READ(unsigned int, 0, " 4294967295;", GetUint(*v, ";")), "1:4294967295"},
        {READ(long, 0, "|-123456789|", GetLong(*v, "|")), "1:-123456789"},
        {READ(double, 0, "  2.5e3x", GetDouble(*v, nullptr)), "1:2500"},
        {READ(float, 0, "0.1 0.2", GetFloat(*v, " ")), "1:0.100000001"},
        // A flag is "true" in any letter case, or exactly "1".
        {READ(int, 0, "TRUE", GetBool(*v, ",")), "1:1"},
        {READ(int, 7, "tRuE,1,yes,01,True , true,False", GetBools(v, 7, ",")), "1:1,1,0,0,0,0,0,7"},
        {READ(int, 2, "  12 ,34", GetInts(v, 2, ",")), "1:12,34,7"},
        {READ(int, 3, ";1;;-2 ;", GetInts(v, 3, "; ")), "0:1,-2,7,7"},  // ends early: values read kept
        {READ(double, 4, "1.5;-2;x;3e2", GetDoubles(v, 4, ";")), "1:1.5,-2,0,300,7"},
        {READ(long, 2, "1.5;-2;x;3e2", GetLongs(v, 2, ";")), "1:1,-2,7"},
        {READ(float, 2, "1.5;-2", GetFloats(v, 2, ";")), "1:1.5,-2,7"},
        {READ(unsigned int, 2, "7/8", GetUints(v, 2, "/")), "1:7,8,7"},
        // The forms with a position give the offset behind the last token.
        {READ(int, 0, "10,20", GetInt(*v, ",", 2)), "5:20"},
        {READ(int, 0, "10,20", GetInt(*v, ",", 5)), "4294967295:7"},
        {READ(unsigned int, 0, "7/8", GetUint(*v, "/", 1)), "3:8"},
        {READ(long, 0, "7/-8", GetLong(*v, "/", 1)), "4:-8"},
        {READ(float, 0, "7/0.5", GetFloat(*v, "/", 1)), "5:0.5"},
        {READ(double, 0, "7/0.25", GetDouble(*v, "/", 1)), "6:0.25"},
        {READ(int, 0, "7/true", GetBool(*v, "/", 1)), "6:1"},
        {READ(int, 0, "10,20", GetInts(v, 0, ",", 4)), "4:7"},
        {READ(int, 3, "10,20", GetInts(v, 3, ",", 0)), "4294967295:10,20,7,7"},
        {READ(float, 2, "1.5;-2;x;3e2", GetFloats(v, 2, ";", 0)), "6:1.5,-2,7"},
        {READ(unsigned int, 2, "7/8", GetUints(v, 2, "/", 0)), "3:7,8,7"},
        {READ(long, 2, "7/8/9", GetLongs(v, 2, "/", 2)), "5:8,9,7"},
        {READ(double, 2, "7/8/9", GetDoubles(v, 2, "/", 2)), "5:8,9,7"},
        {READ(int, 2, "1,0,1", GetBools(v, 2, ",", 1)), "5:0,1,7"},
        {READ(int, 0, "\t1 2\t\t3,4 ", GetValueCount(" \t,")), "4:7"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "row " << i;
}

TEST(StringValues, AppendingAndFormat)
{
    static const int ints[] = {1, -2, 3};
    static const int flags[] = {1, 0};
    static const unsigned int uints[] = {0, 4294967295u};
    static const float floats[] = {0.5f, -2.0f};
    static const double doubles[] = {123456789012345.0, -0.25};
    static const double extremes[] = {-1.23456789012345e-300, -0.0};
    double back[2] = {};
    const std::string z1023(1023, 'z'), z1024(1024, 'z'), z4096(4096, 'z');
    const std::string x1500(1500, 'x');
    const Edit edits[] = {
        {"", OP((s.AddInts(ints, 3), 1)), 1, "1,-2,3"},
        {"", OP((s.AddInts(ints, 0), 1)), 1},
        {"x", OP((s.AddInts(ints, 2), 1)), 1, "x1,-2"},  // no comma in front of the first
        {"", OP((s.AddInt(-7), 1)), 1, "-7"},
        {"", OP((s.AddUint(4294967295u), 1)), 1, "4294967295"},
        {"", OP((s.AddDouble(0.1), 1)), 1, "0.1"},
        {"", OP((s.AddFloat(1.0f / 3), 1)), 1, "0.333333"},
        {"", OP((s.AddBool(5), 1)), 1, "True"},
        {"", OP((s.AddBools(flags, 2), 1)), 1, "True,False"},
        {"", OP((s.AddUints(uints, 2), 1)), 1, "0,4294967295"},
        {"", OP((s.AddFloats(floats, 2), 1)), 1, "0.5,-2"},
        {"", OP((s.AddDoubles(doubles, 2), 1)), 1, "123456789012345,-0.25"},
        // The longest forms fit and read back.
        {"", OP((s.AddDoubles(extremes, 2), s.GetDoubles(back, 2, ",") && back[0] == extremes[0])), 1,
         "-1.23456789012345e-300,-0"},
        // Format starts at 1024 bytes and doubles until the text fits.
        {"", OP(Cap(s.Format("%s", ""), s)), 1024},
        {"", OP(Cap(s.Format("%s", C(z1023)), s)), 1023 * kCap + 1024, z1023},
        {"", OP(Cap(s.Format("%s", C(z1024)), s)), 1024 * kCap + 2048, z1024},
        {"", OP(Cap(s.Format("%s", C(z4096)), s)), 4096 * kCap + 8192, z4096},
        {"old", OP((s.Reserve(5000, 1, 0), Cap(s.Format("%d-%s", 42, "x"), s))), 4 * kCap + 5000, "42-x"},
        // Arguments may point into the string's own text.
        {"abc", OP(Cap(s.Format("%s-%s", s.GetBuffer(), static_cast<const char*>(s)), s)),
         7 * kCap + 1024, "abc-abc"},
        {x1500, OP(Cap(s.Format("<%s>", static_cast<const char*>(s)), s)), 1502 * kCap + 3002,
         "<" + x1500 + ">"},
        // A wide character that code page 932 lacks cannot be formatted; the
        // runtime reports it like output that does not fit. The string is empty.
        {"previous", OP(Cap(s.Format("%ls", L"a\x20ac" L"b") < 0, s)), kCap + 1024, ""},
        {"previous", OP(s.Format("%s and %ls", C(std::string(3000, 'a')), L"\x20ac") < 0), 1, ""},
        {"previous", OP(s.Format("")), 0, ""},
    };
    CheckEdits(edits);
}
