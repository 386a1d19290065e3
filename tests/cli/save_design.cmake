# Included by the command-line tests: a fresh SCRATCH folder with a copy of
# the catalogue CATALOGUE and the design of DESIGN_SCRIPT saved there as
# design.dat by kelvane-cli run.
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
