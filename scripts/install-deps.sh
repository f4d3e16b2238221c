#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Trivane need.
# Only packages that are missing are installed, so a second run is quick and quiet.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  liblapacke-dev libopenblas-dev libsuitesparse-dev
  fonts-noto-cjk qt6-translations-l10n desktop-file-utils shared-mime-info
  clang libclang-rt-14-dev
  gmsh libgmsh-dev
  xvfb xauth imagemagick xdotool
  python3-vtk9
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
