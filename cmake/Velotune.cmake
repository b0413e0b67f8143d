# Helpers shared by every subsystem's CMakeLists.
#
# velotune_test(NAME SOURCES ... LIBS ...)
#   A GoogleTest executable. In the native build it is registered with ctest as
#   native.NAME; in the MinGW build it is only built (bin/NAME.exe).
# velotune_wine_test(NAME [ARGS ...] [TIMEOUT s] [WIN64])
#   In the native build, registers wine.NAME: bin/NAME.exe of the MinGW build
#   run under Wine by scripts/wine.sh. With WIN64 also wine64.NAME, the same
#   run in the 64-bit prefix, where the program runs under WOW64. Wine tests
#   never run in parallel.

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
  cmake_parse_arguments(T "WIN64" "TIMEOUT;EXE" "ARGS" ${ARGN})
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
  foreach(run IN LISTS runs)
    set(arch win32)
    if(run STREQUAL wine64)
      set(arch win64)
    endif()
    add_test(NAME ${run}.${name}
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine.sh run ${VELOTUNE_WIN_DIR}/bin/${T_EXE}.exe ${T_ARGS}
             WORKING_DIRECTORY ${VELOTUNE_WIN_DIR}/bin)
    set_tests_properties(${run}.${name} PROPERTIES RESOURCE_LOCK wine TIMEOUT ${T_TIMEOUT}
                         ENVIRONMENT "VELOTUNE_XVFB=1;VELOTUNE_WINEARCH=${arch}")
  endforeach()
endfunction()

# Files CMake writes for the sources and resources: the version header and the
# manifests.
set(VELOTUNE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

# velotune_split_debug_info(TARGET)
#   Users get the program without its debug information (about a tenth of the
#   size); the information stays beside it in TARGET.exe.debug, which the
#   program names in a debug link, so a debugger finds it for crash analysis.
#   objcopy stamps the files it writes with the time, or with
#   SOURCE_DATE_EPOCH: 0, as the linker leaves it.
function(velotune_split_debug_info target)
  set(exe $<TARGET_FILE_NAME:${target}>)
  set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug ${exe} ${exe}.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${exe}.debug ${exe}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Keeping ${target}'s debug information in ${exe}.debug")
endfunction()

# velotune_manifest(FILE NAME LEVEL [COMMON_CONTROLS])
#   Writes the application manifest FILE into the generated folder: the
#   assembly NAME at the project's version, the execution level LEVEL, the
#   systems from Vista to Windows 10 and 11, and with COMMON_CONTROLS
#   version 6 of the common controls.
function(velotune_manifest file name level)
  cmake_parse_arguments(M "COMMON_CONTROLS" "" "" ${ARGN})
  set(MANIFEST_NAME ${name})
  set(MANIFEST_LEVEL ${level})
  set(MANIFEST_DEPENDENCY "")
  if(M_COMMON_CONTROLS)
    string(CONCAT MANIFEST_DEPENDENCY
      "  <dependency>\n"
      "    <dependentAssembly>\n"
      "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"\n"
      "                        processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n"
      "    </dependentAssembly>\n"
      "  </dependency>\n")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/assets/app.manifest.in ${VELOTUNE_GENERATED_DIR}/${file} @ONLY)
endfunction()
