#!/usr/bin/env bash
# Makes the private 32-bit Wine prefix once and reuses it afterwards: the
# title-bar glyph font, and a font link so that the default GUI font can draw
# the Chinese captions.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wine/prefix}"
export WINEARCH=win32 WINEDEBUG=-all
ready="$WINEPREFIX/.colourpicker-ready"
[ -f "$ready" ] && exit 0

echo "making the Wine prefix in $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
wineserver -w
touch "$ready"
