# The program's version: major.minor from project(), then a build number, which is the count of commits when the
# build folder was configured (0 outside a git checkout) unless VISTREL_BUILD_NUMBER is given.
if(NOT DEFINED VISTREL_BUILD_NUMBER)
    set(VISTREL_BUILD_NUMBER 0)
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE commit_count OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE git_status ERROR_QUIET)
        if(git_status EQUAL 0 AND commit_count MATCHES "^[0-9]+$")
            set(VISTREL_BUILD_NUMBER ${commit_count})
        endif()
    endif()
endif()
set(VISTREL_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${VISTREL_BUILD_NUMBER})
set(VISTREL_COMPANY Tarnwick)
set(VISTREL_COPYRIGHT "Copyright (C) 2026 Tarnwick")
