#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job on the
# bundled example files.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh" "$top/build"
"$top/build/app/briven" --version
