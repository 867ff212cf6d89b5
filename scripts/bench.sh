#!/usr/bin/env bash
# The benchmark command: builds the native benchmarks in Release without
# sanitizers and runs each of them, then the hook benchmark under Wine. They
# print figures; none of them passes or fails on time.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$QM_ROOT"

"$QM_ROOT/scripts/install-deps.sh" </dev/null
qm_build bench
for bench in build/bench/bench/*; do
    [[ -f "$bench" && -x "$bench" ]] || continue
    echo "== $(basename "$bench")"
    "$bench"
done
if [[ -x scripts/bench-hook.sh ]]; then
    echo "== hook benchmark under Wine"
    scripts/bench-hook.sh
fi
if [[ -x scripts/bench-playback.sh ]]; then
    echo "== playback benchmark under Wine"
    scripts/bench-playback.sh
fi
