#pragma once

/// \file
/// The library's string, CTqString, and its free operators.

#include <windows.h>

#include "../containers/CTqArray.h"
#include "../library/TqExport.h"

/// A NUL-terminated multibyte text in the process's ANSI code page.
///
/// The count of the underlying array includes the terminator; an empty string
/// has count 0 or 1. Positions and lengths are bytes. Operations whose name
/// ends in SB treat every byte as a character; the others keep double-byte
/// characters whole.
///
/// A string can also be in file mode: appended text is a write-behind buffer
/// for an open file, and when memory runs out the text so far is written to the
/// file instead of failing.
///
/// <b>Lengths: bytes or characters.</b>
/// | Member | Unit | NUL counted | "ab" + two double-byte characters |
/// |---|---|---|---|
/// | GetSize(), GetByteSize() (of the array) | bytes | yes | 7 |
/// | GetLength() (of the array) | bytes | no | 6 |
/// | GetLengthMB() | multibyte characters | no | 4 |
/// | GetLengthWC() | UTF-16 units, after MultiByteToWideChar() | no | 4 |
/// | Format() result | bytes written | no | 6 (for "%s" and that text) |
///
/// Every position and length that the members take or return is a byte offset
/// or byte count; only GetLengthMB() and GetLengthWC() count characters. An
/// empty string may hold no storage at all (count 0) or just the NUL (count
/// 1); both are empty for every operation. A string can hold embedded NULs
/// (operator+=() of the character NUL); operations that copy a string's text
/// copy it up to its first NUL.
///
/// <b>Text.</b> The multibyte members use the runtime's multibyte functions
/// (`_mbslen`, `_mbscmp`, `_mbsicmp`, `_mbspbrk`, `_mbsspn`, `_mbstok`,
/// `_mbslwr`, `_mbsupr`) with the process's multibyte code page, and never
/// match inside a double-byte character. The library's own texts are code page
/// 932.
///
/// <b>Failures.</b> Searches return 0xFFFFFFFF ("not found"); other members
/// return 0 and change nothing unless they say otherwise. Storage exhaustion
/// throws `std::bad_alloc` from every member that grows the string, except
/// appending in file mode, which writes the text so far to the file instead.
/// Message boxes: ShowMsgBox() shows one on request; BeginFileMode(),
/// EndFileMode() and the destructor of a string in file mode show the file
/// boxes of CTqArray when the file cannot be created or closed; the inherited
/// ReadFile(), WriteFile(), BeginWriteFile() and EndWriteFile() show theirs.
/// Nothing else shows a box.
///
/// <b>Threads.</b> The library keeps unguarded process-wide state for strings:
/// the sub-string window (reading values, CompareSubStr(), HasPrefix() and
/// HasSuffix() write a NUL into the string for the duration of the call, also
/// into a `const` string) and the empty texts of the conversions.
/// GetToken(const char*, int) uses the
/// runtime's per-thread tokenizer state. Use strings on one thread, the
/// application's user-interface thread.
class TQ_API CTqString : public CTqArray<char, 2> {
public:
    /// An empty string without storage, not in file mode.
    CTqString() noexcept;
    /// A copy of s's bytes (its whole count) in storage of exactly that size.
    /// A copy is never in file mode. Throws `std::bad_alloc`.
    CTqString(const CTqString& s);
    /// A copy of the text p: storage of exactly its length plus the NUL; null
    /// or "" gives an empty string without storage. Throws `std::bad_alloc`.
    CTqString(const char* p);
    /// Ends file mode as EndFileMode() does (writes the pending text, closes
    /// the file, shows a box if the file cannot be closed), then releases the
    /// storage.
    ~CTqString();

    /// Makes the text that of s (up to its first NUL); an empty s empties this
    /// string and keeps its storage. The storage grows, dropping the old text,
    /// when the text does not fit. Neither string's file mode changes; text of
    /// this string not yet written to its file is replaced. Throws
    /// `std::bad_alloc`.
    /// \return `*this`.
    CTqString& operator=(const CTqString& s);
    /// Makes the text p, which may point into this string's own text. A null
    /// p leaves the string unchanged; "" empties it and keeps its storage.
    /// Throws `std::bad_alloc`.
    /// \return `*this`.
    CTqString& operator=(const char* p);

