// CTqString core under code page 932: assignment, appending (also of a
// string to itself), comparison, editing of double-byte text, embedded NULs,
// sizes past 32 bits (also of texts that only a 64-bit process can have),
// and the never-null text of an empty string.
#include "StringTestSupport.h"

#include <cstring>
#include <vector>

namespace {

// A text of 4 GiB + 1 MiB 'a's that costs 1 MiB of memory: one section mapped
// again and again side by side, then one of zeros, the terminator. Text() is
// null when the address space had no room for it.
class HugeText {
    static constexpr size_t kPiece = 1u << 20;  // a multiple of the 64 KiB at which views start

public:
    static constexpr unsigned long long kLength = (1ull << 32) + kPiece;

    HugeText()
    {
        if (void* fill = MapViewOfFile(m_letters, FILE_MAP_WRITE, 0, 0, kPiece)) {
            std::memset(fill, 'a', kPiece);
            UnmapViewOfFile(fill);
        }
        // A free range found by reserving it, then filled with views.
        const size_t pieces = static_cast<size_t>(kLength / kPiece);
        char* base = static_cast<char*>(
            VirtualAlloc(nullptr, (pieces + 1) * kPiece, MEM_RESERVE, PAGE_NOACCESS));
        if (!base || !VirtualFree(base, 0, MEM_RELEASE))
            return;
        for (size_t i = 0; i <= pieces; ++i) {
            m_views.push_back(MapViewOfFileEx(i < pieces ? m_letters : m_end, FILE_MAP_READ, 0, 0,
                                              kPiece, base + i * kPiece));
            if (!m_views.back())
                return;
        }
        m_text = base;
    }
    HugeText(const HugeText&) = delete;
    HugeText& operator=(const HugeText&) = delete;
    ~HugeText()
    {
        for (void* view : m_views)
            UnmapViewOfFile(view);
        CloseHandle(m_letters);
        CloseHandle(m_end);
    }

    const char* Text() const { return m_text; }

private:
    static HANDLE Section()
    {
        return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kPiece, nullptr);
    }

    HANDLE m_letters = Section(), m_end = Section();
    std::vector<void*> m_views;
    const char* m_text = nullptr;
};

}  // namespace

