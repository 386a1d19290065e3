# Requires every C++ source under SOURCE_DIR's src, tests, benchmarks and fuzz to be
# as CLANG_FORMAT writes it with the repository's .clang-format.
file(GLOB_RECURSE sources
    ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h
    ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
    ${SOURCE_DIR}/benchmarks/*.cpp ${SOURCE_DIR}/benchmarks/*.h
    ${SOURCE_DIR}/fuzz/*.cpp ${SOURCE_DIR}/fuzz/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${sources}
    WORKING_DIRECTORY ${SOURCE_DIR}
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "not formatted (clang-format -i FILE):\n${errors}")
endif()
