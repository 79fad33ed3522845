// CTqString path operations on drive-letter paths with double-byte
// characters whose trail byte is a backslash, on real files and folders of
// the temp folder's drive, and with parts too long for the platform's
// buffers.
#include <TqCommon.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TempFolder.h"

namespace {

const std::string kHyou = "\x95\x5c";  // 表, trail byte backslash
const std::string kSo = "\x83\x5c";    // ソ, trail byte backslash

std::string Text(const CTqString& s)
{
    return static_cast<const char*>(s);
}

const char* C(const std::string& s)
{
    return s.c_str();
}

// One operation on a string made from text: its result and the text after.
struct EditCase {
    std::string text;
    std::function<int(CTqString&)> edit;
    int result;
    std::string expected;
};

void Check(const EditCase& c)
{
    CTqString s(C(c.text));
    EXPECT_EQ(c.edit(s), c.result) << c.text;
    EXPECT_EQ(Text(s), c.expected) << c.text;
    EXPECT_EQ(s.GetLength(), c.expected.size()) << c.text;
}

}  // namespace

TEST(StringPath, ComposingAndEditing)
{
    const std::string hyouDir = "\\" + kHyou;
    const std::string dir250 = "\\" + std::string(249, 'd');
    const std::string dir300 = "\\" + std::string(299, 'd');
    const std::string name260(260, 'a');
    const auto makePath = [](const char* drive, const char* dir, const char* name, const char* ext) {
        return [=](CTqString& s) {
            s.MakePath(drive, dir, name, ext);
            return static_cast<int>(s.GetBufferSize() >= 260);
        };
    };
    const EditCase cases[] = {
        {"x", makePath("D:", "\\a", "b", "txt"), 1, "D:\\a\\b.txt"},
        {"x", makePath("D", "\\a\\", "b", ".txt"), 1, "D:\\a\\b.txt"},
        {"x", makePath(nullptr, "a/", "b", nullptr), 1, "a/b"},
        {"x", makePath(nullptr, C(hyouDir), C(kSo), "txt"), 1, hyouDir + "\\" + kSo + ".txt"},
        {"x", makePath("C:", C(dir250), "nam", "e"), 1, "C:" + dir250 + "\\nam.e"},  // 258
        {"x", makePath("C:", C(dir250), "name", "ex"), 1, ""},                      // 260
        {"x", makePath("C:", C(dir300), "n", "e"), 1, ""},
        {"x", [](CTqString& s) { return s.CombinePath("D:\\a", "..\\b"); }, 1, "D:\\b"},
        {"x", [](CTqString& s) { return s.CombinePath("D:\\a", "E:\\x"); }, 1, "E:\\x"},
        {"x", [&](CTqString& s) { return s.CombinePath(C("D:" + hyouDir), C(kSo)); }, 1,
         "D:" + hyouDir + "\\" + kSo},
        {"x", [&](CTqString& s) { return s.CombinePath(C("C:" + dir300), "x"); }, 0, ""},
        {"x", [&](CTqString& s) { return s.CombinePath(C("C:" + dir250), "abcdefghij"); }, 0, ""},
        {"D:\\dir", [](CTqString& s) { return s.CombinePath(s, "f"); }, 1, "D:\\dir\\f"},
        {"D:\\a\\.\\b\\..\\c", [](CTqString& s) { return s.CanonicalizePath(); }, 1, "D:\\a\\c"},
        {"D:" + hyouDir + "\\..\\x", [](CTqString& s) { return s.CanonicalizePath(); }, 1, "D:\\x"},
        {name260, [](CTqString& s) { return s.CanonicalizePath(); }, 0, name260},
        {"D:\\dir\\", [](CTqString& s) { return s.RemoveEndBackSlash(); }, 1, "D:\\dir"},
        {"D:\\", [](CTqString& s) { return s.RemoveEndBackSlash(); }, 0, "D:\\"},
        {"D:" + hyouDir, [](CTqString& s) { return s.RemoveEndBackSlash(); }, 0, "D:" + hyouDir},
        {"", [](CTqString& s) { return s.RemoveEndBackSlash(); }, 0, ""},
        {"D:\\dir\\file.txt", [](CTqString& s) { return s.RemoveFileName(); }, 1, "D:\\dir"},
        {"file.txt", [](CTqString& s) { return s.RemoveFileName(); }, 1, ""},
        {"D:" + hyouDir + "\\" + kSo, [](CTqString& s) { return s.RemoveFileName(); }, 1, "D:" + hyouDir},
        {name260, [](CTqString& s) { return s.RemoveFileName(); }, 0, name260},
        {"a.tar.gz", [](CTqString& s) { return s.RemovePathExtension(); }, 1, "a.tar"},
        {"D:\\dir.x\\file", [](CTqString& s) { return s.RemovePathExtension(); }, 1, "D:\\dir.x\\file"},
        {kSo + ".txt", [](CTqString& s) { return s.RemovePathExtension(); }, 1, kSo},
        {name260, [](CTqString& s) { return s.RemovePathExtension(); }, 0, name260},
        {".\\a\\b", [](CTqString& s) { return s.RemoveCurPrefix(); }, 1, "a\\b"},
        {"..\\a", [](CTqString& s) { return s.RemoveCurPrefix(); }, 0, "..\\a"},
        {"a\\.\\b", [](CTqString& s) { return s.RemoveCurPrefix(); }, 0, "a\\.\\b"},
        {"D:\\work\\scene.bmp", [](CTqString& s) { return s.AddPathSuffix("_0001"); }, 1,
         "D:\\work\\scene_0001.bmp"},
        {"D:\\a\\b", [](CTqString& s) { return s.AddPathSuffix("_1"); }, 1, "D:\\a\\b_1"},
        {"D:" + hyouDir + "\\" + kSo + ".bmp", [](CTqString& s) { return s.AddPathSuffix("2"); }, 1,
         "D:" + hyouDir + "\\" + kSo + "2.bmp"},
        {"D:\\a.txt", [](CTqString& s) { return s.AddPathSuffix(nullptr); }, 0, "D:\\a.txt"},
        {"C:\\" + std::string(250, 'n') + ".txt",
         [](CTqString& s) { return s.AddPathSuffix("_0123456789"); }, 0,
         "C:\\" + std::string(250, 'n') + ".txt"},
    };
    for (const EditCase& c : cases)
        Check(c);

    CTqString out("kept");
    EXPECT_EQ(CTqString(C("C:\\" + std::string(250, 'n') + ".txt")).GetSuffixedPath(out, "_0123456789"), 0);
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_EQ(CTqString(C("C:" + dir300)).GetFullPath(out), 0);
    EXPECT_TRUE(out.IsEmpty());
    out = "kept";
    std::string deep = "C:";  // a start too deep for the climb out of it
    for (int i = 0; i < 100; ++i)
        deep += "\\d";
    EXPECT_EQ(CTqString(C(deep)).GetRelativePath(out, "C:\\x.txt", 0), 0);
    EXPECT_EQ(CTqString("D:\\doc").GetRelativePath(out, "E:\\x.txt", 0), 0);
    EXPECT_EQ(Text(out), "kept");
}

