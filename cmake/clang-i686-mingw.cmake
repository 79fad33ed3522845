# Cross build for 32-bit Windows with Clang and the posix-thread MinGW-w64 runtime.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TQ_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "")