    /// \name Conversions and lengths
    ///@{

    /// The text. Never null: an empty string gives "" (a library-wide empty
    /// text). The pointer belongs to the string and stays valid until the
    /// string changes; the base's GetBuffer(), by contrast, gives null for a
    /// string without storage.
    operator const char*() const;
    /// The writable text. Never null: an empty string gives a library-wide
    /// one-byte text that is reset to "" at every such call; write nothing
    /// but a NUL into it.
    operator char*();

    /// The number of multibyte characters before the first NUL (a double-byte
    /// character counts once), 0 for an empty string. Characters, not bytes:
    /// the byte length is GetLength().
    unsigned int GetLengthMB() const;
    /// The number of UTF-16 units after MultiByteToWideChar(), the NUL unit not
    /// counted: (count - 2) / 2, or 0 for a count below 2.
    unsigned int GetLengthWC() const;
    /// 1 when every character is single-byte (GetLength() equals
    /// GetLengthMB()), also for an empty string; else 0.
    int IsStrSB() const;
    /// 1 when the string is empty (count 0 or 1).
    int IsStrEmpty() const;
    ///@}

    /// \name Comparison
    /// The ordering comparisons use `_mbscmp` (CompareLCStr() `_mbsicmp`) with
    /// an empty string, and a null p, counting as "".
    ///@{

    /// 1 when the text equals p byte for byte; a null p equals an empty
    /// string only.
    int operator==(const char* p) const;
    /// 1 when both byte lengths and all those bytes are equal (two empty
    /// strings are equal).
    int operator==(const CTqString& s) const;
    /// The negation of operator==(const CTqString&).
    int operator!=(const CTqString& s) const;
    /// The negation of operator==(const char*).
    int operator!=(const char* p) const;
    /// 1 when CompareStr(p) is negative.
    int operator<(const char* p) const;
    /// 1 when CompareStr(p) is positive.
    int operator>(const char* p) const;
    /// 1 when CompareStr() with the text of s is negative.
    int operator<(const CTqString& s) const;
    /// 1 when CompareStr() with the text of s is positive.
    int operator>(const CTqString& s) const;
    /// Compares the text with p by `_mbscmp`.
    /// \return -1, 0 or 1.
    int CompareStr(const char* p) const;
    /// Compares the text with p by `_mbsicmp`, without regard to letter case.
    /// \return -1, 0 or 1.
    int CompareLCStr(const char* p) const;
    ///@}

    /// \name Sizing and appending
    /// Appending copies the text as it was at the call, so a string may append
    /// its own text. The storage grows by max(needed, 2 x capacity). In file
    /// mode an append that cannot get memory writes the text so far to the
    /// file and keeps only the new piece in memory; if even that cannot be
    /// had, the string is left empty and `std::bad_alloc` is thrown. Outside
    /// file mode every growth failure throws `std::bad_alloc`.
    ///@{

    /// Sets the count to size, plus one when term is nonzero, growing with the
    /// keep flag given (keep 0 drops the text when the storage grows). Writes
    /// no terminator. Throws `std::bad_alloc`, also in file mode.
    /// \return 1.
    int ResizeStr(int term, unsigned int size, int keep);
    /// Makes room for size bytes at byte offset pos: the count becomes pos +
    /// size, plus one when term is nonzero. Writes nothing; the caller fills
    /// the bytes (and the terminator).
    /// \return The address of byte pos, which the string owns. For size 0
    ///         nothing changes and the result is the address of byte pos of
    ///         the current storage (null without storage). In file mode, after
    ///         memory ran out, the start of the new storage: the earlier text
    ///         is in the file and the count is size (plus one with term).
    char* AddStrSize(int term, unsigned int pos, unsigned int size, int keep);
    /// Makes room for n more bytes at the end and returns where they go: the
    /// place of the current terminator (the start of an empty string). The
    /// count becomes length + n; the caller writes n bytes there, the last of
    /// them being the new terminator.
    /// \return That address, or null with nothing changed for n = 0.
    char* AddBuffer(unsigned int n);
    /// Appends len bytes of src from byte offset pos (0xFFFFFFFF, or a len
    /// reaching past its end, means up to its end). Nothing happens for len 0,
    /// an empty src or a pos at or past src's length. src may be this string.
    void AddStr(const CTqString& src, unsigned int pos, unsigned int len);
    /// Appends the text p n times over.
    /// \return 1, or 0 with nothing changed when p is null or "" or n is 0.
    int AddStrCount(const char* p, unsigned int n);
    /// Appends the text p, which may point into this string; null or ""
    /// changes nothing.
    /// \return `*this`.
    CTqString& operator+=(const char* p);
    /// Appends the text of s up to its first NUL; an empty s changes nothing.
    /// \return `*this`.
    CTqString& operator+=(const CTqString& s);
    /// Appends the character c and a new terminator. For c = NUL one NUL byte
    /// is appended behind everything counted instead: the count grows by one
    /// (from 0 to 1 for a string without storage), and the text read through
    /// the conversions ends at the first NUL.
    /// \return `*this`.
    CTqString& operator+=(const char& c);
    /// A copy of this string (storage of exactly its size) with s appended.
    CTqString operator+(const CTqString& s) const;
    /// A copy of this string (storage of exactly its size) with p appended.
    CTqString operator+(const char* p) const;
    ///@}

