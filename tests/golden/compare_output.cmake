# Runs PROGRAM OPTION SCRIPT in a scratch directory of its own, on a copy of
# the catalogue CATALOGUE, and requires the snapshots it prints, one a line,
# to be those of the file EXPECTED, which holds them in the pretty form. On
# a difference it names the first members that differ and writes what was
# printed, in the pretty form, beside the scratch directory. With LANGUAGE
# the program runs in that language (--lang), which no snapshot may show.
include(${CMAKE_CURRENT_LIST_DIR}/snapshot_text.cmake)

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
file(COPY_FILE ${CATALOGUE} ${SCRATCH}/catalogue.db)
set(language_option)
if(DEFINED LANGUAGE)
    set(language_option --lang ${LANGUAGE})
endif()
execute_process(COMMAND ${PROGRAM} ${OPTION} ${SCRIPT} --catalogue ${SCRATCH}/catalogue.db
        ${language_option}
    WORKING_DIRECTORY ${SCRATCH}
    TIMEOUT 50
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit status ${status}\n${errors}")
endif()

snapshot_read_lines(actual "${output}" "output of ${SCRIPT}")
set(printed "")
set(index 0)
while(index LESS actual_COUNT)
    math(EXPR index "${index} + 1")
    snapshot_render(pretty "${actual_${index}}" "" LINES)
    string(APPEND printed "${pretty}\n")
endwhile()

file(READ ${EXPECTED} wanted)
if(printed STREQUAL wanted)
    return()
endif()

set(printed_file ${SCRATCH}.expected)
file(WRITE ${printed_file} "${printed}")
snapshot_read_pretty(expected "${wanted}")
if(NOT expected_PRETTY)
    message(NOTICE "${EXPECTED} is not in the pretty form; make it with\n"
        "    cmake -P tools/pretty_golden.cmake FILE\n"
        "What was printed, in the pretty form: ${printed_file}")
    message(FATAL_ERROR "not a golden file: ${EXPECTED}")
endif()
set(report "")
if(NOT expected_COUNT EQUAL actual_COUNT)
    string(APPEND report "${actual_COUNT} snapshots printed, ${expected_COUNT} expected\n")
endif()
set(index 0)
while(index LESS expected_COUNT AND index LESS actual_COUNT)
    math(EXPR index "${index} + 1")
    set_property(GLOBAL PROPERTY SNAPSHOT_DIFFERENCES "")
    set_property(GLOBAL PROPERTY SNAPSHOT_DIFFERENCE_COUNT 0)
    snapshot_compare("" "${expected_${index}}" "${actual_${index}}" 8)
    get_property(differences GLOBAL PROPERTY SNAPSHOT_DIFFERENCES)
    if(NOT differences STREQUAL "")
        string(APPEND report "snapshot ${index} differs first in\n${differences}")
        break()
    endif()
endwhile()
message(NOTICE "${report}Everything printed, in the pretty form: ${printed_file}")
message(FATAL_ERROR "output differs from ${EXPECTED}")
