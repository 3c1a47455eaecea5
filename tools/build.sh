#!/bin/bash
# Configures and builds one tree: native (default), sanitize or windows.
# Usage: tools/build.sh [native|sanitize|windows]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-native}"
jobs="$(nproc)"

case "$tree" in
  native)   options=() ;;
  sanitize) options=(-DVR_SANITIZE=ON) ;;
  windows)  options=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
  *) echo "build: unknown tree '$tree'" >&2; exit 2 ;;
esac

cmake -S "$root" -B "$root/build/$tree" -G Ninja "${options[@]}" >/dev/null
ninja -C "$root/build/$tree" -j "$jobs"
