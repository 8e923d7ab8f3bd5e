# Sourced by the scripts that run the real window: an X server of their own
# with a window manager.
# Needs from the caller: fail MESSAGE, which ends the run, and the array pids,
# to which every process started here is added; the caller adds its own too
# and calls stop_started on exit.
#   start_x_desktop FOLDER   exports DISPLAY
#   wait_for COMMAND...      true once the command succeeds, within 20 s

# Stops the started processes and waits until they are gone, so that a next
# run cannot meet this X server still closing.
stop_started() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}

# Waits up to 20 s for a command to succeed.
wait_for() {
    for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

# start_x_desktop FOLDER: Xvfb and openbox; DISPLAY names the server.
# Xvfb picks a free display itself and writes its number into FOLDER once it
# accepts clients. Without -noreset it resets whenever its last client leaves
# (after the xdpyinfo probe, say), and a client connecting meanwhile is refused.
start_x_desktop() {
    Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset >"$1/display" 2>/dev/null &
    pids+=($!)
    wait_for test -s "$1/display" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$1/display")"
    wait_for xdpyinfo || fail "Xvfb does not accept clients"
    openbox --sm-disable >/dev/null 2>&1 &
    pids+=($!)
    wait_for bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        fail "openbox did not start"
}
