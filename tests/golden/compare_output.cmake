# Runs PROGRAM OPTION SCRIPT and requires its standard output to equal the file EXPECTED.
execute_process(COMMAND ${PROGRAM} ${OPTION} ${SCRIPT} --catalogue ${CATALOGUE}
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
