#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan/UBSan) into build-fuzz if needed and
# runs each for SECONDS, one after another (JOBS=2 runs two at once). New inputs
# go to build-fuzz/corpus/<target>, findings to build-fuzz/findings/<target>. Seeds come from
# fuzz/corpus/<name> (and fuzz/corpus/<name>_hostile: seeds that must be refused).
# Usage: fuzz/run.sh SECONDS [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}
JOBS=${JOBS:-1}
if [ ! -f "$BUILD/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DSHIRAKABA_FUZZ=ON -DSHIRAKABA_QT=OFF \
    -DSHIRAKABA_TESTS=OFF -DSHIRAKABA_BENCH=OFF > "$BUILD.configure.log" 2>&1 \
    || { cat "$BUILD.configure.log"; exit 1; }
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cpp; do
    t=$(basename "$f" .cpp)
    [ "$t" = script_lint_fuzz ] && [ ! -f tools/pack/lint.cpp ] && continue
    targets+=("$t")
  done
fi
cmake --build "$BUILD" -j 2 --target "${targets[@]}" || exit 1

run_one() {
  local t=$1 seeds="fuzz/corpus/${1%_fuzz}" hostile="fuzz/corpus/${1%_fuzz}_hostile"
  local work="$BUILD/corpus/$t" found="$BUILD/findings/$t" log="$BUILD/logs/$t.log"
  # Saves of the demo game reach 140 KB; every other input is small.
  local max_len=65536
  [ "$t" = save_loader_fuzz ] && max_len=262144
  mkdir -p "$work" "$found" "$BUILD/logs" "$seeds"
  # LeakSanitizer stays off: fontconfig keeps its cache for the whole process.
  ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$BUILD/fuzz/$t" "$work" "$seeds" $( [ -d "$hostile" ] && echo "$hostile" ) -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -timeout=30 \
    -max_len="$max_len" -detect_leaks=0 -artifact_prefix="$found/" -print_final_stats=1 > "$log" 2>&1
  local rc=$?
  local execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  local n=$(find "$found" -type f | wc -l)
  echo "$t: ${execs:-?} executions, $n findings (exit $rc, log $log)"
}

running=0
for t in "${targets[@]}"; do
  run_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$JOBS" ]; then wait -n; running=$((running - 1)); fi
done
wait
