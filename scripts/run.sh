#!/usr/bin/env bash
# Builds Tolvane and starts it with the shipped mapping tables: scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Without a display Qt gives up with a terse abort; say what is needed instead.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Tolvane 是图形界面程序，需要在图形桌面会话中运行（DISPLAY 和 WAYLAND_DISPLAY 都没有设置）。" >&2
    echo "Tolvane is a desktop program and needs a graphical desktop (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    exit 1
fi

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tolvane -j "$(nproc)"
exec build/default/bin/tolvane
