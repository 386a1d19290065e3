# Saves the design of DESIGN_SCRIPT, exports its bench with kelvane-cli
# spice --bench and runs it in NGSPICE: it must print ipk, irms and a vo of
# every output, and say nothing of a warning or an error.
include(${CMAKE_CURRENT_LIST_DIR}/save_design.cmake)
execute_process(COMMAND ${PROGRAM} spice design.dat --bench -o design.cir
        --catalogue ${SCRATCH}/catalogue.db
    WORKING_DIRECTORY ${SCRATCH}
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "kelvane-cli spice: exit status ${status}\n${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${NGSPICE} -b design.cir
    WORKING_DIRECTORY ${SCRATCH}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "ngspice: exit status ${status}\n${output}\n${errors}")
endif()
string(TOLOWER "${output}\n${errors}" said)
foreach(word IN ITEMS warning error)
    if(said MATCHES "${word}")
        message(FATAL_ERROR "ngspice says ${word}:\n${output}\n${errors}")
    endif()
endforeach()
file(STRINGS ${SCRATCH}/design.cir outputs REGEX "^R[0-9]+ o[0-9]+ 0 ")
list(LENGTH outputs count)
set(measures ipk irms)
foreach(row RANGE 1 ${count})
    list(APPEND measures vo${row})
endforeach()
foreach(measure IN LISTS measures)
    if(NOT output MATCHES "\n${measure} *= *[-+0-9.e]+")
        message(FATAL_ERROR "ngspice printed no ${measure}:\n${output}")
    endif()
endforeach()
