#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   scripts/test.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
dir=${1:-$top/build}
shift || true
"$top/scripts/build.sh" "$dir" "$@"
cd "$dir"
env -u DISPLAY ctest --output-on-failure -j "$(nproc)" --timeout 300
