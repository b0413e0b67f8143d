#!/usr/bin/env bash
# Cross-compiles Debian's libjpeg-turbo for i686 MinGW into build/deps/jpeg.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
deps="$here/build/deps"
prefix="$deps/jpeg"
[ -f "$prefix/lib/libjpeg.a" ] && exit 0
mkdir -p "$deps/src"
cd "$deps/src"
if ! ls -d libjpeg-turbo-*/ >/dev/null 2>&1; then
  apt-get source -q libjpeg-turbo >"$deps/jpeg-source.log" 2>&1
fi
srcdir=$(ls -d "$deps"/src/libjpeg-turbo-*/ | head -n 1)
rm -rf "$deps/jpeg-build"
cmake -S "$srcdir" -B "$deps/jpeg-build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
  -DWITH_JPEG8=OFF -Wno-dev >"$deps/jpeg-configure.log" 2>&1
cmake --build "$deps/jpeg-build" --target install >"$deps/jpeg-build.log" 2>&1
echo "setup: libjpeg for MinGW in $prefix"
