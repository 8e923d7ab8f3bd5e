# Sourced by the end-to-end scripts of both systems, after x-desktop.sh: the
# steps they share on the real window.
# Needs from the caller: fail MESSAGE, which ends the run; the array pids, to
# which started processes are added; work, a scratch folder; artifacts, the
# folder for screenshots and logs.
#   read_build BUILD              sets title and the controls' places
#   prepare_folders PROGRAM DATA  sets app and data
#   find_window                   sets window; minimise_into_tray sets tray

# read_build BUILD: the window's title from the build's version header, and
# where each control sits from its layout_places program (the Windows build's
# under Wine, which must be prepared).
read_build() {
    local header=$1/generated/tolvane_version.h version program=$1/tests/window/layout_places
    version=$(sed -n 's/^#define TOLVANE_VERSION "\(.*\)"$/\1/p' "$header")
    [ -n "$version" ] || fail "no version in $header"
    title="Tolvane $version 版"
    local run=("$program")
    [ -e "$program.exe" ] && run=(wine "$program.exe")
    declare -gA place=()
    local key x y
    while read -r key x y; do place[$key]="$x $y"; done < <("${run[@]}" | tr -d '\r')
    [ -n "${place[开始转换]:-}" ] || fail "no control places from $program"
}

# The window's title as UTF-8 (WM_NAME, which xdotool reads, is not).
title_is() { xprop -id "$window" _NET_WM_NAME | grep -q "= \"$1"; }
# click_control KEY [BUTTON]: clicks the centre of a control, as "依据" or "l(0)".
click_control() {
    local x y
    read -r x y <<<"${place[$1]}"
    xdotool mousemove --window "$window" "$x" "$y" click "${2:-1}"
}
visible_windows() { xdotool search --onlyvisible --name . 2>/dev/null | sort; }
# Evaluated anew on every try of wait_for.
windows_changed() { [ "$(visible_windows)" != "$before" ]; }
windows_back() { [ "$(visible_windows)" = "$before" ]; }

# trayer as the notification area.
start_trayer() {
    trayer --edge bottom --align right --widthtype request --height 24 >"$artifacts/e2e-trayer.log" 2>&1 &
    pids+=($!)
    wait_for xdotool search --class trayer || fail "trayer did not start"
}

# prepare_folders PROGRAM DATA: the program folder app with only the table
# this check uses (a copy, so that its Tolvane.ini stays out of the build), and
# the folder DATA made anew with a CP936 note, named as a user would name it.
# Sets app and data.
note=读书笔记.txt
prepare_folders() {
    app="$work/app"
    mkdir -p "$app/对照表"
    cp "$1" "$app/"
    cp "$(dirname "$1")/对照表/简体到繁体.txt" "$app/对照表/"
    data=$2
    rm -rf "$data"
    mkdir -p "$data"
    printf '简体转换\r\n' | iconv -t CP936 >"$data/$note"
    cp "$data/$note" "$work/original.txt"
}

# paste_text TEXT: puts TEXT on the clipboard and pastes it with Ctrl+V. Typed with
# xdotool, a character the keyboard map lacks goes through a key remapped for
# it, and a program that reads the new map late (Wine) drops the character.
paste_text() {
    printf '%s' "$1" | xclip -quiet -selection clipboard >/dev/null 2>&1 &
    pids+=($!)
    sleep 0.5
    xdotool key ctrl+v
}

# Waits for the program's window; sets window and activates it.
find_window() {
    wait_for xdotool search --onlyvisible --name "^${title}\$" || fail "no window titled $title"
    window=$(xdotool search --onlyvisible --name "^${title}\$" | head -1)
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    sleep 0.5
}

# convert_note PATH: picks the table in 依据, adds the note (PATH is its path
# as the program sees it, pasted into the file dialog) through the one-time
# usage hint and the dialog, presses Start and checks the converted bytes and
# the backup.
convert_note() {
    click_control 依据
    sleep 0.5
    xdotool key Down Return
    wait_for title_is "读取内码对照表完成！" || fail "the table was not loaded"

    before=$(visible_windows)
    click_control 选择源文件
    wait_for windows_changed || fail "no usage hint"
    xdotool key Return
    sleep 0.5
    wait_for windows_changed || fail "no file dialog"
    sleep 1
    paste_text "$1"
    xdotool key Return
    wait_for windows_back || fail "the file dialog did not close"
    # The dialog sat over the Start button; give it time to be gone before clicking there.
    sleep 1

    # The caption still reporting the table load means no job began: an X
    # server under load can drop a click on a window that was just reactivated.
    click_control 开始转换
    sleep 3
    if title_is "读取内码对照表完成！" && [ ! -d "$data/~Vebzo01.bak" ]; then
        echo "note: the click on Start was lost; clicking again"
        click_control 开始转换
    fi
    wait_for test -d "$data/~Vebzo01.bak" || fail "no backup folder was made"
    wait_for title_is "$title\"" || fail "the job did not end"
    sleep 0.5
    import -window root "$artifacts/e2e-converted.png"
    import -window "$window" -frame "$artifacts/e2e-window.png" 2>/dev/null || true

    local expected actual
    expected=$(printf '簡體轉換\r\n' | iconv -t CP936 | od -An -tx1)
    actual=$(od -An -tx1 "$data/$note")
    [ "$actual" = "$expected" ] || fail "converted bytes: $actual, expected: $expected"
    cmp -s "$work/original.txt" "$data/~Vebzo01.bak/$note" || fail "the backup is not the original"
    echo "ok: converted and backed up"
}

# The program's icon in trayer, once there.
tray_icon() { xwininfo -children -id "$tray" | grep -E '^ +0x' | head -1 | awk '{print $1}'; }
has_tray_icon() { [ -n "$(tray_icon)" ]; }

# Minimised, the window hides and its icon shows in trayer; sets tray.
minimise_into_tray() {
    tray=$(xdotool search --onlyvisible --class trayer | head -1)
    xdotool windowminimize "$window"
    wait_for has_tray_icon || fail "no icon in the notification area"
    sleep 1
    xdotool search --onlyvisible --name "^${title}\$" >/dev/null && fail "the minimised window is still shown"
    import -window root "$artifacts/e2e-tray.png"
    echo "ok: minimised into the tray"
}
