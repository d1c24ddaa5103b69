#!/usr/bin/env bash
# Two copies of the program on one virtual X screen, under a window manager
# (openbox), play a network game over 127.0.0.1: one allows calls, the other
# starts with "-connect 127.0.0.1".
# Each is driven from inside by the widget tests' network driver (it answers
# the dialogs and clicks legal squares) and keeps screenshots of the dialogs
# of the real connection in the output folder:
#   call.png, request.png, chat_sent.png, chat_received.png   the dialogs
#   *_screen.png                                              the whole screen then
#
# Usage: tools/net_under_xvfb.sh [BUILD_DIR] [OUTPUT_DIR]
# Needs xvfb-run and openbox (scripts/setup.sh installs them).
set -euo pipefail

# Title bars and frames as on a desktop; each copy's settings in a folder of
# its own under CONFIG.
source "$(dirname "$(realpath "$0")")/xvfb_window_manager.sh"
start_session 1500x900 xvfb-net "$0" "$@"

PORT=$(free_port)
for copy in listen call; do
    mkdir -p "$CONFIG/$copy/Quenwick"
    printf '[net]\nport=%s\n[options]\nanief=no\nsndef=no\nmusef=no\n' "$PORT" \
        > "$CONFIG/$copy/Quenwick/Zorel Reversi 4.00.conf"
done

run_copy() {  # role, then program parameters
    local role=$1
    shift
    env REVERSI_TEST_CHILD=1 REVERSI_NETPLAY_ROLE="$role" REVERSI_NETPLAY_SHOTS="$OUT" REVERSI_NETPLAY_MARKS="$CONFIG" \
        XDG_CONFIG_HOME="$CONFIG/$role" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
        "$BUILD/bin/app_tests" "$@" > "$OUT/$role.log" 2>&1
}

run_copy listen &
LISTENER=$!
end_at_exit "$LISTENER"
for _ in $(seq 1 200); do
    grep -q LISTENING "$OUT/listen.log" 2>/dev/null && break
    sleep 0.1
done
grep -q '^LISTENING' "$OUT/listen.log" || { echo "The listening copy did not listen" >&2; exit 1; }

run_copy call -connect 127.0.0.1 &
CALLER=$!
end_at_exit "$CALLER"
wait "$CALLER" || { echo "The calling copy failed; see $OUT/call.log" >&2; exit 1; }
wait "$LISTENER" || { echo "The listening copy failed; see $OUT/listen.log" >&2; exit 1; }
grep -h '^OVER\|^CHAT\|^REQUEST\|^CALL' "$OUT/listen.log" "$OUT/call.log"
ls "$OUT"/*.png
