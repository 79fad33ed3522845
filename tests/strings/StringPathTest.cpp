// CTqString path operations on drive-letter paths with double-byte
// characters whose trail byte is a backslash, on real files and folders of
// the temp folder's drive, and with parts too long for the platform's
// buffers: those fail cleanly, never truncated or written past a buffer.
#include "StringTestSupport.h"

TEST(StringPath, ComposingSplittingAndEditing)
{
    const std::string hyouDir = "\\" + kHyou, soExt = kSo + ".bmp";
    const std::string dir250 = "\\" + std::string(249, 'd'), dir300 = "\\" + std::string(299, 'd');
    const std::string name260(260, 'a'), long254 = "C:\\" + std::string(250, 'n') + ".txt";
    std::string deep = "C:";  // a start too deep for the climb out of it
    for (int i = 0; i < 100; ++i)
        deep += "\\d";
    const std::string name254(254, 'n'), dir300n = "C:\\" + std::string(300, 'd') + "\\n.e";
    CTqString out("kept");
    const char* null = nullptr;
    // SplitPath into "drive|dir|name|ext"; the result tells IsFullPathValid.
    const auto split = [](CTqString& s) {
        CTqString drive("x"), dir("x"), name("x"), ext("x");
        s.SplitPath(&drive, &dir, &name, &ext);
        const int valid = s.IsFullPathValid();
        s = C(Text(drive) + "|" + Text(dir) + "|" + Text(name) + "|" + Text(ext));
        return valid;
    };
    // MakePath gives 1 when it keeps MAX_PATH bytes of storage.
#define MAKE_PATH(drive, dir, name, ext) OP((s.MakePath(drive, dir, name, ext), s.GetBufferSize() >= 260))
    const Edit edits[] = {
        {"x", MAKE_PATH("D:", "\\a", "b", "txt"), 1, "D:\\a\\b.txt"},
        {"x", MAKE_PATH("D", "\\a\\", "b", ".txt"), 1, "D:\\a\\b.txt"},
        {"x", MAKE_PATH(null, "a/", "b", null), 1, "a/b"},
        {"x", MAKE_PATH(null, C(hyouDir), C(kSo), "txt"), 1, hyouDir + "\\" + kSo + ".txt"},
        {"x", MAKE_PATH("C:", C(dir250), "nam", "e"), 1, "C:" + dir250 + "\\nam.e"},  // 258 bytes
        {"x", MAKE_PATH("C:", C(dir250), "name", "ex"), 1, ""},                       // 260
        {"x", MAKE_PATH("C:", C(dir300), "n", "e"), 1, ""},
        {"x", OP(s.CombinePath("D:\\a", "..\\b")), 1, "D:\\b"},
        {"x", OP(s.CombinePath("D:\\a", "E:\\x")), 1, "E:\\x"},
        {"x", OP(s.CombinePath(C("D:" + hyouDir), C(kSo))), 1, "D:" + hyouDir + "\\" + kSo},
        {"x", OP(s.CombinePath(C("C:" + dir300), "x")), 0, ""},
        {"x", OP(s.CombinePath(C("C:" + dir250), "abcdefghij")), 0, ""},
        {"D:\\dir", OP(s.CombinePath(s, "f")), 1, "D:\\dir\\f"},
        {"D:\\a\\.\\b\\..\\c", OP(s.CanonicalizePath()), 1, "D:\\a\\c"},
        {"D:" + hyouDir + "\\..\\x", OP(s.CanonicalizePath()), 1, "D:\\x"},
        {name260, OP(s.CanonicalizePath()), 0},
        {"D:\\dir\\", OP(s.RemoveEndBackSlash()), 1, "D:\\dir"},
        {"D:\\", OP(s.RemoveEndBackSlash()), 0},
        {"D:" + hyouDir, OP(s.RemoveEndBackSlash()), 0},
        {"", OP(s.RemoveEndBackSlash()), 0},
        {"D:\\dir\\file.txt", OP(s.RemoveFileName()), 1, "D:\\dir"},
        {"file.txt", OP(s.RemoveFileName()), 1, ""},
        {"D:" + hyouDir + "\\" + kSo, OP(s.RemoveFileName()), 1, "D:" + hyouDir},
        {name260, OP(s.RemoveFileName()), 0},
        {"a.tar.gz", OP(s.RemovePathExtension()), 1, "a.tar"},
        {"D:\\dir.x\\file", OP(s.RemovePathExtension()), 1},
        {kSo + ".txt", OP(s.RemovePathExtension()), 1, kSo},
        {name260, OP(s.RemovePathExtension()), 0},
        {".\\a\\b", OP(s.RemoveCurPrefix()), 1, "a\\b"},
        {"..\\a", OP(s.RemoveCurPrefix()), 0},
        {"D:\\work\\scene.bmp", OP(s.AddPathSuffix("_0001")), 1, "D:\\work\\scene_0001.bmp"},
        {"D:\\a\\b", OP(s.AddPathSuffix("_1")), 1, "D:\\a\\b_1"},
        {"D:" + hyouDir + "\\" + soExt, OP(s.AddPathSuffix("2")), 1, "D:" + hyouDir + "\\" + kSo + "2.bmp"},
        {"D:\\a.txt", OP(s.AddPathSuffix(nullptr)), 0},
        {long254, OP(s.AddPathSuffix("_0123456789")), 0},
        {long254, OP(s.GetSuffixedPath(out, "_0123456789") == 0 && out.IsEmpty()), 1},
        {"C:" + dir300, OP((out = "kept", s.GetFullPath(out) == 0 && out.IsEmpty())), 1},
        {deep, OP((out = "kept", s.GetRelativePath(out, "C:\\x.txt", 0) == 0 && out == "kept")), 1},
        {"D:\\doc", OP((out = "kept", s.GetRelativePath(out, "E:\\x.txt", 0) == 0 && out == "kept")), 1},
        {"a\\b", OP(s.IsRelativePath() != 0), 1},
        {"\\a", OP(s.IsRelativePath() + CTqString("D:\\a").IsRelativePath()), 0},
        {"D:\\a\\b.c", OP(split(s)), 1, "D:|\\a\\|b|.c"},
        {"D:b", OP(split(s)), 1, "D:||b|"},
        {"\\\\server\\share\\name", OP(split(s)), 0, "|\\\\server\\share\\|name|"},
        {"D:\\a\\", OP(split(s)), 0, "D:|\\a\\||"},
        {"D:\\" + kHyou + "\\" + kSo + ".txt", OP(split(s)), 1, "D:|\\" + kHyou + "\\|" + kSo + "|.txt"},
        {"C:\\" + name254 + ".e", OP(split(s)), 1, "C:|\\|" + name254 + "|.e"},  // every part fits
        {dir300n, OP(split(s)), 0, "|||"},  // a part too long: none
        {"C:\\" + std::string(300, 'n'), OP(split(s)), 0, "|||"},
        {"D:\\a\\b.c", OP((s.SplitPath(nullptr, nullptr, &s, nullptr), 1)), 1, "b"},
    };
#undef MAKE_PATH
    CheckEdits(edits);
}