TEST(StringPath, SplitAndTests)
{
    const std::string name254(254, 'n');
    const struct {
        std::string path, parts;
        int fullValid;
    } cases[] = {
        {"D:\\a\\b.c", "D:|\\a\\|b|.c", 1},
        {"D:b", "D:||b|", 1},
        {"\\\\server\\share\\name", "|\\\\server\\share\\|name|", 0},
        {"D:\\a\\", "D:|\\a\\||", 0},
        {"D:\\" + kHyou + "\\" + kSo + ".txt", "D:|\\" + kHyou + "\\|" + kSo + "|.txt", 1},
        {"C:\\" + name254 + ".e", "C:|\\|" + name254 + "|.e", 1},  // long, but every part fits
        {"C:\\" + std::string(300, 'd') + "\\n.e", "|||", 0},    // a part too long: none
        {"C:\\" + std::string(300, 'n'), "|||", 0},
    };
    for (const auto& c : cases) {
        const CTqString s(C(c.path));
        CTqString drive("x"), dir("x"), name("x"), ext("x");
        s.SplitPath(&drive, &dir, &name, &ext);
        EXPECT_EQ(Text(drive) + "|" + Text(dir) + "|" + Text(name) + "|" + Text(ext), c.parts);
        EXPECT_EQ(s.IsFullPathValid(), c.fullValid) << c.path;
    }
    CTqString self("D:\\a\\b.c");
    self.SplitPath(nullptr, nullptr, &self, nullptr);
    EXPECT_EQ(Text(self), "b");

    EXPECT_NE(CTqString("a\\b").IsRelativePath(), 0);
    EXPECT_EQ(CTqString("\\a").IsRelativePath() + CTqString("D:\\a").IsRelativePath(), 0);
}

class StringPathFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        base = folder / "base";
        preferred = folder / ("pref" + kHyou);  // a folder whose name ends in a trail backslash
        CreateDirectoryA(C(base), nullptr);
        CreateDirectoryA(C(preferred), nullptr);
        folder.WriteFile("base\\x.bmp", "x");
        folder.WriteFile("pref" + kHyou + "\\" + kSo + ".bmp", "so");
    }

    TempFolder folder;
    std::string base, preferred;
};

