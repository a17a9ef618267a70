#!/usr/bin/env bash
# Builds and runs the whole test suite: a normal build, the same suite under
# AddressSanitizer + UndefinedBehaviorSanitizer, and a short fuzzing run of the
# text primitives and of the readers of outside input (names files, journals,
# the version page). Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_dependencies.sh
jobs=$(nproc)

# Every option is given, so a folder configured otherwise before is set right;
# and a build that finds no tests fails instead of passing.
echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_BUILD_APP=ON \
  -DQM_BUILD_CLI=ON -DQM_BUILD_TESTS=ON -DQM_BUILD_BENCH=ON -DQM_BUILD_FUZZ=OFF -DQM_SANITIZE=OFF >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"

echo "== build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_BUILD_APP=ON \
  -DQM_BUILD_CLI=ON -DQM_BUILD_TESTS=ON -DQM_BUILD_BENCH=OFF -DQM_BUILD_FUZZ=OFF >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs"

if command -v clang++ >/dev/null; then
  echo "== fuzz the text primitives and the readers of outside input (${QM_FUZZ_SECONDS:=20} s per target)"
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQM_BUILD_FUZZ=ON \
    -DQM_BUILD_APP=OFF -DQM_BUILD_CLI=OFF -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF -DQM_SANITIZE=OFF >/dev/null
  cmake --build build-fuzz
  fuzzed=0
  for fuzzer in build-fuzz/tests/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    fuzzed=$((fuzzed + 1))
    "$fuzzer" -max_total_time="$QM_FUZZ_SECONDS" -print_final_stats=0 -artifact_prefix=build-fuzz/ 2>"build-fuzz/$(basename "$fuzzer").log" \
      || { tail -n 40 "build-fuzz/$(basename "$fuzzer").log"; exit 1; }
    echo "$(basename "$fuzzer"): no finding in $QM_FUZZ_SECONDS s"
  done
  [ "$fuzzed" -gt 0 ] || { echo "no fuzz target was built"; exit 1; }
else
  echo "== clang++ not found: fuzzing skipped"
fi
