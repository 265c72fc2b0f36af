#!/usr/bin/env bash
# Remakes the two small example logs beside this script with the log
# generator: about three hundred frames each and, in one place, two garbage
# bytes in front of a frame (frame 150), so a conversion shows one
# resynchronisation and no frame counter or check sum errors.
#
#   make_examples.sh [GENERATOR]
#
# GENERATOR is a built briven_generate_log; without it the generator's one
# source file is compiled into a temporary folder first.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)

generator=${1:-}
if [[ -z $generator ]]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  generator=$work/briven_generate_log
  "${CXX:-c++}" -std=c++20 -O2 -o "$generator" "$top/bench/gen/generate_log.cpp"
fi

# The seed is the one that puts the garbage at a single place in both logs.
"$generator" fixed 0.0064 "$here/binary_cast.raw" --garbage --seed 2
"$generator" ascii 0.0105 "$here/ascii_cast.raw" --garbage --seed 2
