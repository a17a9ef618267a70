#!/usr/bin/env bash
# Builds Quillmere and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_dependencies.sh
cmake -S . -B build -G Ninja -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF >/dev/null
cmake --build build --target quillmere
exec ./build/src/quillmere "$@"
