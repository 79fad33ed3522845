#include "MediaTestSupport.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

namespace {

thread_local CompressorDialog* t_dialog = nullptr;

const DWORD kToolPollMs = 20;
const DWORD kToolTimeoutMs = 120000;

std::string ComboText(HWND combo, int index)
{
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

bool IsDialog(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::strcmp(className, "#32770") == 0;
}

std::string Quoted(const std::string& unixPath)
{
    return "'" + unixPath + "'";
}

}  // namespace

std::string Cp932(const char* utf8)
{
    wchar_t wide[512];
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 512);
    char bytes[1024];
    const int length =
        WideCharToMultiByte(932, 0, wide, units, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, length > 0 ? length - 1 : 0);
}

std::string FreshTempPath(const std::string& name)
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    const std::string path = directory + name;
    DeleteFileA(path.c_str());
    return path;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string UnixPath(const std::string& windowsPath)
{
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const FARPROC found =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(found));
    wchar_t wide[MAX_PATH];
    if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH))
        return std::string();
    char* unixPath = toUnix(wide);
    if (!unixPath)
        return std::string();
    std::string result(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string RunUnix(const std::string& command)
{
    static int runs = 0;
    const std::string output = FreshTempPath("tq-tool-" + std::to_string(++runs) + ".txt");
    const std::string partial = FreshTempPath("tq-tool-partial.txt");
    const std::string shell = command + " >" + Quoted(UnixPath(partial)) + " 2>&1; mv " +
                              Quoted(UnixPath(partial)) + " " + Quoted(UnixPath(output));
    std::string commandLine = "/bin/sh -c \"" + shell + "\"";

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return "<not started>";
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    for (DWORD waited = 0; GetFileAttributesA(output.c_str()) == INVALID_FILE_ATTRIBUTES;
         waited += kToolPollMs) {
        if (waited >= kToolTimeoutMs)
            return "<no answer>";
        Sleep(kToolPollMs);
    }
    const std::string text = ReadWholeFile(output);
    DeleteFileA(output.c_str());
    return text;
}

std::map<std::string, std::string> ProbeStream(const std::string& path, const char* type,
                                               const char* entries)
{
    std::istringstream lines(RunUnix(std::string("ffprobe -v error -select_streams ") + type +
                                     ":0 -count_frames -show_entries stream=" + entries +
                                     " -of default=nw=1 " + Quoted(UnixPath(path))));
    std::map<std::string, std::string> values;
    std::string line;
    while (std::getline(lines, line)) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
        else
            values["<error>"] += line;
    }
    return values;
}

std::string DecodeFramesBgr24(const std::string& path)
{
    const std::string raw = FreshTempPath("tq-decoded.raw");
    const std::string messages =
        RunUnix("ffmpeg -v error -y -i " + Quoted(UnixPath(path)) +
                " -f rawvideo -pix_fmt bgr24 " + Quoted(UnixPath(raw)));
    std::string frames = ReadWholeFile(raw);
    DeleteFileA(raw.c_str());
    return messages.empty() ? frames : messages;
}

CompressorDialog::CompressorDialog(int answer, std::string pick)
    : m_hook(SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId())),
      m_answer(answer),
      m_pick(std::move(pick))
{
    t_dialog = this;
}

CompressorDialog::~CompressorDialog()
{
    UnhookWindowsHookEx(m_hook);
    t_dialog = nullptr;
}

LRESULT CALLBACK CompressorDialog::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && t_dialog && IsDialog(window)) {
        HWND combo = FindWindowExA(window, nullptr, "ComboBox", nullptr);
        if (combo) {
            if (window != t_dialog->m_answered)
                t_dialog->Answer(window, combo);
            return 0;  // not a message box: later hooks must not answer it
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CompressorDialog::Answer(HWND dialog, HWND combo)
{
    m_answered = dialog;
    ++m_shown;
    m_entries.clear();
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        m_entries.push_back(ComboText(combo, i));
    m_preselected = ComboText(combo, static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)));
    for (int i = 0; !m_pick.empty() && i < count; ++i) {
        if (m_entries[i].find(m_pick) == std::string::npos)
            continue;
        SendMessageA(combo, CB_SETCURSEL, i, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        break;
    }
    PostMessageA(dialog, WM_COMMAND, m_answer, 0);
}