    /// \name Editing
    ///@{

    /// Removes n bytes at byte offset pos; 0xFFFFFFFF, or an n reaching past
    /// the end, removes up to the end. The capacity never changes.
    /// \return 1, or 0 with nothing changed for an empty string, a pos at or
    ///         past the length, or n = 0.
    int RemoveAt(unsigned int pos, unsigned int n);
    /// Removes the last character, a double-byte character whole.
    /// \return 1, or 0 for an empty string.
    int PopBackChar();
    /// Lower-cases the text in place with `_mbslwr` (the runtime's mapping for
    /// the current locale and multibyte code page); lengths do not change.
    void SetLowerCase();
    /// Upper-cases the text in place with `_mbsupr`; lengths do not change.
    void SetUpperCase();
    /// Shows the text in a modal message box through TqMsgBox(): a null owner
    /// becomes the application's main window, a null or empty caption the
    /// executable's name; type takes the `MB_` flags.
    /// \return The box's answer (`IDOK`, `IDCANCEL` and so on; 0 when the box
    ///         could not be shown), or 0 without a box for an empty string.
    int ShowMsgBox(const char* caption, unsigned int type, HWND owner) const;
    ///@}

    /// \name Searching
    /// Offsets are bytes; 0xFFFFFFFF is not found, and as a length or end it
    /// means up to the end of the text. The multibyte searches never match
    /// inside a double-byte character; the SB twins look at bytes. A search
    /// looks at the text from pos on; an empty string, or a pos at or past the
    /// length, gives not found. chars is a set of characters, in any order.
    ///@{

    /// The offset of the first occurrence of text at or after pos, or
    /// 0xFFFFFFFF. An empty text is found at pos. With ignoreCase nonzero both
    /// texts are compared lower-cased (`_mbslwr`).
    unsigned int Find(const char* text, unsigned int pos, int ignoreCase) const;
    /// Find(text, pos, 0) plus the byte length of text: the offset just behind
    /// the match, or 0xFFFFFFFF.
    unsigned int FindEnd(const char* text, unsigned int pos) const;
    /// Find() byte by byte (`strstr`), letter case counting.
    unsigned int FindSB(const char* text, unsigned int pos) const;
    /// FindSB() plus the byte length of text, or 0xFFFFFFFF.
    unsigned int FindEndSB(const char* text, unsigned int pos) const;
    /// The offset of the first character at or after pos that is in chars
    /// (`_mbspbrk`), or 0xFFFFFFFF.
    unsigned int FindFirst(const char* chars, unsigned int pos) const;
    /// FindFirst() byte by byte (`strpbrk`).
    unsigned int FindFirstSB(const char* chars, unsigned int pos) const;
    /// The offset of the first character at or after pos that is not in
    /// chars (`_mbsspn`), or 0xFFFFFFFF.
    unsigned int FindFirstNot(const char* chars, unsigned int pos) const;
    /// FindFirstNot() byte by byte (`strspn`).
    unsigned int FindFirstNotSB(const char* chars, unsigned int pos) const;
    /// The offset just behind the last character in [pos, end) that is not in
    /// chars, or 0xFFFFFFFF. end 0xFFFFFFFF means the length; an end beyond
    /// the length gives 0xFFFFFFFF.
    unsigned int FindEndNot(const char* chars, unsigned int pos, unsigned int end) const;
    ///@}

