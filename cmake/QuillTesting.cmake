# quill_add_test(<name> SOURCES ... [LIBS ...] [LABEL <label>])
# One GoogleTest executable, run under Wine, labelled with its folder's name
# (or LABEL, for a sub-folder that belongs to its parent's subsystem).
# A test passes only when GoogleTest printed PASSED and nothing failed or crashed.
include(GoogleTest)
function(quill_add_test name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS" ${ARGN})
  get_filename_component(label ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  if(T_LABEL)
    set(label ${T_LABEL})
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${label} TIMEOUT 120
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
      FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|Unhandled exception|wine: Unhandled")
endfunction()

# quill_add_bench(<name> SOURCES ... [LIBS ...]): a benchmark, built but never run by ctest.
function(quill_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS})
  set_property(GLOBAL APPEND PROPERTY QUILL_BENCHES ${name})
endfunction()
