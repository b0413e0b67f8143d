#!/usr/bin/env bash
# Installs everything Velotune needs to build, run and test, from Debian's
# packages. Idempotent: a second run finds everything present and returns
# within seconds.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32 wine64 xvfb xauth x11-apps x11-utils imagemagick
  libgtest-dev libgmock-dev googletest libbenchmark-dev libjpeg-dev
  fonts-wine fonts-liberation
  dpkg-dev nasm clang-format python3 ccache
)

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_ dpkg --add-architecture i386
  need_update=1
fi
# deb-src entries, derived from the machine's own apt sources, so that the
# libjpeg-turbo source package can be fetched for the cross build.
src_list=/etc/apt/sources.list.d/velotune-deb-src.sources
if [ ! -f "$src_list" ]; then
  tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && [ "$f" != "$src_list" ] || continue
    sed -n '/^Types:/!{p;d}; /deb/{s/^Types:.*/Types: deb-src/;p}' "$f" >> "$tmp"
    echo >> "$tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/velotune-deb-src.list.tmp || true
    if [ -s /etc/apt/sources.list.d/velotune-deb-src.list.tmp ]; then
      sudo_ mv /etc/apt/sources.list.d/velotune-deb-src.list.tmp /etc/apt/sources.list.d/velotune-deb-src.list
    else
      rm -f /etc/apt/sources.list.d/velotune-deb-src.list.tmp
    fi
  fi
  sudo_ install -m 644 "$tmp" "$src_list"
  rm -f "$tmp"
  need_update=1
fi
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ] || [ -n "${need_update:-}" ]; then
  sudo_ apt-get update -q
fi
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# libjpeg for the MinGW build: Debian's libjpeg-turbo source, cross-compiled
# into a prefix inside the build folder.
"$here/scripts/build-mingw-jpeg.sh"
