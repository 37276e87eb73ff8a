# The portable zip holds the program, the README and the licence, and nothing else. cmake -DZIP=... -P portable_zip.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
string(REPLACE "\n" ";" files "${listing}")
list(REMOVE_ITEM files "")
list(SORT files)
if(NOT status EQUAL 0 OR NOT files STREQUAL "LICENSE.txt;README.txt;Vistrel.exe")
    message(FATAL_ERROR "${ZIP} holds: ${files}")
endif()
