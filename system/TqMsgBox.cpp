#include "system/TqMsgBox.h"

#include <psapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

#include "library/TqScopedHandle.h"
#include "system/internal/TqImeWindow.h"

namespace {

// "%s は既に存在します｡\n上書きしますか？" and the variant for a numbered
// series, "%s は既に存在します｡\n全ての連番ファイルを上書きしますか？", in code
// page 932, split around the path.
const char kExistsText[] =
    " \x82\xcd\x8a\xf9\x82\xc9\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82\xb7\xa1\n";
const char kOverwriteQuestion[] =
    "\x8f\xe3\x8f\x91\x82\xab\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81H";
const char kOverwriteSeriesQuestion[] =
    "\x91S\x82\xc4\x82\xcc\x98" "A\x94\xd4\x83t\x83@\x83" "C\x83\x8b\x82\xf0"
    "\x8f\xe3\x8f\x91\x82\xab\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81H";

const unsigned int kOverwriteBoxType = MB_OKCANCEL | MB_ICONEXCLAMATION;

struct MainWndSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWnd(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<MainWndSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || GetWindow(window, GW_OWNER) || tq::IsImeWindow(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

bool HasCaption(HWND window)
{
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    return (style & WS_CAPTION) == WS_CAPTION;
}

}  // namespace

int TqMsgBox(const char* text, const char* caption, unsigned int type, HWND owner)
{
    if (!owner)
        owner = TqGetMainWnd();
    char processName[MAX_PATH];
    if ((!caption || !*caption) && TqGetProcessName(processName, sizeof processName))
        caption = processName;
    return MessageBoxA(owner, text, caption, type);
}

int TqOverwriteMsgBox(const char* path, int serial, const char* caption, HWND owner)
{
    WIN32_FIND_DATAA found;
    const CTqScopedFindHandle search(FindFirstFileA(path, &found));
    if (!search.IsValid())
        return 0;
    // Composed to the path's length, so that a long path is shown whole.
    std::string question(path);
    question += kExistsText;
    question += serial ? kOverwriteSeriesQuestion : kOverwriteQuestion;
    return TqMsgBox(question.c_str(), caption, kOverwriteBoxType, owner);
}

HWND TqGetMainWnd()
{
    MainWndSearch search = {GetCurrentProcessId(), nullptr};
    EnumWindows(FindMainWnd, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int TqGetProcessName(char* buffer, unsigned long size)
{
    if (!buffer || size == 0)
        return 0;
    HMODULE executable = nullptr;
    DWORD needed = 0;
    if (!EnumProcessModules(GetCurrentProcess(), &executable, sizeof executable, &needed))
        return 0;
    const DWORD length = GetModuleBaseNameA(GetCurrentProcess(), executable, buffer, size);
    if (length == 0)
        return 0;
    // A name cut to the buffer is not terminated on every system version.
    buffer[length < size ? length : size - 1] = 0;
    PathRemoveExtensionA(buffer);
    return 1;
}

HWND TqGetParentFrame(HWND window)
{
    for (HWND current = window; current; current = GetParent(current)) {
        if (HasCaption(current))
            return current;
    }
    return nullptr;
}

int TqIsParentFrameVisible(HWND window, int notIconic)
{
    const HWND frame = TqGetParentFrame(window);
    if (!frame || !IsWindowVisible(frame))
        return 0;
    if (notIconic && IsIconic(frame))
        return 0;
    return 1;
}
