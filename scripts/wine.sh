#!/usr/bin/env bash
# The Wine helper used by the run command and the tests.
#
#   wine.sh prefix                 create the private prefix (once)
#   wine.sh run EXE [ARGS...]      run EXE in the prefix and return its exit code
#   wine.sh shot PNG EXE [ARGS...] run EXE, wait VELOTUNE_SHOT_DELAY seconds,
#                                  save a screenshot of the display, stop EXE
#   wine.sh shots DIR POSE EXE     run EXE; save DIR/start.png, then run the
#                                  Windows program POSE with "close-dialogs"
#                                  and save DIR/main.png; stop EXE
#   wine.sh session CMD [ARGS...]  run CMD with the prefix and a display ready
#                                  (WINEPREFIX, DISPLAY exported); Wine stops
#                                  with it
#
# The prefix is a 32-bit Windows in build/wineprefix, or with
# VELOTUNE_WINEARCH=win64 a 64-bit one in build/wineprefix64, where the 32-bit
# program runs under WOW64 as on most real systems. When DISPLAY is empty (or
# VELOTUNE_XVFB=1), Xvfb is started on a free display and stopped afterwards.
# Wine runs with a virtual desktop, so the program draws its own frame.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export WINEARCH="${VELOTUNE_WINEARCH:-win32}"
case "$WINEARCH" in
  win32) default_prefix="$here/build/wineprefix" ;;
  win64) default_prefix="$here/build/wineprefix64" ;;
  *) echo "wine.sh: VELOTUNE_WINEARCH must be win32 or win64" >&2; exit 2 ;;
esac
export WINEPREFIX="${VELOTUNE_WINEPREFIX:-$default_prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
DESKTOP_SIZE="${VELOTUNE_DESKTOP:-1280x1024}"

xvfb_pid=""
exe_pid=""
cleanup() {
  if [ -n "$exe_pid" ] && kill -0 "$exe_pid" 2>/dev/null; then
    kill "$exe_pid" 2>/dev/null || true
  fi
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}

ensure_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${VELOTUNE_XVFB:-0}" != 1 ]; then return; fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${DESKTOP_SIZE}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap cleanup EXIT
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  # Another Xvfb may have taken the display between the check and the start.
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
  unset DISPLAY
  ensure_display
}

ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.velotune-ready" ]; then
    echo "wine.sh: creating the $WINEARCH Wine prefix in $WINEPREFIX" >&2
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$DESKTOP_SIZE" /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.velotune-ready"
  fi
  # Debian's Wine does not look in fonts-wine's folder by itself; without
  # Marlett the caption buttons show letters, and MS Sans Serif falls back.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
  fi
  flock -u 9
}

cmd="${1:-}"; shift || true
case "$cmd" in
  prefix)
    ensure_prefix
    ;;
  run)
    ensure_prefix
    ensure_display
    trap cleanup EXIT
    set +e
    wine "$@" &
    exe_pid=$!
    wait "$exe_pid"
    rc=$?
    set -e
    exe_pid=""
    exit "$rc"
    ;;
  shot)
    png="$1"; shift
    ensure_prefix
    ensure_display
    trap cleanup EXIT
    wine "$@" &
    exe_pid=$!
    sleep "${VELOTUNE_SHOT_DELAY:-6}"
    mkdir -p "$(dirname "$png")"
    import -display "$DISPLAY" -window root "$png"
    echo "wine.sh: screenshot saved to $png"
    ;;
  shots)
    dir="$1" pose="$2"; shift 2
    ensure_prefix
    ensure_display
    trap cleanup EXIT
    wine "$@" &
    exe_pid=$!
    mkdir -p "$dir"
    sleep "${VELOTUNE_SHOT_DELAY:-6}"
    import -display "$DISPLAY" -window root "$dir/start.png"
    wine "$pose" close-dialogs || true
    sleep 2
    import -display "$DISPLAY" -window root "$dir/main.png"
    echo "wine.sh: screenshots saved to $dir/start.png and $dir/main.png"
    ;;
  session)
    ensure_prefix
    ensure_display
    trap cleanup EXIT
    "$@"
    ;;
  *)
    echo "usage: wine.sh prefix | run EXE [ARGS...] | shot PNG EXE [ARGS...]" \
      "| shots DIR POSE EXE | session CMD [ARGS...]" >&2
    exit 2
    ;;
esac
