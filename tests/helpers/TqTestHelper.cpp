// A second process for the tests. When the environment variable
// TQ_HELPER_COMMAND_LINE names a file, it first writes its command line
// (GetCommandLineA) there. Then one mode per first argument:
//   exit <code>      ends at once with that exit code;
//   close <count> [bottom]
//                    shows windows "TqClose <i>" (with bottom: below the
//                    thread's hidden IME window) until asked to close; the
//                    exit code has bit i set for each window i that was asked;
//   osversion        exit code: bit 0 TqIsXpOrLater, bit 1 TqIsVistaOrLater;
//   launch <file> <runAs> <useDefaultVerb>
//                    the exit code of what the shell form of TqExecuteApp
//                    starts for file (1000 on failure);
//   console          writes to a new console and to a pipe; exit code bits:
//                    0 allocated, 1 written, 2 null text refused, 3 pipe
//                    refused and left empty, 4 freed, 5 the text and no more
//                    on the console;
//   <document>.top   ends with the number that the document holds.
#include <TqCommon.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

const int kFailed = 1000;
// Windows nobody asks to close (a failed test) go by themselves after this
// long, so that no helper outlives its test run and holds the test runner's
// output open.
const UINT kGiveUpMs = 120000;
int g_closedWindows = 0;

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD)
{
    ExitProcess(kFailed);
}

LRESULT CALLBACK CloseRecorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER)
        PostQuitMessage(0);
    if (message != WM_CLOSE)
        return DefWindowProcA(window, message, wParam, lParam);
    g_closedWindows |= 1 << GetWindowLongPtrA(window, GWLP_USERDATA);
    // Quits a little later, so that every WM_CLOSE posted together is counted.
    SetTimer(window, 1, 500, nullptr);
    return 0;
}

// Shows count windows "TqClose <i>" and runs until they are asked to close:
// which ones were.
int Windows(int count, bool bottom)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CloseRecorder;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TqHelperWindow";
    RegisterClassA(&windowClass);
    for (int i = 0; i < count; ++i) {
        const std::string text = "TqClose " + std::to_string(i);
        HWND window = CreateWindowExA(0, windowClass.lpszClassName, text.c_str(),
                                      WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
        if (!window)
            return kFailed;
        SetWindowLongPtrA(window, GWLP_USERDATA, i);
        // Shown in its final place, so that a visible window is one in place.
        SetWindowPos(window, bottom ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | (bottom ? SWP_NOACTIVATE : 0));
    }
    SetTimer(nullptr, 0, kGiveUpMs, GiveUp);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return g_closedWindows;
}

// Writes to a new console, then to a pipe: a bit for each step that went as
// it should (see the top of this file).
int Console()
{
    TqFreeConsole();
    const int allocated = TqAllocConsole();
    HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    SetStdHandle(STD_OUTPUT_HANDLE, console);
    const int written = WriteConsoleA("console text and more", 12);
    const int nullText = WriteConsoleA(nullptr, 5);
    char seen[21] = {};  // the start of the first row
    DWORD read = 0, waiting = 1;
    ReadConsoleOutputCharacterA(console, seen, 20, COORD{0, 0}, &read);
    HANDLE pipeOut = nullptr, pipeIn = nullptr;
    CreatePipe(&pipeOut, &pipeIn, nullptr, 0);
    SetStdHandle(STD_OUTPUT_HANDLE, pipeIn);
    const int toPipe = WriteConsoleA("pipe", 4);
    PeekNamedPipe(pipeOut, nullptr, 0, nullptr, &waiting, nullptr);
    CloseHandle(console);
    return (allocated == 1) | (written == 1) << 1 | (nullText == 0) << 2 |
           (toPipe == 0 && waiting == 0) << 3 | (TqFreeConsole() == 1) << 4 |
           (std::string(seen) == "console text        ") << 5;
}

}  // namespace

int main(int argc, char** argv)
{
    char record[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TQ_HELPER_COMMAND_LINE", record, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        std::ofstream(record, std::ios::binary) << GetCommandLineA();
    const std::string mode = argc >= 2 ? argv[1] : "";
    if (mode == "exit" && argc >= 3)
        return std::atoi(argv[2]);
    if (mode == "close" && argc >= 3)
        return Windows(std::atoi(argv[2]), argc >= 4 && std::strcmp(argv[3], "bottom") == 0);
    if (mode == "osversion") {
        const int xp = TqIsXpOrLater();
        const int vista = TqIsVistaOrLater();
        // Asked again: the kept answers must not change.
        const bool kept = TqIsXpOrLater() == xp && TqIsVistaOrLater() == vista;
        return kept ? xp | vista << 1 : kFailed;
    }
    if (mode == "launch" && argc >= 5) {
        void* process = nullptr;
        int exitCode = 0;
        const bool run = TqExecuteApp(&process, argv[2], nullptr, 0, std::atoi(argv[3]),
                                      std::atoi(argv[4])) &&
                         TqWaitAppQuit(exitCode, process, 0, 30000, 0);
        return run ? exitCode : kFailed;
    }
    if (mode == "console")
        return Console();
    int number = kFailed;
    if (mode.size() <= 4 || _stricmp(mode.c_str() + mode.size() - 4, ".top") != 0)
        return 1;
    std::ifstream(mode) >> number;
    return number;
}
