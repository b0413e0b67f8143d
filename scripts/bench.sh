#!/usr/bin/env bash
# Builds and runs the benchmarks, then prints each figure beside its floor with
# the ratio and the target (bench/rows.tsv). Every suite runs its benchmarks'
# repetitions interleaved, so a figure and its floor are measured under the
# same load: the native suites are Google Benchmark programs under
# build/native/bench, the Wine suites Windows programs under build/win/bin
# that take the same options and write the same JSON (bench/support).
#   ./scripts/bench.sh [REPETITIONS]      default 15
# Exits with 1 when a row misses its target.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
reps="${1:-15}"
results="$here/build/bench"
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
fi
if [ ! -f "$here/build/native/build.ninja" ]; then
  # Configured as scripts/build.sh does, so the tree also serves the tests.
  cmake -S "$here" -B "$here/build/native" -G Ninja -DVELOTUNE_WIN_DIR="$here/build/win" >/dev/null
fi
native=(bench/skin/skin_bench bench/resize/resize_bench bench/framework/framework_bench)
cmake --build "$here/build/native" --target "${native[@]##*/}"
# The Windows ones, with the programs they start (the shipped velotune.exe
# and the plain window).
VELOTUNE_WIN_ONLY=1 VELOTUNE_WIN_TARGET="startup_bench main_window_rescale_bench undo_bench" \
  "$here/scripts/build.sh"
rm -rf "$results"
mkdir -p "$results"

# Runs one suite: a program that takes Google Benchmark's options and writes
# its JSON to OUT ($results/NAME.json, as the program names it).
suite_to() {
  local name="$1" out="$2"
  shift 2
  echo "running $name ($reps repetitions, interleaved)"
  "$@" --benchmark_repetitions="$reps" --benchmark_enable_random_interleaving=true \
    --benchmark_min_time=0.05 --benchmark_out="$out" \
    --benchmark_out_format=json >"$results/$name.log" 2>&1 ||
    { echo "$name failed, see $results/$name.log"; return 1; }
}
suite() {
  local name="$1"
  shift
  suite_to "$name" "$results/$name.json" "$@"
}
# A Windows program, in one Wine session of its own (scripts/wine.sh), which
# sees the results folder as drive Z:.
wine_suite() {
  local name="$1" exe="$2"
  local out="Z:$results/$name.json"
  suite_to "$name" "${out//\//\\}" "$here/scripts/wine.sh" run "$here/build/win/bin/$exe"
}
suite skin "$here/build/native/bench/skin/skin_bench"
suite resize "$here/build/native/bench/resize/resize_bench"
suite framework "$here/build/native/bench/framework/framework_bench"
wine_suite startup startup_bench.exe
wine_suite rescale main_window_rescale_bench.exe
# A pass of the undo suite takes seconds: fewer repetitions.
reps=3 wine_suite undo undo_bench.exe

echo
python3 "$here/bench/report.py" "$here/bench/rows.tsv" "$results"
