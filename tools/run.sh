#!/usr/bin/env bash
# Builds Quillmere and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_dependencies.sh
# Its own build folder: the options below must not leak into the test build.
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_BUILD_APP=ON \
  -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF -DQM_BUILD_FUZZ=OFF -DQM_SANITIZE=OFF >/dev/null
cmake --build build-run --target quillmere
exec ./build-run/src/quillmere "$@"
