#pragma once

#include <windows.h>

#include "../containers/CTqArray.h"
#include "../library/TqExport.h"

// A NUL-terminated multibyte text in the process's ANSI code page.
//
// The count of the underlying array includes the terminator; an empty string
// has count 0 or 1. Positions and lengths are bytes. Operations whose name
// ends in SB treat every byte as a character; the others keep double-byte
// characters whole.
//
// A string can also be in file mode: appended text is a write-behind buffer
// for an open file, and when memory runs out the text so far is written to the
// file instead of failing.
class TQ_API CTqString : public CTqArray<char, 2> {
public:
    CTqString() noexcept;
    CTqString(const CTqString& s);
    CTqString(const char* p);
    ~CTqString();

    CTqString& operator=(const CTqString& s);
    CTqString& operator=(const char* p);

    // Never null: an empty string gives "".
    operator const char*() const;
    operator char*();

    unsigned int GetLengthMB() const;
    unsigned int GetLengthWC() const;
    int IsStrSB() const;
    int IsStrEmpty() const;

    int operator==(const char* p) const;
    int operator==(const CTqString& s) const;
    int operator!=(const CTqString& s) const;
    int operator!=(const char* p) const;
    int operator<(const char* p) const;
    int operator>(const char* p) const;
    int operator<(const CTqString& s) const;
    int operator>(const CTqString& s) const;
    int CompareStr(const char* p) const;
    int CompareLCStr(const char* p) const;

    int ResizeStr(int term, unsigned int size, int keep);
    char* AddStrSize(int term, unsigned int pos, unsigned int size, int keep);
    char* AddBuffer(unsigned int n);
    void AddStr(const CTqString& src, unsigned int pos, unsigned int len);
    int AddStrCount(const char* p, unsigned int n);
    CTqString& operator+=(const char* p);
    CTqString& operator+=(const CTqString& s);
    CTqString& operator+=(const char& c);
    CTqString operator+(const CTqString& s) const;
    CTqString operator+(const char* p) const;

    int RemoveAt(unsigned int pos, unsigned int n);
    int PopBackChar();
    void SetLowerCase();
    void SetUpperCase();
    int ShowMsgBox(const char* caption, unsigned int type, HWND owner) const;

    // Searching. Offsets are bytes; 0xFFFFFFFF is not found, and as a length
    // or end it means up to the end of the text. The multibyte searches never
    // match inside a double-byte character; the SB twins look at bytes.
    unsigned int Find(const char* text, unsigned int pos, int ignoreCase) const;
    unsigned int FindEnd(const char* text, unsigned int pos) const;
    unsigned int FindSB(const char* text, unsigned int pos) const;
    unsigned int FindEndSB(const char* text, unsigned int pos) const;
    unsigned int FindFirst(const char* chars, unsigned int pos) const;
    unsigned int FindFirstSB(const char* chars, unsigned int pos) const;
    unsigned int FindFirstNot(const char* chars, unsigned int pos) const;
    unsigned int FindFirstNotSB(const char* chars, unsigned int pos) const;
    unsigned int FindEndNot(const char* chars, unsigned int pos, unsigned int end) const;

    // Comparing parts: negative, 0 or positive.
    int NumCompareStr(const char* text, unsigned int n) const;
    int CompareSubStr(const char* text, unsigned int pos, unsigned int len) const;
    int CompareLCSubStr(const char* text, unsigned int pos, unsigned int len) const;
    int HasPrefix(const char* prefix) const;
    int HasSuffix(const char* suffix) const;
    int GetSubStr(CTqString& out, unsigned int pos, unsigned int len) const;

    // Tokens. GetToken(delims, next) walks the text with the runtime's
    // tokenizer, writing NULs over the delimiters; the others leave it alone.
    unsigned int GetToken(const char* delims, int next);
    int GetTokenPos(unsigned int& begin, unsigned int& end, const char* delims,
                    unsigned int pos) const;
    int GetTokenPosSB(unsigned int& begin, unsigned int& end, const char* delims,
                      unsigned int pos) const;
    unsigned int GetToken(CTqString& token, const char* delims, unsigned int pos) const;

    // Trimming, removing, replacing and quoting.
    void TrimLeft(const char* chars);
    void TrimRight(const char* chars);
    void TrimLeftRight(const char* chars);
    int Remove(const char* text, unsigned int pos);
    unsigned int GetReplacedStr(CTqString& out, const char* find, const char* replace, int all,
                                int ignoreCase) const;
    unsigned int ReplaceStr(const char* find, const char* replace, int all, int ignoreCase);
    int GetQuotedStr(CTqString& out, const char* quote, const char* escape) const;
    int QuoteStr(const char* quote, const char* escape);
    unsigned int GetEndNumber(CTqString& head, unsigned int& number) const;

