#!/usr/bin/env bash
# Checks the Debian package as a user meets it:
#   bash scripts/deb-check.sh
# builds it, runs lintian (an error fails the check), installs it with apt,
# uses the installed programs with a scratch home and XDG folders, builds a C
# program against the installed library, runs the Python tests on the
# installed module, starts the installed tolvane on an X server of its own and
# closes it, then removes the packages again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
bash scripts/install-deps.sh lintian man-db

fail() {
    echo "失败 / FAILED: $*" >&2
    exit 1
}

built=$(bash scripts/build-deb.sh)
mapfile -t debs < <(grep -x 'dist/.*\.deb' <<<"$built")
packages=(tolvane tolvane-data libtolvane0 libtolvane-dev python3-tolvane)
echo "== lintian ${debs[*]}"
lintian --fail-on error "${debs[@]}" || fail "lintian reports errors"

source scripts/x-desktop.sh
scratch=$(mktemp -d)
pids=()
cleanup() {
    stop_started
    remove_package || true
    rm -rf "$scratch"
}
remove_package() {
    local installed=()
    for package in "${packages[@]}"; do
        if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            installed+=("$package")
        fi
    done
    if [ ${#installed[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 purge -y -qq "${installed[@]}" >/dev/null
    fi
}
trap cleanup EXIT
echo "== installing ${debs[*]}"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${debs[@]/#/./}" >/dev/null

# A user of our own making: nothing of the caller's home or settings is used.
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
mkdir -p "$HOME"
cd "$HOME"
cli=/usr/bin/tolvane-cli

listed=$("$cli" -l | cut -f1)
for table in 简体到繁体.txt 繁体到简体.txt; do
    grep -qx "$table" <<<"$listed" || fail "tolvane-cli -l does not list $table: $listed"
done
echo "ok: the installed tables are listed"

own="$XDG_DATA_HOME/tolvane/对照表"
mkdir -p "$own"
printf 'a b\r\n' >"$own/自己的.txt"
"$cli" -l | cut -f1 | grep -qx 自己的.txt || fail "the user's table is not listed"
[ "$(printf 'abc' | "$cli" -t 自己的)" = bbc ] || fail "the user's table does not convert"
echo "ok: a table in \$XDG_DATA_HOME is listed and used"

printf '简体转换\r\n' | iconv -t CP936 >sample.txt
cp sample.txt original.txt
"$cli" -q -t 简体到繁体 sample.txt || fail "tolvane-cli did not convert sample.txt"
[ "$(iconv -f CP936 sample.txt)" = "$(printf '簡體轉換\r\n')" ] || fail "wrong conversion"
cmp -s original.txt '~Vebzo01.bak/sample.txt' || fail "the backup is not the original"
echo "ok: a file converts, its original kept in ~Vebzo01.bak"

for page in tolvane tolvane-cli; do
    man -w "$page" >/dev/null || fail "man -w $page finds no manual page"
done
# The completion offers the table names, the user's among them.
names=$(bash -c 'source /usr/share/bash-completion/completions/tolvane-cli && _tolvane_cli_tables tolvane-cli')
grep -qx 自己的 <<<"$names" || fail "the bash completion does not offer the tables: $names"
echo "ok: manual pages and bash completion"

# The library: a C program built with the installed header and pkg-config
# file, the same with the CMake package, and the Python tests run on the
# installed module.
# shellcheck disable=SC2046 # pkg-config gives several words
cc -o convert_text "$root/examples/convert_text.c" $(pkg-config --cflags --libs tolvane)
[ "$(./convert_text 简体到繁体 复制日志)" = 複製日誌 ] || fail "a C program built with pkg-config does not convert"
mkdir cmake-user
printf 'cmake_minimum_required(VERSION 3.25)\nproject(user C)\nfind_package(Tolvane REQUIRED)\nadd_executable(convert_text %s)\ntarget_link_libraries(convert_text Tolvane::tolvane)\n' \
    "$root/examples/convert_text.c" >cmake-user/CMakeLists.txt
cmake -S cmake-user -B cmake-user/build >/dev/null && cmake --build cmake-user/build >/dev/null ||
    fail "find_package(Tolvane) does not build a C program"
[ "$(cmake-user/build/convert_text 简体到繁体 复制日志)" = 複製日誌 ] || fail "the CMake-built C program does not convert"
echo "ok: C programs build against the installed library (pkg-config and CMake)"
converted=$(env -u PYTHONPATH /usr/bin/python3 -c 'import tolvane; print(tolvane.Table("简体到繁体").convert("复制日志"))')
[ "$converted" = 複製日誌 ] || fail "the installed Python module gives $converted"
env -u PYTHONPATH PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 -m pytest -q -p no:cacheprovider "$root/tests/python" ||
    fail "the Python tests fail on the installed module"
echo "ok: the Python tests pass on the installed module"

# The window: started on an X server of its own with a window manager, closed
# as a user closes it (Alt+F4), it writes its settings into the user's folder.
start_x_desktop "$scratch"
/usr/bin/tolvane >"$scratch/tolvane.log" 2>&1 &
app=$!
pids+=($app)
title="$("$cli" -V) 版"
wait_for xdotool search --onlyvisible --name "^${title}\$" || fail "no window titled $title"
window=$(xdotool search --onlyvisible --name "^${title}\$" | head -1)
closed() { ! kill -0 "$app" 2>/dev/null; }
# A key pressed while the window is still being activated can go astray.
for _ in 1 2 3; do
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers alt+F4
    wait_for closed && break
done
closed || fail "tolvane did not end when closed"
settings="$XDG_CONFIG_HOME/tolvane/Tolvane.ini"
[ -f "$settings" ] || fail "no $settings: $(ls -R "$XDG_CONFIG_HOME" 2>&1)"
iconv -f CP936 "$settings" | grep -q '^\[个人设置\]' || fail "$settings holds no settings"
[ ! -e /usr/bin/Tolvane.ini ] || fail "tolvane wrote its settings beside itself"
echo "ok: the installed tolvane starts, closes and keeps its settings in $settings"

cd "$root"
remove_package
[ ! -e /usr/bin/tolvane-cli ] && [ ! -e /usr/share/tolvane ] && [ ! -e /usr/include/tolvane.h ] ||
    fail "the packages left files behind"
echo "ok: the package is removed again"
