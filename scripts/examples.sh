#!/usr/bin/env bash
# Installs what is missing, builds the program, and runs its main job: the
# unattended conversion of the bundled example logs (examples/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
# Only the program: the tests are scripts/test.sh's business.
cmake -S "$top" -B "$top/build" -G Ninja >/dev/null
cmake --build "$top/build" -j "$(nproc)" --target briven

out="$top/out/examples"
mkdir -p "$out"
# Keep the example runs' settings out of the user's own.
export XDG_CONFIG_HOME="$top/out/config"

convert() {
  local log=$1 instrument=$2 output=$3
  shift 3
  local arguments=("$top/examples/$log" "$out/$output")
  [ -n "$instrument" ] && arguments+=("$top/examples/$instrument")
  "$top/build/app/briven" "${arguments[@]}" -ow=yes -cl="$out/${output%.*}.log" "$@"
  if [ -n "$instrument" ]; then
    echo "Converted examples/$log with examples/$instrument into $out/$output:"
  else
    echo "Converted the header lines of examples/$log into $out/$output:"
  fi
  head -n 7 "$out/$output"
  echo
}

convert binary_cast.raw NMBP0417.tdf binary_cast.dat -c -efc
convert ascii_cast.raw NMAC0093.tdf ascii_cast.dat -c -x
convert header_cast.raw "" header_cast.txt
echo "Conversion logs: $out/*.log"
