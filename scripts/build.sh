#!/usr/bin/env bash
# Configures and builds the program, the tests (and, with VEXIL_BENCH=ON, the benchmarks).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VEXIL_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DVEXIL_BENCH="${VEXIL_BENCH:-OFF}" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