    // Value lists: tokens between any runs of the single-byte separators in
    // seps, each converted by the runtime function of its type. The forms
    // with a position return the offset behind the last token read, or
    // 0xFFFFFFFF when the tokens ran out.
    int GetInt(int& value, const char* seps) const;
    int GetInts(int* const values, unsigned int n, const char* seps) const;
    unsigned int GetInt(int& value, const char* seps, unsigned int pos) const;
    unsigned int GetInts(int* const values, unsigned int n, const char* seps,
                         unsigned int pos) const;
    int GetUint(unsigned int& value, const char* seps) const;
    int GetUints(unsigned int* const values, unsigned int n, const char* seps) const;
    unsigned int GetUint(unsigned int& value, const char* seps, unsigned int pos) const;
    unsigned int GetUints(unsigned int* const values, unsigned int n, const char* seps,
                          unsigned int pos) const;
    int GetLong(long& value, const char* seps) const;
    int GetLongs(long* const values, unsigned int n, const char* seps) const;
    unsigned int GetLong(long& value, const char* seps, unsigned int pos) const;
    unsigned int GetLongs(long* const values, unsigned int n, const char* seps,
                          unsigned int pos) const;
    int GetDouble(double& value, const char* seps) const;
    int GetDoubles(double* const values, unsigned int n, const char* seps) const;
    unsigned int GetDouble(double& value, const char* seps, unsigned int pos) const;
    unsigned int GetDoubles(double* const values, unsigned int n, const char* seps,
                            unsigned int pos) const;
    int GetFloat(float& value, const char* seps) const;
    int GetFloats(float* const values, unsigned int n, const char* seps) const;
    unsigned int GetFloat(float& value, const char* seps, unsigned int pos) const;
    unsigned int GetFloats(float* const values, unsigned int n, const char* seps,
                           unsigned int pos) const;
    // A flag is 1 for a token "true" in any letter case or exactly "1".
    int GetBool(int& value, const char* seps) const;
    int GetBools(int* const values, unsigned int n, const char* seps) const;
    unsigned int GetBool(int& value, const char* seps, unsigned int pos) const;
    unsigned int GetBools(int* const values, unsigned int n, const char* seps,
                          unsigned int pos) const;
    unsigned int GetValueCount(const char* seps) const;

    // Appending values, comma-separated, with nothing in front of the first.
    void AddInt(int value);
    void AddUint(unsigned int value);
    void AddDouble(const double& value);
    void AddFloat(const float& value);
    void AddBool(int value);
    void AddInts(const int* const values, unsigned int n);
    void AddUints(const unsigned int* const values, unsigned int n);
    void AddDoubles(const double* const values, unsigned int n);
    void AddFloats(const float* const values, unsigned int n);
    void AddBools(const int* const values, unsigned int n);

    // Replaces the text with the printf-style formatting of fmt; the number
    // of characters, or a negative value for a formatting error (the string
    // is then empty). The arguments may point into this string's text.
    int Format(const char* fmt, ...);

    // Paths: drive-letter paths with backslash separators, in the ANSI code
    // page. Results that do not fit the platform's limits (MAX_PATH for a
    // path, _MAX_DIR, _MAX_FNAME and _MAX_EXT for the parts) fail cleanly.
    void MakePath(const char* drive, const char* dir, const char* name, const char* ext);
    int CombinePath(const char* dir, const char* file);
    int GetFullPath(CTqString& out) const;
    int RemoveEndBackSlash();
    void SplitPath(CTqString* drive, CTqString* dir, CTqString* name, CTqString* ext) const;
    int CanonicalizePath();
    int GetRelativePath(CTqString& out, const char* to, int toIsDirectory) const;
    int RemoveFileName();
    int RemovePathExtension();
    int RemoveCurPrefix();
    int GetSuffixedPath(CTqString& out, const char* suffix) const;
    int AddPathSuffix(const char* suffix);
    int MakeAbsPath(int mustExist, const char* path, const char* baseDir,
                    const char* preferredDir);
    void GetDlgPathFromName(CTqString& out, int mustExist, const char* baseDir,
                            const char* preferredDir) const;
    int IsFullPathValid() const;
    int IsRelativePath() const;
    int FilePathExists() const;
    int MakeRelativePath(const char* baseDir, const char* preferredDir);

    // Code-page conversion through UTF-16. After MultiByteToWideChar the
    // storage holds UTF-16 text with its NUL (see GetLengthWC).
    int MultiByteToWideChar(unsigned int codePage, const char* text);
    int WideCharToMultiByte(unsigned int codePage, const wchar_t* text);
    int ConvertMultiByteCodePage(unsigned int from, unsigned int to);

    // File mode: appended text goes to the file at path, written when memory
    // runs out, at EndFileMode, at the next BeginFileMode or at destruction.
    int BeginFileMode(const char* path);
    void EndFileMode();
    int IsFileMode() const;

private:
    // Opens a window on the bytes [pos, pos + len) by writing a NUL behind
    // them; exactly one EndSubStr restores the byte. One window at a time.
    const char* BeginSubStr(unsigned int pos, unsigned int len) const;
    void EndSubStr() const;

    const char* Text() const;
    char* MakeRoom(int term, unsigned long long pos, unsigned long long size, int keep,
                   const char** source, size_t sourceLength = 0);
    char* SpillToFile(int term, unsigned long long size, const char** source,
                      size_t sourceLength);
    void AppendBytes(const char* p, unsigned long long n, unsigned long long times = 1);
    int PointsIntoText(const void* p) const;

    // Opens the sub-string window on the first token at or after pos and sets
    // pos behind it; null when no token is left.
    const char* BeginToken(const char* seps, unsigned int& pos) const;
    template <class V, class Convert>
    int ReadValue(V& value, const char* seps, Convert convert) const;
    template <class V, class Convert>
    unsigned int ReadValues(V* values, unsigned int n, const char* seps, unsigned int pos,
                            Convert convert) const;

    // Composes a path with _makepath into the storage; 0 (and an empty
    // string) when it does not fit MAX_PATH.
    int ComposePath(const char* drive, const char* dir, const char* name, const char* ext);
    // Stores a path routine's result, or an empty string for null, keeping
    // at least MAX_PATH bytes of storage.
    int StorePath(const char* path);

    HANDLE m_hFile;
};

TQ_API int operator==(const char* p, const CTqString& s);
TQ_API CTqString operator+(const char* p, const CTqString& s);

// The address just behind the last character in [begin, end) that is not in
// chars, or null; double-byte characters are taken whole.
TQ_API char* TqFindEndNot(const char* begin, const char* end, const char* chars);
