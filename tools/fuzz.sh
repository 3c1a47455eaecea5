#!/bin/bash
# Runs the fuzz targets of the fuzz tree (tools/build.sh fuzz) for SECONDS
# each, one after the other, and prints per target the runs, the coverage
# reached (libFuzzer's cov and ft) and any crash with its reproducer. Each
# target's corpus grows in build/fuzz/fuzz-corpus/<target> from run to run;
# the seeds the build made stay in build/fuzz/fuzz-seeds/<target>.
# Usage: tools/fuzz.sh [--tree DIR] SECONDS [TARGET...]   (targets without "fuzz_")
# A reproducer runs again with: build/fuzz/fuzz-targets/fuzz_<target> <file>
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="$root/build/fuzz"
if [ "${1:-}" = --tree ]; then
  tree="$2"
  shift 2
fi
seconds="${1:?usage: tools/fuzz.sh [--tree DIR] SECONDS [TARGET...]}"
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$tree"/fuzz-targets/fuzz_*; do
    [ -x "$program" ] && targets+=("$(basename "$program" | sed 's/^fuzz_//')")
  done
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no targets in $tree/fuzz-targets (build them with: bash tools/build.sh fuzz)" >&2
  exit 2
fi

status=0
for target in "${targets[@]}"; do
  program="$tree/fuzz-targets/fuzz_$target"
  corpus="$tree/fuzz-corpus/$target"
  crashes="$tree/fuzz-crashes/$target"
  log="$tree/fuzz-logs/$target.log"
  mkdir -p "$corpus" "$crashes" "$(dirname "$log")"
  # The corpus first: libFuzzer adds what it finds to the first folder.
  "$program" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$crashes/" "$corpus" "$tree/fuzz-seeds/$target" >"$log" 2>&1
  result=$?
  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -n 1)
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)
  reproducer=$(grep -Eo 'Test unit written to [^ ]+' "$log" | tail -n 1 | sed 's/^Test unit written to //')
  if [ $result -eq 0 ]; then
    printf '%-20s runs %-10s %s\n' "$target" "${runs:-?}" "${coverage:-no coverage reported}"
  else
    status=1
    printf '%-20s FAILED (exit %d) after %s runs, %s; reproducer: %s; log: %s\n' "$target" "$result" \
      "${runs:-?}" "${coverage:-no coverage}" "${reproducer:-none}" "$log"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*property broken)' "$log" | head -n 3 | sed 's/^/    /'
  fi
done
exit $status
