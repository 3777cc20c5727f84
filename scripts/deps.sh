#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(cmake g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libx11-dev
  libopenal-dev libalut-dev libftgl-dev libfreetype-dev libsdl2-dev fonts-liberation)
if [ "${1:-}" = "--tests" ]; then
  packages+=(libgtest-dev xvfb xauth xdotool x11-utils imagemagick sox python3 clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
