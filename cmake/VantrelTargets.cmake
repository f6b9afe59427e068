# vantrel_add_test(NAME SOURCES src... LIBS lib...)
# One GoogleTest executable, registered with CTest test by test.
# Tests find the committed sample data through VANTREL_DATA_DIR.
function(vantrel_add_test name)
  if(NOT VANTREL_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VANTREL_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${name})
endfunction()

# vantrel_add_benchmark(NAME SOURCES src... LIBS lib...)
function(vantrel_add_benchmark name)
  if(NOT VANTREL_BUILD_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  target_compile_definitions(${name} PRIVATE
    VANTREL_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
endfunction()
