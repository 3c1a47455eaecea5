#!/bin/bash
# Configures and builds one tree: native (default), sanitize, windows (the
# 32-bit programs as they ship, and their tests),
# windows64 (the Windows tests again, 64-bit, for machines that cannot run
# 32-bit Wine) or fuzz (clang: the libFuzzer targets and their seeds only).
# Usage: tools/build.sh [native|sanitize|windows|windows64|fuzz]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-native}"
jobs="$(nproc)"

targets=()
case "$tree" in
  native)    options=() ;;
  sanitize)  options=(-DVR_SANITIZE=ON) ;;
  windows)   options=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
  windows64) options=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
  fuzz)      options=(-DVR_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
             targets=(vr_fuzz) ;;
  *) echo "build: unknown tree '$tree'" >&2; exit 2 ;;
esac

# A developer's machine with ccache rebuilds other checkouts of the project
# (worktrees) from its cache; CI has none and builds from nothing.
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S "$root" -B "$root/build/$tree" -G Ninja "${options[@]}" >/dev/null
ninja -C "$root/build/$tree" -j "$jobs" "${targets[@]}"
