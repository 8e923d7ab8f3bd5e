# Sourced by the Windows test scripts: a Wine prefix of the project's own,
# created with an X server running (a prefix made without DISPLAY has no window
# driver), and Chinese locale settings, which give Wine code page 936.
#   start_x_server <work folder>   Xvfb on a free display; sets DISPLAY and x_server_pid
#   prepare_wine                   sets WINEPREFIX and friends, creates the prefix once

export WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

start_x_server() {
    local display_file="$1/display"
    # Without -noreset the server resets when its last client leaves, and a
    # client connecting meanwhile is refused.
    Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset >"$display_file" 2>/dev/null &
    x_server_pid=$!
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
    [ -s "$display_file" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(cat "$display_file")"
}

prepare_wine() {
    if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
        localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
    fi
    export WINEPREFIX=${TOLVANE_WINEPREFIX:-$PWD/build/wine-prefix}
    export WINEARCH=win64
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "正在建立 Wine 环境: $WINEPREFIX"
        wine wineboot --init >/dev/null 2>&1 || true
        wineserver -w
    fi
}
