#!/bin/bash
# Prints what each of the updater's libraries links and every include that
# reaches a folder at its own level or above (exit 1 when there is one).
# The levels, bottom up: base, device, format, engine, app, front ends.
# Usage: tools/layer-check.sh
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root/updater"

level() {
  case "$1" in
    base) echo 0 ;; device) echo 1 ;; format) echo 2 ;; engine) echo 3 ;;
    app) echo 4 ;; console|win32) echo 5 ;; *) echo 9 ;;
  esac
}

echo "Libraries and what they link:"
cat */CMakeLists.txt | tr '\n' ' ' | grep -o 'target_link_libraries([^)]*)' |
  sed 's/target_link_libraries(//; s/)$//; s/  */ /g; s/^\([^ ]*\) /  \1: /'

echo "Includes that do not go downward:"
status=0
for dir in */; do
  dir="${dir%/}"
  mine=$(level "$dir")
  while IFS=: read -r file included; do
    other="${included#updater/}"; other="${other%%/*}"
    [ "$other" = "$dir" ] && continue
    if [ "$(level "$other")" -ge "$mine" ]; then
      echo "  $dir/$file -> $included"
      status=1
    fi
  done < <(cd "$dir" && grep -o '#include "updater/[^"]*"' -- * 2>/dev/null | sed 's/#include "//; s/"$//')
done
[ $status -eq 0 ] && echo "  none"
exit $status
