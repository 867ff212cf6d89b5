#!/usr/bin/env bash
# The hook benchmark: builds the Windows program that runs under Wine here
# (32-bit where 32-bit Wine starts, else the 64-bit build of the same sources)
# and runs tests/e2e/tools/hookbench.exe on a private Xvfb. It prints figures;
# it never passes or fails on time.
# Usage: scripts/bench-hook.sh [clicks per batch] [rounds]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$QM_ROOT"

qm_detect_wine_arch
qm_build "$QM_WINE_ARCH"
build="$QM_ROOT/build/$QM_WINE_ARCH"
cd "$QM_ROOT/tests/e2e"
QM_PROGRAM="$build/src/platform/win32/quillmarsh.exe" \
QM_TOOLS_DIR="$build/tests/e2e/tools" \
QM_WORK_DIR="$build/e2e" \
    exec "$QM_PYTHON" bench_hook.py "$@"
