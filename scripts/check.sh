#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: the unit
# tests, the generated pictures and read-me, the real window under Xvfb, and
# the unit tests again in a sanitizer build. The options are given in full,
# so whatever an earlier command left in the build folders, the whole suite
# is built and run; a run that finds no tests fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$top/scripts/install-deps.sh" play test

cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DTHORNVALE_BENCHMARKS=ON \
  -DTHORNVALE_SANITIZE=OFF >/dev/null
cmake --build "$top/build" -j"$jobs"
ctest --test-dir "$top/build" --output-on-failure --no-tests=error -j"$jobs"

cmake -S "$top" -B "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DTHORNVALE_BENCHMARKS=OFF \
  -DTHORNVALE_SANITIZE=ON >/dev/null
cmake --build "$top/build-sanitize" -j"$jobs" --target thornvale_tests thornvale_soak_test thornvale_soak
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$top/build-sanitize" --output-on-failure --no-tests=error -j"$jobs" -L unit
