#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG; run by hand after changing the
# SVG, and commit the PNGs (the build never needs the renderer).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh" librsvg2-bin
cd "$here/../data/icons/hicolor"
name=io.github.quillet.Quillet
for size in 16 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "scalable/apps/$name.svg" -o "${size}x${size}/apps/$name.png"
done
