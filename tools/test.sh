#!/bin/bash
# Sets up, builds every tree from nothing and runs all tests: the native
# tests, the same under the address and undefined-behaviour sanitizers, the
# Windows build's tests under Wine, and a few seconds of each fuzz target
# (tools/fuzz.sh runs them longer).
#
# The Windows programs ship 32-bit, and 32-bit Wine's loader is a 32-bit
# Linux program, which some machines' kernels cannot execute. The probe below
# tries it; where it cannot run, the 32-bit tree is still built and its
# static checks run, and its Wine tests are built again 64-bit (the tree
# build/windows64) and run under 64-bit Wine. VR_WINE=64 takes that way on
# any machine.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/tools/setup.sh" || exit 1

if [ "${VR_WINE:-}" != 64 ] && wine_version=$(/usr/lib/wine/wine --version 2>/dev/null); then
    wine="32-bit Wine ($wine_version)"
    trees=("native:" "sanitize:" "windows:-LE unsteady" "fuzz:-L fuzz")
else
    wine="64-bit Wine ($(/usr/lib/wine/wine64 --version 2>/dev/null))"
    trees=("native:" "sanitize:" "windows:-L static" "windows64:-L wine -LE unsteady" "fuzz:-L fuzz")
fi
echo "=== Windows programs run under $wine"

passed=0
failed=0
status=0
for entry in "${trees[@]}"; do
  tree="${entry%%:*}"
  selection="${entry#*:}"
  echo "=== $tree: build"
  if ! bash "$root/tools/build.sh" "$tree"; then
    echo "=== $tree: build failed"
    status=1
    continue
  fi
  echo "=== $tree: tests ${selection:+($selection)}"
  log="$root/build/$tree/ctest.log"
  # shellcheck disable=SC2086 # the selection is two words
  (cd "$root/build/$tree" && ctest --output-on-failure -j "$(nproc)" $selection 2>&1) | tee "$log"
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
  # The Windows unit tests run as one ctest entry; their own report counts
  # them, and names those that need a tool of this machine (they run natively).
  report="$root/build/$tree/tests/wine-tests.xml"
  if [[ "$tree" == windows* && "$selection" != "-L static" ]]; then
    if [ -s "$report" ]; then
      read -r units unit_failures < <(grep -Eo '<testsuites tests="[0-9]+" failures="[0-9]+"' "$report" |
                                      grep -Eo '[0-9]+' | xargs)
      skipped=$(grep -c 'result="skipped"' "$report")
      windows_units="$units unit tests ($unit_failures failed, $skipped skipped: they need Linux tools or a 32-bit address space and run elsewhere)"
    else
      windows_units="no report of the unit tests"
      status=1
    fi
  fi
done

echo "all trees: $passed passed, $failed failed"
echo "Windows tests ran under $wine: ${windows_units:-none}"
exit $status
