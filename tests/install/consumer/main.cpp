// An outside program built against the installed package: it uses the
// library through the umbrella header and catches an allocation failure
// thrown inside the DLL.
#include <TqCommon.h>

#include <cstdio>
#include <new>

int main()
{
    CTqString text("installed");
    text += " package";
    if (!(text == "installed package")) {
        std::printf("string operations failed\n");
        return 1;
    }

    CTqArray<char, 2> bytes;
    try {
        bytes.Reserve(0xC0000000u, 0, 0);  // more than a 32-bit process can get
        std::printf("no std::bad_alloc\n");
        return 1;
    } catch (const std::bad_alloc&) {
        std::printf("consumer: caught std::bad_alloc from TqCommon.dll\n");
    }
    return TqGetLibraryInstance() ? 0 : 1;
}
