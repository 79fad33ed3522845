#include "HelperProcess.h"

std::string HelperProcess::BesideTests(const char* fileName)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    directory.resize(directory.find_last_of("\\/") + 1);
    return directory + fileName;
}

HelperProcess::HelperProcess(const std::string& arguments)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&m_output, &writeEnd, &inherit, 0))
        return;
    SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string commandLine = "\"" + BesideTests("tqtest_helper.exe") + "\" " + arguments;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        m_process = info.hProcess;
    }
    CloseHandle(writeEnd);
}

HelperProcess::~HelperProcess()
{
    if (m_process) {
        if (Wait(0) == STILL_ACTIVE)
            TerminateProcess(m_process, 1);
        CloseHandle(m_process);
    }
    if (m_output)
        CloseHandle(m_output);
}

std::string HelperProcess::ReadLine()
{
    std::string line;
    char c;
    DWORD read = 0;
    while (ReadFile(m_output, &c, 1, &read, nullptr) && read == 1 && c != '\n') {
        if (c != '\r')
            line += c;
    }
    return line;
}

DWORD HelperProcess::Wait(DWORD milliseconds)
{
    WaitForSingleObject(m_process, milliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process, &code);
    return code;
}
