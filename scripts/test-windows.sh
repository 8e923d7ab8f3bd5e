#!/usr/bin/env bash
# Builds the Windows suites with MinGW-w64 and runs them under Wine: the
# platform, engine, support and window suites and the native front-end, then
# one end-to-end run of tolvane.exe. The 64-bit build runs under wine64; the
# 32-bit programs are built too, and their suites run where this machine can
# run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${TOLVANE_JOBS:-$(nproc)}

bash scripts/install-deps.sh --windows wine wine64 locales
source scripts/x-desktop.sh
source scripts/wine-env.sh

work=$(mktemp -d)
pids=()
cleanup() {
    wineserver -k 2>/dev/null || true
    stop_started
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "失败 / FAILED: $*" >&2
    exit 1
}
start_x_desktop "$work"
prepare_wine

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
ctest --preset win64

# tolvane-cli.exe on a GBK text with stray bytes (an invalid byte, a lone lead
# byte at the end) gives the bytes the Linux program gives: the converted text
# with the stray bytes kept. Once as a filter, once on a file named with both
# separators, whose backup must land beside it.
cli=build/win64/bin/tolvane-cli.exe
{ printf '简体，' | iconv -t CP936; printf '\x80\xff\xb0'; } >"$work/in.txt"
{ printf '簡體，' | iconv -t CP936; printf '\x80\xff\xb0'; } >"$work/expected.txt"
wine "$cli" -t 简体到繁体 <"$work/in.txt" >"$work/out.txt"
cmp -s "$work/expected.txt" "$work/out.txt" || fail "tolvane-cli.exe as a filter: wrong bytes"
mkdir -p "$work/cli"
cp "$work/in.txt" "$work/cli/甲.txt"
wine "$cli" -q -t 简体到繁体 "$(winepath -w "$work")/cli/甲.txt"
cmp -s "$work/expected.txt" "$work/cli/甲.txt" || fail "tolvane-cli.exe on a file: wrong bytes"
cmp -s "$work/in.txt" "$work/cli/~Vebzo01.bak/甲.txt" || fail "tolvane-cli.exe: no backup beside the file"
echo "ok: tolvane-cli.exe gives the same bytes as on Linux"

# The 32-bit programs are always built. A kernel without 32-bit support, or a
# Wine without its 32-bit half, cannot start them: then their suites are
# neither built nor run.
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs" --target tolvane tolvane-cli
if timeout 60 wine build/win32/bin/tolvane-cli.exe --version 2>/dev/null | grep -q Tolvane; then
    cmake --build --preset win32 -j "$jobs"
    ctest --preset win32
else
    echo "跳过 / skipped: this machine cannot run 32-bit Windows programs; the 32-bit programs were built, their suites not run"
fi

wineserver -k 2>/dev/null || true
bash scripts/e2e-windows.sh build/win64 artifacts/windows
