#!/bin/bash
# Sets up, builds every tree from nothing and runs all tests: the native
# tests, the same under the address and undefined-behaviour sanitizers, and
# the Windows build's tests under Wine.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/tools/setup.sh" || exit 1

passed=0
failed=0
status=0
for tree in native sanitize windows; do
  echo "=== $tree: build"
  if ! bash "$root/tools/build.sh" "$tree"; then
    echo "=== $tree: build failed"
    status=1
    continue
  fi
  echo "=== $tree: tests"
  log="$root/build/$tree/ctest.log"
  (cd "$root/build/$tree" && ctest --output-on-failure -j "$(nproc)" 2>&1) | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  # ctest closes with "N% tests passed, F tests failed out of T".
  summary=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    f=$(echo "$summary" | awk '{print $1}')
    t=$(echo "$summary" | awk '{print $6}')
    failed=$((failed + f))
    passed=$((passed + t - f))
  else
    status=1
  fi
done

echo "all trees: $passed passed, $failed failed"
exit $status
