#!/usr/bin/env bash
# The full benchmark run: the picker against the bare-window baseline under
# Wine, a long pick storm, and the text forms over all 2^32 values natively.
# Prints figures with their goals; asserts nothing.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD:-$root/build}"
win="$build/windows"

"$root/scripts/wine-prefix.sh" || exit 1

echo "== picker against the baseline (Wine, $(nproc) cores)"
"$root/scripts/with-display.sh" "$root/scripts/wine-exec.sh" "$win/bench/PickerBench.exe" \
  "$win/ColourPicker.exe" "$win/bench/BareWindow.exe"

echo
echo "== pick storm: 10,000 presses"
COLOURPICKER_STORM_PRESSES=10000 "$root/scripts/with-display.sh" "$root/scripts/wine-exec.sh" \
  "$win/tests/RobustnessTest.exe" "$win/ColourPicker.exe" "$win/ColourPickerFaults.exe" \
  --gtest_filter='*Storm*' | grep -vE '^\[ +(RUN|OK) +\]'

echo
echo "== text forms over all 2^32 values (native, optimised build)"
"$build/bench-host/bench/text_forms_bench"