    /// \name Comparing parts
    /// Results are negative, 0 or positive. A part is the len bytes from pos
    /// (0xFFFFFFFF, or a len reaching past the end, meaning up to the end); a
    /// part that does not exist (len 0, an empty string, pos at or past the
    /// end) compares as "".
    ///@{

    /// `_mbsnbcmp` of the text and text over at most n bytes.
    int NumCompareStr(const char* text, unsigned int n) const;
    /// `_mbscmp` of the part at pos with text.
    int CompareSubStr(const char* text, unsigned int pos, unsigned int len) const;
    /// `_mbsicmp` of the part at pos with text, without regard to letter case.
    int CompareLCSubStr(const char* text, unsigned int pos, unsigned int len) const;
    /// 1 when the text begins with prefix (an empty prefix always), else 0.
    int HasPrefix(const char* prefix) const;
    /// 1 when the last bytes of the text equal suffix (an empty suffix
    /// always), else 0.
    int HasSuffix(const char* suffix) const;
    /// Copies the part at pos into out, which may be this string.
    /// \return 1; 0 with out emptied when the part does not exist.
    int GetSubStr(CTqString& out, unsigned int pos, unsigned int len) const;
    ///@}

    /// \name Tokens
    /// GetToken(delims, next) walks the text with the runtime's tokenizer,
    /// writing NULs over the delimiters; the others leave it alone. A token is
    /// a run of characters none of which is in delims.
    ///@{

    /// The next token, found by the runtime's `_mbstok` over this string's own
    /// storage: next 0 starts a walk on this string, next nonzero continues
    /// the walk of the previous call. The delimiter behind each token is
    /// overwritten with NUL (the count does not change), so the text read
    /// afterwards ends at the first token. The walk's position is the
    /// runtime's per-thread tokenizer state: continue a walk on the string
    /// that started it, with no other `_mbstok` user in between.
    /// \return The byte offset of the token's first byte from the start of
    ///         the storage; 0xFFFFFFFF at the end of the tokens (no token
    ///         left) and for an empty string.
    unsigned int GetToken(const char* delims, int next);
    /// Finds the first token at or after pos: begin = FindFirstNot(delims,
    /// pos), end = the next delimiter behind it, or the length.
    /// \return 1, or 0 with begin and end untouched when no token is left.
    int GetTokenPos(unsigned int& begin, unsigned int& end, const char* delims,
                    unsigned int pos) const;
    /// GetTokenPos() byte by byte.
    int GetTokenPosSB(unsigned int& begin, unsigned int& end, const char* delims,
                      unsigned int pos) const;
    /// Copies the first token at or after pos into token.
    /// \return The offset just behind the token (its delimiter, or the
    ///         length), to pass as pos of the next call; 0xFFFFFFFF at the end
    ///         of the tokens, with token untouched.
    unsigned int GetToken(CTqString& token, const char* delims, unsigned int pos) const;
    ///@}

    /// \name Trimming, removing, replacing and quoting
    /// Matches never begin inside a double-byte character.
    ///@{

