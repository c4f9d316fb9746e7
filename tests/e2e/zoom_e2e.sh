#!/bin/sh
# End to end: window sizes and full screen on a real X server, first with a desktop
# scale of 1.5 (rounded to 2), then at scale 1 with the size chosen from the menu.
# Usage: zoom_e2e.sh <path to cobaltix>
set -u
PROGRAM=$(readlink -f "$1")
HERE=$(dirname "$(readlink -f "$0")")

. "$HERE/x11env.sh"
scratch_home
require_tools Xvfb xdotool xprop import convert compare

cleanup() {
    [ -n "${game:-}" ] && kill "$game" 2>/dev/null
    stop_started
    rm -rf "$WORK"
}
trap 'cleanup; exit 1' INT TERM

# Waits up to five seconds for the window to have the size $1 (WIDTHxHEIGHT); leaves
# its geometry in X, Y, WIDTH, HEIGHT.
wait_size() {
    i=0
    while [ "$i" -lt 50 ]; do
        eval "$(xdotool getwindowgeometry --shell "$wid")"
        [ "${WIDTH}x${HEIGHT}" = "$1" ] && return 0
        i=$((i + 1))
        sleep 0.1
    done
    return 1
}

# Succeeds when the picture $1 is made of 2 x 2 squares of one colour each.
whole_pixels() {
    convert "$1" -sample 50% -sample 200% "$WORK/squares.png"
    [ "$(compare -metric AE "$1" "$WORK/squares.png" null: 2>&1)" = 0 ]
}

shot() {
    import -window root -crop "$1" +repage "$WORK/$2.png"
}

start_x 1920x1080x24
cd "$WORK" || fail "no scratch directory"

# A desktop scale of 1.5: the game takes 2, so its 632 x 460 are 1264 x 920 pixels.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	144
"
"$PROGRAM" >"$WORK/program.log" 2>&1 &
game=$!
wid=$(wait_window 300)
[ -n "$wid" ] || fail "the window did not appear"
wait_size 1264x920 || fail "at scale 1.5 the window is ${WIDTH}x$HEIGHT, not 1264x920"
wx=$X wy=$Y
shot "490x800+$((wx + 10))+$((wy + 10))" window-well
whole_pixels "$WORK/window-well.png" || fail "the well is not drawn by whole pixels at scale 1.5"

# Full screen: 960 x 540 device-independent pixels hold factor 1, centred on black.
xdotool windowfocus --sync "$wid"
xdotool key F11
wait_size 1920x1080 || fail "F11 did not fill the screen (${WIDTH}x$HEIGHT)"
sleep 0.3
shot "490x800+338+90" full-well
compare -metric AE "$WORK/window-well.png" "$WORK/full-well.png" null: >/dev/null 2>&1 ||
    fail "full screen does not show the well centred at the same factor"
shot "300x1080+0+0" full-border
[ "$(convert "$WORK/full-border.png" -format '%[fx:maxima]' info:)" = 0 ] ||
    fail "the screen around the game is not black"
xdotool key Escape
wait_size 1264x920 || fail "Escape did not leave full screen (${WIDTH}x$HEIGHT)"
[ "$X,$Y" = "$wx,$wy" ] || fail "the window came back at $X,$Y, not $wx,$wy"
kill "$game"
wait "$game" 2>/dev/null
game=""

# Scale 1: window size x2 from the menu, applied at once and stored at once.
xprop -root -remove RESOURCE_MANAGER
"$PROGRAM" >"$WORK/program.log" 2>&1 &
game=$!
wid=$(wait_window 300)
[ -n "$wid" ] || fail "the window did not appear again"
wait_size 632x460 || fail "at scale 1 the window is ${WIDTH}x$HEIGHT, not 632x460"
xdotool windowfocus --sync "$wid"
xdotool key alt+m
sleep 0.3
xdotool key w
sleep 0.3
xdotool key Down Return
wait_size 1264x920 || fail "window size x2 from the menu gave ${WIDTH}x$HEIGHT"
grep -q '"Zoom"' "$XDG_CONFIG_HOME/cobaltix/store.json" 2>/dev/null ||
    fail "the window size was not stored"
shot "1264x920+$X+$Y" x2
# The close button at its place at factor 2; no game runs, so no question.
xdotool mousemove $((X + 700)) $((Y + 30)) click 1
wait_exit "$game"
kill -0 "$game" 2>/dev/null && fail "the close button at factor 2 did not close"
wait "$game"
game=""

echo "pass: scale 1.5 drawn at 2, full screen and back, x2 from the menu"
cleanup
exit 0
