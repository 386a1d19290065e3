# Saves the design of DESIGN_SCRIPT with kelvane-cli run, then requires
# "kelvane-cli advise design.dat ARGS" (ARGS separated by ";") to print the
# file EXPECTED exactly, on a copy of the catalogue CATALOGUE. With STATUS
# (not 0) it must exit with that status and say EXPECTED on stderr.
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
string(REPLACE " " ";" arguments "${ARGS}")
execute_process(COMMAND ${PROGRAM} advise design.dat --catalogue ${SCRATCH}/catalogue.db
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
if(NOT STATUS EQUAL 0)
    set(actual "${errors}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from ${EXPECTED}\n--- actual ---\n${actual}")
endif()
