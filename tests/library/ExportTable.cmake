# Compares the names TqCommon.dll exports with the list checked in beside this
# script: applications are linked against every one of them, so none may go.
# Names the library adds are reported, not refused.
#   TQ_OBJDUMP  the cross objdump
#   TQ_DLL      the built TqCommon.dll
#   TQ_EXPECTED the checked-in list, one name per line, sorted
#   TQ_OPTIONAL a regular expression of listed names that may be absent
cmake_minimum_required(VERSION 3.21)

execute_process(COMMAND ${TQ_OBJDUMP} -p ${TQ_DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${TQ_DLL}")
endif()

# The export directory lists each name as "[ ordinal] name" after this header.
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start EQUAL -1)
    message(FATAL_ERROR "no export table in ${TQ_DLL}")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
string(FIND "${table}" "\n\n" end)
string(SUBSTRING "${table}" 0 ${end} table)
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" entries "${table}")
set(actual "")
foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${entry}")
    list(APPEND actual "${name}")
endforeach()

file(STRINGS ${TQ_EXPECTED} expected)
set(missing "")
foreach(name IN LISTS expected)
    if(NOT name IN_LIST actual AND (NOT TQ_OPTIONAL OR NOT name MATCHES "${TQ_OPTIONAL}"))
        list(APPEND missing "${name}")
    endif()
endforeach()
set(added "")
foreach(name IN LISTS actual)
    if(NOT name IN_LIST expected)
        list(APPEND added "${name}")
    endif()
endforeach()

list(LENGTH actual count)
list(LENGTH added added_count)
message(STATUS "${count} names exported, ${added_count} beyond the list")
foreach(name IN LISTS added)
    message(STATUS "  added: ${name}")
endforeach()
if(missing)
    string(REPLACE ";" "\n  " missing "${missing}")
    message(FATAL_ERROR "exported names missing:\n  ${missing}")
endif()
