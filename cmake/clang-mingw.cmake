# Shared by clang-i686-mingw.cmake and clang-x86_64-mingw.cmake: Debian's Clang
# targeting MinGW-w64 with the posix-thread GCC's headers, C++ library and
# runtime DLLs, so that Clang-built and GCC-built code mix in one process.
# Expects TQ_MINGW_TRIPLE (i686-w64-mingw32 or x86_64-w64-mingw32).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TQ_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${TQ_MINGW_TRIPLE})
set(CMAKE_RC_COMPILER ${TQ_MINGW_TRIPLE}-windres)

# Clang does not find the C++ headers and libraries of the "12-posix" GCC by
# itself; they are named here, and the runtime DLLs to ship are that GCC's.
# Clang links the GCC runtime shared by itself, but unlike the posix GCC it
# does not add the threads library: -pthread does.
set(TQ_MINGW_GCC_DIR /usr/lib/gcc/${TQ_MINGW_TRIPLE}/12-posix)
set(TQ_RUNTIME_COMPILER ${TQ_MINGW_TRIPLE}-g++-posix)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${TQ_MINGW_GCC_DIR}/include/c++ -isystem ${TQ_MINGW_GCC_DIR}/include/c++/${TQ_MINGW_TRIPLE}")
foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS_INIT "-L${TQ_MINGW_GCC_DIR} -pthread")
endforeach()

set(CMAKE_FIND_ROOT_PATH /usr/${TQ_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
