# Installs the build into a fresh prefix, then builds examples/app against it
# the way an application outside this tree does (an ordinary toolchain file,
# the prefix among the find roots, its own headers first on its include path,
# C++11 asked for) and runs it under Wine with only the DLLs that
# $<TARGET_RUNTIME_DLLS> put beside it.
#   TQ_BUILD_DIR  the build to install
#   TQ_APP_SOURCE examples/app
#   TQ_ARCH       i686 or x86_64
#   TQ_TOOLCHAIN_NAME the file name of the build's toolchain file
#   TQ_CXX        an application's cross compiler, for a compile by hand
#   TQ_WINE       the build's Wine wrapper
set(work ${TQ_BUILD_DIR}/install-check)
set(prefix ${work}/prefix)
set(build ${work}/app)
file(REMOVE_RECURSE ${work})

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGV}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install ${TQ_BUILD_DIR} --prefix ${prefix})
foreach(file include/TqCommon.h include/TqCommon/library/TqResourceIds.h
             lib/libTqCommon.dll.a bin/TqCommon.dll
             lib/cmake/TqCommon/TqCommonConfig.cmake
             lib/cmake/TqCommon/TqCommonConfigVersion.cmake
             lib/cmake/TqCommon/${TQ_TOOLCHAIN_NAME})
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(GLOB_RECURSE internal ${prefix}/include/*/internal/*)
if(internal)
    message(FATAL_ERROR "internal headers installed: ${internal}")
endif()

# By hand: the installed include folder alone, behind the application's own.
file(WRITE ${work}/by-hand.cpp "#include <TqCommon.h>\nint main() { return CTqString(\"x\").GetLength() == 2 ? 0 : 1; }\n")
run(${TQ_CXX} -std=c++17 -fsyntax-only -I ${TQ_APP_SOURCE}/include -I ${prefix}/include
    ${work}/by-hand.cpp)

run(${CMAKE_COMMAND} -S ${TQ_APP_SOURCE} -B ${build}
    -DCMAKE_TOOLCHAIN_FILE=${TQ_APP_SOURCE}/cmake/${TQ_ARCH}-w64-mingw32.cmake
    -DCMAKE_FIND_ROOT_PATH=${prefix} -DCMAKE_CXX_STANDARD=11 -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${build})

file(GLOB dlls RELATIVE ${build} ${build}/*.dll)
message(STATUS "beside the program: ${dlls}")
run(${TQ_WINE} ${build}/TqExampleApp.exe /auto)
