#!/usr/bin/env bash
# End-to-end check of the real program on an X server of its own:
#   scripts/e2e-gui.sh <build folder> <artifacts folder>
# Starts Xvfb with a window manager and trayer as the notification area, runs a
# copy of the program (so its Tolvane.ini stays out of the build), converts a
# CP936 note in the user's home with the shipped 简体到繁体 table through the
# real controls, sends the window to the tray and closes it from the tray menu.
set -euo pipefail
source "$(dirname "$0")/x-desktop.sh"
source "$(dirname "$0")/e2e-steps.sh"
build=$(realpath "$1")
artifacts=$(realpath -m "$2")
mkdir -p "$artifacts"

work=$(mktemp -d)
pids=()
cleanup() {
    stop_started
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "失败 / FAILED: $*" >&2
    import -window root "$artifacts/e2e-failure.png" 2>/dev/null || true
    exit 1
}
start_x_desktop "$work"
start_trayer
read_build "$build"
# The note lies where a user keeps one, /home/xiaoming/文档, so that the list
# (and the screenshots) show a path like a user's: the program runs in a mount
# namespace of its own, in which $work/home is /home.
prepare_folders "$build/bin/tolvane" "$work/home/xiaoming/文档"
unshare --user --map-root-user --mount \
    sh -c 'mount --bind "$1" /home && HOME=/home/xiaoming exec "$2"' sh "$work/home" "$app/tolvane" \
    >"$artifacts/e2e-tolvane.log" 2>&1 &
app_pid=$!
pids+=($app_pid)
find_window
convert_note "/home/xiaoming/文档/$note"

minimise_into_tray

# Right click: the popup menu; its last item 关闭 ends the program.
icon=$(tray_icon)
read -r x y < <(xwininfo -id "$icon" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x + 8, y + 8}')
# The menu is one more visible window of the program (its tray icon is one too).
program_windows() { xdotool search --onlyvisible --class tolvane 2>/dev/null | wc -l; }
closed_count=$(program_windows)
menu_open() { [ "$(program_windows)" -gt "$closed_count" ]; }
for _ in 1 2 3; do
    xdotool mousemove "$x" "$y" click 3
    wait_for menu_open && break
done
menu_open || fail "the tray menu did not open"
sleep 0.5
xdotool key Up Return
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not end from the tray menu"

# The settings written at shut-down: minimised, multithreaded, hint shown once.
ini=$(iconv -f CP936 "$app/Tolvane.ini" | tr -d '\r')
for line in '[窗体位置]' '状态=1' '[个人设置]' '使用多线程=1' '提示使用拖放操作=0'; do
    grep -qxF "$line" <<<"$ini" || fail "Tolvane.ini lacks $line: $ini"
done
echo "ok: closed from the tray menu, settings saved"
