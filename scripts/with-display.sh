#!/usr/bin/env bash
# Runs a command on a private virtual X display with one Wine server kept up
# for its whole length, then stops both. A 24-bit screen, so pixel reads come
# back exactly as painted.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wine/prefix}"
export WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"

if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inside "$@"
fi
shift
wineserver -p
# Start Wine's own background processes now, detached from our output: started
# by a test instead, they would hold its output pipe open and ctest would wait.
wine cmd /c exit 0 >/dev/null 2>&1 </dev/null
# Xvfb starts its pointer mid-screen; keep it at a corner of every desktop size.
xdotool mousemove 5 5 2>/dev/null || true
"$@"
status=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
exit $status
