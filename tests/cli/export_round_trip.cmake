# kelvane-cli import, export, import, export: the second export must equal
# the first byte for byte, and the counts must agree. PROGRAM, MATERIALS,
# CORES, SCRATCH.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})

function(run)
    execute_process(COMMAND ${PROGRAM} ${ARGN}
        WORKING_DIRECTORY ${SCRATCH}
        TIMEOUT 50
        OUTPUT_VARIABLE out
        ERROR_VARIABLE err
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${PROGRAM} ${ARGN}: exit status ${status}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run(import first.db --materials ${MATERIALS} --cores ${CORES})
string(REGEX MATCH "imported ([0-9]+) materials and ([0-9]+) cores" imported "${out}")
set(counts "${CMAKE_MATCH_1} materials and ${CMAKE_MATCH_2} cores")
run(export first.db --materials m1.csv --cores c1.csv)
if(NOT out MATCHES "exported ${counts} from first.db")
    message(FATAL_ERROR "import said ${counts}, export said: ${out}")
endif()
run(import second.db --materials m1.csv --cores c1.csv)
run(export second.db --materials m2.csv --cores c2.csv)
foreach(table m c)
    file(READ ${SCRATCH}/${table}1.csv first)
    file(READ ${SCRATCH}/${table}2.csv second)
    if(NOT first STREQUAL second)
        message(FATAL_ERROR "${table}2.csv differs from ${table}1.csv")
    endif()
endforeach()

execute_process(COMMAND ${PROGRAM} export missing.db --cores x.csv
    WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR EXISTS ${SCRATCH}/missing.db)
    message(FATAL_ERROR "exporting a missing catalogue: status ${status}, ${err}")
endif()
