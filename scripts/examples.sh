#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job: the
# unattended conversion of the bundled example logs (examples/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh" "$top/build"

out="$top/out/examples"
mkdir -p "$out"
# Keep the example runs' settings out of the user's own.
export XDG_CONFIG_HOME="$top/out/config"

convert() {
  local log=$1 instrument=$2 output=$3
  shift 3
  "$top/build/app/briven" "$top/examples/$log" "$out/$output" "$top/examples/$instrument" \
    -ow=yes -cl="$out/${output%.dat}.log" "$@"
  echo "Converted examples/$log with examples/$instrument into $out/$output:"
  head -n 7 "$out/$output"
  echo
}

convert binary_cast.raw NMBP0417.tdf binary_cast.dat -c -efc
convert ascii_cast.raw NMAC0093.tdf ascii_cast.dat -c -x
echo "Conversion logs: $out/*.log"
