#!/usr/bin/env bash
# Cross-builds the Windows programs with MinGW-w64, 32-bit and 64-bit, and packs
# each build into dist/tolvane-<version>-win32.zip and -win64.zip: tolvane.exe,
# tolvane-cli.exe, the shipped tables in 对照表/ with their phrase rules in
# 对照表/词组/, LICENSE, NOTICE and a readme, and for C programs tolvane.dll
# with include/tolvane.h and lib/libtolvane.dll.a.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${TOLVANE_JOBS:-2}

bash scripts/install-deps.sh --windows

mkdir -p dist
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs" --target tolvane tolvane-cli tolvane_lib tolvane_tables
    version=$(sed -n 's/^#define TOLVANE_VERSION "\(.*\)"$/\1/p' "build/$preset/generated/tolvane_version.h")
    python3 scripts/pack-windows-zip.py "build/$preset/bin" "dist/tolvane-$version-$preset.zip" \
        "tolvane-$version-$preset"
done
ls -l dist/*.zip
