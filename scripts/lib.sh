# Shared by the scripts (sourced, not run): where the build folders are, how each
# is configured and built, and which Windows build runs under Wine here.

QM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QM_JOBS=2  # the machines have two cores, shared
# Debian's python3 (the harness uses the standard library only).
if [[ -x /usr/bin/python3 ]]; then QM_PYTHON=/usr/bin/python3; else QM_PYTHON=python3; fi
export PYTHONDONTWRITEBYTECODE=1

# win32 where 32-bit Wine starts, win64 where the kernel cannot run 32-bit code.
# Call qm_detect_wine_arch once (not in a subshell); tests/e2e/harness.py holds
# the check itself.
qm_detect_wine_arch() {
    QM_WINE_ARCH=$("$QM_PYTHON" "$QM_ROOT/tests/e2e/harness.py" arch)
    export QM_WINE_ARCH
}

qm_wine_arch_reason() {
    if [[ "$QM_WINE_ARCH" == win32 ]]; then
        echo "the 32-bit program in a 32-bit Wine prefix"
    else
        echo "the 64-bit build of the same sources under 64-bit Wine (32-bit Wine cannot run on this machine)"
    fi
}

# qm_build KIND [extra cmake arguments]: configures and builds build/KIND.
#   native  Debug, unit tests and benchmarks under ASan and UBSan
#   win32   the product: 32-bit quillmarsh.exe, its tools and checks
#   win64   the same sources for 64-bit Windows
#   bench   native Release without sanitizers, for benchmark figures
qm_build() {
    local kind=$1
    shift
    local dir="$QM_ROOT/build/$kind"
    local args=()
    case "$kind" in
        native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
        bench) args=(-DCMAKE_BUILD_TYPE=Release -DQM_SANITIZE=OFF) ;;
        win32 | win64)
            local toolchain=mingw-i686
            [[ "$kind" == win64 ]] && toolchain=mingw-x86_64
            local e2e=OFF
            [[ "${QM_WINE_ARCH:?call qm_detect_wine_arch first}" == "$kind" ]] && e2e=ON
            args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$QM_ROOT/cmake/$toolchain.cmake" -DQM_E2E=$e2e)
            ;;
        *)
            echo "qm_build: unknown build $kind" >&2
            return 2
            ;;
    esac
    echo "== build $kind ($dir)"
    local log="$QM_ROOT/build/$kind-build.log"
    mkdir -p "$QM_ROOT/build"
    # The full output goes to a log; a failure shows its end.
    if ! { cmake -S "$QM_ROOT" -B "$dir" "${args[@]}" "$@" && cmake --build "$dir" --parallel "$QM_JOBS"; } \
        >"$log" 2>&1 </dev/null; then
        tail -n 60 "$log"
        echo "build $kind failed; the whole output is in $log"
        return 1
    fi
}
