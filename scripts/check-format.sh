#!/usr/bin/env bash
# Fails, naming each file and line, when a C++ source of the checkout is not
# laid out as .clang-format says. To lay a file out: clang-format -i FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null 2>&1 || {
  echo "clang-format is missing (scripts/ensure-deps.sh installs it)" >&2
  exit 1
}
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # The tracked files and the new ones not added yet (untracked, not ignored).
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | sort -u)
else
  mapfile -t files < <(find src tests bench fuzz resources -name '*.cpp' -o -name '*.h' | sort)
fi
clang-format --dry-run -Werror "${files[@]}"
echo "clang-format: ${#files[@]} files laid out as .clang-format says"
