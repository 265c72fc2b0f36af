#!/usr/bin/env bash
# Builds the fuzz targets and runs each for TIME seconds on its corpus, then
# reports per target the executions, the coverage (features) and the
# findings. Exit status 1 when any target found something.
#   fuzz/run.sh TIME [TARGET...]        TARGET: instrument_loader, zip_extract, ...
# TIME 0 replays the corpus once (every seed and kept crash) and stops.
# Environment:
#   BRIVEN_FUZZ_BUILD  build folder (default <repo>/build-fuzz)
#   BRIVEN_FUZZ_JOBS   targets run side by side (default: half the processors)
# New inputs go to <build>/fuzz-work/<target>/ (the committed seeds in
# fuzz/corpus/<target>/ are only read; fuzz/dict/<target>.dict, when there,
# gives the format's keywords); a finding is written to
# <build>/fuzz-findings/<target>/ and its log beside it. Keep a crashing input
# in fuzz/corpus/<target>/ once it is fixed, so every later run replays it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
time_each=${1:?usage: fuzz/run.sh TIME [TARGET...]}
shift
build=${BRIVEN_FUZZ_BUILD:-$top/build-fuzz}
jobs=${BRIVEN_FUZZ_JOBS:-$(( $(nproc) / 2 > 0 ? $(nproc) / 2 : 1 ))}

"$top/fuzz/deps.sh"
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for f in "$top"/fuzz/fuzz_*.cpp; do
    n=$(basename "$f" .cpp)
    targets+=("${n#fuzz_}")
  done
fi

cmake -S "$top" -B "$build" -G Ninja -DBRIVEN_FUZZ=ON -DBRIVEN_TESTS=OFF \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if ! cmake --build "$build" --target $(printf 'fuzz_%s ' "${targets[@]}") >"$build/fuzz-build.log" 2>&1; then
  grep -E 'error|FAILED' "$build/fuzz-build.log" | head -20 >&2
  echo "fuzz/run.sh: the build failed; see $build/fuzz-build.log" >&2
  exit 2
fi

# Extraction writes files named by hostile archives. The target refuses and
# checks every escape, but a run as root must not be the test of that: when
# root, the targets run as nobody, who can write only the scratch folders.
as_user=()
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  # A checkout below a folder only root may enter (/root) cannot be run
  # by nobody; then the targets run as root, inside their scratch folders.
  if ! "${as_user[@]}" test -x "$build/fuzz/fuzz_${targets[0]}"; then
    echo "fuzz/run.sh: nobody cannot reach $build; running the targets as root" >&2
    as_user=()
  fi
fi

run_one() {
  local t=$1 work=$build/fuzz-work/$1 found=$build/fuzz-findings/$1 dict=()
  [ -f "$top/fuzz/dict/$t.dict" ] && dict=(-dict="$top/fuzz/dict/$t.dict")
  mkdir -p "$work" "$found"
  [ ${#as_user[@]} -gt 0 ] && chown -R nobody:nogroup "$work" "$found"
  # Seeds are copied in so that the run's corpus is readable and writable
  # by the user the target runs as.
  cp -n "$top/fuzz/corpus/$t"/* "$work/" 2>/dev/null || true
  [ ${#as_user[@]} -gt 0 ] && chown -R nobody:nogroup "$work"
  local length=(-max_total_time="$time_each")
  [ "$time_each" -eq 0 ] && length=(-runs=0)
  (cd "$found" && "${as_user[@]}" "$build/fuzz/fuzz_$t" "$work" \
      "${length[@]}" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 "${dict[@]}" \
      -artifact_prefix="$found/" >"$found/run.log" 2>&1) || true
}

pids=()
for t in "${targets[@]}"; do
  run_one "$t" &
  pids+=($!)
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
done
wait

status=0
printf '%-20s %12s %8s %8s %s\n' target executions cov ft findings
for t in "${targets[@]}"; do
  log=$build/fuzz-findings/$t/run.log
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  findings=$(find "$build/fuzz-findings/$t" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' \
             -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  printf '%-20s %12s %8s %8s %s\n' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$findings"
  [ "$findings" -eq 0 ] || status=1
  if [ -z "$execs" ]; then
    echo "fuzz/run.sh: $t did not run to its end; see $log" >&2
    status=1
  fi
done
exit $status
