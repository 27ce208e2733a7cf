#!/usr/bin/env bash
# Checks that the C++ files the last commit changed (against its first parent) are
# formatted as .clang-format says; passes when it changed none. CI runs it through
# scripts/test.sh on a clean clone. scripts/format.sh formats the whole tree.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! git rev-parse -q --verify HEAD^1 >/dev/null; then
  echo "format-check: HEAD has no parent commit here (a first commit or a shallow clone); nothing to compare"
  exit 0
fi
mapfile -t files < <(git diff --name-only --diff-filter=ACMR HEAD^1 HEAD -- '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "format-check: the last commit changed no C++ file"
  exit 0
fi
clang-format --dry-run --Werror --style=file "${files[@]}"
echo "format-check: ${#files[@]} changed C++ files are formatted"
