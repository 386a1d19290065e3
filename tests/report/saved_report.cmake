# Included by the report tests: a scratch folder with a copy of CATALOGUE,
# the design that SCRIPT saves as DESIGN.dat there, and
# saved_report(ARGS…) to run "kelvane-cli report DESIGN.dat ARGS…" headless
# and read the PDF's text back into `text`.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
file(COPY_FILE ${CATALOGUE} ${SCRATCH}/catalogue.db)
set(headless ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY
    --unset=WAYLAND_DISPLAY)

execute_process(COMMAND ${PROGRAM} run ${SCRIPT} --catalogue ${SCRATCH}/catalogue.db
    WORKING_DIRECTORY ${SCRATCH} TIMEOUT 50
    OUTPUT_QUIET ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS ${SCRATCH}/${DESIGN}.dat)
    message(FATAL_ERROR "the design script did not save the design (${status})\n${errors}")
endif()

function(saved_report)
    execute_process(COMMAND ${headless} ${PROGRAM} report ${DESIGN}.dat -o ${DESIGN}.pdf
            --catalogue ${SCRATCH}/catalogue.db ${ARGN}
        WORKING_DIRECTORY ${SCRATCH} TIMEOUT 50
        OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "report failed with ${status}\n${output}${errors}")
    endif()
    file(READ ${SCRATCH}/${DESIGN}.pdf head LIMIT 4 HEX)
    if(NOT head STREQUAL "25504446")
        message(FATAL_ERROR "${DESIGN}.pdf is no PDF: ${head}")
    endif()
    execute_process(COMMAND pdftotext -layout ${SCRATCH}/${DESIGN}.pdf -
        OUTPUT_VARIABLE pdfText RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "pdftotext cannot read ${DESIGN}.pdf (${status})")
    endif()
    set(text "${pdfText}" PARENT_SCOPE)
endfunction()
