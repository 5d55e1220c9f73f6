#!/usr/bin/env bash
# Builds the fuzz targets of the project-file reader, the settings reader,
# the update answer (the reader of a web server's answer and the version
# text) and the numeric entry check with clang, libFuzzer and the address
# and undefined-behaviour sanitizers, outside the checkout, and fuzzes them
# with one process on every processor (or as many as
# CMAKE_BUILD_PARALLEL_LEVEL says).
# Usage: fuzz/run.sh [seconds] [project|settings|version|http|entry|all]
#   seconds: how long each target runs (default 60); all (the default) runs
#   every target, one after the other.
# The build, the inputs found and any crashing input (<target>/crashes/) go
# to the folder in BRANTEL_FUZZ_DIR, by default $XDG_CACHE_HOME/brantel-fuzz
# or ~/.cache/brantel-fuzz; it must lie outside the checkout. Exits non-zero
# when an input crashed a target.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
cd "$src"
source scripts/ensure-deps.sh
brantel_ensure_deps

seconds="${1:-60}"
which="${2:-all}"
out="${BRANTEL_FUZZ_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/brantel-fuzz}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
case "$out/" in
  "$src"/*) echo "BRANTEL_FUZZ_DIR ($out) must lie outside the checkout" >&2; exit 2 ;;
esac
case "$which" in
  project) targets=(project_file) ;;
  settings) targets=(settings) ;;
  version) targets=(version_text) ;;
  http) targets=(http_answer) ;;
  entry) targets=(numeric_entry) ;;
  all) targets=(project_file settings version_text http_answer numeric_entry) ;;
  *) echo "usage: fuzz/run.sh [seconds] [project|settings|version|http|entry|all]" >&2; exit 2 ;;
esac

build="$out/build"
cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRANTEL_BUILD_TESTS=OFF -DBRANTEL_BUILD_BENCH=OFF -DBRANTEL_BUILD_FUZZER=ON \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake --build "$build" --target "${targets[@]/%/_fuzzer}" --parallel "$(brantel_jobs)"

processes="$(brantel_jobs)"
crashed=0
for target in "${targets[@]}"; do
  case "$target" in
    project_file) seeds=("$src/fuzz/corpus" "$src/tests/core/project/data") ;;
    settings) seeds=("$src/fuzz/settings-corpus") ;;
    version_text) seeds=("$src/fuzz/version-corpus") ;;
    http_answer) seeds=("$src/fuzz/http-corpus") ;;
    numeric_entry) seeds=("$src/fuzz/entry-corpus") ;;
  esac
  dir="$out/$target"
  mkdir -p "$dir/corpus" "$dir/crashes"
  before="$(find "$dir/crashes" -type f | wc -l)"
  echo "Fuzzing the $target target for $seconds s with $processes processes; inputs in $dir"
  # Fork mode: one process per processor on one shared corpus; a crash is
  # kept in crashes/ and the others go on.
  (cd "$dir" && "$build/fuzz/${target}_fuzzer" -fork="$processes" -ignore_crashes=1 -ignore_ooms=1 \
    -ignore_timeouts=1 -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -artifact_prefix="$dir/crashes/" "$dir/corpus" "${seeds[@]}") || true
  after="$(find "$dir/crashes" -type f | wc -l)"
  if [ "$after" -gt "$before" ]; then
    echo "The $target target crashed: see $dir/crashes/" >&2
    crashed=1
  fi
done
exit "$crashed"
