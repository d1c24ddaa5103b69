#!/usr/bin/env bash
# Plays one whole game against the computer at level "2-pupil" (or the level
# number in REVERSI_PLAY_LEVEL, 0 to 9) the way a new player would: a fresh
# settings folder, the program started on a virtual X screen under a window
# manager (openbox, so windows have title bars as on a desktop), and real
# mouse clicks (xdotool) on the board until the game is over.
# Screenshots land in the output folder:
#   start.png          the window as it opens
#   animation_*.png    during the first move's animation
#   help.png           the right-click help marks
#   info_*.png         every "Information" window (passes and the result)
#   gameover.png       the result window; final.png the board afterwards
#
# Usage: tools/play_under_xvfb.sh [BUILD_DIR] [OUTPUT_DIR]
# Needs xvfb-run, openbox, xdotool, xwininfo and imagemagick (scripts/setup.sh
# installs them).
set -euo pipefail

# Title bars and frames as on a desktop.
source "$(dirname "$(realpath "$0")")/xvfb_window_manager.sh"
start_session 1280x1024 xvfb-play "$0" "$@"

# A new player's settings, with only the level chosen: "2-pupil" unless told.
export XDG_CONFIG_HOME="$CONFIG"
printf '[options]\nlevel=%d\n' "${REVERSI_PLAY_LEVEL:-2}" >> "$SETTINGS"

"$BUILD/bin/reversi" > "$OUT/program.log" 2>&1 &
end_at_exit $!

shot() { import -window root "$OUT/$1.png"; }

# The screen position of a window's client area, as CX and CY. (xdotool's
# getwindowgeometry counts a window manager's frame twice.)
client_origin() {
    local info
    info=$(xwininfo -id "$1")
    CX=$(awk '/Absolute upper-left X/ { print $4 }' <<< "$info")
    CY=$(awk '/Absolute upper-left Y/ { print $4 }' <<< "$info")
}

# The main window: the visible one of the program's title that is wider than
# the start-up logo (which carries the same title while the program starts).
WINDOW=""
for _ in $(seq 1 150); do
    for candidate in $(xdotool search --onlyvisible --name '^Zorel Reversi 4.00$' 2>/dev/null || true); do
        eval "$(xdotool getwindowgeometry --shell "$candidate")"  # X, Y, WIDTH, HEIGHT
        if [ "$WIDTH" -ge 600 ]; then WINDOW=$candidate; break; fi
    done
    [ -n "$WINDOW" ] && break
    sleep 0.1
done
[ -n "$WINDOW" ] || { echo "The window did not appear" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
client_origin "$WINDOW"
X=$CX
Y=$CY
shot start
# A new player first meets the tip of the day; it closes with Esc.
xdotool key Escape
sleep 0.5

# The board's wood border is the first coloured pixel below the grey menu bar
# and right of the window's edge; the field starts 20 pixels inside it.
coloured() {  # prints the offset of the first non-grey pixel of a 1-pixel strip
    local pixels
    pixels=$(convert "$OUT/start.png" -crop "$1" -depth 8 txt:-)
    awk -F'[(,)]' 'NR > 1 && !($3 == $4 && $4 == $5) { print NR - 2; exit }' <<< "$pixels"
}
TOP=$(( Y + $(coloured "1x200+$(( X + 100 ))+$Y") ))
LEFT=$(( X + $(coloured "200x1+$X+$(( TOP + 100 ))") ))
SQ=61
N=8
centre_x() { echo $(( LEFT + 20 + SQ * $1 + SQ / 2 )); }
centre_y() { echo $(( TOP + 20 + SQ * $1 + SQ / 2 )); }
echo "window $X,$Y ${WIDTH}x$HEIGHT; field at $(( LEFT + 20 )),$(( TOP + 20 ))"

INFOS=0
# Closes an open "Information" window with a click on its Ok button, after a
# screenshot of it. Answers success when there was one.
close_information() {
    local info
    info=$(xdotool search --name '^Information$' 2>/dev/null | head -1 || true)
    [ -n "$info" ] || return 1
    sleep 0.3
    INFOS=$(( INFOS + 1 ))
    shot "$(printf 'info_%02d' "$INFOS")"
    client_origin "$info"
    xdotool mousemove $(( CX + 120 )) $(( CY + 59 )) click 1
    sleep 0.3
    return 0
}

board_sum() {
    # The cursor follows the pointer: park it on one square first.
    xdotool mousemove "$(centre_x 0)" "$(centre_y 0)"
    sleep 0.3
    import -window root -crop "$(( N * SQ ))x$(( N * SQ ))+$(( LEFT + 20 ))+$(( TOP + 20 ))" \
        "$OUT/board.png"
    md5sum < "$OUT/board.png"
}

# The first move: E6 (column 4, row 2) is legal for the player (white), then
# shots while the discs turn over.
xdotool mousemove "$(centre_x 4)" "$(centre_y 2)" click 1
sleep 0.15
shot animation_1
sleep 0.2
shot animation_2
sleep 1.5

# The help marks: a right click, then a shot while they show.
xdotool mousemove "$(centre_x 0)" "$(centre_y 7)" click 3
sleep 0.55
shot help
sleep 1.5

# Then sweeps over every square in a shuffled order: a click on a square
# where the player may move plays it; other clicks do nothing. The player
# never has to pass by hand (the game passes for them), so a whole sweep that
# changed nothing means the game is over.
RANDOM=2
unchanged=0
sweeps=0
while [ "$unchanged" -lt 1 ] && [ "$sweeps" -lt 40 ]; do
    sweeps=$(( sweeps + 1 ))
    before=$(board_sum)
    order=$(seq 0 $(( N * N - 1 )) | shuf --random-source=<(yes "$RANDOM"))
    for i in $order; do
        close_information || true
        xdotool mousemove "$(centre_x $(( i / N )))" "$(centre_y $(( i % N )))" click 1
        sleep 0.05
    done
    sleep 1
    while close_information; do :; done
    after=$(board_sum)
    if [ "$before" = "$after" ]; then unchanged=$(( unchanged + 1 )); else unchanged=0; fi
    echo "sweep $sweeps: $INFOS information windows so far"
done

[ "$INFOS" -gt 0 ] || { echo "No result window appeared" >&2; exit 1; }
rm -f "$OUT/board.png"
cp "$OUT/$(printf 'info_%02d' "$INFOS").png" "$OUT/gameover.png"
shot final
echo "sweeps: $sweeps; information windows: $INFOS; shots in $OUT"
