#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds the core, the
# headless game and the tests again with AddressSanitizer and UndefinedBehaviorSanitizer
# (no Qt window, no benchmarks) and runs the tests there too.
# BUILD_DIR and ASAN_BUILD_DIR choose the build folders (build, build-asan);
# SHIRAKABA_SKIP_SANITIZE=1 skips the second pass.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_DIR=${BUILD_DIR:-build}
ASAN_BUILD_DIR=${ASAN_BUILD_DIR:-build-asan}
scripts/setup.sh
BUILD_DIR=$BUILD_DIR scripts/build.sh
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 600

if [ "${SHIRAKABA_SKIP_SANITIZE:-0}" = 1 ]; then exit 0; fi
# Leaks are errors, except fontconfig's cache, which it keeps for the whole process.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
BUILD_DIR=$ASAN_BUILD_DIR scripts/build.sh -DSHIRAKABA_SANITIZE=ON -DSHIRAKABA_QT=OFF -DSHIRAKABA_BENCH=OFF
ctest --test-dir "$ASAN_BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 1200
