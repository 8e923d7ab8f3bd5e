#!/usr/bin/env bash
# End-to-end check of the real program on an X server of its own:
#   scripts/e2e-gui.sh <folder holding tolvane and 对照表> <artifacts folder>
# Starts Xvfb with trayer as the notification area, runs a copy of the program
# (so its Tolvane.ini stays out of the build), converts a CP936 file with the
# shipped 简体到繁体 table through the real controls and the keyboard, sends
# the window to the tray and closes it from the tray menu.
set -euo pipefail
bin_dir=$(realpath "$1")
artifacts=$(realpath -m "$2")
mkdir -p "$artifacts"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "失败 / FAILED: $*" >&2
    import -window root "$artifacts/e2e-failure.png" 2>/dev/null || true
    exit 1
}
# The window's title as UTF-8 (WM_NAME, which xdotool reads, is not).
title_is() { xprop -id "$window" _NET_WM_NAME | grep -q "= \"$1"; }
# Waits up to 10 s for a command to succeed.
wait_for() {
    for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

display=90
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
export DISPLAY=":${display}"
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
wait_for xdpyinfo || fail "Xvfb did not start"
trayer --edge bottom --align right --widthtype request --height 24 >/dev/null 2>&1 &
pids+=($!)
wait_for xdotool search --class trayer || fail "trayer did not start"

# The program folder, with only the table this check uses.
app="$work/app"
mkdir -p "$app/对照表"
cp "$bin_dir/tolvane" "$app/"
cp "$bin_dir/对照表/简体到繁体.txt" "$app/对照表/"
data="$work/data"
mkdir -p "$data"
printf '简体转换\r\n' | iconv -t CP936 > "$data/sample.txt"
cp "$data/sample.txt" "$work/original.txt"

title='Tolvane 0.95 版'
"$app/tolvane" >"$artifacts/e2e-tolvane.log" 2>&1 &
pids+=($!)
wait_for xdotool search --onlyvisible --name "^${title}\$" || fail "no window titled $title"
window=$(xdotool search --onlyvisible --name "^${title}\$" | head -1)
xdotool windowfocus --sync "$window"
sleep 0.5

# 依据 has the focus first: Down picks the first (only) table.
xdotool key Down
sleep 2
# Tab to "+", press it, answer the one-time usage hint, type the path in the dialog.
xdotool key Tab space
sleep 1
xdotool key Return
sleep 1
xdotool type --delay 20 "$data/sample.txt"
xdotool key Return
sleep 1
# "+" -> "-" -> 清除 -> 源文件 -> 开始转换 (剪贴板 is hidden in file mode).
xdotool key Tab Tab Tab Tab space
wait_for test -d "$data/~Vebzo01.bak" || fail "no backup folder was made"
wait_for title_is "$title\"" || fail "the job did not end"
sleep 0.5
import -window root "$artifacts/e2e-converted.png"

expected=$(printf '簡體轉換\r\n' | iconv -t CP936 | od -An -tx1)
actual=$(od -An -tx1 "$data/sample.txt")
[ "$actual" = "$expected" ] || fail "converted bytes: $actual, expected: $expected"
cmp -s "$work/original.txt" "$data/~Vebzo01.bak/sample.txt" || fail "the backup is not the original"

echo "ok: converted and backed up"
