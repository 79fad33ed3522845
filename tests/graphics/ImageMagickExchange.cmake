# BMP files exchanged between the library and ImageMagick (see DibTest.cpp):
# the test program writes, ImageMagick reads and writes, the test program
# reads.
#   TQ_WINE: the build's Wine wrapper   TQ_TEST: tqtest_graphics.exe
#   TQ_WORK: an empty folder for the files
find_program(CONVERT convert REQUIRED)

file(REMOVE_RECURSE ${TQ_WORK})
file(MAKE_DIRECTORY ${TQ_WORK})
set(ENV{TQ_EXCHANGE_DIR} "Z:${TQ_WORK}")

function(run_test_step filter)
    execute_process(COMMAND ${TQ_WINE} ${TQ_TEST} --gtest_filter=ImageMagickExchange.${filter}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0 OR output MATCHES "SKIPPED")
        message(FATAL_ERROR "${filter} failed (${result}):\n${output}")
    endif()
endfunction()

function(convert)
    execute_process(COMMAND ${CONVERT} ${ARGN} WORKING_DIRECTORY ${TQ_WORK}
                    RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "convert ${ARGN} failed (${result}): ${error}")
    endif()
endfunction()

run_test_step(WritesFilesForImageMagick)

# ImageMagick reads every depth the library writes with the same pixel values.
set(failures "")
foreach(depth 1 4 8 16 24 32)
    set(name lib-${depth})
    convert(${name}.bmp -depth 8 rgb:${name}.im.rgb)
    file(READ ${TQ_WORK}/${name}.rgb expected HEX)
    file(READ ${TQ_WORK}/${name}.im.rgb actual HEX)
    if(NOT expected STREQUAL actual)
        string(APPEND failures "${name}.bmp:\n  expected ${expected}\n  read     ${actual}\n")
    endif()
endforeach()
if(failures)
    message(FATAL_ERROR "ImageMagick reads other pixels than the library wrote:\n${failures}")
endif()

# ImageMagick writes uncompressed BMP3 files of every depth it can.
foreach(depth 1 4 8)
    convert(im-${depth}.ppm -type palette -compress none BMP3:im-${depth}.bmp)
endforeach()
convert(im-24.ppm -type truecolor -compress none BMP3:im-24.bmp)
convert(im-32.ppm -alpha set -define bmp3:alpha=true BMP3:im-32.bmp)

run_test_step(ReadsFilesFromImageMagick)
message(STATUS "BMP files exchanged with ImageMagick: all pixels agree")
