# Saves the design of DESIGN_SCRIPT with kelvane-cli run, then requires
# "kelvane-cli VERB DESIGN ARGS" (VERB advise unless given, DESIGN the saved
# design.dat unless given, ARGS separated by ";") to print the file EXPECTED
# exactly, on a copy of the catalogue CATALOGUE, and to exit with STATUS
# (0 unless given). With EXPECTED_ERRORS it must say that on stderr instead.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
file(COPY_FILE ${CATALOGUE} ${SCRATCH}/catalogue.db)
execute_process(COMMAND ${PROGRAM} run ${DESIGN_SCRIPT} --catalogue ${SCRATCH}/catalogue.db
    WORKING_DIRECTORY ${SCRATCH}
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT EXISTS ${SCRATCH}/design.dat)
    message(FATAL_ERROR "the design was not saved (${status})\n${errors}")
endif()
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
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from ${EXPECTED}\n--- actual ---\n${actual}")
endif()
