#!/usr/bin/env bash
# Installs the Debian packages Tolvane needs to build, test and run, and only
# those that are missing, so that a second run does nothing. Packages given as
# arguments are installed too (scripts/fuzz.sh adds its compiler).
#   scripts/install-deps.sh [--windows] [package ...]
# With --windows: the cross compilers and GoogleTest's sources for the Windows
# build instead of the Linux build's packages.
set -euo pipefail

if [ "${1:-}" = --windows ]; then
    shift
    packages=(
        cmake make g++ python3
        g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
        googletest
    )
else
    packages=(
        cmake g++ make pkg-config
        libgtest-dev libgmock-dev
        qt6-base-dev qt6-qpa-plugins libgl-dev
        python3-dev python3-pybind11 python3-pytest python3-dask python3-distributed
    )
fi
packages+=(
    fonts-wqy-microhei
    xvfb xauth xdotool xclip x11-utils imagemagick trayer openbox
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "正在安装缺少的软件包: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    # Waits for another package manager (an unattended upgrade) to finish.
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 \
        install -y -qq --no-install-recommends "${missing[@]}"
fi