    /// Removes the leading characters that are in chars; a text made only of
    /// them becomes empty (the storage stays).
    void TrimLeft(const char* chars);
    /// Removes the trailing characters that are in chars; a text made only of
    /// them becomes empty.
    void TrimRight(const char* chars);
    /// TrimLeft(), then TrimRight().
    void TrimLeftRight(const char* chars);
    /// Removes every occurrence of text at or after byte offset pos. The
    /// search goes on behind each removal, so an occurrence that a removal
    /// joins together stays ("aabb" without "ab" is "ab"). text may point into
    /// this string.
    /// \return 1, or 0 with nothing changed when text is "" or not found.
    int Remove(const char* text, unsigned int pos);
    /// Puts into out (which may be this string) the text with find replaced by
    /// replace (null or "" inserts nothing): the first occurrence only, or all
    /// of them when all is nonzero, with letter case ignored when ignoreCase is
    /// nonzero. Replacement text is not searched again. An empty find is found
    /// once, at the start, whatever all says.
    /// \return The number of replacements; for 0 out is empty.
    unsigned int GetReplacedStr(CTqString& out, const char* find, const char* replace, int all,
                                int ignoreCase) const;
    /// GetReplacedStr() in place.
    /// \return The number of replacements; for 0 the string is unchanged.
    unsigned int ReplaceStr(const char* find, const char* replace, int all, int ignoreCase);
    /// Puts into out (which may be this string) quote, the text with escape in
    /// front of every occurrence of quote, and quote again; an empty string
    /// gives two quotes. Escape characters already in the text are not
    /// doubled.
    /// \return 1, or 0 with out untouched when quote or escape is null or "".
    int GetQuotedStr(CTqString& out, const char* quote, const char* escape) const;
    /// GetQuotedStr() in place.
    /// \return 1, or 0 with the string unchanged.
    int QuoteStr(const char* quote, const char* escape);
    /// Splits a run of decimal digits off the end: head receives the text in
    /// front of it, number its value (`strtoul`, 0xFFFFFFFF when it exceeds 32
    /// bits). A text of digits only gives an empty head.
    /// \return The number of trailing digits; 0 when the text does not end in
    ///         a digit (head is then the whole string, number untouched).
    unsigned int GetEndNumber(CTqString& head, unsigned int& number) const;
    ///@}

    /// \name Value lists
    /// Value lists: tokens between any runs of the single-byte separators in
    /// seps, each converted by the runtime function of its type. The forms
    /// with a position return the offset behind the last token read, or
    /// 0xFFFFFFFF when the tokens ran out.
    ///
    /// | Type | Conversion of a token |
    /// |---|---|
    /// | `int` | `strtol`, base 10 |
    /// | `unsigned int` | `strtoul`, base 10 |
    /// | `long` | `atol` |
    /// | `double` | `atof` |
    /// | `float` | `atof`, narrowed |
    /// | flag (`int`) | 1 for "true" in any letter case or exactly "1", else 0 |
    ///
    /// A conversion takes what it can from the start of the token; a malformed
    /// token is not reported and gives the conversion's value (0 when nothing
    /// numeric leads). The forms without a position return 1, or 0 when the
    /// tokens ran out; a list that ends early keeps the values read so far and
    /// leaves the rest of the array untouched, and a single value that is not
    /// found leaves value untouched. seps may be null only in the single-value
    /// form without a position, which then converts the whole text. n = 0
    /// reads nothing and returns 1 (or pos).
    ///@{

    /// The first `int` token.
    int GetInt(int& value, const char* seps) const;
    /// n `int` tokens from the start.
    int GetInts(int* const values, unsigned int n, const char* seps) const;
    /// The first `int` token at or after pos.
    unsigned int GetInt(int& value, const char* seps, unsigned int pos) const;
    /// n `int` tokens from pos.
    unsigned int GetInts(int* const values, unsigned int n, const char* seps,
                         unsigned int pos) const;
    /// The first `unsigned int` token.
    int GetUint(unsigned int& value, const char* seps) const;
    /// n `unsigned int` tokens from the start.
    int GetUints(unsigned int* const values, unsigned int n, const char* seps) const;
    /// The first `unsigned int` token at or after pos.
    unsigned int GetUint(unsigned int& value, const char* seps, unsigned int pos) const;
    /// n `unsigned int` tokens from pos.
    unsigned int GetUints(unsigned int* const values, unsigned int n, const char* seps,
                          unsigned int pos) const;
    /// The first `long` token.
    int GetLong(long& value, const char* seps) const;
    /// n `long` tokens from the start.
    int GetLongs(long* const values, unsigned int n, const char* seps) const;
    /// The first `long` token at or after pos.
    unsigned int GetLong(long& value, const char* seps, unsigned int pos) const;
    /// n `long` tokens from pos.
    unsigned int GetLongs(long* const values, unsigned int n, const char* seps,
                          unsigned int pos) const;
    /// The first `double` token.
    int GetDouble(double& value, const char* seps) const;
    /// n `double` tokens from the start.
    int GetDoubles(double* const values, unsigned int n, const char* seps) const;
    /// The first `double` token at or after pos.
    unsigned int GetDouble(double& value, const char* seps, unsigned int pos) const;
    /// n `double` tokens from pos.
    unsigned int GetDoubles(double* const values, unsigned int n, const char* seps,
                            unsigned int pos) const;
    /// The first `float` token.
    int GetFloat(float& value, const char* seps) const;
    /// n `float` tokens from the start.
    int GetFloats(float* const values, unsigned int n, const char* seps) const;
    /// The first `float` token at or after pos.
    unsigned int GetFloat(float& value, const char* seps, unsigned int pos) const;
    /// n `float` tokens from pos.
    unsigned int GetFloats(float* const values, unsigned int n, const char* seps,
                           unsigned int pos) const;
    /// The first flag token. A flag is 1 for a token "true" in any letter case
    /// or exactly "1", else 0.
    int GetBool(int& value, const char* seps) const;
    /// n flag tokens from the start.
    int GetBools(int* const values, unsigned int n, const char* seps) const;
    /// The first flag token at or after pos.
    unsigned int GetBool(int& value, const char* seps, unsigned int pos) const;
    /// n flag tokens from pos.
    unsigned int GetBools(int* const values, unsigned int n, const char* seps,
                          unsigned int pos) const;
    /// The number of tokens: 0 for an empty string or a text of separators
    /// only.
    unsigned int GetValueCount(const char* seps) const;
    ///@}

