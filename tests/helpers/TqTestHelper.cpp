// A second process for the tests. When the environment variable
// TQ_HELPER_COMMAND_LINE names a file, it first writes its command line
// (GetCommandLineA) into that file, whatever the arguments. Then one mode per
// first argument:
//   window <title>     shows an unowned top-level window, prints its handle on
//                      stdout and runs until the window is closed;
//   exit <code>        ends at once with that exit code;
//   close <count> [bottom]
//                      shows count top-level windows titled "TqClose <i>"
//                      (with bottom: then moves them to the bottom of the Z
//                      order, below the thread's hidden IME window) and waits
//                      for WM_CLOSE; the exit code has bit i set for each
//                      window i that received one;
//   osversion          exit code: bit 0 TqIsXpOrLater, bit 1 TqIsVistaOrLater;
//   launch <file> <runAs> <useDefaultVerb>
//                      opens file with the shell form of TqExecuteApp and ends
//                      with the exit code of what it started (1000 on failure);
//   debug <length>     sends "42 tq !" and then a text of length digits to the
//                      debugger with TqOutputDebugString; the exit code is the
//                      second result;
//   console            frees its console, allocates a new one and writes to it
//                      with WriteConsoleA; prints what it saw on stdout;
//   <document>.top     opened as the document's program: ends with the number
//                      that the document holds.
#include <TqCommon.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

const int kFailed = 1000;

HWND ShowWindowTitled(const char* className, const std::string& title, LPARAM data)
{
    HWND window = CreateWindowExA(0, className, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    if (window)
        SetWindowLongPtrA(window, GWLP_USERDATA, data);
    return window;
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int Window(const char* title)
{
    HWND window = ShowWindowTitled("STATIC", title, 0);
    if (!window)
        return 2;
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
    std::fflush(stdout);
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

int g_closedWindows = 0;

LRESULT CALLBACK CloseRecorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        g_closedWindows |= 1 << GetWindowLongPtrA(window, GWLP_USERDATA);
        // Quits once the queue is empty, so that every WM_CLOSE posted
        // together is counted.
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Close(int count, bool bottom)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CloseRecorder;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TqCloseRecorder";
    RegisterClassA(&windowClass);
    for (int i = 0; i < count; ++i) {
        HWND window = ShowWindowTitled(windowClass.lpszClassName, "TqClose " + std::to_string(i), i);
        if (!window)
            return kFailed;
        if (bottom)
            SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    RunMessageLoop();
    return g_closedWindows;
}

void RecordCommandLine()
{
    char file[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TQ_HELPER_COMMAND_LINE", file, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        std::ofstream(file, std::ios::binary) << GetCommandLineA();
}

int OsVersion()
{
    const int xp = TqIsXpOrLater();
    const int vista = TqIsVistaOrLater();
    // Asked again: the kept answers must not change.
    if (TqIsXpOrLater() != xp || TqIsVistaOrLater() != vista)
        return kFailed;
    return xp | vista << 1;
}

int Launch(const char* file, int runAs, int useDefaultVerb)
{
    void* process = nullptr;
    if (!TqExecuteApp(&process, file, nullptr, 0, runAs, useDefaultVerb))
        return kFailed;
    int exitCode = 0;
    return TqWaitAppQuit(exitCode, process, 0, 30000, 0) ? exitCode : kFailed;
}

int Debug(int length)
{
    std::string text;
    for (int i = 0; i < length; ++i)
        text += static_cast<char>('0' + i % 10);
    TqOutputDebugString("%d %s %c", 42, "tq", '!');
    return TqOutputDebugString("%s", text.c_str());
}

// Reads the start of the console's first row back, without the blanks
// after the text, to see what reached it.
std::string ConsoleText(HANDLE console, int length)
{
    std::string text(length, '\0');
    DWORD read = 0;
    ReadConsoleOutputCharacterA(console, &text[0], length, COORD{0, 0}, &read);
    text.resize(read);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

int Console()
{
    HANDLE report = GetStdHandle(STD_OUTPUT_HANDLE);
    TqFreeConsole();
    const int allocated = TqAllocConsole();
    HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    // Our stdout is the test's pipe; the console becomes standard output.
    SetStdHandle(STD_OUTPUT_HANDLE, console);
    const int written = WriteConsoleA("console text and more", 12);
    const int nullText = WriteConsoleA(nullptr, 5);
    const std::string seen = ConsoleText(console, 20);
    SetStdHandle(STD_OUTPUT_HANDLE, report);
    const int toPipe = WriteConsoleA("pipe", 4);
    CloseHandle(console);
    const int freed = TqFreeConsole();
    std::printf("alloc=%d write=%d null=%d pipe=%d free=%d seen=[%s]\n", allocated, written,
                nullText, toPipe, freed, seen.c_str());
    std::fflush(stdout);
    return 0;
}

bool IsDocument(const char* argument)
{
    const size_t length = std::strlen(argument);
    return length > 4 && _stricmp(argument + length - 4, ".top") == 0;
}

int Document(const char* path)
{
    int number = kFailed;
    std::ifstream(path) >> number;
    return number;
}

}  // namespace

int main(int argc, char** argv)
{
    RecordCommandLine();
    if (argc < 2)
        return 1;
    const std::string mode = argv[1];
    if (mode == "window" && argc >= 3)
        return Window(argv[2]);
    if (mode == "exit" && argc >= 3)
        return std::atoi(argv[2]);
    if (mode == "close" && argc >= 3)
        return Close(std::atoi(argv[2]), argc >= 4 && std::strcmp(argv[3], "bottom") == 0);
    if (mode == "osversion")
        return OsVersion();
    if (mode == "launch" && argc >= 5)
        return Launch(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (mode == "debug" && argc >= 3)
        return Debug(std::atoi(argv[2]));
    if (mode == "console")
        return Console();
    if (IsDocument(argv[1]))
        return Document(argv[1]);
    return 1;
}
