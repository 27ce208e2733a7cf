#!/usr/bin/env bash
# Builds the portable core and mmatool for Windows with MinGW-w64 and checks mmatool.exe
# under wine against the Linux mmatool: info, dump --json and convert of every sample
# must give the same bytes. Installs its own packages; the Linux build never needs them.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here/.."
"$here/setup.sh" g++-mingw-w64-x86-64 wine wine64

cmake --no-warn-unused-cli -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DQUILLET_GUI=OFF -DQUILLET_USB=OFF -DQUILLET_TESTS=OFF -DQUILLET_BENCH=OFF -DQUILLET_WERROR=ON >/dev/null
cmake --build build-windows -j"$(nproc)" --target mmatool quillet_codec
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target mmatool

linux=build/tools/mmatool/mmatool
windows=build-windows/tools/mmatool/mmatool.exe
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
export WINEDEBUG=-all WINEPREFIX="$PWD/build-windows/wine"
run_windows() { wine "$windows" "$@"; }
wineboot --init >/dev/null 2>&1  # the first start sets up the prefix, with messages of its own

failures=0
check() {  # NAME: compares the two programs' files $out/linux.NAME and $out/windows.NAME
  if ! cmp -s "$out/linux.$1" "$out/windows.$1"; then
    echo "windows-check: $1 differs" >&2
    failures=$((failures + 1))
  fi
}
for sample in samples/*; do
  name="$(basename "$sample")"
  "$linux" info "$sample" >"$out/linux.$name.info"
  run_windows info "$sample" >"$out/windows.$name.info"
  check "$name.info"
  "$linux" dump "$sample" --json >"$out/linux.$name.json"
  run_windows dump "$sample" --json >"$out/windows.$name.json"
  check "$name.json"
  for layout in 22 36; do
    "$linux" convert "$sample" "$out/linux.$name.$layout" --layout "$layout"
    run_windows convert "$sample" "$out/windows.$name.$layout" --layout "$layout"
    check "$name.$layout"
    # Saving over an existing file goes through the Windows replacement.
    run_windows convert "$out/windows.$name.$layout" "$out/windows.$name.$layout" --layout "$layout"
    check "$name.$layout"
  done
done
# Names beyond the ANSI code page reach the wide calls intact.
cp samples/mma_ucp_custom "$out/menü ключ"
run_windows convert "$out/menü ключ" "$out/menü ключ 22" --layout 22
"$linux" convert samples/mma_ucp_custom "$out/linux.wide" --layout 22
cp "$out/menü ключ 22" "$out/windows.wide"
check wide
# A file the tool cannot read is a value with its name, exit status 1, on Windows too.
status=0
run_windows info "$out/no such file" 2>"$out/error" || status=$?
if [ "$status" -ne 1 ] || ! grep -q "no such file" "$out/error"; then
  echo "windows-check: a missing file gave status $status: $(cat "$out/error")" >&2
  failures=$((failures + 1))
fi
# Every temporary file took its target's place or was removed.
if ls -A "$out" | grep -q '^\.quillet-'; then
  echo "windows-check: a temporary file was left behind" >&2
  failures=$((failures + 1))
fi
echo "windows-check: $failures failed"
[ "$failures" -eq 0 ]
