#!/usr/bin/env bash
# Takes the screenshot set that shows whether the look has moved: the main
# window on each Tweaks page and on FIX, About, Donate, an error box and the
# open system menu, each a PNG of the whole virtual desktop in DIR.
#
#   scripts/shot-set.sh DIR
#
# Two sets of the same build compare pixel for pixel with ImageMagick:
#   compare -metric AE before/page1.png after/page1.png null:
# The status bar's memory load and uptime change from second to second; the
# set also holds each shot with the status bar painted over (*-masked.png),
# which is what to compare.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${1:-}" = --inside ]; then
  shift
else
  [ $# -eq 1 ] || { echo "usage: shot-set.sh DIR" >&2; exit 2; }
  mkdir -p "$1"
  exec "$here/scripts/wine.sh" session "$0" --inside "$(cd "$1" && pwd)"
fi
dir="$1"
bin="$here/build/win/bin"
delay="${VELOTUNE_SHOT_DELAY:-4}"
# The Donate dialog of a first start stays closed; the set opens it itself.
wine reg add 'HKCU\Zolex\Support' /v 01 /d 0 /f >/dev/null 2>&1
wine "$bin/velotune.exe" &
exe=$!
trap 'kill $exe 2>/dev/null || true' EXIT
sleep "$((delay + 2))"

pose() { wine "$bin/app_pose.exe" "$@" || echo "shot-set: app_pose $* failed" >&2; }
read -r bar_left bar_top bar_right bar_bottom < <(wine "$bin/app_pose.exe" statusbar | tr -d '\r')
shot() {
  sleep "$delay"
  import -display "$DISPLAY" -window root "$dir/$1.png"
  convert "$dir/$1.png" -fill black \
    -draw "rectangle $bar_left,$bar_top,$((bar_right - 1)),$((bar_bottom - 1))" "$dir/$1-masked.png"
  echo "shot-set: $dir/$1.png"
}

shot page1
for page in 2 3; do
  pose page "$page"
  shot "page$page"
done
pose fix
shot fix
pose tweak
pose page 1
pose about
shot about
pose close-dialogs
pose donate
shot donate
pose close-dialogs
pose error
shot error
pose close-dialogs
pose sysmenu
shot sysmenu
