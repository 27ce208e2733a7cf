#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs the whole test suite:
# all tests (GUI tests offscreen), the core tests again under AddressSanitizer and
# UBSan, the Release build with the core tests and its Debian package's checks, and a
# short fuzzing run of the menu file loader. Every build treats warnings as errors.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here/.."
"$here/setup.sh"
"$here/format-check.sh"
"$here/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLET_GUI=OFF \
  -DQUILLET_BENCH=OFF -DQUILLET_SANITIZE=ON -DQUILLET_WERROR=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

# The optimiser of a Release build sees (and warns about) code the other builds do not;
# packagers build this way. The core tests show the optimised code behaves the same.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLET_WERROR=ON >/dev/null
cmake --build build-release -j"$(nproc)"
for t in document/document_tests codec/codec_tests tools/tools_tests; do
  "build-release/tests/$t" --gtest_brief=1
done
# The Debian package of that build: lintian, its contents, its mmatool from a scratch root.
"$here/package.sh" build-release

if [ -x "$here/fuzz.sh" ]; then
  "$here/fuzz.sh" "${QUILLET_FUZZ_SECONDS:-60}"
fi
