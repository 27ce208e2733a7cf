#!/usr/bin/env bash
# Formats every C++ file of the tree in place as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format -i --style=file
