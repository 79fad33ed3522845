// A second process for the tests. "window <title>" shows an unowned top-level
// window, prints its handle on stdout and runs until the window is closed.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "window") == 0) {
        HWND window = CreateWindowExA(0, "STATIC", argv[2], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                      0, 200, 100, nullptr, nullptr, nullptr, nullptr);
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
    return 1;
}
