# One helper per kind of test; each registers one CTest test per test case, named
# <program>.<case>, so a failure names the case and `ctest -R <program>` still runs them all.
#   tally_add_engine_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)  -> GoogleTest, no display
#   tally_add_window_test(NAME SOURCES a.cpp LIBS lib1)             -> Qt Test on the offscreen platform
#
# Run as a script (cmake -P) this file lists the functions of one Qt Test program: see the end.

if(CMAKE_SCRIPT_MODE_FILE)
  # Called after a window test program is built, like gtest_discover_tests does for GoogleTest:
  #   -D PROGRAM=<name> -D EXECUTABLE=<file> -D CTEST_FILE=<out> -D DISCOVERY_TIMEOUT=<s>
  # Listing the functions starts the program but runs none of them (no initTestCase either).
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            "${EXECUTABLE}" -functions
    OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE status
    TIMEOUT ${DISCOVERY_TIMEOUT})
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${EXECUTABLE} -functions failed (${status}):\n${listing}\n${errors}")
  endif()
  string(REPLACE "\n" ";" lines "${listing}")
  set(script "")
  set(names "")
  foreach(line IN LISTS lines)
    # One line per test function: "name()". Qt Test runs initTestCase/cleanupTestCase around it.
    if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\\(\\)$")
      set(function "${CMAKE_MATCH_1}")
      string(APPEND script "add_test([==[${PROGRAM}.${function}]==] [==[${EXECUTABLE}]==] ${function})\n")
      list(APPEND names "${PROGRAM}.${function}")
    endif()
  endforeach()
  if(NOT names)
    message(FATAL_ERROR "${EXECUTABLE} -functions listed no test function:\n${listing}")
  endif()
  string(APPEND script "set(${PROGRAM}_TESTS [==[${names}]==])\n")
  file(WRITE "${CTEST_FILE}.tmp" "${script}")
  file(RENAME "${CTEST_FILE}.tmp" "${CTEST_FILE}")
  return()
endif()

include(GoogleTest)

set(TALLY_TEST_TIMEOUT 300 CACHE STRING "Seconds one test case may take before CTest stops it")
set(TALLY_TEST_DISCOVERY_TIMEOUT 60 CACHE STRING "Seconds a test program may take to list its cases")
set(TALLY_TESTING_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

# Properties of every test case of `program`, applied once its cases are known. A file of
# TEST_INCLUDE_FILES, after the one that adds the cases, so that list values (ENVIRONMENT)
# keep their semicolons.
function(_tally_case_properties program environment label)
  set(fixture "")
  if(ARGN)
    set(fixture "    FIXTURES_REQUIRED ${ARGN}\n")
  endif()
  set(file "${CMAKE_CURRENT_BINARY_DIR}/${program}_properties.cmake")
  file(WRITE "${file}"
    "if(${program}_TESTS)\n"
    "  set_tests_properties(\${${program}_TESTS} PROPERTIES\n"
    "    ENVIRONMENT [==[${environment}]==]\n"
    "    LABELS ${label}\n"
    "${fixture}"
    "    TIMEOUT ${TALLY_TEST_TIMEOUT}\n"
    "    WORKING_DIRECTORY [==[${CMAKE_CURRENT_BINARY_DIR}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${file}")
endfunction()

# The test programs share two precompiled headers, one for GoogleTest and one for Qt Test
# with the widgets, each built once by a small host program that the tests reuse it from.
# A header is reused only under the flags it was made with. Qt's targets add -fPIC to
# whatever links them, so every test and host gets it, with or without Qt. Through a
# precompiled header GCC 12 no longer sees the standard library's inlined string copies
# as system code and reports its own false positives there (array bounds, overlapping
# copies): off for the test programs.
function(_tally_pch_flags target)
  if(NOT WIN32)
    target_compile_options(${target} PRIVATE -fPIC)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-restrict -Wno-stringop-overflow)
  endif()
endfunction()

function(_tally_pch_host host)
  cmake_parse_arguments(H "" "" "LIBS;HEADERS" ${ARGN})
  set(source "${PROJECT_BINARY_DIR}/tests/${host}.cpp")
  if(NOT EXISTS "${source}")
    file(WRITE "${source}" "int main() { return 0; }\n")
  endif()
  add_executable(${host} "${source}")
  target_link_libraries(${host} PRIVATE ${H_LIBS})
  _tally_pch_flags(${host})
  target_precompile_headers(${host} PRIVATE ${H_HEADERS})
endfunction()

function(_tally_use_pch name host)
  if(NOT TALLYVANE_TEST_PCH)
    return()
  endif()
  _tally_pch_flags(${name})
  target_precompile_headers(${name} REUSE_FROM ${host})
endfunction()

