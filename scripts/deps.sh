#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Everything a command here runs is named, even what a full Debian install
# brings anyway: the packages are installed without their recommendations, and a
# bare system has no make (cmake only recommends it).
set -euo pipefail
packages=(cmake make g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libx11-dev
  libopenal-dev libalut-dev libftgl-dev libfreetype-dev libsdl2-dev zlib1g-dev libenet-dev fonts-liberation)
# Building the Debian package (scripts/package.sh, and its test).
package_tools=(dpkg-dev lintian)
case "${1:-}" in
  --tests)
    packages+=(libgtest-dev xvfb xauth xdotool x11-utils imagemagick sox python3 clang libclang-rt-14-dev
      desktop-file-utils appstream "${package_tools[@]}") ;;
  --package) packages+=("${package_tools[@]}") ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  # A bare system has no sudo; say what to do rather than "command not found".
  command -v sudo >/dev/null || {
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Run this command as root, or install them as root: apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  }
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
