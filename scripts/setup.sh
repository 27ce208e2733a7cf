#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quillet need.
# Does nothing when they are all present, so it is cheap to call before every build.
# Scripts that need more (the Windows check, the icon renderer) name it as arguments.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libglx-dev libopengl-dev
  # The catalogues of the interface languages: lupdate and lrelease with their CMake
  # functions, and Qt's own catalogues for the standard buttons and dialogs.
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  libusb-1.0-0-dev libzip-dev
  nlohmann-json3-dev python3 python3-jsonschema
  clang libclang-rt-14-dev
  xvfb xauth x11-utils
  desktop-file-utils appstream file lintian
  # The editor's faces: DejaVu Sans for the controls, DejaVu Sans Mono for the blocks
  # viewer's grid, Noto Sans CJK for Chinese, Japanese and Korean names.
  fonts-dejavu-core fonts-noto-cjk
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
