# Rewrites each golden file named after the script in the pretty form the
# golden tests require; a file may hold what kelvane-cli printed (one
# snapshot a line) or be in the pretty form already.
#
#     cmake -P tools/pretty_golden.cmake tests/golden/design/outputs.expected ...
include(${CMAKE_CURRENT_LIST_DIR}/../tests/golden/snapshot_text.cmake)

# The files are the arguments after the script's own name.
set(files "")
set(script_at -1)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(index RANGE ${last})
    if(script_at GREATER_EQUAL 0 AND index GREATER script_at)
        list(APPEND files "${CMAKE_ARGV${index}}")
    elseif(script_at LESS 0 AND "${CMAKE_ARGV${index}}" STREQUAL "-P")
        math(EXPR script_at "${index} + 1")
    endif()
endforeach()
if(files STREQUAL "")
    message(FATAL_ERROR "usage: cmake -P tools/pretty_golden.cmake FILE...")
endif()

foreach(file IN LISTS files)
    file(READ "${file}" text)
    snapshot_read_pretty(snapshots "${text}")
    if(NOT snapshots_PRETTY)
        snapshot_read_lines(snapshots "${text}" "${file}")
    endif()
    set(pretty "")
    set(index 0)
    while(index LESS snapshots_COUNT)
        math(EXPR index "${index} + 1")
        snapshot_render(snapshot "${snapshots_${index}}" "" LINES)
        string(APPEND pretty "${snapshot}\n")
    endwhile()
    file(WRITE "${file}" "${pretty}")
    message(STATUS "${file}: ${snapshots_COUNT} snapshots")
endforeach()
