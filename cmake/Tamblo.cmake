# Small helpers so that every subsystem declares its targets the same way.

# tamblo_library(<name> SOURCES ... [DEPS ...] [PKG ...])
# A static library whose headers are included as "<folder>/<file>.h" from the repository root.
function(tamblo_library name)
  cmake_parse_arguments(L "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_features(${name} PUBLIC cxx_std_20)
  if(L_DEPS)
    target_link_libraries(${name} PUBLIC ${L_DEPS})
  endif()
endfunction()

# tamblo_test(<name> SOURCES ... [DEPS ...]): a GoogleTest executable registered with CTest.
function(tamblo_test name)
  cmake_parse_arguments(T "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    TAMBLO_TEST_OUTPUT_DIR="${PROJECT_BINARY_DIR}/test-output"
    TAMBLO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/test-output)
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# tamblo_bench(<name> SOURCES ... [DEPS ...]): a Google Benchmark executable (built, never run by CTest).
function(tamblo_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_DEPS} benchmark::benchmark benchmark::benchmark_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bench)
endfunction()
