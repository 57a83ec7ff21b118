#!/usr/bin/env bash
# Starts the program under Wine. With a display, on it; without one, on a
# virtual display: waits for the window, saves a screenshot and closes it.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD:-$root/build}"
exe="$build/windows/ColourPicker.exe"
shot="$build/run/screenshot.png"

"$root/scripts/wine-prefix.sh" || exit 1
if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--inside" ]; then
  exec "$root/scripts/wine-exec.sh" "$exe"
fi
if [ "${1:-}" != "--inside" ]; then
  exec "$root/scripts/with-display.sh" "$0" --inside
fi

mkdir -p "$(dirname "$shot")"
"$root/scripts/wine-exec.sh" "$exe" &
program=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name 'Vantoril' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "the window did not appear"
  kill "$program" 2>/dev/null
  exit 1
fi
sleep 2  # let the first paint reach the screen
import -window root "$shot"
echo "screenshot saved to $shot"
xdotool key --window "$window" Escape 2>/dev/null
for _ in $(seq 1 25); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.2
done
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
exit 0
