#pragma once

#include <windows.h>

#include <string>

// tqtest_helper.exe started with a command tail, its stdout read through a
// pipe. The process is ended with the object if it still runs.
class HelperProcess {
public:
    explicit HelperProcess(const std::string& arguments);
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;
    ~HelperProcess();

    bool Started() const { return m_process != nullptr; }
    std::string ReadLine();
    DWORD Wait(DWORD milliseconds);  // the exit code, or STILL_ACTIVE

    // The full path of a file beside the running test program.
    static std::string BesideTests(const char* fileName);

private:
    HANDLE m_process = nullptr;
    HANDLE m_output = nullptr;
};
