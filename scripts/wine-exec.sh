#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix inside the
# build tree (never ~/.wine). CMake runs every Windows test through this.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wine/prefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