TEST(StringPath, RealFilesAndFolders)
{
    // base\x.bmp, and pref表\ソ.bmp in a folder whose name ends in a trail
    // byte that is a backslash.
    const TempFolder folder;
    const std::string base = folder / "base", preferred = folder / ("pref" + kHyou), so = kSo + ".bmp";
    CreateDirectoryA(C(base), nullptr);
    CreateDirectoryA(C(preferred), nullptr);
    folder.WriteFile("base\\x.bmp", "x");
    folder.WriteFile("pref" + kHyou + "\\" + so, "so");
    CTqString out;
    // The dialog path goes to another string, then replaces the name.
    const auto dialog = [](CTqString& s, int mustExist, const char* base, const char* preferred) {
        CTqString path("stale");
        s.GetDlgPathFromName(path, mustExist, base, preferred);
        s = path;
        return 1;
    };
    const Edit edits[] = {
        {base + "\\.\\x.bmp", OP(s.GetFullPath(out) == 1 && Text(out) == base + "\\x.bmp"), 1},
        {base + "\\sub\\..\\x.bmp", OP(s.GetFullPath(s)), 1, base + "\\x.bmp"},
        {base, OP(s.FilePathExists() != 0), 1},
        {preferred + "\\" + so, OP(s.FilePathExists() != 0), 1},
        {base + "\\y.bmp", OP(s.FilePathExists()), 0},
        // MakeAbsPath: the base folder, else the preferred one; for a missing
        // file the last combination stays.
        {"x", OP(s.MakeAbsPath(1, "x.bmp", C(base), C(preferred))), 1, base + "\\x.bmp"},
        {"x", OP(s.MakeAbsPath(1, C(so), C(base), C(preferred))), 1, preferred + "\\" + so},
        {"x", OP(s.MakeAbsPath(0, "x.bmp", C(base), C(preferred))), 1, preferred + "\\x.bmp"},
        {"x", OP(s.MakeAbsPath(1, "y.bmp", C(base), C(preferred))), 0, base + "\\y.bmp"},
        {"x", OP(s.MakeAbsPath(1, "y.bmp", nullptr, C(preferred))), 0, preferred + "\\y.bmp"},
        {"x", OP(s.MakeAbsPath(1, "D:\\a\\..\\b.bmp", C(base), C(preferred))), 1, "D:\\b.bmp"},
        {"x", OP(s.MakeAbsPath(1, "", C(base), C(preferred))), 1, ""},
        {"x", OP(s.MakeAbsPath(1, nullptr, C(base), C(preferred))), 0},
        {"x.bmp", OP(s.MakeAbsPath(1, s, C(base), C(preferred))), 1, base + "\\x.bmp"},
        // MakeRelativePath: relative to the base folder, else the preferred one.
        {"D:\\doc\\img\\a.bmp", OP(s.MakeRelativePath("D:\\doc", nullptr)), 1, "img\\a.bmp"},
        {"D:\\docs\\a.bmp", OP(s.MakeRelativePath("D:\\doc", "")), 1, "..\\docs\\a.bmp"},
        {"D:\\doc\\a.bmp", OP(s.MakeRelativePath("D:\\other", "")), 0},
        {"", OP(s.MakeRelativePath("D:\\doc", "")), 0},
        {base + "\\x.bmp", OP(s.MakeRelativePath(C(base), C(preferred))), 1, "x.bmp"},
        {preferred + "\\" + so, OP(s.MakeRelativePath(C(base), C(preferred))), 1, so},
        {base + "\\x.bmp", OP(s.MakeRelativePath(C(folder.Path()), C(preferred))), 1, "base\\x.bmp"},
        {preferred + "\\sub\\n.bmp", OP(s.MakeRelativePath(C(folder.Path()), C(preferred))), 1,
         "sub\\n.bmp"},
        // GetDlgPathFromName: an existing file's path, else a folder to look in.
        {"", OP(dialog(s, 1, "", C(preferred))), 1, preferred + "\\"},
        {"", OP(dialog(s, 1, C(base + "\\"), nullptr)), 1, base + "\\\\"},
        {"", OP(dialog(s, 1, nullptr, nullptr)), 1, "\\"},
        {"pic.bmp", OP(dialog(s, 0, C(base), C(preferred))), 1, preferred + "\\pic.bmp"},
        {"pic.bmp", OP(dialog(s, 1, C(base), C(preferred))), 1, preferred + "\\"},
        {"x.bmp", OP(dialog(s, 1, C(base), C(preferred))), 1, base + "\\x.bmp"},
        {so, OP(dialog(s, 1, C(base), C(preferred))), 1, preferred + "\\" + so},
        {"D:\\abs\\n.bmp", OP(dialog(s, 1, C(base), C(preferred))), 1},
        {"x.bmp", OP((s.GetDlgPathFromName(s, 1, C(base), C(preferred)), 1)), 1, base + "\\x.bmp"},
    };
    CheckEdits(edits);
}
