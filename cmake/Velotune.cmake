# Helpers shared by every subsystem's CMakeLists.
#
# velotune_test(NAME SOURCES ... LIBS ...)
#   A GoogleTest executable. In the native build it is registered with ctest as
#   native.NAME; in the MinGW build it is only built (bin/NAME.exe).
# velotune_wine_test(NAME [ARGS ...] [TIMEOUT s] [WIN64])
#   In the native build, registers wine.NAME: bin/NAME.exe of the MinGW build
#   run under Wine by scripts/wine.sh. With WIN64 also wine64.NAME, the same
#   run in the 64-bit prefix, where the program runs under WOW64. With DPI n
#   (120, 144 or 192) only wine<n>.NAME, run in the 32-bit prefix whose
#   display has that DPI. Wine tests never run in parallel.

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
  cmake_parse_arguments(T "WIN64" "TIMEOUT;EXE;DPI" "ARGS" ${ARGN})
  if(WIN32 OR NOT VELOTUNE_WIN_DIR)
    return()
  endif()
  if(NOT T_EXE)
    set(T_EXE ${name})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(runs wine)
  if(T_WIN64)
    list(APPEND runs wine64)
  endif()
  set(dpi 96)
  if(T_DPI)
    set(runs wine${T_DPI})
    set(dpi ${T_DPI})
  endif()
  foreach(run IN LISTS runs)
    set(arch win32)
    if(run STREQUAL wine64)
      set(arch win64)
    endif()
    add_test(NAME ${run}.${name}
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine.sh run ${VELOTUNE_WIN_DIR}/bin/${T_EXE}.exe ${T_ARGS}
             WORKING_DIRECTORY ${VELOTUNE_WIN_DIR}/bin)
    set_tests_properties(${run}.${name} PROPERTIES RESOURCE_LOCK wine TIMEOUT ${T_TIMEOUT}
                         ENVIRONMENT "VELOTUNE_XVFB=1;VELOTUNE_WINEARCH=${arch};VELOTUNE_DPI=${dpi}")
  endforeach()
endfunction()