# Qt Test without the two folder names Qt6::Test defines for QFINDTESTDATA (no test uses
# it): they differ from folder to folder, so no precompiled header would fit two folders,
# and they name the checkout, so another checkout would compile every window test anew.
add_library(tally_qt_test INTERFACE)
target_link_libraries(tally_qt_test INTERFACE $<LINK_ONLY:Qt6::Test> Qt6::Widgets)
target_include_directories(tally_qt_test INTERFACE $<TARGET_PROPERTY:Qt6::Test,INTERFACE_INCLUDE_DIRECTORIES>)
target_compile_definitions(tally_qt_test INTERFACE QT_TESTLIB_LIB)

option(TALLYVANE_TEST_PCH "Precompile the GoogleTest and Qt Test headers of the test programs" ON)
if(TALLYVANE_TEST_PCH)
  _tally_pch_host(tally_engine_test_pch LIBS GTest::gtest
    HEADERS <gtest/gtest.h> <algorithm> <filesystem> <map> <memory> <optional> <set> <string> <vector>)
  _tally_pch_host(tally_window_test_pch LIBS tally_qt_test
    HEADERS <QtTest/QtTest> <QtWidgets/QtWidgets> <memory> <string> <vector>)
endif()

# The T-SQL extension the ODBC tests hand SQLite's driver (see cmake/Windows.cmake for the
# Windows build), and the extension of the connection-failure test.
if(CMAKE_CROSSCOMPILING)
  set(TALLY_TEST_TSQL_EXTENSION "${PROJECT_BINARY_DIR}/host/libtally_tsql_sqlite.so")
  set(TALLY_TEST_REFUSE_QUERY_ONLY_EXTENSION "${PROJECT_BINARY_DIR}/host/libtally_test_refuse_query_only.so")
else()
  set(TALLY_TEST_TSQL_EXTENSION "$<TARGET_FILE:tally_tsql_sqlite>")
  set(TALLY_TEST_REFUSE_QUERY_ONLY_EXTENSION "$<TARGET_FILE:tally_test_refuse_query_only>")
endif()

# The demo database the window tests read, made once per CTest run (tests/CMakeLists.txt).
set(TALLY_WINDOW_DEMO_DB "${PROJECT_BINARY_DIR}/tests/window-demo.sqlite")

set(TALLY_TEST_ENVIRONMENT "LANG=C.UTF-8;TZ=UTC;TALLY_SOURCE_DIR=${PROJECT_SOURCE_DIR};TALLY_BINARY_DIR=${PROJECT_BINARY_DIR}")

# Under Wine (the Windows build) a program starts in about a second: each test program is
# one CTest test there, run whole, instead of one per case.
function(_tally_whole_program_test name command environment label)
  add_test(NAME ${name} COMMAND ${command})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${environment}" LABELS ${label} TIMEOUT ${TALLY_TEST_TIMEOUT}
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}" ${ARGN})
endfunction()

function(tally_add_engine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  _tally_use_pch(${name} tally_engine_test_pch)
  if(CMAKE_CROSSCOMPILING)
    _tally_whole_program_test(${name} ${name} "${TALLY_TEST_ENVIRONMENT}" engine)
    return()
  endif()
  # Parameterised cases are named by their parameter's name, not by its printed value.
  gtest_discover_tests(${name}
    TEST_PREFIX ${name}.
    TEST_LIST ${name}_TESTS
    NO_PRETTY_TYPES NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT ${TALLY_TEST_DISCOVERY_TIMEOUT})
  _tally_case_properties(${name} "${TALLY_TEST_ENVIRONMENT}" engine)
endfunction()

function(tally_add_window_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} tally_qt_test)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  _tally_use_pch(${name} tally_window_test_pch)
  set(environment "QT_QPA_PLATFORM=offscreen;TALLY_WINDOW_DEMO_DB=${TALLY_WINDOW_DEMO_DB};${TALLY_TEST_ENVIRONMENT}")
  if(CMAKE_CROSSCOMPILING)
    _tally_whole_program_test(${name} "${TALLY_RUN_QTEST};$<TARGET_FILE:${name}>" "${environment}" gui
      FIXTURES_REQUIRED window_demo)
    return()
  endif()
  set(cases "${CMAKE_CURRENT_BINARY_DIR}/${name}_cases.cmake")
  add_custom_command(TARGET ${name} POST_BUILD
    BYPRODUCTS "${cases}"
    COMMAND ${CMAKE_COMMAND} -D PROGRAM=${name} -D EXECUTABLE=$<TARGET_FILE:${name}> -D CTEST_FILE=${cases}
            -D DISCOVERY_TIMEOUT=${TALLY_TEST_DISCOVERY_TIMEOUT} -P ${TALLY_TESTING_SCRIPT}
    VERBATIM)
  set(include "${CMAKE_CURRENT_BINARY_DIR}/${name}_include.cmake")
  file(WRITE "${include}"
    "if(EXISTS [==[${cases}]==])\n"
    "  include([==[${cases}]==])\n"
    "else()\n"
    "  add_test(${name}_NOT_BUILT ${name}_NOT_BUILT)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include}")
  _tally_case_properties(${name} "${environment}" gui window_demo)
endfunction()