TEST_F(StringPathFiles, FullPathsAndExistence)
{
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string directory = current;
    CTqString full("stale");
    EXPECT_EQ(CTqString("x.txt").GetFullPath(full), 1);
    EXPECT_EQ(Text(full), directory + (directory.back() == '\\' ? "" : "\\") + "x.txt");
    CTqString self(C(base + "\\sub\\..\\x.bmp"));
    EXPECT_EQ(self.GetFullPath(self), 1);
    EXPECT_EQ(Text(self), base + "\\x.bmp");

    EXPECT_NE(CTqString(C(base)).FilePathExists(), 0);
    EXPECT_NE(CTqString(C(preferred + "\\" + kSo + ".bmp")).FilePathExists(), 0);
    EXPECT_EQ(CTqString(C(base + "\\y.bmp")).FilePathExists(), 0);
}

TEST_F(StringPathFiles, MakeAbsPath)
{
    const std::string soName = kSo + ".bmp";
    const struct {
        int mustExist;
        const char* path;
        const char* base;
        int result;
        std::string expected;
    } cases[] = {
        {1, "x.bmp", C(base), 1, base + "\\x.bmp"},
        {1, C(soName), C(base), 1, preferred + "\\" + soName},
        {0, "x.bmp", C(base), 1, preferred + "\\x.bmp"},
        {1, "y.bmp", C(base), 0, base + "\\y.bmp"},  // missing: the last combination stays
        {1, "y.bmp", nullptr, 0, preferred + "\\y.bmp"},
        {1, "D:\\a\\..\\b.bmp", C(base), 1, "D:\\b.bmp"},
        {1, "", C(base), 1, ""},
        {1, nullptr, C(base), 0, "previous"},
    };
    for (const auto& c : cases) {
        CTqString s("previous");
        EXPECT_EQ(s.MakeAbsPath(c.mustExist, c.path, c.base, C(preferred)), c.result);
        EXPECT_EQ(Text(s), c.expected);
    }
    CTqString alias("x.bmp");  // the path is this string's own text
    EXPECT_EQ(alias.MakeAbsPath(1, alias, C(base), C(preferred)), 1);
    EXPECT_EQ(Text(alias), base + "\\x.bmp");
}

TEST_F(StringPathFiles, DialogPaths)
{
    const std::string baseClosed = base + "\\";
    const struct {
        std::string name;
        int mustExist;
        const char *base, *preferred;
        std::string expected;
    } cases[] = {
        {"", 1, "", C(preferred), preferred + "\\"},
        {"", 1, C(baseClosed), nullptr, base + "\\\\"},
        {"", 1, nullptr, nullptr, "\\"},
        {"pic.bmp", 0, C(base), C(preferred), preferred + "\\pic.bmp"},
        {"pic.bmp", 1, C(base), C(preferred), preferred + "\\"},
        {"x.bmp", 1, C(base), C(preferred), base + "\\x.bmp"},
        {kSo + ".bmp", 1, C(base), C(preferred), preferred + "\\" + kSo + ".bmp"},
        {"D:\\abs\\n.bmp", 1, C(base), C(preferred), "D:\\abs\\n.bmp"},
    };
    for (const auto& c : cases) {
        CTqString out("stale");
        CTqString(C(c.name)).GetDlgPathFromName(out, c.mustExist, c.base, c.preferred);
        EXPECT_EQ(Text(out), c.expected) << c.name;
    }
    CTqString self("x.bmp");
    self.GetDlgPathFromName(self, 1, C(base), C(preferred));
    EXPECT_EQ(Text(self), base + "\\x.bmp");
}

TEST_F(StringPathFiles, MakeRelativePath)
{
    const struct {
        std::string path;
        const char *base, *preferred;
        int result;
        std::string expected;
    } cases[] = {
        {"D:\\doc\\img\\a.bmp", "D:\\doc", nullptr, 1, "img\\a.bmp"},
        {"D:\\docs\\a.bmp", "D:\\doc", "", 1, "..\\docs\\a.bmp"},  // begins with, textually
        {"D:\\doc\\a.bmp", "D:\\other", "", 0, "D:\\doc\\a.bmp"},
        {"", "D:\\doc", "", 0, ""},
        {base + "\\x.bmp", C(base), C(preferred), 1, "x.bmp"},
        {preferred + "\\" + kSo + ".bmp", C(base), C(preferred), 1, kSo + ".bmp"},
        {base + "\\x.bmp", C(folder.Path()), C(preferred), 1, "base\\x.bmp"},
        {preferred + "\\sub\\n.bmp", C(folder.Path()), C(preferred), 1, "sub\\n.bmp"},
    };
    for (const auto& c : cases) {
        CTqString s(C(c.path));
        EXPECT_EQ(s.MakeRelativePath(c.base, c.preferred), c.result) << c.path;
        EXPECT_EQ(Text(s), c.expected);
    }
}
