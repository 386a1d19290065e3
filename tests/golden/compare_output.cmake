# Runs PROGRAM OPTION SCRIPT in a scratch directory of its own, on a copy of
# the catalogue CATALOGUE, and requires its standard output to equal the
# file EXPECTED.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
file(COPY_FILE ${CATALOGUE} ${SCRATCH}/catalogue.db)
execute_process(COMMAND ${PROGRAM} ${OPTION} ${SCRIPT} --catalogue ${SCRATCH}/catalogue.db
    WORKING_DIRECTORY ${SCRATCH}
    TIMEOUT 50
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "exit status ${status}\n${errors}")
endif()
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from ${EXPECTED}\n--- actual ---\n${actual}")
endif()
