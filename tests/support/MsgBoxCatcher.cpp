#include "MsgBoxCatcher.h"

#include <algorithm>
#include <cstring>

namespace {

// The innermost catcher of this thread; catchers nest like scopes.
thread_local MsgBoxCatcher* t_current = nullptr;

const int kMessageTextId = 0xFFFF;
const int kButtonIds[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};

bool IsDialog(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, "#32770") == 0;
}

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], length + 1)));
    return text;
}

// The icon the box shows: the system icon of a static control's, if any.
MsgBoxCatcher::Icon IconOf(HWND box)
{
    HICON shown = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child && !shown; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    }
    const LPCSTR known[] = {IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK};  // as in Icon
    for (size_t i = 0; shown && i < 4; ++i) {
        if (LoadIconA(nullptr, known[i]) == shown)
            return static_cast<MsgBoxCatcher::Icon>(i + 1);
    }
    return shown ? MsgBoxCatcher::Icon::Other : MsgBoxCatcher::Icon::None;
}

}  // namespace

MsgBoxCatcher::MsgBoxCatcher(int answer)
    : m_hook(SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId())),
      m_answer(answer),
      m_previous(t_current)
{
    t_current = this;
}

MsgBoxCatcher::~MsgBoxCatcher()
{
    UnhookWindowsHookEx(m_hook);
    t_current = m_previous;
}

LRESULT CALLBACK MsgBoxCatcher::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && t_current && IsDialog(window))
        t_current->Catch(window);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MsgBoxCatcher::Catch(HWND window)
{
    // A box can be activated more than once: record and answer it once.
    if (std::find(m_seen.begin(), m_seen.end(), window) != m_seen.end())
        return;
    m_seen.push_back(window);
    if (FindWindowExA(window, nullptr, "ComboBox", nullptr)) {
        if (otherDialog)
            otherDialog(window);
        return;
    }
    if (!GetDlgItem(window, kMessageTextId))
        return;
    Box box;
    box.text = WindowText(GetDlgItem(window, kMessageTextId));
    box.caption = WindowText(window);
    box.owner = GetWindow(window, GW_OWNER);
    for (int id : kButtonIds) {
        HWND button = GetDlgItem(window, id);
        if (button && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE))
            box.buttons.push_back(id);
    }
    box.icon = IconOf(window);
    m_boxes.push_back(box);
    PostMessageA(window, WM_COMMAND, m_answer, 0);
}
