# kelvane-cli report, headless: a design saved by a design script becomes an
# A4 PDF with the CJK font embedded, its Chinese text and the window's
# numbers; a folder that does not exist and a missing design fail with a
# message and no file.
set(DESIGN flyback)
include(${CMAKE_CURRENT_LIST_DIR}/saved_report.cmake)
saved_report()

# The title, the file's name, the page footer, the circuit, the core, the
# worked figures (Is, Ipk, Lp with its band) and a hipot requirement.
foreach(expected "开关变压器设计报告" "flyback.dat" "储能变压器" "EE16"
        "0.60 A" "2.25 A" "0.533 mH ±10%" "3000Vac,50/60Hz,0.7mA,60S")
    string(FIND "${text}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the report lacks \"${expected}\":\n${text}")
    endif()
endforeach()

# The footer of the first page, and text the font draws with the glyph of
# a look-alike (页 and ⻚, 文 and ⽂, 胶 and 㬵, ～ and 〜): copied out of the
# PDF, each reads as the character written.
if(NOT text MATCHES "第 ?1 ?页 ?/ ?共 ?[2-9] ?页")
    message(FATAL_ERROR "the report has no page footer:\n${text}")
endif()
foreach(expected "设计文件：flyback.dat" "日期：" "聚酯胶带" "0.480～0.586 mH")
    string(FIND "${text}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "\"${expected}\" does not copy out of the report:\n${text}")
    endif()
endforeach()
foreach(lookalike "⻚" "⽂" "⽇" "㬵" "〜")
    string(FIND "${text}" "${lookalike}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "the report's text holds the look-alike ${lookalike}:\n${text}")
    endif()
endforeach()

# Core and material are chosen: nothing reads "not chosen".
string(FIND "${text}" "未选择" at)
if(NOT at EQUAL -1)
    message(FATAL_ERROR "the chosen design's report reads 未选择:\n${text}")
endif()

execute_process(COMMAND pdffonts ${SCRATCH}/flyback.pdf
    OUTPUT_VARIABLE fonts RESULT_VARIABLE status)
if(NOT fonts MATCHES "NotoSansCJK[^\n]* yes ")
    message(FATAL_ERROR "the CJK font is not embedded:\n${fonts}")
endif()

execute_process(COMMAND ${headless} ${PROGRAM} report flyback.dat -o missing/flyback.pdf
        --catalogue ${SCRATCH}/catalogue.db
    WORKING_DIRECTORY ${SCRATCH} TIMEOUT 50
    OUTPUT_QUIET ERROR_VARIABLE errors RESULT_VARIABLE status)
if(status EQUAL 0 OR NOT errors MATCHES "无法写入" OR EXISTS ${SCRATCH}/missing)
    message(FATAL_ERROR "an unwritable report passed (${status}): ${errors}")
endif()

execute_process(COMMAND ${headless} ${PROGRAM} report nothing.dat -o nothing.pdf
        --catalogue ${SCRATCH}/catalogue.db
    WORKING_DIRECTORY ${SCRATCH} TIMEOUT 50
    OUTPUT_QUIET ERROR_VARIABLE errors RESULT_VARIABLE status)
if(status EQUAL 0 OR errors STREQUAL "" OR EXISTS ${SCRATCH}/nothing.pdf)
    message(FATAL_ERROR "a missing design passed (${status}): ${errors}")
endif()

# The same report in English: the worked figures as before, the datasheet's
# terms, and no Chinese left, the catalogue's texts included.
saved_report(--lang en)
foreach(expected "Switching transformer design report" "flyback.dat" "EE16" "0.60 A" "2.25 A"
        "0.533 mH ±10%" "Primary inductance" "Air gap" "3000Vac,50/60Hz,0.7mA,60S")
    string(FIND "${text}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the English report lacks \"${expected}\":\n${text}")
    endif()
endforeach()
file(WRITE ${SCRATCH}/english.txt "${text}")
execute_process(COMMAND grep -P "\\p{Han}" ${SCRATCH}/english.txt
    OUTPUT_VARIABLE chinese RESULT_VARIABLE status)
if(NOT status EQUAL 1)
    message(FATAL_ERROR "the English report holds Chinese (${status}):\n${chinese}")
endif()
