#include "strings/CTqString.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "strings/internal/TqMultiByte.h"

using tq::MB;

namespace {

const unsigned int kMaxPath = MAX_PATH;
const size_t kRelativeStepLength = 3;  // "..\" for each directory climbed

size_t Length(const char* p)
{
    return p ? std::strlen(p) : 0;
}

int IsGiven(const char* p)
{
    return p && *p;
}

// 1 when the last character of dir is a separator. The trail byte of a
// double-byte character is not one, even when its value is a backslash.
int EndsInSeparator(const char* dir, size_t length)
{
    const unsigned char* last = _mbsdec(MB(dir), MB(dir) + length);
    return last && last == MB(dir) + length - 1 && (*last == '\\' || *last == '/');
}

// The parts of a path as _splitpath gives them, in buffers of the platform's
// sizes.
struct PathParts {
    char drive[_MAX_DRIVE] = {};
    char dir[_MAX_DIR] = {};
    char name[_MAX_FNAME] = {};
    char ext[_MAX_EXT] = {};
};

// Copies text with its NUL into a buffer; 0 when it does not fit.
template <size_t Size>
int CopyText(char (&buffer)[Size], const char* text)
{
    const size_t length = std::strlen(text);
    if (length >= Size)
        return 0;
    std::memcpy(buffer, text, length + 1);
    return 1;
}

// _splitpath writes parts as long as the path itself: a path that could
// overflow the part buffers is split into buffers of its own length, and a
// part longer than its buffer fails the split.
int Split(const char* path, PathParts& parts)
{
    const size_t length = std::strlen(path);
    if (length < _MAX_DIR) {
        _splitpath(path, parts.drive, parts.dir, parts.name, parts.ext);
        return 1;
    }
    std::vector<char> drive(length + 1), dir(length + 1), name(length + 1), ext(length + 1);
    _splitpath(path, drive.data(), dir.data(), name.data(), ext.data());
    return CopyText(parts.drive, drive.data()) && CopyText(parts.dir, dir.data()) &&
           CopyText(parts.name, name.data()) && CopyText(parts.ext, ext.data());
}

// PathRelativePathToA climbs with one "..\" per directory of the starting
// path, into a buffer of MAX_PATH; a start too deep for that is refused.
int RelativePathFits(const char* from, const char* to)
{
    const size_t fromLength = std::strlen(from);
    if (fromLength >= kMaxPath || std::strlen(to) >= kMaxPath)
        return 0;
    const size_t steps = static_cast<size_t>(std::count(from, from + fromLength, '\\')) + 1;
    return steps * kRelativeStepLength < kMaxPath;
}

}  // namespace

int CTqString::StorePath(const char* path)
{
    ResizeStr(0, kMaxPath, 0);
    if (!path) {
        m_nCount = 0;
        return 0;
    }
    const size_t length = std::strlen(path);
    std::memcpy(m_pBuffer, path, length + 1);
    m_nCount = static_cast<unsigned int>(length) + 1;
    return 1;
}

// The directory gets its closing backslash here, since a runtime that looks
// only at the last byte takes the trail byte of a double-byte character for
// one. The result goes to a buffer that holds whatever _makepath can write
// and is refused when it does not fit MAX_PATH.
int CTqString::ComposePath(const char* drive, const char* dir, const char* name, const char* ext)
{
    std::string closedDir;
    const size_t dirLength = Length(dir);
    if (dirLength && !EndsInSeparator(dir, dirLength)) {
        closedDir.assign(dir, dirLength);
        closedDir += '\\';
        dir = closedDir.c_str();
    }
    const size_t bound = Length(drive) + 1 + Length(dir) + 1 + Length(name) + 1 + Length(ext) + 1;
    char path[kMaxPath];
    std::vector<char> longPath;
    char* composed = path;
    if (bound > kMaxPath) {
        longPath.resize(bound);
        composed = longPath.data();
    }
    _makepath(composed, drive, dir, name, ext);
    return StorePath(std::strlen(composed) < kMaxPath ? composed : nullptr);
}

void CTqString::MakePath(const char* drive, const char* dir, const char* name, const char* ext)
{
    if (!drive && !dir && !name && !ext) {
        m_nCount = 0;
        return;
    }
    ComposePath(drive, dir, name, ext);
}

// Composed in a buffer of its own first, so dir and file may point into this
// string; longer inputs than MAX_PATH are refused rather than cut.
int CTqString::CombinePath(const char* dir, const char* file)
{
    char combined[kMaxPath];
    const int fits = Length(dir) < kMaxPath && Length(file) < kMaxPath;
    return StorePath(fits ? PathCombineA(combined, dir, file) : nullptr);
}

int CTqString::GetFullPath(CTqString& out) const
{
    char full[kMaxPath];
    return out.StorePath(_fullpath(full, Text(), kMaxPath));
}

int CTqString::RemoveEndBackSlash()
{
    if (IsStrEmpty())
        return 0;
    const char* end = PathRemoveBackslashA(m_pBuffer);
    if (!end || *end)
        return 0;
    m_nCount = static_cast<unsigned int>(end - m_pBuffer) + 1;
    return 1;
}

