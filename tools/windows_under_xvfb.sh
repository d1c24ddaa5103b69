#!/usr/bin/env bash
# Opens, as a player would, each window that the program places over its main
# window, on a virtual X screen under a window manager (openbox), and keeps a
# screenshot of each in the output folder together with placement.txt: every
# window's outer frame (client area plus the window manager's frame extents)
# beside where it belongs: the rules page with its frame 2 pixels inside the
# main window's client area below the menu bar, the others centred on the main
# window's frame.
#   tip.png help.png statistics.png volume.png volume_again.png settings.png
#   choice.png about.png
#
# Usage: tools/windows_under_xvfb.sh [BUILD_DIR] [OUTPUT_DIR]
# Needs xvfb-run, openbox, xdotool, xwininfo, xprop and imagemagick
# (scripts/setup.sh installs them).
set -euo pipefail

source "$(dirname "$(realpath "$0")")/xvfb_window_manager.sh"
start_session 1280x1024 xvfb-windows "$0" "$@"
rm -f "$OUT/placement.txt"

export XDG_CONFIG_HOME="$CONFIG"
SDL_AUDIODRIVER=dummy "$BUILD/bin/reversi" > "$OUT/program.log" 2>&1 &
end_at_exit $!

shot() { import -window root "$OUT/$1.png"; }

# The outer frame of a window as FX, FY, FW, FH: its client area (xwininfo)
# grown by the frame extents the window manager announces.
frame_of() {
    local info extents l=0 r=0 t=0 b=0
    info=$(xwininfo -id "$1")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | grep '=' | sed 's/.*= //' || true)
    if [ -n "$extents" ]; then IFS=', ' read -r l r t b <<< "$extents"; fi
    FX=$(( $(awk '/Absolute upper-left X/ { print $4 }' <<< "$info") - l ))
    FY=$(( $(awk '/Absolute upper-left Y/ { print $4 }' <<< "$info") - t ))
    FW=$(( $(awk '/Width:/ { print $2 }' <<< "$info") + l + r ))
    FH=$(( $(awk '/Height:/ { print $2 }' <<< "$info") + t + b ))
}

# The visible window of the title given, or nothing.
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }

# Records where the window of title $2 is against where it belongs ($3 $4),
# after a screenshot named $1.
record() {
    local w
    shot "$1"
    w=$(window_named "$2")
    if [ -z "$w" ]; then
        echo "$1: no window" >> "$OUT/placement.txt"
        return
    fi
    frame_of "$w"
    local verdict="placed"
    [ "$FX,$FY" = "$3,$4" ] || verdict="OFF by $(( FX - $3 )),$(( FY - $4 ))"
    echo "$1: frame $FX,$FY ${FW}x$FH; belongs at $3,$4: $verdict" >> "$OUT/placement.txt"
}

# Records a window centred on the main window's frame.
record_centred() {
    local w
    w=$(window_named "$2")
    [ -n "$w" ] && frame_of "$w" || { FW=0; FH=0; }
    record "$1" "$2" $(( MFX + (MFW - FW) / 2 )) $(( MFY + (MFH - FH) / 2 ))
}

activate_main() {
    xdotool windowactivate --sync "$MAIN" > /dev/null 2>&1 || xdotool windowfocus "$MAIN"
    sleep 0.3
}

# The main window: the visible one of the program's title wider than the logo.
MAIN=""
for _ in $(seq 1 150); do
    for candidate in $(xdotool search --onlyvisible --name '^Zorel Reversi 4.00$' 2>/dev/null || true); do
        frame_of "$candidate"
        if [ "$FW" -ge 600 ]; then MAIN=$candidate; break; fi
    done
    [ -n "$MAIN" ] && break
    sleep 0.1
done
[ -n "$MAIN" ] || { echo "The window did not appear" >&2; exit 1; }
sleep 1.5
frame_of "$MAIN"
MFX=$FX MFY=$FY MFW=$FW MFH=$FH
MX=$(xwininfo -id "$MAIN" | awk '/Absolute upper-left X/ { print $4 }')
MY=$(xwininfo -id "$MAIN" | awk '/Absolute upper-left Y/ { print $4 }')
echo "main window: frame $MFX,$MFY ${MFW}x$MFH; client area from $MX,$MY" >> "$OUT/placement.txt"

record_centred tip '^Tip of the Day$'
xdotool key Escape
sleep 0.5

# The client area below the menu bar starts with the board's edge: the first
# row under the menu bar of the colour that the edge has at the window's left
# side.
shot board
pixel() { convert "$OUT/board.png" -crop "1x1+$1+$2" -depth 8 txt:- | tail -1 | awk '{ print $2 }'; }
EDGE=$(pixel "$MX" $(( MY + 300 )))
PIXELS=$(convert "$OUT/board.png" -crop "1x200+$(( MX + 100 ))+$MY" -depth 8 txt:-)
TOP=$(( MY + $(awk -v edge="$EDGE" 'NR > 1 && $2 == edge { print NR - 2; exit }' <<< "$PIXELS") ))
rm -f "$OUT/board.png"

activate_main
xdotool key F1
sleep 1.5
record help '^Help$' $(( MX + 2 )) $(( TOP + 2 ))
xdotool key Escape
sleep 0.5

activate_main
xdotool key F9
sleep 1.5
record_centred statistics '^Statistics$'
xdotool key Escape
sleep 0.5

for name in volume volume_again; do
    activate_main
    xdotool key ctrl+q
    sleep 1.5
    record_centred "$name" '^Setup sound and music volumes$'
    xdotool key Escape
    sleep 0.5
done

activate_main
xdotool key F4
sleep 1.5
record_centred settings '^Settings$'
xdotool key Escape
sleep 0.5

# The history choice: a move (E6), the computer's reply, Undo (the practice
# question answered Yes) and a click on the board.
activate_main
xdotool mousemove $(( MX + 20 + 61 * 4 + 30 )) $(( TOP + 20 + 61 * 2 + 30 ))
sleep 0.3
xdotool click 1
sleep 3
xdotool key ctrl+z
sleep 1
xdotool key y
sleep 1
xdotool mousemove $(( MX + 50 )) $(( TOP + 50 ))
sleep 0.3
xdotool click 1
sleep 1.5
record_centred choice '^Choice$'
xdotool key Escape
sleep 0.5

# The about box: the last item of the Info menu; a click closes it.
activate_main
xdotool mousemove $(( MX + 227 )) $(( MY + 9 ))
sleep 0.3
xdotool click 1
sleep 0.5
xdotool key Up Return
sleep 2
record_centred about '^About...$'

cat "$OUT/placement.txt"
