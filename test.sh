#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-deps.sh
brantel_ensure_deps
brantel_build build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(brantel_jobs)" --timeout 300
