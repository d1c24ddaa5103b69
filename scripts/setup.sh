#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, run and look at the game.
# Idempotent: installs only what is missing, and refreshes the package lists first when it must.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools
  libjpeg62-turbo-dev
  libsdl2-dev libsdl2-mixer-dev
  libvorbis-dev libogg-dev
  xvfb xauth xdotool imagemagick x11-utils openbox trayer
  sox libsox-fmt-base python3
  fonts-dejavu-core
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