    /// \name Appending values
    /// Appending values, comma-separated, with nothing in front of the first:
    /// a list appended to a non-empty string joins its last character ("x"
    /// and the values 1, 2 give "x1,2"). Formats: `%d`, `%u`, `%.15g` (double),
    /// `%.6g` (float), "True" or "False" (flag). n = 0 appends nothing.
    ///@{

    /// Appends value as `%d`.
    void AddInt(int value);
    /// Appends value as `%u`.
    void AddUint(unsigned int value);
    /// Appends value as `%.15g`.
    void AddDouble(const double& value);
    /// Appends value as `%.6g`.
    void AddFloat(const float& value);
    /// Appends "True" for nonzero, "False" for 0.
    void AddBool(int value);
    /// Appends n values as `%d`, comma-separated.
    void AddInts(const int* const values, unsigned int n);
    /// Appends n values as `%u`, comma-separated.
    void AddUints(const unsigned int* const values, unsigned int n);
    /// Appends n values as `%.15g`, comma-separated.
    void AddDoubles(const double* const values, unsigned int n);
    /// Appends n values as `%.6g`, comma-separated.
    void AddFloats(const float* const values, unsigned int n);
    /// Appends n flags as "True" or "False", comma-separated.
    void AddBools(const int* const values, unsigned int n);
    ///@}

    /// \name Formatting
    ///@{

    /// Replaces the text with the printf-style formatting of fmt by the
    /// runtime's `_vsnprintf`. The arguments may point into this string's
    /// text. The storage starts at 1024 bytes (or the current capacity, if
    /// larger) and doubles until the output fits; storage failures throw
    /// `std::bad_alloc`.
    /// \return The number of bytes written, without the NUL: bytes, not
    ///         characters (a double-byte character counts 2). 0 leaves an
    ///         empty string; a negative value reports a formatting error and
    ///         also leaves the string empty.
    int Format(const char* fmt, ...);
    ///@}

    /// \name Paths
    /// Drive-letter paths with backslash separators, in the ANSI code page; a
    /// trail byte 0x5C of a double-byte character is never taken for a
    /// separator. Results that do not fit the platform's limits (`MAX_PATH`,
    /// 260 bytes with the NUL, for a path; `_MAX_DIR`, `_MAX_FNAME` and
    /// `_MAX_EXT`, 256, for the parts) fail cleanly. No member shows a message.
    /// Members that write the path into this string (MakePath(),
    /// CombinePath(), and GetFullPath() into out) leave it empty when they
    /// fail; members that assign a finished result leave the target unchanged.
    /// Path arguments may point into this string.
    ///@{

