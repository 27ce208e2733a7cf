#!/usr/bin/env bash
# Builds the Debian package and checks it: lintian finds no error, the package holds
# every file it must, and its mmatool runs from a scratch root.
#   scripts/package.sh           a Release build in build-package/
#   scripts/package.sh DIR       packages an existing build (the test suite uses build/)
# Install the package with:  sudo apt install ./build-package/quillet_*.deb
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here/.."
build="${1:-}"
if [ -z "$build" ]; then
  build=build-package
  "$here/setup.sh"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLET_TESTS=OFF \
    -DQUILLET_BENCH=OFF >/dev/null
  cmake --build "$build" -j"$(nproc)"
fi
rm -f "$build"/quillet_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/quillet_*.deb)"

lintian --fail-on error "$deb"

listing="$(dpkg-deb -c "$deb")"
for file in usr/bin/quillet usr/bin/mmatool \
    usr/share/applications/io.github.quillet.Quillet.desktop \
    usr/share/metainfo/io.github.quillet.Quillet.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/io.github.quillet.Quillet.svg \
    usr/share/icons/hicolor/48x48/apps/io.github.quillet.Quillet.png \
    usr/lib/udev/rules.d/70-quillet-p2k.rules \
    usr/share/man/man1/mmatool.1.gz usr/share/man/man1/quillet.1.gz \
    usr/share/quillet/translations/quillet_ru.qm usr/share/quillet/translations/quillet_zh_CN.qm; do
  grep -q " \./$file\$" <<<"$listing" || { echo "package.sh: $deb lacks $file" >&2; exit 1; }
done

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
"$root/usr/bin/mmatool" info samples/mma_ucp_custom >/dev/null
echo "$deb: lintian clean, complete, mmatool runs"
