# Coverage (ORX2_COVERAGE, set by the preset `coverage`, which is the asan build compiled with
# --coverage): the target coverage_report reads the counters the tests left and writes, with gcovr,
#   <build>/coverage.html   per file, line by line, with the branches taken and not taken;
#   <build>/coverage.txt    the lines per file;
#   <build>/coverage-summary.txt   line and branch coverage of the library (base/, businesslayer/,
#                                  host/), of the reference host and of the Qt bridge, also printed.
# Tests and programs are not measured. Branches that only throw or that the compiler proves unreachable
# are left out. `cmake --workflow --preset coverage` configures, builds, tests and reports.
if(NOT ORX2_COVERAGE)
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    message(FATAL_ERROR "ORX2_COVERAGE needs g++ (gcov counters)")
endif()
find_program(GCOVR gcovr REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(measured)
foreach(folder base businesslayer host reference_host qtbridge)
    list(APPEND measured --filter "${PROJECT_SOURCE_DIR}/${folder}/")
endforeach()
add_custom_target(coverage_report
    COMMAND ${GCOVR} --root ${PROJECT_SOURCE_DIR} ${measured}
            --exclude-unreachable-branches --exclude-throw-branches --gcov-ignore-parse-errors -j 2
            --html-details ${PROJECT_BINARY_DIR}/coverage.html --html-title "ORX2_Common: coverage of the tests"
            --txt ${PROJECT_BINARY_DIR}/coverage.txt
            --json-summary ${PROJECT_BINARY_DIR}/coverage.json
            ${PROJECT_BINARY_DIR}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/coverage-summary ${PROJECT_BINARY_DIR}/coverage.json
            ${PROJECT_BINARY_DIR}/coverage-summary.txt
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    COMMENT "Coverage report: ${PROJECT_BINARY_DIR}/coverage.html"
    VERBATIM)
