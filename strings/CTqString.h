#pragma once

#include <windows.h>

#include "containers/CTqArray.h"
#include "library/TqExport.h"

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

    HANDLE m_hFile;
};

TQ_API int operator==(const char* p, const CTqString& s);
TQ_API CTqString operator+(const char* p, const CTqString& s);
