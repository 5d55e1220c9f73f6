#!/usr/bin/env bash
# Builds the project-file reader's fuzzer with clang, libFuzzer and the
# address and undefined-behaviour sanitizers in build-fuzz/, and runs it.
# Usage: fuzz/run.sh [seconds]   (default 60). New inputs are kept in
# build-fuzz/corpus; a crashing input is written to build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-deps.sh
brantel_ensure_deps
seconds="${1:-60}"
cmake -S . -B build-fuzz -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRANTEL_BUILD_TESTS=OFF -DBRANTEL_BUILD_BENCH=OFF -DBRANTEL_BUILD_FUZZER=ON \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake --build build-fuzz --target project_file_fuzzer --parallel "$(nproc)"
mkdir -p build-fuzz/corpus
cd build-fuzz
exec ./fuzz/project_file_fuzzer -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -artifact_prefix=./ corpus ../fuzz/corpus ../tests/core/project/data
