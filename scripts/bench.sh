#!/usr/bin/env bash
# Builds and runs the benchmarks, then prints each figure beside its floor with
# the ratio and the target (bench/rows.tsv). Every native suite (a Google
# Benchmark program under build/native/bench) runs its benchmarks' repetitions
# interleaved, so a figure and its floor are measured under the same load.
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
  cmake -S "$here" -B "$here/build/native" -G Ninja >/dev/null
fi
native=(bench/skin/skin_bench bench/resize/resize_bench bench/framework/framework_bench)
cmake --build "$here/build/native" --target "${native[@]##*/}"
rm -rf "$results"
mkdir -p "$results"

# Runs one suite: a program that takes Google Benchmark's options and writes
# its JSON to $results/NAME.json. Suites measured under Wine run the same way,
# through scripts/wine.sh, and add their rows to bench/rows.tsv.
suite() {
  local name="$1"
  shift
  echo "running $name ($reps repetitions, interleaved)"
  "$@" --benchmark_repetitions="$reps" --benchmark_enable_random_interleaving=true \
    --benchmark_min_time=0.05 --benchmark_out="$results/$name.json" \
    --benchmark_out_format=json >"$results/$name.log" 2>&1 ||
    { echo "$name failed, see $results/$name.log"; return 1; }
}
suite skin "$here/build/native/bench/skin/skin_bench"
suite resize "$here/build/native/bench/resize/resize_bench"
suite framework "$here/build/native/bench/framework/framework_bench"

echo
python3 "$here/bench/report.py" "$here/bench/rows.tsv" "$results"
