# Image files exchanged between the library and ImageMagick (see
# ImageFileTest.cpp): the test program writes PNG, BMP, JPEG and TIFF files,
# ImageMagick names each file's format and size and decodes it, the test
# program compares.
#   TQ_WINE: the build's Wine wrapper   TQ_TEST: tqtest_graphics.exe
#   TQ_WORK: an empty folder for the files
find_program(CONVERT convert REQUIRED)
find_program(IDENTIFY identify REQUIRED)

file(REMOVE_RECURSE ${TQ_WORK})
file(MAKE_DIRECTORY ${TQ_WORK})
set(ENV{TQ_EXCHANGE_DIR} "Z:${TQ_WORK}")

function(run_test_step filter)
    execute_process(COMMAND ${TQ_WINE} ${TQ_TEST} --gtest_filter=ImageFileExchange.${filter}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0 OR output MATCHES "SKIPPED")
        message(FATAL_ERROR "${filter} failed (${result}):\n${output}")
    endif()
endfunction()

# A warning counts as a failure: ImageMagick reads some damaged files anyway.
function(run_image_magick output)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${TQ_WORK} OUTPUT_FILE ${output}
                    RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result EQUAL 0 OR error)
        message(FATAL_ERROR "${ARGN} failed (${result}): ${error}")
    endif()
endfunction()

run_test_step(WritesFilesForImageMagick)
foreach(name lib.png lib.bmp lib.jpg lib.tif)
    run_image_magick(${TQ_WORK}/${name}.id ${IDENTIFY} -format "%m %w %h" ${name})
    run_image_magick(${TQ_WORK}/${name}.log ${CONVERT} ${name} -depth 8 bgra:${name}.im.bgra)
endforeach()
run_test_step(ReadsImageMagicksDecodes)
message(STATUS "Image files exchanged with ImageMagick: formats, sizes and pixels agree")
