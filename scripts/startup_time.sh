#!/usr/bin/env bash
# Measures the time from starting the editor to its main window being shown (mapped and
# viewable) on the X display. Without a display, run it as: xvfb-run scripts/startup_time.sh
# Usage: startup_time.sh [path to quillet] [runs]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(realpath "${1:-$here/../build/mainwindow/quillet}")"
runs="${2:-5}"
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
for ((i = 1; i <= runs; i++)); do
  start=$(date +%s%N)
  (cd "$workdir" && exec "$bin") &
  pid=$!
  until xwininfo -name "Quillet v.0.1" 2>/dev/null | grep -q IsViewable; do
    kill -0 "$pid" 2>/dev/null || { echo "the editor ended before showing its window" >&2; exit 1; }
    sleep 0.002
  done
  end=$(date +%s%N)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "run $i: window shown $(((end - start) / 1000000)) ms after start"
done
