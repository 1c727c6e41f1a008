# One helper per kind of test.
#   tally_add_engine_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)  -> GoogleTest, no display
#   tally_add_window_test(NAME SOURCES a.cpp LIBS lib1)             -> Qt Test on the offscreen platform
function(tally_add_engine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "LANG=C.UTF-8;TZ=UTC;TALLY_SOURCE_DIR=${PROJECT_SOURCE_DIR};TALLY_BINARY_DIR=${PROJECT_BINARY_DIR}"
    LABELS engine)
endfunction()

function(tally_add_window_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test Qt6::Widgets)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;TZ=UTC;TALLY_SOURCE_DIR=${PROJECT_SOURCE_DIR};TALLY_BINARY_DIR=${PROJECT_BINARY_DIR}"
    LABELS gui)
endfunction()
