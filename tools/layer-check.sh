#!/bin/bash
# Prints what each of the updater's libraries links and every include that
# reaches a folder at its own level or above; given a native build tree, also
# every symbol a library needs that only a library above it defines (what an
# include check cannot see: a declaration written out by hand). Exit 1 when
# something goes upward.
# The levels, bottom up: base, device, format, engine, app, front ends.
# Usage: tools/layer-check.sh [build/native]
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
built="${1:+$(cd "$1" && pwd)/updater}"
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

[ -n "$built" ] || exit $status
echo "Symbols taken from a library above:"
order="base device format engine app"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for lib in $order; do
  nm -C --defined-only "$built/$lib/libvr_$lib.a" | awk '$2 ~ /[TWVDBR]/ {$1 = ""; $2 = ""; print substr($0, 3)}' |
    sort -u > "$scratch/defined.$lib"
  nm -C --undefined-only "$built/$lib/libvr_$lib.a" | awk '$1 == "U" {$1 = ""; print substr($0, 2)}' |
    sort -u | comm -23 - "$scratch/defined.$lib" > "$scratch/needed.$lib"
done
found=0
for lib in $order; do
  above=false
  for other in $order; do
    if [ "$other" = "$lib" ]; then above=true; continue; fi
    $above || continue
    comm -12 "$scratch/needed.$lib" "$scratch/defined.$other" | sed "s/^/  $lib needs from $other: /"
  done
done | tee "$scratch/upward"
if [ -s "$scratch/upward" ]; then status=1; else echo "  none"; fi
exit $status
