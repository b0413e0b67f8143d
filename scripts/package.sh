#!/usr/bin/env bash
# Builds the release and writes the download into dist/.
#
#   package.sh            dist/velotune-VERSION-win32.zip (velotune.exe,
#                         velotune-cli.exe, FIXER, README.txt),
#                         dist/velotune-VERSION-win32-debug.zip (the two
#                         programs' debug files) and dist/SHA256SUMS
#   package.sh --verify   builds the last commit twice, one after the other in
#                         two scratch folders of different paths (one in the
#                         temporary folder, one in build/), compiling
#                         everything afresh, and compares the two downloads
#                         byte for byte; exits with 1 when they differ
#
# The same commit gives the same bytes wherever and whenever it is built: the
# programs carry no time stamps and no build paths (cmake/Reproducible.cmake),
# and the archives list their entries in a fixed order, each dated at the
# commit's time (or SOURCE_DATE_EPOCH, for sources outside git).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

package() {
  if [ "${VELOTUNE_PACKAGE_SETUP:-1}" = 1 ]; then "$here/scripts/setup.sh"; fi
  local epoch="${SOURCE_DATE_EPOCH:-}"
  if [ -z "$epoch" ] && ! epoch=$(git -C "$here" log -1 --format=%ct 2>/dev/null); then
    echo "package: outside git, set SOURCE_DATE_EPOCH to the sources' time" >&2
    exit 2
  fi
  export SOURCE_DATE_EPOCH="$epoch"
  "$here/scripts/build-mingw-jpeg.sh"
  # Without the compiler cache: with a base folder (as build.sh sets it) it
  # hands the compiler relative paths, which name the sources otherwise than
  # a build without it does. Configured every time, so that a build folder
  # made otherwise is brought in line.
  local build="$here/build/release"
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER_LAUNCHER= \
    -DCMAKE_CXX_COMPILER_LAUNCHER= >/dev/null
  cmake --build "$build" -j "${VELOTUNE_JOBS:-$(nproc)}" \
    --target velotune velotune-cli velotune_fixer_files
  local version
  version=$(sed -n 's/^#define VELOTUNE_VERSION_TEXT "\(.*\)"$/\1/p' \
    "$build/generated/velotune_version.h")
  local name="velotune-$version-win32"

  local stage="$build/package" bin="$build/bin"
  rm -rf "$stage"
  mkdir -p "$stage/program" "$stage/debug"
  cp "$bin/velotune.exe" "$bin/velotune-cli.exe" "$stage/program/"
  cp -R "$bin/FIXER" "$stage/program/FIXER"
  # Notepad of older systems wants carriage returns.
  sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/assets/readme.txt" \
    >"$stage/program/README.txt"
  cp "$bin/velotune.exe.debug" "$bin/velotune-cli.exe.debug" "$stage/debug/"

  local dist="${VELOTUNE_DIST:-$here/dist}"
  mkdir -p "$dist"
  rm -f "$dist/$name.zip" "$dist/$name-debug.zip" "$dist/SHA256SUMS"
  python3 "$here/scripts/make_zip.py" "$dist/$name.zip" "$epoch" "$stage/program"
  python3 "$here/scripts/make_zip.py" "$dist/$name-debug.zip" "$epoch" "$stage/debug"
  (cd "$dist" && sha256sum "$name.zip" "$name-debug.zip" >SHA256SUMS)
  echo "package: in $dist"
  (cd "$dist" && ls -l "$name.zip" "$name-debug.zip" | awk '{print "  " $5 " bytes  " $9}' &&
    sed 's/^/  /' SHA256SUMS)
}

# What differs between two downloads, entry by entry.
differences() {
  python3 - "$1" "$2" <<'EOF'
import sys, zipfile
a, b = sys.argv[1], sys.argv[2]
za, zb = zipfile.ZipFile(a), zipfile.ZipFile(b)
ia = {i.filename: i for i in za.infolist()}
ib = {i.filename: i for i in zb.infolist()}
for name in sorted(set(ia) | set(ib)):
    x, y = ia.get(name), ib.get(name)
    if x is None or y is None:
        print("  only in one:", name)
    elif za.read(name) != zb.read(name):
        print("  content differs:", name)
    elif (x.date_time, x.external_attr, x.compress_type) != (y.date_time, y.external_attr, y.compress_type):
        print("  entry differs:", name)
EOF
}

verify() {
  local started
  started=$(date +%s)
  "$here/scripts/setup.sh"
  if ! git -C "$here" diff --quiet HEAD -- 2>/dev/null; then
    echo "package: --verify builds the last commit; uncommitted changes are left out" >&2
  fi
  local scratch second
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/velotune-verify.XXXXXX")
  mkdir -p "$here/build"
  second=$(mktemp -d "$here/build/verify.XXXXXX")
  trap "rm -rf '$scratch' '$second'" EXIT
  # Different depths and names, one in the temporary folder and one in the
  # checkout's build folder (usually on either side of /usr, where the
  # system's libraries are), so that a build path that slipped into the
  # programs, or into the order of their parts, shows.
  local sources=("$scratch/a/velotune" "$second/second/build-here/src")
  export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct)}"
  local n
  for n in 0 1; do
    local src="${sources[$n]}"
    mkdir -p "$src/build/deps"
    git -C "$here" archive HEAD | tar -x -C "$src"
    # Debian's libjpeg-turbo sources as setup fetched them, built again here.
    cp -R "$here/build/deps/src" "$src/build/deps/src"
    echo "package: building the last commit in $src"
    if ! (export VELOTUNE_PACKAGE_SETUP=0 VELOTUNE_DIST="$scratch/dist$n" &&
      "$src/scripts/package.sh") >"$scratch/build$n.log" 2>&1; then
      tail -n 30 "$scratch/build$n.log" >&2
      echo "package: the build in $src failed" >&2
      exit 1
    fi
  done
  local same=1 file
  for file in "$scratch/dist0"/*; do
    if ! cmp -s "$file" "$scratch/dist1/$(basename "$file")"; then
      same=0
      echo "package: $(basename "$file") differs between the two builds" >&2
      case "$file" in *.zip) differences "$file" "$scratch/dist1/$(basename "$file")" >&2 ;; esac
    fi
  done
  local took=$(($(date +%s) - started))
  if [ "$same" = 1 ]; then
    echo "package: two builds of $(git -C "$here" rev-parse --short HEAD) in different folders" \
      "gave the same bytes ($((took / 60)) min $((took % 60)) s):"
    ls -l "$scratch/dist0"/*.zip | awk '{print "  " $5 " bytes  " $9}' | sed "s|$scratch/dist0/||"
    sed 's/^/  /' "$scratch/dist0/SHA256SUMS"
  fi
  [ "$same" = 1 ]
}

case "${1:-}" in
  "") package ;;
  --verify) verify ;;
  *)
    echo "usage: package.sh [--verify]" >&2
    exit 2
    ;;
esac
