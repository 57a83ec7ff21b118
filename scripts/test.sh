#!/usr/bin/env bash
# Runs every test: the core natively under the sanitizers, then the Windows
# tests under Wine on a virtual display. Ends with one summary line.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD:-$root/build}"
log="$build/test-logs"
mkdir -p "$log"

"$root/scripts/wine-prefix.sh" || exit 1

run_ctest() {  # name dir [extra ctest args]
  local name=$1 dir=$2
  shift 2
  echo "== $name tests"
  (cd "$dir" && "$@" ctest --output-on-failure --timeout 600) 2>&1 | tee "$log/$name.log"
}

run_ctest native "$build/host" env
run_ctest windows "$build/windows" "$root/scripts/with-display.sh"

passed=0 failed=0
for name in native windows; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log/$name.log" | tail -n 1)
  if [ -z "$line" ]; then
    echo "$name: ctest gave no result"
    failed=$((failed + 1))
    continue
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*tests passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done
echo "Summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
