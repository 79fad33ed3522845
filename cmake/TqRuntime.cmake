# The GCC runtime is linked shared so that C++ exceptions (std::bad_alloc above all)
# cross the DLL boundary; its DLLs must then travel with TqCommon.dll. The
# unwinder's DLL is named after the exception model: DWARF-2 on x86, SEH on x86-64.
# TQ_RUNTIME_COMPILER: the GCC whose runtime the build links (a Clang
# toolchain file names it); by default the C++ compiler itself.
if(NOT TQ_RUNTIME_COMPILER)
    set(TQ_RUNTIME_COMPILER ${CMAKE_CXX_COMPILER})
endif()
set(TQ_RUNTIME_DLLS "")
set(TQ_RUNTIME_DLL_NAMES "")
if(MINGW)
    foreach(dll libgcc_s_dw2-1.dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
        execute_process(COMMAND ${TQ_RUNTIME_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
            get_filename_component(path "${path}" REALPATH)
            list(APPEND TQ_RUNTIME_DLLS "${path}")
            list(APPEND TQ_RUNTIME_DLL_NAMES "${dll}")
        endif()
    endforeach()
    file(COPY ${TQ_RUNTIME_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endif()
