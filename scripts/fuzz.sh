#!/usr/bin/env bash
# Runs every fuzz target of the core for a while (seconds per target, default
# 60). Inputs that broke a target are kept in build/fuzz/crashes/<target>/;
# turn each into a unit test. Exits non-zero when any target found one.
#
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$root/build/fuzz

cmake --preset host -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DPRAVEX_FUZZ=ON >/dev/null
mkdir -p "$build"
if ! cmake --build "$build" >"$build/build.log" 2>&1; then
  tail -n 40 "$build/build.log" >&2
  echo "fuzz.sh: the fuzz targets did not build (clang); see $build/build.log" >&2
  exit 1
fi

status=0
for fuzzer in "$build"/tests/fuzz/*_fuzz; do
  name=$(basename "$fuzzer")
  corpus=$build/corpus/$name
  crashes=$build/crashes/$name
  mkdir -p "$corpus" "$crashes"
  echo "== $name: ${seconds}s"
  if ! timeout -k 10 $((seconds + 60)) "$fuzzer" "$corpus" -max_total_time="$seconds" \
      -max_len=8192 -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$crashes/" \
      -print_final_stats=1 2>"$build/$name.log"; then
    echo "   FOUND A PROBLEM: see $build/$name.log and $crashes/" >&2
    status=1
  fi
  grep -E "^(stat::number_of_executed_units|Done)" "$build/$name.log" | sed 's/^/   /' || true
done
exit $status
