#!/usr/bin/env bash
# Installs what is missing, builds with g++ and libstdc++, builds the game and the page
# to WebAssembly (scripts/web.sh) and runs every test, the WebAssembly game's replays
# under node and the page in Chromium (tests/browser, its npm modules installed with
# npm ci) among them; then builds the core, the headless game and the tests again
# with clang and libc++ (a second compiler and standard library, GoogleTest compiled
# from Debian's sources for it), AddressSanitizer and UndefinedBehaviorSanitizer (no
# Qt window, no benchmarks) and runs the tests there too.
# BUILD_DIR, WEB_BUILD_DIR and ASAN_BUILD_DIR choose the build folders (build,
# build-web, build-asan); SHIRAKABA_SKIP_WEB=1 skips the WebAssembly build (its tests
# are then skipped), SHIRAKABA_SKIP_SANITIZE=1 the last pass.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_DIR=${BUILD_DIR:-build}
WEB_BUILD_DIR=$(realpath -m "${WEB_BUILD_DIR:-build-web}")
ASAN_BUILD_DIR=${ASAN_BUILD_DIR:-build-asan}
scripts/setup.sh
BUILD_DIR=$BUILD_DIR scripts/build.sh -DSHIRAKABA_WEB_BUILD_DIR="$WEB_BUILD_DIR"
if [ "${SHIRAKABA_SKIP_WEB:-0}" != 1 ]; then
  WEB_BUILD_DIR=$WEB_BUILD_DIR scripts/web.sh
  # puppeteer-core only: the tests drive Debian's chromium, no browser is downloaded.
  (cd tests/browser && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 600

if [ "${SHIRAKABA_SKIP_SANITIZE:-0}" = 1 ]; then exit 0; fi
# Leaks are errors, except fontconfig's cache, which it keeps for the whole process.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# CMake keeps the compiler a folder was first configured with: a folder left by an
# earlier g++ sanitizer pass is started afresh.
if [ -f "$ASAN_BUILD_DIR/CMakeCache.txt" ] \
  && ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++$' "$ASAN_BUILD_DIR/CMakeCache.txt"; then
  rm -rf -- "$ASAN_BUILD_DIR"
fi
# -stdlib=libc++ in CMAKE_CXX_FLAGS reaches both compiling and linking.
CC=clang CXX=clang++ BUILD_DIR=$ASAN_BUILD_DIR scripts/build.sh -DSHIRAKABA_SANITIZE=ON -DSHIRAKABA_QT=OFF \
  -DSHIRAKABA_BENCH=OFF -DCMAKE_CXX_FLAGS=-stdlib=libc++ -DSHIRAKABA_GTEST_FROM_SOURCE=ON
ctest --test-dir "$ASAN_BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 1200
