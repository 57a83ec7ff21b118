#!/usr/bin/env bash
# Remakes docs/screenshot.png: the picker on a Wine virtual desktop (so that
# Wine draws the frame and title bar), after one press on the square picture.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD:-$root/build}"
out="$root/docs/screenshot.png"

"$root/scripts/wine-prefix.sh" || exit 1
if [ "${1:-}" != "--inside" ]; then
  exec "$root/scripts/with-display.sh" "$0" --inside
fi

mkdir -p "$(dirname "$out")"
"$root/scripts/wine-exec.sh" explorer /desktop=screenshot,1024x768 "$build/windows/ColourPicker.exe" &
for _ in $(seq 1 100); do
  xdotool search --name 'screenshot' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 3
# The window sits centred at (116, 89); this is a point in the orange part
# of the square picture, below the title bar.
xdotool mousemove 400 180 click 1
sleep 1
xdotool mousemove 1000 700
sleep 1
import -window root -crop 791x589+116+89 +repage "$out"
echo "saved $out"
