#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build/fuzz, and runs each from its seeds (the
# committed corpus, the program's own skin and form descriptions):
#   scripts/fuzz.sh [RUNS [TARGET...]]    default: a million runs of every target
# Each run's log is build/fuzz/<target>.log; findings are left as crash-*,
# leak-* or timeout-* files in build/fuzz.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-1000000}"
shift || true
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(lzh container ini bmp dfm)
out="$here/build/fuzz"
if [ ! -f "$out/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$here" -B "$out" -G Ninja -DVELOTUNE_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$out" --target make_fuzz_seeds velotune_skin_asset \
  $(printf 'fuzz_%s ' "${targets[@]}")
corpus="$here/tests/fuzz/corpus"
declare -A extra=(
  [bmp]="$here/assets/skin/*.bmp $here/tests/skin/bmp/*.bmp"
  [ini]="$here/assets/skin/Velotune.ini"
  [dfm]="$here/assets/forms/*.dfm"
)
for t in "${targets[@]}"; do
  work="$out/corpus_$t"
  mkdir -p "$work"
  cp "$corpus/$t"/* "$work"/
  # shellcheck disable=SC2086
  [ -z "${extra[$t]:-}" ] || cp ${extra[$t]} "$work"/
  [ "$t" != container ] || "$out/tests/fuzz/make_fuzz_seeds" "$here/assets/skin" "$corpus" \
    "$work/whole_skin"
  # Inputs up to 16 KiB: coverage tracing makes every byte cost, and the
  # readers' paths are all reached by inputs that size.
  (cd "$out" && "./tests/fuzz/fuzz_$t" -runs="$runs" -max_len=16384 -rss_limit_mb=2048 \
    -timeout=10 -print_final_stats=1 "$work" >"$out/$t.log" 2>&1) || {
    echo "fuzz_$t: FAILED, see $out/$t.log"
    continue
  }
  echo "fuzz_$t: $(grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|Done)' \
    "$out/$t.log" | tr '\n' ' ')"
done
