# Registers a Qt Test executable with CTest in one line:
#   vorelind_add_test(tst_name SOURCES a.cpp b.cpp LIBS lib1 lib2)
function(vorelind_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  # Every program a test starts keeps its settings in a folder of the test's own.
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VORELIND_BIN_DIR=${CMAKE_BINARY_DIR}/bin;VORELIND_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/tests/settings/${name}")
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/versionrecord.cmake)
