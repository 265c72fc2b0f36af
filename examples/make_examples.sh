#!/usr/bin/env bash
# Remakes the small example logs beside this script with the log
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

# A cast log as the recorder writes it: header lines in front of the frames,
# for the header conversion (two file names: the log and the output).
{
  printf 'BRVHDR %s\r\n' 'NMBP0417 (Instrument)' 'Norrvik Marine (Maker)' '2026-03-14 (Cast date)' \
    '63.4412 N 10.3951 E (Position)' 'Station 7, cast 2 (Comment)'
  cat "$here/binary_cast.raw"
} >"$here/header_cast.raw"
