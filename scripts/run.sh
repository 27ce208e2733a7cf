#!/usr/bin/env bash
# Quick start: installs what is missing, builds, and starts the editor.
# On a machine without a display, run it as: xvfb-run scripts/run.sh
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
exec "$here/../build/mainwindow/quillet" "$@"
