#!/bin/sh
# Builds the 64-bit Windows program and its playback benchmark (Release), then
# runs the benchmark under Wine on a private Xvfb and prints its figures.
# Usage: scripts/bench-playback.sh [rounds] [lines]
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
build="${QM_BENCH_BUILD_DIR:-$repo/build/bench-playback-win64}"
cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target quillmarsh playbench target probe >/dev/null
cd "$repo/tests/e2e"
QM_PROGRAM="$build/src/platform/win32/quillmarsh.exe" \
QM_TOOLS_DIR="$build/tests/e2e/tools" \
QM_WORK_DIR="$build/e2e" \
PYTHONDONTWRITEBYTECODE=1 \
    exec python3 bench_play.py "$@"
