#include "MediaTestSupport.h"

std::string ShellPath(const std::string& windowsPath)
{
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    char* unixPath =
        toUnix && MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)
            ? toUnix(wide)
            : nullptr;
    if (!unixPath)
        return "''";
    const std::string quoted = "'" + std::string(unixPath) + "'";
    HeapFree(GetProcessHeap(), 0, unixPath);
    return quoted;
}

// Wine starts Linux programs detached, without our pipes and without a handle
// that tells when they end, so the output goes to a file that appears,
// complete, when the command has finished.
std::string RunUnix(const std::string& command)
{
    TempFolder folder;
    const std::string partial = ShellPath(folder / "partial"), output = folder / "output";
    std::string line = "/bin/sh -c \"" + command + " >" + partial + " 2>&1; mv " + partial + " " +
                       ShellPath(output) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return "<not started>";
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    for (int waited = 0; GetFileAttributesA(output.c_str()) == INVALID_FILE_ATTRIBUTES;
         waited += 20) {
        if (waited > 120000)
            return "<no answer>";
        Sleep(20);
    }
    return TempFolder::ReadFile(output);
}

std::string Probe(const std::string& path, const char* type, const char* entries)
{
    return RunUnix(std::string("ffprobe -v error -count_frames -select_streams ") + type +
                   ":0 -show_entries " + entries + " -of csv=p=0 " + ShellPath(path));
}
