#!/usr/bin/env bash
# Extracting a 50 MB deflated entry: this library against `unzip -p` on the
# same archive, in the same run. Fails when the library's median is more
# than 1.5 times unzip's.
# Usage: bench/zip/run_zip_bench.sh [build-folder]   (default: build-bench-zip; the
# project's usual -O2 build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build-bench-zip}"
runs=7
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIVEN_TESTS=OFF -DBRIVEN_BENCH=ON >/dev/null
cmake --build "$build" --target zip_extract_bench >/dev/null
bench="$build/bench/zip/zip_extract_bench"

# 50 MB of instrument-like text: compresses, but not trivially.
python3 - "$work/data.txt" <<'PY'
import random, sys
random.seed(42)
with open(sys.argv[1], 'w') as out:
    size = 0
    while size < 50 * 1000 * 1000:
        line = '%d,%.4f,%.4f,%.2f,%05X\n' % (size, random.gauss(10, 3), random.uniform(0, 35),
                                              random.uniform(900, 1100), random.getrandbits(20))
        out.write(line)
        size += len(line)
PY
(cd "$work" && zip -q -6 data.zip data.txt)
mkdir "$work/out"

unzip_ms=()
for _ in $(seq $runs); do
  start=$(date +%s%N)
  unzip -p "$work/data.zip" data.txt > /dev/null
  unzip_ms+=($(( ($(date +%s%N) - start) / 1000000 )))
done
unzip_median=$(printf '%s\n' "${unzip_ms[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")

ours="$("$bench" "$work/data.zip" data.txt "$work/out" $runs)"
echo "archive: $(stat -c %s "$work/data.zip") bytes, entry: $(stat -c %s "$work/data.txt") bytes, runs: $runs"
echo "unzip -p > /dev/null: median ${unzip_median} ms"
echo "$ours" | sed 's/^/briven_zip /; s/$/ ms/'
sink_median=$(echo "$ours" | awk '/^sink/ {print $5}')
ratio=$(awk -v a="$sink_median" -v b="$unzip_median" 'BEGIN { printf "%.2f", a / b }')
echo "ratio (sink median / unzip median): $ratio"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.5) }' || { echo "slower than 1.5x unzip -p" >&2; exit 1; }
