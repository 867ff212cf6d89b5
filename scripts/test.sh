#!/usr/bin/env bash
# The test command: installs what is missing, builds native, win32 and win64,
# and runs every test through ctest in each of them (native unit tests under
# ASan and UBSan, packaging checks, end-to-end tests under Wine). Every build
# and test set runs even after a failure; the exit code is 1 if any failed.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$QM_ROOT"

"$QM_ROOT/scripts/install-deps.sh" </dev/null || exit 1
started=$SECONDS
qm_detect_wine_arch
echo "End-to-end tests run $(qm_wine_arch_reason)."

failed=()
built=()
for kind in native win32 win64; do
    if qm_build "$kind"; then
        built+=("$kind")
    else
        failed+=("build $kind")
    fi
done

# Each run makes its Wine prefixes afresh (they are kept between its tests).
"$QM_PYTHON" tests/e2e/harness.py clean build/win32/e2e build/win64/e2e

for kind in "${built[@]}"; do
    echo "== tests $kind"
    (cd "build/$kind" && ctest --output-on-failure --parallel "$QM_JOBS" </dev/null) || failed+=("tests $kind")
done

echo
echo "Test command finished in $((SECONDS - started)) s (end-to-end: $QM_WINE_ARCH build)."
if [[ ${#failed[@]} -gt 0 ]]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "All builds and tests passed."
