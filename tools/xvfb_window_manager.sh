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
#
# start_session SIZE DEFAULT_OUT SCRIPT [BUILD_DIR [OUTPUT_DIR]]: the start
# that every Xvfb script shares. Sets BUILD (default build) and OUT (default
# DEFAULT_OUT) as absolute paths, enters a virtual screen of SIZE (SCRIPT runs
# again there), makes OUT and empties it of earlier screenshots, makes a fresh
# folder CONFIG for the program's settings with a settings file SETTINGS in it
# (a free port of its own and "Allow call" off, so that the copies of scripts
# run at once, and a game beside them, never compete for a port; a script adds
# its own options to it) and starts the window manager (its log in
# OUT/openbox.log). When the script ends, however it ends, the
# processes given to end_at_exit and the window manager are stopped and
# CONFIG is removed.
#
# end_at_exit PID...: the processes to stop when the script ends.
#
# free_port: prints a TCP port of 127.0.0.1 that is free at this moment.
WINDOW_MANAGER=""
SESSION_PIDS=()
CONFIG=""
SETTINGS=""

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

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

start_session() {
    local size=$1 default_out=$2 script=$3
    BUILD=$(realpath "${4:-build}")
    OUT=$(realpath -m "${5:-$default_out}")
    enter_virtual_screen "$size" "$script" "$BUILD" "$OUT"
    mkdir -p "$OUT"
    rm -f "$OUT"/*.png
    CONFIG=$(mktemp -d)
    mkdir -p "$CONFIG/Quenwick"
    SETTINGS="$CONFIG/Quenwick/Zorel Reversi 4.00.conf"
    printf '[net]\nport=%s\nlistn=no\n' "$(free_port)" > "$SETTINGS"
    trap end_session EXIT
    start_window_manager "$OUT/openbox.log"
}

end_at_exit() {
    SESSION_PIDS+=("$@")
}

end_session() {
    if [ "${#SESSION_PIDS[@]}" -gt 0 ]; then kill "${SESSION_PIDS[@]}" 2>/dev/null || true; fi
    stop_window_manager
    if [ -n "$CONFIG" ]; then rm -rf "$CONFIG"; fi
}
