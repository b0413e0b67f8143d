# Helpers shared by every subsystem's CMakeLists.
#
# velotune_test(NAME SOURCES ... LIBS ...)
#   A GoogleTest executable. In the native build it is registered with ctest as
#   native.NAME; in the MinGW build it is only built (bin/NAME.exe).
# velotune_wine_test(NAME [ARGS ...] [TIMEOUT s])
#   In the native build, registers wine.NAME: bin/NAME.exe of the MinGW build
#   run under Wine by scripts/wine.sh. Wine tests never run in parallel.

function(velotune_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(NOT WIN32)
    add_test(NAME native.${name} COMMAND ${name})
  endif()
endfunction()

function(velotune_wine_test name)
  cmake_parse_arguments(T "" "TIMEOUT;EXE" "ARGS" ${ARGN})
  if(WIN32 OR NOT VELOTUNE_WIN_DIR)
    return()
  endif()
  if(NOT T_EXE)
    set(T_EXE ${name})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME wine.${name}
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine.sh run ${VELOTUNE_WIN_DIR}/bin/${T_EXE}.exe ${T_ARGS}
           WORKING_DIRECTORY ${VELOTUNE_WIN_DIR}/bin)
  set_tests_properties(wine.${name} PROPERTIES RESOURCE_LOCK wine TIMEOUT ${T_TIMEOUT}
                       ENVIRONMENT "VELOTUNE_XVFB=1")
endfunction()
