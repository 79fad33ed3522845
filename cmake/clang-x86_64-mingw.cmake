# Cross build for 64-bit Windows with Clang and the posix-thread MinGW-w64 runtime.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TQ_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "")
