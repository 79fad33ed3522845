#include "system/TqProcess.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "library/TqScopedHandle.h"
#include "system/TqOsVersion.h"
#include "system/internal/TqImeWindow.h"

namespace {

const char kVerbOpen[] = "open";
const char kVerbRunAs[] = "runas";

// Null asks the shell for the file type's default verb.
const char* ChooseVerb(int runAs, int useDefaultVerb)
{
    if (runAs && TqIsVistaOrLater())
        return kVerbRunAs;
    return useDefaultVerb ? nullptr : kVerbOpen;
}

int ShowCommand(int show)
{
    return show ? SW_SHOWNORMAL : SW_HIDE;
}

// "app" or "app" arguments: the program path always quoted, the arguments as
// given.
std::string CommandLine(const char* app, const char* arguments)
{
    std::string commandLine = std::string("\"") + app + "\"";
    if (arguments && *arguments)
        commandLine.append(" ").append(arguments);
    return commandLine;
}

bool WaitedToEnd(HANDLE process, DWORD timeout)
{
    return WaitForSingleObject(process, timeout) == WAIT_OBJECT_0;
}

BOOL CALLBACK CloseFirstWindow(HWND window, LPARAM processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != static_cast<DWORD>(processId) || tq::IsImeWindow(window))
        return TRUE;
    PostMessageA(window, WM_CLOSE, 0, 0);
    return FALSE;
}

}  // namespace

int TqExecuteApp(void** process, const char* file, const char* parameters, int show, int runAs,
                 int useDefaultVerb)
{
    if (!file)
        return 0;
    SHELLEXECUTEINFOA request = {};
    request.cbSize = sizeof request;
    request.fMask = process ? SEE_MASK_NOCLOSEPROCESS : 0;
    request.lpVerb = ChooseVerb(runAs, useDefaultVerb);
    request.lpFile = file;
    request.lpParameters = parameters;
    request.nShow = ShowCommand(show);
    if (!ShellExecuteExA(&request))
        return 0;
    if (process)
        *process = request.hProcess;
    return 1;
}

int TqExecuteApp(void*& process, unsigned long& processId, const char* app,
                 const char* arguments, int show)
{
    if (!app || !*app)
        return 0;
    std::string commandLine = CommandLine(app, arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(ShowCommand(show));
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &started))
        return 0;
    // Only the process handle is handed out.
    const CTqScopedKernelHandle thread(started.hThread);
    process = started.hProcess;
    processId = started.dwProcessId;
    return 1;
}

int TqWaitAppQuit(int& exitCode, void* process, unsigned long processId, unsigned long timeout,
                  int closeWindow)
{
    exitCode = 0;
    if (closeWindow)
        EnumWindows(CloseFirstWindow, static_cast<LPARAM>(processId));
    if (!WaitedToEnd(process, timeout))
        return 0;
    // Only a process that ended is closed; on a timeout the caller keeps it.
    const CTqScopedKernelHandle ended(process);
    DWORD code = 0;
    if (GetExitCodeProcess(ended.Get(), &code))
        exitCode = static_cast<int>(code);
    return 1;
}

int TqExecuteAppAndWait(int& exitCode, const char* file, const char* parameters, int show,
                        unsigned long timeout, int runAs)
{
    exitCode = 0;
    void* started = nullptr;
    if (!TqExecuteApp(&started, file, parameters, show, runAs, 0))
        return 0;
    const CTqScopedKernelHandle process(started);
    if (!process.IsValid() || !WaitedToEnd(process.Get(), timeout))
        return 0;
    DWORD code = 0;
    if (!GetExitCodeProcess(process.Get(), &code))
        return 0;
    exitCode = static_cast<int>(code);
    return 1;
}
