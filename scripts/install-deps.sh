#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Idempotent: when everything is present it only asks dpkg and says so.
set -euo pipefail

packages=(
    cmake make g++ python3
    libgtest-dev googletest libbenchmark-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64 wine32:i386
    xvfb xdotool x11-utils fonts-wqy-microhei fonts-wine imagemagick
    clang-format
)

# One dpkg query for all of them; a package it does not know is missing too.
installed=" $(dpkg-query -W -f='${binary:Package}=${db:Status-Status} ' "${packages[@]}" 2>/dev/null || true) "
native=$(dpkg --print-architecture)
missing=()
for package in "${packages[@]}"; do
    # Multi-arch packages are listed as name:arch.
    [[ "$installed" == *" $package=installed "* || "$installed" == *" $package:$native=installed "* ]] ||
        missing+=("$package")
done
need_i386=false
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_i386=true
fi

if [[ ${#missing[@]} -eq 0 && "$need_i386" == false ]]; then
    echo "install-deps: all ${#packages[@]} packages present"
    exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        echo "install-deps: missing ${missing[*]}; run this script as root to install them" >&2
        exit 1
    fi
    as_root=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# 32-bit Wine comes from the i386 architecture.
if [[ "$need_i386" == true ]]; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -q </dev/null
"${as_root[@]}" apt-get install -y -q "${missing[@]}" </dev/null
