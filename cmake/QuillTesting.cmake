# quill_add_test(<name> SOURCES ... [LIBS ...] [LABEL <label>] [DESKTOP_INPUT] [ALONE] [HEAP_COUNTED]
#                [SLOW <gtest filter> [COST <seconds>]])
# One GoogleTest executable, run under Wine, labelled with its folder's name
# (or LABEL, or QUILL_TEST_LABEL set by a parent folder whose subsystem it belongs to).
# DESKTOP_INPUT: its tests move the cursor, send input or activate windows, so
# they never run beside each other (there is one cursor and one focus).
# Any other test's windows keep out of their way (GuiTestSupport.h).
# ALONE: its tests run with no other test at all, since any window another test
# shows or activates meanwhile can move the pointer or end a mouse capture.
# SLOW: the tests it selects (real capture, long cycles) are labelled slow as
# well, so `scripts/test -LE slow` is a quick loop.
# Where ctest has no timings yet (a fresh clone) it starts the tests of the
# highest COST first. The tests holding the desktop lock run one after another,
# the suite's longest path, so they start before all others; slow tests start
# before the rest of their kind, the longest (COST: about how many seconds the
# slowest takes) first.
# Tests run with Wine's heap checks, so a write into freed or foreign memory fails
# the test where it happens instead of crashing some later run. HEAP_COUNTED: its
# tests count the heap's bytes, which the checks' delayed frees would inflate.
# A test passes only when GoogleTest printed PASSED and nothing failed or crashed.
include(GoogleTest)
function(quill_add_test name)
  cmake_parse_arguments(T "DESKTOP_INPUT;ALONE;HEAP_COUNTED" "LABEL;SLOW;COST" "SOURCES;LIBS" ${ARGN})
  get_filename_component(label ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  if(T_LABEL)
    set(label ${T_LABEL})
  elseif(QUILL_TEST_LABEL)
    set(label ${QUILL_TEST_LABEL})
  endif()
  set(extra "")
  set(cost 0)
  if(T_DESKTOP_INPUT)
    set(extra RESOURCE_LOCK desktop_input)
    set(cost 1000) # above any slow test's own
  endif()
  if(NOT T_COST)
    set(T_COST 10)
  endif()
  math(EXPR slowCost "${cost} + ${T_COST}")
  if(T_ALONE)
    list(APPEND extra RUN_SERIAL TRUE)
  endif()
  if(NOT T_HEAP_COUNTED)
    list(APPEND extra ENVIRONMENT WINEDEBUG=warn+heap)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(NOT T_DESKTOP_INPUT)
    target_compile_definitions(${name} PRIVATE QUILL_TEST_SHARES_DESKTOP)
  endif()
  if(T_SLOW)
    quill_discover_tests(${name} "-${T_SLOW}" ${label} ${extra} COST ${cost})
    # The label list passes through several list expansions on its way to the
    # discovered tests: eight escapes leave its separator standing at the end.
    string(REPEAT "\\" 8 escape)
    quill_discover_tests(${name} "${T_SLOW}" "${label}${escape};slow" ${extra} COST ${slowCost})
  else()
    quill_discover_tests(${name} "*" ${label} ${extra} COST ${cost})
  endif()
endfunction()

# The tests of name that filter selects, with these labels and extra properties.
function(quill_discover_tests name filter labels)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST TEST_FILTER ${filter}
    PROPERTIES LABELS ${labels} TIMEOUT 120 ${ARGN}
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
      FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|Unhandled exception|wine: Unhandled|err:heap|warn:heap:unsafe_block|warn:heap:validate")
endfunction()

# quill_add_bench(<name> SOURCES ... [LIBS ...]): a benchmark, built but never run by ctest.
function(quill_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS})
  set_property(GLOBAL APPEND PROPERTY QUILL_BENCHES ${name})
endfunction()
