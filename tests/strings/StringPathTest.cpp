// CTqString path operations on drive-letter paths, with double-byte
// characters whose trail byte is a backslash, on real files and folders of
// the temp folder's drive, and with parts too long for the platform's
// buffers.
#include <TqCommon.h>

#include <gtest/gtest.h>

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

}  // namespace

TEST(StringPath, MakePath)
{
    const std::string hyouDir = "\\" + kHyou;
    const std::string hyouDirClosed = "\\" + kHyou + "\\";
    const struct {
        const char *drive, *dir, *name, *ext;
        std::string expected;
    } cases[] = {
        {"D:", "\\a", "b", "txt", "D:\\a\\b.txt"},
        {"D", "\\a\\", "b", ".txt", "D:\\a\\b.txt"},
        {nullptr, "a/", "b", nullptr, "a/b"},
        {nullptr, nullptr, "n", "", "n"},
        {"D:", nullptr, nullptr, nullptr, "D:"},
        {"", "", "", "", ""},
        {nullptr, C(hyouDir), C(kSo), "txt", "\\" + kHyou + "\\" + kSo + ".txt"},
        {"C:", C(hyouDirClosed), "x", nullptr, "C:\\" + kHyou + "\\x"},
    };
    for (const auto& c : cases) {
        CTqString s("previous");
        s.MakePath(c.drive, c.dir, c.name, c.ext);
        EXPECT_EQ(Text(s), c.expected);
        EXPECT_EQ(s.GetLength(), c.expected.size());
        EXPECT_GE(s.GetBufferSize(), 260u);
    }
    CTqString s("previous");
    s.MakePath(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(s.GetSize(), 0u);
}

TEST(StringPath, LongPartsNeverOverrunOrCut)
{
    const std::string dir250 = "\\" + std::string(249, 'd');
    const std::string dir300 = "\\" + std::string(299, 'd');
    CTqString s("previous");
    s.MakePath("C:", C(dir250), "nam", "e");  // 2 + 250 + 1 + 3 + 2 = 258
    EXPECT_EQ(Text(s), "C:" + dir250 + "\\nam.e");
    s.MakePath("C:", C(dir250), "name", "ex");  // 260: too long
    EXPECT_EQ(s.GetSize(), 0u);
    s.MakePath("C:", C(dir300), "n", "e");
    EXPECT_EQ(s.GetSize(), 0u);
    s.MakePath(nullptr, nullptr, C(std::string(5000, 'n')), C(std::string(5000, 'e')));
    EXPECT_EQ(s.GetSize(), 0u);

    EXPECT_EQ(s.CombinePath(C("C:" + dir300), "x"), 0);
    EXPECT_EQ(s.GetSize(), 0u);
    EXPECT_EQ(s.CombinePath("C:\\", C(dir300.substr(1))), 0);
    EXPECT_EQ(s.CombinePath(C("C:" + dir250), "abcdefghij"), 0);
    EXPECT_EQ(s.GetSize(), 0u);

    CTqString full;
    EXPECT_EQ(CTqString(C("C:" + dir300)).GetFullPath(full), 0);
    EXPECT_EQ(full.GetSize(), 0u);

    // Parts longer than the split buffers give empty parts.
    CTqString drive("x"), dir("x"), name("x"), ext("x");
    CTqString(C("C:" + dir300 + "\\n.e")).SplitPath(&drive, &dir, &name, &ext);
    EXPECT_EQ(Text(drive) + Text(dir) + Text(name) + Text(ext), "");
    const std::string name300(300, 'n');
    EXPECT_EQ(CTqString(C("C:\\" + name300)).IsFullPathValid(), 0);
    // A long path whose parts fit is split whole.
    const std::string name254(254, 'n');
    CTqString(C("C:\\" + name254 + ".e")).SplitPath(&drive, &dir, &name, &ext);
    EXPECT_EQ(Text(drive) + "|" + Text(dir) + "|" + Text(name) + "|" + Text(ext),
              "C:|\\|" + name254 + "|.e");

    CTqString suffixed("kept");
    const CTqString longName(C("C:\\" + std::string(250, 'n') + ".txt"));
    EXPECT_EQ(longName.GetSuffixedPath(suffixed, "_0123456789"), 0);
    EXPECT_EQ(suffixed.GetSize(), 0u);
    CTqString grown(longName);
    EXPECT_EQ(grown.AddPathSuffix("_0123456789"), 0);
    EXPECT_TRUE(grown == longName);

    CTqString name260(std::string(260, 'a').c_str());
    EXPECT_EQ(name260.RemoveFileName(), 0);
    EXPECT_EQ(name260.RemovePathExtension(), 0);
    EXPECT_EQ(name260.CanonicalizePath(), 0);
    EXPECT_EQ(name260.GetLength(), 260u);

    // A start too deep for the climb out of it.
    std::string deep = "C:";
    for (int i = 0; i < 100; ++i)
        deep += "\\d";
    CTqString relative("kept");
    EXPECT_EQ(CTqString(C(deep)).GetRelativePath(relative, "C:\\x.txt", 0), 0);
    EXPECT_EQ(Text(relative), "kept");
}

TEST(StringPath, CombineAndCanonicalize)
{
    const struct {
        std::string dir, file, expected;
    } cases[] = {
        {"D:\\a", "b.txt", "D:\\a\\b.txt"},
        {"D:\\a\\", "b.txt", "D:\\a\\b.txt"},
        {"D:\\a", "..\\b", "D:\\b"},
        {"D:\\a", "E:\\x", "E:\\x"},
        {"D:\\" + kHyou, kSo + ".txt", "D:\\" + kHyou + "\\" + kSo + ".txt"},
        {"D:\\" + kHyou, "..\\x", "D:\\x"},
    };
    for (const auto& c : cases) {
        CTqString s;
        EXPECT_EQ(s.CombinePath(C(c.dir), C(c.file)), 1);
        EXPECT_EQ(Text(s), c.expected);
    }
    CTqString self("D:\\dir");  // the storage grows while the inputs are read
    EXPECT_EQ(self.CombinePath(self, C(std::string(200, 'f'))), 1);
    EXPECT_EQ(Text(self), "D:\\dir\\" + std::string(200, 'f'));

    const struct {
        std::string path, expected;
    } canonical[] = {
        {"D:\\a\\.\\b\\..\\c", "D:\\a\\c"},
        {"D:\\" + kHyou + "\\..\\x", "D:\\x"},
        {"D:\\" + kSo + "\\.\\y", "D:\\" + kSo + "\\y"},
    };
    for (const auto& c : canonical) {
        CTqString s(C(c.path));
        EXPECT_EQ(s.CanonicalizePath(), 1);
        EXPECT_EQ(Text(s), c.expected);
    }
}

TEST(StringPath, TrailingPartsAndPrefixes)
{
    const struct {
        std::string text;
        int result;
        std::string expected;
    } backslash[] = {
        {"D:\\dir\\", 1, "D:\\dir"}, {"D:\\dir", 0, "D:\\dir"}, {"D:\\", 0, "D:\\"},
        {"", 0, ""},                {"D:\\" + kHyou, 0, "D:\\" + kHyou},
    };
    for (const auto& c : backslash) {
        CTqString s(C(c.text));
        EXPECT_EQ(s.RemoveEndBackSlash(), c.result) << c.text;
        EXPECT_EQ(Text(s), c.expected);
        EXPECT_EQ(s.GetLength(), c.expected.size());
    }

    const struct {
        std::string text;
        int result;
        std::string expected;
    } fileName[] = {
        {"D:\\dir\\file.txt", 1, "D:\\dir"},
        {"file.txt", 1, ""},
        {"D:\\" + kHyou + "\\" + kSo, 1, "D:\\" + kHyou},
        {"D:\\" + kHyou, 1, "D:\\"},
        {"", 0, ""},
    };
    for (const auto& c : fileName) {
        CTqString s(C(c.text));
        EXPECT_EQ(s.RemoveFileName(), c.result) << c.text;
        EXPECT_EQ(Text(s), c.expected);
    }

    const struct {
        std::string text, expected;
    } extension[] = {
        {"a.tar.gz", "a.tar"},
        {"D:\\dir.x\\file", "D:\\dir.x\\file"},
        {"D:\\" + kHyou + ".x\\" + kSo, "D:\\" + kHyou + ".x\\" + kSo},
        {kSo + ".txt", kSo},
    };
    for (const auto& c : extension) {
        CTqString s(C(c.text));
        EXPECT_EQ(s.RemovePathExtension(), 1) << c.text;
        EXPECT_EQ(Text(s), c.expected);
    }
    EXPECT_EQ(CTqString().RemovePathExtension(), 0);

    const struct {
        const char* text;
        int result;
        const char* expected;
    } prefix[] = {{".\\a\\b", 1, "a\\b"}, {"..\\a", 0, "..\\a"}, {"a\\.\\b", 0, "a\\.\\b"}, {"", 0, ""}};
    for (const auto& c : prefix) {
        CTqString s(c.text);
        EXPECT_EQ(s.RemoveCurPrefix(), c.result) << c.text;
        EXPECT_EQ(Text(s), c.expected);
    }

    const struct {
        std::string text;
        const char* suffix;
        std::string expected;
    } suffix[] = {
        {"D:\\a\\b.txt", "_1", "D:\\a\\b_1.txt"},
        {"D:\\work\\scene.bmp", "_0001", "D:\\work\\scene_0001.bmp"},
        {"D:\\a\\b", "_1", "D:\\a\\b_1"},
        {"D:\\" + kHyou + "\\" + kSo + ".bmp", "2", "D:\\" + kHyou + "\\" + kSo + "2.bmp"},
    };
    for (const auto& c : suffix) {
        CTqString s(C(c.text));
        EXPECT_EQ(s.AddPathSuffix(c.suffix), 1);
        EXPECT_EQ(Text(s), c.expected);
    }
    CTqString unchanged("D:\\a\\b.txt");
    EXPECT_EQ(unchanged.AddPathSuffix(nullptr), 0);
    EXPECT_EQ(Text(unchanged), "D:\\a\\b.txt");
    CTqString out("kept");
    EXPECT_EQ(unchanged.GetSuffixedPath(out, nullptr), 0);
    EXPECT_EQ(Text(out), "kept");
}

TEST(StringPath, SplitAndTests)
{
    const struct {
        std::string path, drive, dir, name, ext;
        int fullValid;
    } cases[] = {
        {"D:\\a\\b.c", "D:", "\\a\\", "b", ".c", 1},
        {"D:b", "D:", "", "b", "", 1},
        {"\\\\server\\share\\name", "", "\\\\server\\share\\", "name", "", 0},
        {"D:\\a\\", "D:", "\\a\\", "", "", 0},
        {"D:\\" + kHyou + "\\" + kSo + ".txt", "D:", "\\" + kHyou + "\\", kSo, ".txt", 1},
        {"", "", "", "", "", 0},
    };
    for (const auto& c : cases) {
        const CTqString s(C(c.path));
        CTqString drive, dir, name, ext;
        s.SplitPath(&drive, &dir, &name, &ext);
        EXPECT_EQ(Text(drive), c.drive) << c.path;
        EXPECT_EQ(Text(dir), c.dir) << c.path;
        EXPECT_EQ(Text(name), c.name) << c.path;
        EXPECT_EQ(Text(ext), c.ext) << c.path;
        EXPECT_EQ(s.IsFullPathValid(), c.fullValid) << c.path;
    }
    CTqString self("D:\\a\\b.c");
    CTqString ext;
    self.SplitPath(nullptr, nullptr, &self, &ext);
    EXPECT_EQ(Text(self), "b");
    EXPECT_EQ(Text(ext), ".c");

    EXPECT_NE(CTqString("a\\b").IsRelativePath(), 0);
    EXPECT_EQ(CTqString("\\a").IsRelativePath(), 0);
    EXPECT_EQ(CTqString("D:\\a").IsRelativePath(), 0);
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
    std::string expected = current;
    if (expected.back() != '\\')
        expected += '\\';
    CTqString full("stale");
    EXPECT_EQ(CTqString("x.txt").GetFullPath(full), 1);
    EXPECT_EQ(Text(full), expected + "x.txt");
    CTqString self(C(base + "\\sub\\..\\x.bmp"));
    EXPECT_EQ(self.GetFullPath(self), 1);
    EXPECT_EQ(Text(self), base + "\\x.bmp");

    EXPECT_NE(CTqString(C(base)).FilePathExists(), 0);
    EXPECT_NE(CTqString(C(base + "\\x.bmp")).FilePathExists(), 0);
    EXPECT_NE(CTqString(C(preferred + "\\" + kSo + ".bmp")).FilePathExists(), 0);
    EXPECT_EQ(CTqString(C(base + "\\y.bmp")).FilePathExists(), 0);
}

TEST_F(StringPathFiles, MakeAbsPath)
{
    CTqString s("previous");
    EXPECT_EQ(s.MakeAbsPath(1, "x.bmp", C(base), C(preferred)), 1);
    EXPECT_EQ(Text(s), base + "\\x.bmp");
    EXPECT_EQ(s.MakeAbsPath(1, C(kSo + ".bmp"), C(base), C(preferred)), 1);
    EXPECT_EQ(Text(s), preferred + "\\" + kSo + ".bmp");
    EXPECT_EQ(s.MakeAbsPath(0, "x.bmp", C(base), C(preferred)), 1);
    EXPECT_EQ(Text(s), preferred + "\\x.bmp");
    EXPECT_EQ(s.MakeAbsPath(1, "y.bmp", C(base), C(preferred)), 0);
    EXPECT_EQ(Text(s), base + "\\y.bmp");
    EXPECT_EQ(s.MakeAbsPath(1, "y.bmp", nullptr, C(preferred)), 0);
    EXPECT_EQ(Text(s), preferred + "\\y.bmp");
    EXPECT_EQ(s.MakeAbsPath(0, "y.bmp", "", nullptr), 0);

    EXPECT_EQ(s.MakeAbsPath(1, "D:\\a\\..\\b.bmp", C(base), C(preferred)), 1);
    EXPECT_EQ(Text(s), "D:\\b.bmp");
    EXPECT_EQ(s.MakeAbsPath(1, "", C(base), C(preferred)), 1);
    EXPECT_EQ(s.GetSize(), 0u);
    s = "kept";
    EXPECT_EQ(s.MakeAbsPath(1, nullptr, C(base), C(preferred)), 0);
    EXPECT_EQ(Text(s), "kept");

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
        const char* base;
        const char* preferred;
        std::string expected;
    } cases[] = {
        {"", 1, "", C(preferred), preferred + "\\"},
        {"", 1, C(base), nullptr, base + "\\"},
        {"", 1, C(baseClosed), nullptr, base + "\\\\"},
        {"", 1, nullptr, nullptr, "\\"},
        {"pic.bmp", 0, C(base), C(preferred), preferred + "\\pic.bmp"},
        {"pic.bmp", 1, C(base), C(preferred), preferred + "\\"},
        {"x.bmp", 1, C(base), C(preferred), base + "\\x.bmp"},
        {kSo + ".bmp", 1, C(base), C(preferred), preferred + "\\" + kSo + ".bmp"},
        {"D:\\abs\\n.bmp", 1, C(base), C(preferred), "D:\\abs\\n.bmp"},
    };
    for (const auto& c : cases) {
        const CTqString name(C(c.name));
        CTqString out("stale");
        name.GetDlgPathFromName(out, c.mustExist, c.base, c.preferred);
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
        const char* base;
        const char* preferred;
        int result;
        std::string expected;
    } cases[] = {
        {"D:\\doc\\img\\a.bmp", "D:\\doc", nullptr, 1, "img\\a.bmp"},
        {"D:\\docs\\a.bmp", "D:\\doc", "", 1, "..\\docs\\a.bmp"},
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
    CTqString out("kept");
    EXPECT_EQ(CTqString("D:\\doc").GetRelativePath(out, "E:\\x.txt", 0), 0);
    EXPECT_EQ(Text(out), "kept");
    EXPECT_EQ(CTqString("D:\\doc").GetRelativePath(out, "D:\\doc\\img", 1), 1);
    EXPECT_EQ(Text(out), ".\\img");
}
