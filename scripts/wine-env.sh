# Sourced by the Windows test scripts: Wine with Chinese locale settings, which
# give it code page 936, and a prefix of the project's own.
# Needs from the caller: the repository as the current folder (the prefix is
# build/wine-prefix unless TOLVANE_WINEPREFIX names another), and DISPLAY.
#   prepare_wine   sets WINEPREFIX and friends, creates the prefix once; call it
#                  with an X server running (a prefix made without DISPLAY has
#                  no window driver)

export WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

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
