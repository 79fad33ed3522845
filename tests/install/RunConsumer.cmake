# Installs the build into a fresh prefix, then configures, builds and runs a
# small outside program against it the way an application would.
set(work ${TQ_BUILD_DIR}/install-check)
set(prefix ${work}/prefix)
set(build ${work}/consumer)
file(REMOVE_RECURSE ${work})

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGV}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install ${TQ_BUILD_DIR} --prefix ${prefix})
foreach(file include/TqCommon.h lib/libTqCommon.dll.a bin/TqCommon.dll
             lib/cmake/TqCommon/TqCommonConfig.cmake)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

run(${CMAKE_COMMAND} -S ${TQ_CONSUMER_SOURCE} -B ${build}
    -DCMAKE_TOOLCHAIN_FILE=${TQ_TOOLCHAIN} -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${build})

# An application ships the library's DLLs beside its executable.
file(GLOB dlls ${prefix}/bin/*.dll)
file(COPY ${dlls} DESTINATION ${build})
run(${TQ_WINE} ${build}/consumer.exe)
