# Stands in for a program in the tests of the golden comparison: prints one
# snapshot on one line.
execute_process(COMMAND ${CMAKE_COMMAND} -E echo
    [=[{"fields":{"TxtUmin":"86","txtudc":"310"},"MS":[["NO.","输出电压V"],["1","5"]],"page":0}]=])
