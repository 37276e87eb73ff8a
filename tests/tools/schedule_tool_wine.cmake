# Adds a reminder with a Chinese text to a new schedule file with vistrel-schedule.exe under wine, checks the
# GBK bytes stored, then shows the file and checks the UTF-8 line printed.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(schedule "Z:${WORK_DIR}/Vistrel.dat")

execute_process(COMMAND ${RUNNER} "${TOOL}" add-reminder "${schedule}" "2098-05-18 08:00:00" "休息一下"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "add-reminder failed (${status}): ${errors}")
endif()

file(READ "${WORK_DIR}/Vistrel.dat" bytes HEX)
# Header, counts 0 and 1, then the record: the text in GBK from offset 37 + 25.
string(SUBSTRING "${bytes}" 0 74 header)
string(SUBSTRING "${bytes}" 124 18 text)
string(REPEAT "00" 8 eight_zeros)
string(REPEAT "00" 7 seven_zeros)
set(expected_header "5a51${eight_zeros}5669737472656c${eight_zeros}312e30${seven_zeros}0001")
if(NOT header STREQUAL expected_header OR NOT text STREQUAL "d0ddcfa2d2bbcfc200")
    message(FATAL_ERROR "unexpected file contents: ${bytes}")
endif()

execute_process(COMMAND ${RUNNER} "${TOOL}" show "${schedule}"
                RESULT_VARIABLE status OUTPUT_VARIABLE shown ERROR_VARIABLE errors)
string(REPLACE "\r" "" shown "${shown}")
if(NOT status EQUAL 0 OR NOT shown STREQUAL "reminder\t2098-05-18 08:00:00\t休息一下\n")
    message(FATAL_ERROR "show gave (${status}) '${shown}' ${errors}")
endif()