// A path whose parts do not fit the platform's part sizes gives empty parts.
void CTqString::SplitPath(CTqString* drive, CTqString* dir, CTqString* name, CTqString* ext) const
{
    if (!drive && !dir && !name && !ext)
        return;
    PathParts parts;
    if (!Split(Text(), parts))
        parts = PathParts();
    if (drive)
        *drive = parts.drive;
    if (dir)
        *dir = parts.dir;
    if (name)
        *name = parts.name;
    if (ext)
        *ext = parts.ext;
}

int CTqString::CanonicalizePath()
{
    char canonical[kMaxPath];
    if (std::strlen(Text()) >= kMaxPath || !PathCanonicalizeA(canonical, Text()))
        return 0;
    *this = canonical;
    return 1;
}

int CTqString::GetRelativePath(CTqString& out, const char* to, int toIsDirectory) const
{
    char relative[kMaxPath];
    const DWORD toAttributes = toIsDirectory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (!RelativePathFits(Text(), to) ||
        !PathRelativePathToA(relative, Text(), FILE_ATTRIBUTE_DIRECTORY, to, toAttributes))
        return 0;
    out = relative;
    return 1;
}

int CTqString::RemoveFileName()
{
    char path[kMaxPath];
    if (IsStrEmpty() || !CopyText(path, m_pBuffer) || !PathRemoveFileSpecA(path))
        return 0;
    *this = path;
    return 1;
}

int CTqString::RemovePathExtension()
{
    char path[kMaxPath];
    if (IsStrEmpty() || !CopyText(path, m_pBuffer))
        return 0;
    PathRemoveExtensionA(path);
    *this = path;
    return 1;
}

int CTqString::RemoveCurPrefix()
{
    if (Find(".\\", 0, 0) != 0)
        return 0;
    return RemoveAt(0, 2);
}

// A name and suffix longer than a name part, or a path longer than MAX_PATH,
// give 0 and an empty out.
int CTqString::GetSuffixedPath(CTqString& out, const char* suffix) const
{
    if (!suffix)
        return 0;
    PathParts parts;
    const size_t suffixLength = std::strlen(suffix);
    if (!Split(Text(), parts) || std::strlen(parts.name) + suffixLength >= _MAX_FNAME) {
        out.m_nCount = 0;
        return 0;
    }
    std::memcpy(parts.name + std::strlen(parts.name), suffix, suffixLength + 1);
    return out.ComposePath(parts.drive, parts.dir, parts.name, parts.ext);
}

int CTqString::AddPathSuffix(const char* suffix)
{
    CTqString suffixed;
    if (!GetSuffixedPath(suffixed, suffix))
        return 0;
    *this = suffixed;
    return 1;
}

// The arguments are copied first: they may point into this string, which the
// combining steps overwrite.
int CTqString::MakeAbsPath(int mustExist, const char* path, const char* baseDir,
                           const char* preferredDir)
{
    if (!path)
        return 0;
    const CTqString source(path);
    const CTqString base(baseDir);
    const CTqString preferred(preferredDir);
    if (source.IsStrEmpty()) {
        m_nCount = 0;
        return 1;
    }
    CTqString canonical(source);
    canonical.CanonicalizePath();
    if (!canonical.IsRelativePath()) {
        *this = canonical;
        return 1;
    }
    if (!preferred.IsStrEmpty() && CombinePath(preferred, source) &&
        (!mustExist || FilePathExists()))
        return 1;
    if (base.IsStrEmpty() || !CombinePath(base, source))
        return 0;
    return !mustExist || FilePathExists() ? 1 : 0;
}

void CTqString::GetDlgPathFromName(CTqString& out, int mustExist, const char* baseDir,
                                   const char* preferredDir) const
{
    if (&out == this) {
        CTqString result;
        GetDlgPathFromName(result, mustExist, baseDir, preferredDir);
        out = result;
        return;
    }
    const CTqString base(baseDir);
    const CTqString preferred(preferredDir);
    if (!IsStrEmpty()) {
        if (!IsRelativePath()) {
            out = *this;
            return;
        }
        for (const CTqString* dir : {&preferred, &base}) {
            if (!dir->IsStrEmpty() && out.CombinePath(*dir, Text()) &&
                (!mustExist || out.FilePathExists()))
                return;
        }
    }
    out = preferred.IsStrEmpty() ? base : preferred;
    out += '\\';
}

int CTqString::IsFullPathValid() const
{
    PathParts parts;
    return Split(Text(), parts) && parts.drive[0] && parts.name[0];
}

int CTqString::IsRelativePath() const
{
    return PathIsRelativeA(Text());
}

int CTqString::FilePathExists() const
{
    return PathFileExistsA(Text());
}

int CTqString::MakeRelativePath(const char* baseDir, const char* preferredDir)
{
    if (IsStrEmpty())
        return 0;
    const char* from = nullptr;
    if (IsGiven(preferredDir) && Find(preferredDir, 0, 0) == 0)
        from = preferredDir;
    else if (IsGiven(baseDir) && Find(baseDir, 0, 0) == 0)
        from = baseDir;
    else
        return 0;
    CTqString relative;
    if (!CTqString(from).GetRelativePath(relative, Text(), 0))
        return 0;
    relative.RemoveCurPrefix();
    *this = relative;
    return 1;
}
