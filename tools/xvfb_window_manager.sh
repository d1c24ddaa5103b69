# The virtual X screen of the Xvfb scripts and a window manager (openbox) on
# it, so that the program's windows get title bars and frames as on a desktop
# and their placement can be looked at. Sourced by the Xvfb scripts of this folder.
#
# enter_virtual_screen SIZE SCRIPT ARGS...: outside a virtual screen, runs
# SCRIPT again with ARGS on a new one of SIZE (WIDTHxHEIGHT) and ends with its
# exit code; inside it, returns at once.
#
# start_window_manager LOG: starts openbox, its output into LOG, and returns
# once it manages windows; WINDOW_MANAGER holds its process id (stop it with
# stop_window_manager).
WINDOW_MANAGER=""

enter_virtual_screen() {
    [ -n "${REVERSI_INSIDE_XVFB:-}" ] && return 0
    local size=$1
    shift
    exec env REVERSI_INSIDE_XVFB=1 xvfb-run -a -s "-screen 0 ${size}x24" "$@"
}

start_window_manager() {
    local ready
    ready=$(mktemp -u)
    openbox --sm-disable --startup "touch $ready" > "$1" 2>&1 &
    WINDOW_MANAGER=$!
    for _ in $(seq 1 100); do
        if [ -e "$ready" ]; then
            rm -f "$ready"
            # It runs the start-up command a moment before it takes the
            # first window.
            sleep 0.5
            return 0
        fi
        sleep 0.1
    done
    echo "The window manager (openbox) did not start; see $1" >&2
    return 1
}

stop_window_manager() {
    if [ -n "$WINDOW_MANAGER" ]; then
        kill "$WINDOW_MANAGER" 2>/dev/null || true
        WINDOW_MANAGER=""
    fi
}
