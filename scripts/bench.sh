#!/usr/bin/env bash
# The benchmark command: builds the native benchmarks in Release without
# sanitizers and runs each of them, then every scripts/bench-*.sh (benchmarks of
# the real program under Wine). They print figures; none passes or fails on time.
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
# Benchmarks of the real program under Wine, each with its own runner.
for runner in scripts/bench-*.sh; do
    [[ -x "$runner" ]] || continue
    echo "== $(basename "$runner" .sh) (under Wine)"
    "$runner"
done
