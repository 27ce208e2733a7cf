#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs the whole test suite:
# all tests (GUI tests offscreen), the core tests again under AddressSanitizer and
# UBSan, and a short fuzzing run of the menu file loader.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here/.."
"$here/setup.sh"
"$here/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLET_GUI=OFF \
  -DQUILLET_BENCH=OFF -DQUILLET_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

if [ -x "$here/fuzz.sh" ]; then
  "$here/fuzz.sh" "${QUILLET_FUZZ_SECONDS:-60}"
fi
