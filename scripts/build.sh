#!/usr/bin/env bash
# Builds both trees: build/win (MinGW, velotune.exe and the Windows tests) and
# build/native (portable core, native tests, and the ctest entries that run the
# Windows tests under Wine).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
jobs="${VELOTUNE_JOBS:-$(nproc)}"
cd "$here"
# Several checkouts of the project share one compiler cache: paths below the
# checkout are hashed relative to it.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
fi
if [ ! -f build/win/build.ninja ]; then
  cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build build/win -j "$jobs" ${VELOTUNE_WIN_TARGET:+--target $VELOTUNE_WIN_TARGET}
if [ "${VELOTUNE_WIN_ONLY:-0}" = 1 ]; then exit 0; fi
if [ ! -f build/native/build.ninja ]; then
  cmake -S . -B build/native -G Ninja -DVELOTUNE_WIN_DIR="$here/build/win" >/dev/null
fi
cmake --build build/native -j "$jobs"
