#!/usr/bin/env bash
# Builds every test with the address and undefined-behaviour sanitizers in
# build-asan/ (or the folder in BRANTEL_ASAN_BUILD) and runs them all. A
# memory error, a leak or undefined behaviour ends the test that meets it,
# so the run exits non-zero on any finding as on any failing test. A float
# converted to an integer it does not fit (a coordinate of a value far off a
# plot's scale, say) counts as undefined behaviour too.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-deps.sh
brantel_ensure_deps

build="${BRANTEL_ASAN_BUILD:-build-asan}"
flags="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=undefined,float-cast-overflow -fno-omit-frame-pointer"
# Warnings stay warnings here: the instrumented code makes GCC's flow
# analysis report uninitialised values inside the standard library (<regex>)
# that are not there. The plain build (test.sh) is the one CI holds to no
# warnings.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRANTEL_BUILD_BENCH=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=OFF \
  "-DCMAKE_C_FLAGS=$flags" "-DCMAKE_CXX_FLAGS=$flags" \
  "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined,float-cast-overflow" \
  "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined,float-cast-overflow"
cmake --build "$build" --parallel "$(brantel_jobs)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
ctest --test-dir "$build" --output-on-failure --parallel "$(brantel_jobs)" --timeout 600
