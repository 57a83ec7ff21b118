#!/usr/bin/env bash
# Installs the Debian packages the build and the test suite need: the MinGW-w64
# cross compiler, 32-bit Wine, a virtual X display, a CJK font and ImageMagick.
# Quiet and quick when everything is already there.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

for pkg in cmake ninja-build g++ googletest make g++-mingw-w64-i686 binutils-mingw-w64-i686 \
           wine wine32:i386 fonts-wine libxcursor1:i386 libxfixes3:i386 libxi6:i386 libxrandr2:i386 libxrender1:i386 libxinerama1:i386 xvfb xauth xdotool imagemagick fonts-wqy-microhei; do
  have "$pkg" || need+=("$pkg")
done
[ ${#need[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "installing: ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
