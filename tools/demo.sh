#!/bin/bash
# Sets up, builds both trees and runs the main job on the simulated PC.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh" native
bash "$root/tools/build.sh" windows
echo
"$root/build/native/bin/caddis-tour" "$@"
