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
  if(CMAKE_CROSSCOMPILING)
    # A Windows executable can't list its tests at build time, and starting
    # the emulator once per test is slow: the whole executable is one test.
    # Wine shows the host's root as drive Z:.
    target_compile_definitions(${name} PRIVATE
      VANTREL_DATA_DIR="Z:${PROJECT_SOURCE_DIR}/data")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS ${name})
  else()
    target_compile_definitions(${name} PRIVATE
      VANTREL_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${name})
  endif()
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
