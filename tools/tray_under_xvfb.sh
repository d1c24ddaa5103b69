#!/usr/bin/env bash
# Minimises the program into the tray with each of its dialogs open (the
# statistics, the tip of the day, the volume dialog) and brings it back by one
# click on the tray icon, as a player would, on a virtual X screen under a
# window manager (openbox) with a tray (trayer). For each dialog it keeps
# three screenshots in the output folder (NAME_open.png, NAME_tray.png,
# NAME_back.png) and writes a line to tray.txt: whether the window went into
# the tray and whether one click brought it back with the dialog over it.
# Ends with 1 when one of them did not come back.
#
# Usage: tools/tray_under_xvfb.sh [BUILD_DIR] [OUTPUT_DIR]
# Needs xvfb-run, openbox, trayer, xdotool, xwininfo, xprop and imagemagick
# (scripts/setup.sh installs them).
set -euo pipefail

source "$(dirname "$(realpath "$0")")/xvfb_window_manager.sh"
start_session 1280x1024 xvfb-tray "$0" "$@"
rm -f "$OUT/tray.txt"
trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true \
    > "$OUT/trayer.log" 2>&1 &
end_at_exit $!
sleep 1

export XDG_CONFIG_HOME="$CONFIG"
SDL_AUDIODRIVER=dummy "$BUILD/bin/reversi" > "$OUT/program.log" 2>&1 &
end_at_exit $!

shot() { import -window root "$OUT/$1.png"; }
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }
is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }

# Waits up to $2 tenths of a second for the command $1 to succeed.
wait_for() {
    for _ in $(seq 1 "$2"); do
        if eval "$1"; then return 0; fi
        sleep 0.1
    done
    return 1
}

# The place of a window in the window manager's stacking order, bottom first
# (0 when it is not listed).
stacking_place() {
    local place=0 id
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' ' '); do
        place=$((place + 1))
        if [ "$((id))" = "$(($1))" ]; then
            echo "$place"
            return
        fi
    done
    echo 0
}

# The tray icon: a window inside trayer's window that is mapped.
tray_icon() {
    local trayer_window
    trayer_window=$(xdotool search --onlyvisible --class trayer 2>/dev/null | head -1 || true)
    [ -n "$trayer_window" ] || return 0
    xwininfo -children -id "$trayer_window" 2>/dev/null |
        awk '/^ +0x/ { print $1 }' | while read -r child; do
            if is_viewable "$child"; then
                # The icon itself is the innermost window of that child.
                inner=$(xwininfo -children -id "$child" | awk '/^ +0x/ { print $1 }' | head -1)
                echo "${inner:-$child}"
                break
            fi
        done
}

MAIN=""
for _ in $(seq 1 150); do
    for candidate in $(xdotool search --onlyvisible --name '^Zorel Reversi 4.00$' 2>/dev/null || true); do
        if [ "$(xwininfo -id "$candidate" | awk '/Width:/ { print $2 }')" -ge 600 ]; then
            MAIN=$candidate
            break
        fi
    done
    [ -n "$MAIN" ] && break
    sleep 0.1
done
[ -n "$MAIN" ] || { echo "The window did not appear" >&2; exit 1; }
sleep 1.5
# The tip of the day of the first start.
xdotool key Escape
sleep 0.5

failed=0
while read -r name key title; do
    xdotool windowactivate --sync "$MAIN" > /dev/null 2>&1 || true
    sleep 0.3
    xdotool key "$key"
    wait_for '[ -n "$(window_named "$title")" ]' 30 || true
    sleep 0.5
    shot "${name}_open"
    DIALOG=$(window_named "$title")
    xdotool windowminimize "$MAIN"
    wait_for '! is_viewable "$MAIN"' 30 || true
    ICON=""
    wait_for '[ -n "$(tray_icon)" ]' 30 && ICON=$(tray_icon)
    sleep 0.5
    shot "${name}_tray"
    went="not in the tray"
    [ -n "$ICON" ] && ! is_viewable "$MAIN" && went="in the tray"

    back="not back"
    if [ -n "$ICON" ]; then
        xdotool mousemove --window "$ICON" 8 8 click 1
        if wait_for 'is_viewable "$MAIN"' 50; then
            back="back"
            sleep 1
            # The dialog is on screen again and above the main window (the
            # tray, a dock, stays above both).
            if [ -n "$DIALOG" ] && is_viewable "$DIALOG"; then
                if [ "$(stacking_place "$DIALOG")" -gt "$(stacking_place "$MAIN")" ]; then
                    back="back with the dialog on top"
                else
                    back="back, the dialog NOT on top"
                fi
            else
                back="back WITHOUT the dialog"
            fi
        fi
    fi
    shot "${name}_back"
    echo "$name: $went; one click: $back" >> "$OUT/tray.txt"
    [ "$back" = "back with the dialog on top" ] || failed=1
    # Close the dialog for the next round.
    if [ -n "$DIALOG" ]; then
        xdotool windowactivate --sync "$DIALOG" > /dev/null 2>&1 || true
        xdotool key Escape
    fi
    wait_for '[ -z "$(window_named "$title")" ]' 30 || true
    sleep 0.5
    xdotool windowmap "$MAIN" 2>/dev/null || true
done << 'EOF'
statistics F9 ^Statistics$
tip ctrl+F1 ^Tip of the Day$
volume ctrl+q ^Setup sound and music volumes$
EOF

cat "$OUT/tray.txt"
exit $failed
