#!/usr/bin/env bash
# Installs the Debian packages that building, testing and looking at Nuvrel need.
# Only what is missing is installed, so a second run costs a few dpkg queries.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6svg6
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-dev
  fonts-liberation
  xvfb xdotool x11-apps imagemagick poppler-utils
  time
  libssl-dev openssl ser2net
  librsvg2-bin desktop-file-utils appstream
  g++-mingw-w64-x86-64 googletest wine64
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