TEST(StringCore, Operations)
{
    const CTqString hello("hello");
    const char* null = nullptr;
    const CTqString fromNull(null);
    const auto emptyText = [](const CTqString& s) {
        const char* text = s;
        return text && !*text;
    };
    const Edit edits[] = {
        // An empty string holds no storage and its text is never null; a
        // caller scribbling on that text does not change it for the next one.
        {"", OP(s.IsBufferEmpty() && s.IsStrEmpty() && s.IsStrSB() && fromNull.IsBufferEmpty()), 1},
        {"", OP(emptyText(s) && emptyText(fromNull)), 1},
        {"", OP((*static_cast<char*>(s) = 'x', !*static_cast<char*>(s) && !s.GetBuffer())), 1},
        // Assignment keeps the storage; a null text changes nothing.
        {"abcdef", OP((s = null, s.GetBufferSize())), 7},
        {"abcdef", OP((s = "", s.GetSize() * 100 + s.GetBufferSize())), 7, ""},
        {"abcdef", OP((s = "xy", s.GetBufferSize())), 7, "xy"},
        {"abcdef", OP((s = CTqString(), s.GetSize())), 0, ""},
        {"0123456789", OP((s = s.GetBuffer() + 4, s.GetBufferSize())), 11, "456789"},
        {"abc", OP((s = s, 1)), 1},
        {"0123456789", OP((s = "456789", CTqString(s).GetBufferSize())), 7, "456789"},  // copy: the count
        // Appending grows by max(needed, 2 x capacity).
        {"", OP((s += "ab", s.GetBufferSize())), 3, "ab"},
        {"ab", OP((s += "cd", s.GetBufferSize())), 6, "abcd"},
        {"ab", OP((s += null, s += "", s += CTqString(), s.GetSize())), 3},
        {"ab", OP((s += 'e', s.GetSize())), 4, "abe"},
        {"ab", OP(s.AddStrCount("cd", 3)), 1, "abcdcdcd"},
        {"ab", OP(s.AddStrCount("", 3) + s.AddStrCount(null, 3) + s.AddStrCount("c", 0)), 0},
        {"x", OP((s.AddStr(hello, 2, kNone), 1)), 1, "xllo"},
        {"x", OP((s.AddStr(hello, 0, 2), 1)), 1, "xhe"},
        {"x", OP((s.AddStr(hello, 5, 1), s.AddStr(hello, 1, 0), 1)), 1},
        {"xy", OP([&] {
             char* room = s.AddBuffer(3);  // no terminator of its own
             std::memcpy(room, "ZZ", 3);
             return room - s.GetBuffer();
         }()),
         2, "xyZZ"},
        {"xy", OP(s.AddBuffer(0) == nullptr), 1},
        {"ab", OP(s + "cd" == "abcd" && "<" + s + CTqString(">") == "<ab>"), 1},
        // A string appended to itself, also through a pointer into its storage.
        {"abc", OP((s += s, 1)), 1, "abcabc"},
        {"abcabc", OP((s += s.GetBuffer() + 3, 1)), 1, "abcabcabc"},
        {"hey", OP((s.AddStr(s, 1, kNone), 1)), 1, "heyey"},
        {"heyey", OP(s.AddStrCount(s.GetBuffer(), 2)), 1, "heyeyheyeyheyey"},
        // Embedded NULs are counted; a C text ends at the first.
        {"a", OP((s += '\0', s += '\0', s == "a")), 1, std::string("a\0\0", 3)},
        {"a", OP((s += '\0', s == CTqString("a"))), 0, std::string("a\0", 2)},
        {"", OP((s += '\0', s.GetSize() * 10 + s.IsStrEmpty())), 11},
        // Comparison; a null text orders as the empty one.
        {"", OP(s == null && s == "" && s == CTqString("")), 1},
        {"x", OP(s == null), 0},
        {"abc", OP("abc" == s && s != CTqString("abd") && s != "ab" && !(s != "abc")), 1},
        {"abc", OP((s.CompareStr("abd") < 0) * 10 + (s.CompareStr("abb") > 0)), 11},
        {"abc", OP(s.CompareLCStr("ABC") + s.CompareStr(null) * 10), 10},
        {"abc", OP(s < "abd" && s > "ab" && CTqString() < s && s > CTqString()), 1},
        {"", OP(s.CompareLCStr(null)), 0},
        {kHyou, OP(s > "z"), 1},  // lead byte first
        // Double-byte characters stay whole.
        {kNihon + "a", OP(s.GetLengthMB() * 10 + s.IsStrSB()), 30},
        {"plain", OP(s.IsStrSB()), 1},
        {"ab" + kHyou + kHyou, OP(s.PopBackChar()), 1, "ab" + kHyou},
        {"a", OP(s.PopBackChar() == 1 && s.PopBackChar() == 0), 1, ""},
        {"a\x83\x61" "b", OP((s.SetUpperCase(), 1)), 1, "A\x83\x61" "B"},
        {"A\x83\x41" "B", OP((s.SetLowerCase(), 1)), 1, "a\x83\x41" "b"},
        {"abcd", OP(s.RemoveAt(1, kNone)), 1, "a"},
        {"abcd", OP(s.RemoveAt(1, 2)), 1, "ad"},
        {"abcd", OP(s.RemoveAt(3, 1)), 1, "abc"},
        {"abcd", OP(s.RemoveAt(2, kNone - 1)), 1, "ab"},
        {"abcd", OP(s.RemoveAt(4, 1) + s.RemoveAt(1, 0) + CTqString().RemoveAt(0, 1)), 0},
        // Sizes past 32 bits fail as failed allocations.
        {"abc", OP(s.ResizeStr(1, kNone, 1)), kBadAlloc},
        {"abc", OP(s.AddStrSize(1, 0xFFFFFFF0u, 0x20, 1) != nullptr), kBadAlloc},
        {"abc", OP(s.AddBuffer(kNone) != nullptr), kBadAlloc},
        {"abc", OP(s.AddStrCount("abcd", 0x40000000u)), kBadAlloc},
    };
    CheckEdits(edits);
}

// A text longer than any count is refused and changes nothing: it is neither
// cut to a wrapped length nor copied into storage sized for one. Each row
// reads the whole text, several seconds under Wine.
TEST(StringCore, TextsLongerThanACountAreRefused)
{
    if (sizeof(void*) < 8)
        GTEST_SKIP() << "a 32-bit process cannot hold a text of 4 GiB";
    const HugeText huge;
    ASSERT_NE(huge.Text(), nullptr);
    // kLength x this passes 2^64 by 256 MiB: a total that wraps would fit.
    const unsigned int wrappingTimes = 4293918976u;
    const Edit edits[] = {
        {"abc", OP((CTqString(huge.Text()), 1)), kBadAlloc},
        {"abc", OP((s = huge.Text(), 1)), kBadAlloc},
        {"abc", OP(s.AddStrCount(huge.Text(), wrappingTimes)), kBadAlloc},
    };
    CheckEdits(edits);
}

TEST(StringCore, ShowMsgBoxShowsTheTextThroughTqMsgBox)
{
    MsgBoxCatcher catcher(IDCANCEL);
    EXPECT_EQ(CTqString().ShowMsgBox("caption", MB_OK, nullptr), 0);
    EXPECT_EQ(CTqString("").ShowMsgBox("caption", MB_OK, nullptr), 0);
    EXPECT_EQ(CTqString(C(kNihon + " text")).ShowMsgBox("Title", MB_OKCANCEL, nullptr), IDCANCEL);
    EXPECT_EQ(catcher.Boxes(),
              (std::vector<MsgBoxCatcher::Box>{{kNihon + " text", "Title", nullptr, {IDOK, IDCANCEL}}}));
}
