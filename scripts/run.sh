#!/usr/bin/env bash
# Sets up the machine, builds Velotune and starts it under Wine. Without a
# screen it runs on a virtual display and saves a screenshot of the main window.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
VELOTUNE_WIN_ONLY=1 "$here/scripts/build.sh"
exe="$here/build/win/bin/velotune.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec "$here/scripts/wine.sh" run "$exe"
fi
shots="$here/build/screenshots"
"$here/scripts/wine.sh" shots "$shots" "$here/build/win/bin/app_pose.exe" "$exe"
echo "Velotune ran on a virtual display; its main window is in $shots/main.png" \
  "(and the window at start, with the Donate dialog of a first start, in $shots/start.png)"
