#pragma once

// What the string tests share: code page 932 texts whose trail bytes are
// ASCII characters, one table form for operations on a string, and the
// support headers.
#include <TqCommon.h>

#include <functional>
#include <string>

#include "MsgBoxCatcher.h"
#include "TableRows.h"
#include "TempFolder.h"

const unsigned int kNone = 0xFFFFFFFFu;  // not found; as a length or end: to the end

const std::string kHyou = "\x95\x5c";           // 表, trail byte backslash
const std::string kSo = "\x83\x5c";             // ソ, trail byte backslash
const std::string kPo = "\x83\x7c";             // ポ, trail byte '|'
const std::string kTsu = "\x83\x63";            // ツ, trail byte 'c'
const std::string kEq = "\x81\x81";             // ＝, both bytes lead-byte values
const std::string kNihon = "\x93\xfa\x96\x7b";  // 日本

inline const char* C(const std::string& s)
{
    return s.c_str();
}

inline std::string Text(const CTqString& s)
{
    return static_cast<const char*>(s);
}

// One operation on a string made from text: what it returns (kBadAlloc when
// it throws std::bad_alloc) and the bytes it leaves in front of the
// terminator, which must be there; by default the text unchanged.
const char kUnchanged[] = "\x01unchanged";
struct Edit {
    std::string text;
    std::function<long long(CTqString&)> op;
    long long result;
    std::string after = kUnchanged;
};

#define OP(expr) [&]([[maybe_unused]] CTqString& s) -> long long { return (expr); }

template <size_t N>
void CheckEdits(const Edit (&edits)[N])
{
    CheckRows(edits, [](const Edit& e) { return CTqString(C(e.text)); },
              [](const Edit& e, const CTqString& s, long long result) {
                  EXPECT_EQ(result, e.result) << e.text.substr(0, 40);
                  EXPECT_EQ(s.GetSize() ? std::string(s.GetBuffer(), s.GetLength()) : "",
                            e.after == kUnchanged ? e.text : e.after);
                  EXPECT_TRUE(s.IsEmpty() || s.GetBuffer()[s.GetLength()] == 0);
              });
}