    /// Composes drive, dir, name and ext with `_makepath` (any may be null or
    /// ""): a colon after a drive letter, a backslash after a directory without
    /// one, a dot before an extension without one. All four null, or a result
    /// of 260 bytes or more, leave the string empty.
    void MakePath(const char* drive, const char* dir, const char* name, const char* ext);
    /// file appended to dir with one backslash between, "." and ".." resolved,
    /// file alone when it is absolute (`PathCombineA`).
    /// \return 1, or 0 with the string empty (also for an argument of 260 bytes
    ///         or more).
    int CombinePath(const char* dir, const char* file);
    /// The absolute form of the text against the process's current directory
    /// (`_fullpath`), into out; this string does not change.
    /// \return 1, or 0 with out empty.
    int GetFullPath(CTqString& out) const;
    /// Removes one trailing backslash (`PathRemoveBackslashA`).
    /// \return 1 when one was removed; 0 with nothing changed for an empty
    ///         string, a text without one, or a drive root such as <code>D:\\</code>.
    int RemoveEndBackSlash();
    /// Splits the text with `_splitpath`: each non-null output receives its
    /// part, "" when missing: the drive with its colon, the directory with its
    /// leading and trailing backslash, the bare name, the extension with its
    /// dot. A part longer than its platform limit makes every part empty.
    void SplitPath(CTqString* drive, CTqString* dir, CTqString* name, CTqString* ext) const;
    /// Resolves "." and ".." elements (`PathCanonicalizeA`).
    /// \return 1, or 0 with the string unchanged (also for a text of 260 bytes
    ///         or more).
    int CanonicalizePath();
    /// The path from the text, a directory, to to (a directory when
    /// toIsDirectory is nonzero, else a file), by `PathRelativePathToA`, into
    /// out; it begins with one or two dots and a backslash.
    /// \return 1, or 0 with out unchanged when the paths share no root or are
    ///         too long for 260 bytes.
    int GetRelativePath(CTqString& out, const char* to, int toIsDirectory) const;
    /// Removes the last element and the backslash in front of it
    /// (`PathRemoveFileSpecA`); a bare file name becomes empty.
    /// \return 1, or 0 with nothing changed for an empty string, a text of 260
    ///         bytes or more, or nothing to remove.
    int RemoveFileName();
    /// Removes the extension of the last element (`PathRemoveExtensionA`).
    /// \return 1, also when there was no extension; 0 with nothing changed for
    ///         an empty string or a text of 260 bytes or more.
    int RemovePathExtension();
    /// Removes a leading current-directory prefix: a dot and a backslash.
    /// \return 1, or 0 with nothing changed when the text does not begin with
    ///         it.
    int RemoveCurPrefix();
    /// The path with suffix put between name and extension, into out:
    /// `D:\work\scene.bmp` with `_0001` gives `D:\work\scene_0001.bmp`.
    /// \return 1; 0 with out untouched for a null suffix; 0 with out empty when
    ///         a part, the name with the suffix (256 bytes) or the result (260)
    ///         does not fit.
    int GetSuffixedPath(CTqString& out, const char* suffix) const;
    /// GetSuffixedPath() in place.
    /// \return 1, or 0 with the string unchanged.
    int AddPathSuffix(const char* suffix);
    /// Makes this string the absolute form of path; its former text is not an
    /// input. An absolute path is stored canonical; a relative one is combined
    /// (CombinePath()) with preferredDir first, then with baseDir (null or ""
    /// skips a directory), taking the first combination that exists, or the
    /// first that succeeds when mustExist is 0.
    /// \return 1 (also for an empty path, which empties the string); 0 for a
    ///         null path (string unchanged) or when no directory gave a result,
    ///         the string then holding what the last combination left (a path
    ///         that does not exist, or nothing).
    int MakeAbsPath(int mustExist, const char* path, const char* baseDir,
                    const char* preferredDir);
    /// Where a file dialog for the text, a file name, should point, into out
    /// (which may be this string): an absolute text as it is; a relative one
    /// combined with preferredDir, then baseDir, as MakeAbsPath() does;
    /// otherwise (also for an empty text) the directory itself, preferredDir
    /// unless it is empty or null, else baseDir, with one backslash appended
    /// (also when it already ends in one; both empty give a lone backslash).
    void GetDlgPathFromName(CTqString& out, int mustExist, const char* baseDir,
                            const char* preferredDir) const;
    /// 1 when the text has both a drive and a file name part (as SplitPath()
    /// splits it), else 0.
    int IsFullPathValid() const;
    /// `PathIsRelativeA`: nonzero when the text has neither a drive nor a
    /// leading backslash.
    int IsRelativePath() const;
    /// `PathFileExistsA`: nonzero when a file or directory of that path exists.
    int FilePathExists() const;
    /// Makes the text relative to preferredDir when it begins with it (a
    /// textual, case-sensitive test), else to baseDir when it begins with that.
    /// The result has no current-directory prefix (dot and backslash):
    /// `D:\doc\img\a.bmp` relative to `D:\doc` is `img\a.bmp`. Once
    /// preferredDir matches, baseDir is not tried.
    /// \return 1, or 0 with the string unchanged (empty string, no directory
    ///         matches, or no relative path exists).
    int MakeRelativePath(const char* baseDir, const char* preferredDir);
    ///@}

