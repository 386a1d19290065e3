# kelvane-cli report, headless: a design saved by a design script becomes an
# A4 PDF with the CJK font embedded, its Chinese text and the window's
# numbers; a folder that does not exist and a missing design fail with a
# message and no file.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
file(COPY_FILE ${CATALOGUE} ${SCRATCH}/catalogue.db)
set(headless ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY
    --unset=WAYLAND_DISPLAY)

execute_process(COMMAND ${PROGRAM} run ${SCRIPT} --catalogue ${SCRATCH}/catalogue.db
    WORKING_DIRECTORY ${SCRATCH} TIMEOUT 50
    OUTPUT_QUIET ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS ${SCRATCH}/flyback.dat)
    message(FATAL_ERROR "the design script did not save the design (${status})\n${errors}")
endif()

execute_process(COMMAND ${headless} ${PROGRAM} report flyback.dat -o flyback.pdf
        --catalogue ${SCRATCH}/catalogue.db
    WORKING_DIRECTORY ${SCRATCH} TIMEOUT 50
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "report failed with ${status}\n${output}${errors}")
endif()
file(READ ${SCRATCH}/flyback.pdf head LIMIT 4 HEX)
if(NOT head STREQUAL "25504446")
    message(FATAL_ERROR "flyback.pdf is no PDF: ${head}")
endif()

execute_process(COMMAND pdftotext -layout ${SCRATCH}/flyback.pdf -
    OUTPUT_VARIABLE text RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "pdftotext cannot read flyback.pdf (${status})")
endif()
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
