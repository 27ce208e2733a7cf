#!/usr/bin/env bash
# Checks that every C++ file of the tree is formatted as .clang-format says (the tree
# was formatted once, so a file that is not was changed without scripts/format.sh).
# CI runs it through scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
clang-format --dry-run --Werror --style=file "${files[@]}"
echo "format-check: ${#files[@]} C++ files are formatted"
