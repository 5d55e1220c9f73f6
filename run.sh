#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
# Usage: ./run.sh [project file]
set -euo pipefail
# The program starts in the caller's folder, so that a relative project path
# names the file the caller means.
start_dir="$PWD"
repo_dir="$(cd "$(dirname "$0")" && pwd)"
cd "$repo_dir"
source scripts/ensure-deps.sh
brantel_ensure_deps
brantel_build build
cd "$start_dir"
exec "$repo_dir/build/src/brantel" "$@"
