#!/usr/bin/env bash
# Installs what is missing, checks the layout of every source, builds
# everything and runs every test. Exits non-zero when anything fails: the
# layout check comes first and stops the rest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-deps.sh
brantel_ensure_deps
# The layout of every source, as .clang-format says.
scripts/check-format.sh
brantel_build build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(brantel_jobs)" --timeout 300
