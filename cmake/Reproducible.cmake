# The MinGW build gives the same bytes for the same sources wherever and
# whenever it runs: no folder of the machine in the objects and their debug
# information (the compiler's working folder, the build folder, is ".", and
# sources and generated files are named from the checkout or from the build
# folder: the compiler takes the last map that fits, and the build folder
# may lie inside the checkout), no time stamp in the executables' headers,
# and static libraries without member dates or owners.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
add_link_options(-Wl,--no-insert-timestamp)
foreach(lang C CXX)
  set(CMAKE_${lang}_ARCHIVE_CREATE "<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${lang}_ARCHIVE_APPEND "<CMAKE_AR> qD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${lang}_ARCHIVE_FINISH "<CMAKE_RANLIB> -D <TARGET>")
endforeach()
