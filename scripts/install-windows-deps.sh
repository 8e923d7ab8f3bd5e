#!/usr/bin/env bash
# Installs the Debian packages the Windows build needs, and only those missing:
#   scripts/install-windows-deps.sh          the cross compilers and GoogleTest's sources
#   scripts/install-windows-deps.sh test     also Wine, an X server and a tray host
set -euo pipefail

packages=(
    cmake make python3
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
    googletest
)
if [ "${1:-}" = test ]; then
    packages+=(
        wine wine64 locales fonts-wqy-microhei
        xvfb xauth xdotool x11-utils imagemagick trayer openbox
    )
fi

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
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
