#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
# Usage: ./run.sh [project file]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-deps.sh
brantel_ensure_deps
brantel_build build
exec build/src/brantel "$@"
