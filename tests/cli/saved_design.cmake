# Saves the design of DESIGN_SCRIPT with kelvane-cli run, then requires
# "kelvane-cli VERB DESIGN ARGS" (VERB advise unless given, DESIGN the saved
# design.dat unless given, ARGS separated by ";") to print the file EXPECTED
# exactly, on a copy of the catalogue CATALOGUE, and to exit with STATUS
# (0 unless given). With EXPECTED_ERRORS it must say that on stderr instead;
# with OUTPUT, the file of that name the command wrote must hold it.
include(${CMAKE_CURRENT_LIST_DIR}/save_design.cmake)
if(NOT DEFINED VERB OR VERB STREQUAL "")
    set(VERB advise)
endif()
if(NOT DEFINED DESIGN OR DESIGN STREQUAL "")
    set(DESIGN design.dat)
endif()
string(REPLACE " " ";" arguments "${ARGS}")
execute_process(COMMAND ${PROGRAM} ${VERB} ${DESIGN} --catalogue ${SCRATCH}/catalogue.db
        ${arguments}
    WORKING_DIRECTORY ${SCRATCH}
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT DEFINED STATUS OR STATUS STREQUAL "")
    set(STATUS 0)
endif()
if(NOT status EQUAL STATUS)
    message(FATAL_ERROR "exit status ${status}, not ${STATUS}\n${errors}")
endif()
if(EXPECTED_ERRORS)
    set(actual "${errors}")
elseif(OUTPUT)
    file(READ ${SCRATCH}/${OUTPUT} actual)
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from ${EXPECTED}\n--- actual ---\n${actual}")
endif()
