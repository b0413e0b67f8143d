#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: native and
# under Wine. Ends with ctest's summary.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

"$here/scripts/setup.sh"
"$here/scripts/build.sh"
"$here/scripts/wine.sh" prefix
VELOTUNE_WINEARCH=win64 "$here/scripts/wine.sh" prefix
# The display-scale tests run in a prefix whose display has 144 DPI.
VELOTUNE_DPI=144 "$here/scripts/wine.sh" prefix
set +e
ctest --test-dir "$here/build/native" --output-on-failure -j "${VELOTUNE_JOBS:-$(nproc)}" "$@"
rc=$?
set -e
exit $rc
