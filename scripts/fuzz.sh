#!/usr/bin/env bash
# Fuzzes the menu file loader for $1 seconds (default 60): builds the libFuzzer target
# with clang, ASan and UBSan in build-fuzz/, writes the seed corpus with the tests'
# byte-builder and runs the fuzzer on a scratch copy of it. Fails when the fuzzer finds
# a crash or a broken round trip; the offending input is kept under fuzz/crashes/.
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
crashes="$root/fuzz/crashes"

command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is not installed" >&2; exit 1; }

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=fuzzer-no-link" \
  -DQUILLET_FUZZ=ON -DQUILLET_SANITIZE=ON -DQUILLET_GUI=OFF -DQUILLET_BENCH=OFF \
  -DQUILLET_USB=OFF -DQUILLET_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target menu_loader_fuzzer make_seed_corpus

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$crashes"
"$build/fuzz/make_seed_corpus" "$work/corpus"

status=0
"$build/fuzz/menu_loader_fuzzer" "$work/corpus" -max_total_time="$seconds" -max_len=70000 \
  -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$crashes/" -print_final_stats=1 \
  >"$work/log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  cat "$work/log"
  echo "fuzz.sh: the fuzzer failed (status $status); the input is under fuzz/crashes/" >&2
  exit 1
fi
tail -n 12 "$work/log"
echo "fuzz.sh: no crash in ${seconds} s"
