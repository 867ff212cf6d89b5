#!/usr/bin/env bash
# The run command: installs what is missing, builds, and starts quillmarsh.exe
# under Wine (zh_CN.UTF-8, so the ANSI code page is 936). With DISPLAY set it
# opens there and waits for the window to be closed; without DISPLAY it runs on
# a private Xvfb, saves a screenshot of the window and stops everything again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$QM_ROOT"

"$QM_ROOT/scripts/install-deps.sh" </dev/null
qm_detect_wine_arch
arch=$QM_WINE_ARCH
qm_build win32  # the product, always
if [[ "$arch" == win64 ]]; then qm_build win64; fi
echo "Running $(qm_wine_arch_reason)."

export QM_BUILD_DIR="$QM_ROOT/build/$arch"
exec "$QM_PYTHON" tests/e2e/harness.py run --program "$QM_BUILD_DIR/src/platform/win32/quillmarsh.exe" \
    --work-dir "$QM_BUILD_DIR" --screenshot "$QM_ROOT/build/screenshot.png" "$@"