    /// \name Code-page conversion
    /// Code-page conversion through UTF-16 with the system's
    /// `MultiByteToWideChar` and `WideCharToMultiByte`, flags 0: no default
    /// character is given and no loss is reported. After MultiByteToWideChar()
    /// the storage holds UTF-16 text with its NUL (see GetLengthWC()) and no
    /// multibyte text: only GetLengthWC(), GetBuffer(), copying and the
    /// WideCharToMultiByte() of another string make sense on it. Storage
    /// failures throw `std::bad_alloc`.
    ///@{

    /// Replaces the contents with text converted from codePage to UTF-16; the
    /// count becomes 2 x (units + 1) bytes. text may point into this string.
    /// \return 1; also 1 with an empty string when the system refuses the code
    ///         page or text is null; 0 when the conversion itself fails (the
    ///         contents are then undefined).
    int MultiByteToWideChar(unsigned int codePage, const char* text);
    /// Replaces the text with the UTF-16 text converted to codePage, with its
    /// NUL. text may point into this string.
    /// \return As MultiByteToWideChar().
    int WideCharToMultiByte(unsigned int codePage, const wchar_t* text);
    /// Converts the string's own text from code page from to code page to.
    /// \return 1 (an empty string stays empty); 0 with the text unchanged when
    ///         the system refuses either code page or the conversion fails.
    int ConvertMultiByteCodePage(unsigned int from, unsigned int to);
    ///@}

    /// \name File mode
    /// Appended text goes to the file at path, written when memory runs out,
    /// at EndFileMode(), at the next BeginFileMode() or at destruction, byte
    /// for byte (no byte-order mark, no line-end translation). Members that
    /// replace the text rather than append (assignment, Format(), Set(),
    /// ResizeStr(), the conversions) replace the text not yet written too, and
    /// throw `std::bad_alloc` as usual. A copy of a string in file mode is not
    /// in file mode.
    ///@{

    /// Ends any file mode (EndFileMode()), then creates or truncates the file
    /// at path (not shared) and starts file mode on it. Text the string holds
    /// stays and goes to the file with the rest.
    /// \return 1, or 0 after the modal box of CTqArray::BeginWriteFile(): the
    ///         path in double quotes, a line feed and のオープンに失敗しました。,
    ///         caption ファイルの書き込み. The string is then not in file mode.
    int BeginFileMode(const char* path);
    /// Writes the text to the file (a failed write is not reported), releases
    /// the storage (the string is empty) and closes the file. A failed close
    /// shows the modal box 不正なファイル ハンドルです。 (caption
    /// ファイルの書き込み). Nothing happens outside file mode.
    void EndFileMode();
    /// 1 while the string is in file mode.
    int IsFileMode() const;
    ///@}

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

/// 1 when s equals the text p (s == p).
TQ_API int operator==(const char* p, const CTqString& s);
/// CTqString(p) + s.
TQ_API CTqString operator+(const char* p, const CTqString& s);

/// The address just behind the last character in [begin, end) that is not in
/// chars, or null; double-byte characters are taken whole. The text is only
/// read.
TQ_API char* TqFindEndNot(const char* begin, const char* end, const char* chars);
