# Run by ctest before any test (a TEST_INCLUDE_FILES script; see
# CMakeLists.txt): asks the driver for its tests (--gtest_list_tests, under
# Wine) and adds one ctest test per suite, told how many tests its filter
# selects. The listing is kept beside the driver until the driver changes.
#
# In: runner, build_dir, driver, driver_args (a list), listing, ftp_suites,
# ftp_environment, skip_log.
cmake_policy(VERSION 3.25)

# A test that fails with `message`: what ctest runs when there is nothing
# to list.
function(pravex_failing_test message)
  add_test(e2e.Discovery /bin/sh -c "echo \"$0\" >&2; exit 1" "${message}")
endfunction()

if(NOT EXISTS "${driver}")
  pravex_failing_test("the test driver ${driver} is not built")
  return()
endif()
if(NOT EXISTS "${listing}" OR "${driver}" IS_NEWER_THAN "${listing}")
  execute_process(
    COMMAND "${runner}" "${build_dir}" "${driver}" ${driver_args} --gtest_list_tests
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status TIMEOUT 600)
  if(NOT status EQUAL 0)
    file(REMOVE "${listing}")
    pravex_failing_test("listing the tests of ${driver} failed (${status}): ${errors}")
    return()
  endif()
  file(WRITE "${listing}" "${output}")
endif()
file(STRINGS "${listing}" lines)

# "Suite." starts a suite, "  Test" names one of its tests; a "#" comment
# may follow either (typed and value-parameterised tests).
set(suites "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "[ \t\r]*#.*$" "" line "${line}")
  string(REGEX REPLACE "\r$" "" line "${line}")
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.$")
    set(suite "${CMAKE_MATCH_1}")
    list(APPEND suites "${suite}")
    set(count_${suite} 0)
  elseif(line MATCHES "^  [A-Za-z0-9_/]+$" AND DEFINED suite)
    math(EXPR count_${suite} "${count_${suite}} + 1")
  endif()
endforeach()
if(NOT suites)
  pravex_failing_test("the test driver ${driver} listed no tests")
  return()
endif()

foreach(suite IN LISTS suites)
  set(environment "PRAVEX_E2E_LISTED=${count_${suite}}" "PRAVEX_E2E_SKIP_LOG=${skip_log}")
  if(suite IN_LIST ftp_suites)
    list(APPEND environment ${ftp_environment})
  endif()
  add_test(e2e.${suite} "${runner}" "${build_dir}" "${driver}" ${driver_args}
           "--gtest_filter=${suite}.*")
  # A new Wine prefix takes a while to create on the first run. The suites
  # share the prefix, its registry and drive C:, so they never run at once.
  set_tests_properties(e2e.${suite} PROPERTIES
    TIMEOUT 600
    RESOURCE_LOCK pravex_wineprefix
    ENVIRONMENT "${environment}")
endforeach()
