#!/bin/sh
# End to end: the real program under Xvfb with sound into a PulseAudio null sink.
# Usage: window_e2e.sh <path to cobaltix>
set -u
PROGRAM=$(readlink -f "$1")
HERE=$(dirname "$(readlink -f "$0")")

. "$HERE/x11env.sh"
scratch_home
require_tools Xvfb xdotool import compare pulseaudio pactl parec od

cleanup() {
    [ -n "${game:-}" ] && kill "$game" 2>/dev/null
    [ -n "${recorder:-}" ] && kill "$recorder" 2>/dev/null
    stop_started
    rm -rf "$WORK"
}
trap 'cleanup; exit 1' INT TERM

start_x
start_pulse || fail "no sound server"

# Everything the monitor of the null sink hears, as unsigned 8-bit samples.
parec -d cobaltix.monitor --raw --format=u8 --rate=11025 --channels=1 >"$WORK/sound.raw" &
recorder=$!

cd "$WORK" || fail "no scratch directory"
"$PROGRAM" >"$WORK/program.log" 2>&1 &
game=$!
wid=$(wait_window 300)
[ -n "$wid" ] || fail "the window did not appear"

# A second start while the first runs ends at once, silently, and leaves it alone.
"$PROGRAM" >"$WORK/second.log" 2>&1 &
second=$!
i=0
while kill -0 "$second" 2>/dev/null && [ "$i" -lt 100 ]; do
    sleep 0.1
    i=$((i + 1))
done
kill -0 "$second" 2>/dev/null && fail "a second start keeps running"
wait "$second" || fail "a second start failed"
[ -s "$WORK/second.log" ] && fail "a second start said something: $(cat "$WORK/second.log")"
[ "$(xdotool search --onlyvisible --name '^Cobaltix$' | wc -l)" -eq 1 ] ||
    fail "a second window appeared"
kill -0 "$game" 2>/dev/null || fail "the first instance ended"

eval "$(xdotool getwindowgeometry --shell "$wid")"
wx=$X wy=$Y
well="245x400+$((wx + 5))+$((wy + 5))"
xdotool windowfocus --sync "$wid"
import -window root -crop "$well" "$WORK/before.png"

# New game; the stage message is modal and takes the Enter key.
xdotool key F2
wait_windows 100 2 || fail "no stage message"
xdotool key Return
wait_windows 100 1 || fail "the stage message stayed"
xdotool windowfocus --sync "$wid" 2>/dev/null
end=$(($(date +%s) + 5))
while [ "$(date +%s)" -lt "$end" ]; do
    for k in Left Up Right Right Return Left Left Return Up Return; do
        xdotool key "$k"
        sleep 0.1
    done
done
sleep 0.5
import -window root -crop "$well" "$WORK/after.png"
changed=$(compare -metric AE -fuzz 10% "$WORK/before.png" "$WORK/after.png" null: 2>&1 |
    cut -d' ' -f1)
# More than one gem of 35 x 25 pixels.
[ "${changed%.*}" -gt 1000 ] 2>/dev/null || fail "no gems in well 1 ($changed pixels changed)"

xdotool key F3
sleep 0.5
import -window root -crop "$well" "$WORK/paused.png"

kill "$recorder" 2>/dev/null
wait "$recorder" 2>/dev/null
recorder=""
loud=$(od -An -tu1 -v "$WORK/sound.raw" |
    awk '{ for (i = 1; i <= NF; i++) if ($i < 118 || $i > 138) n++ } END { print n + 0 }')
[ "$loud" -gt 100 ] || fail "the sink heard no sound ($loud loud samples)"

# The close button asks whether to leave the game; Enter answers OK.
xdotool mousemove $((wx + 350)) $((wy + 15)) click 1
wait_windows 100 2 || fail "no question on closing"
xdotool key Return
wait_exit "$game"
kill -0 "$game" 2>/dev/null && fail "the program did not close"
wait "$game"
status=$?
game=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ -s "$XDG_CONFIG_HOME/cobaltix/store.json" ] || fail "the settings were not written"

# A shutdown signal during a game ends the program in order, without the question, and
# stores the settings.
rm -f "$XDG_CONFIG_HOME/cobaltix/store.json"
"$PROGRAM" >"$WORK/program.log" 2>&1 &
game=$!
wid=$(wait_window 300)
[ -n "$wid" ] || fail "the window did not appear again"
xdotool windowfocus --sync "$wid"
xdotool key F2
wait_windows 100 2 || fail "no stage message the second time"
kill -TERM "$game"
wait_exit "$game"
kill -0 "$game" 2>/dev/null && fail "SIGTERM did not end the program"
wait "$game"
status=$?
game=""
[ "$status" -eq 0 ] || fail "the program ended by SIGTERM with status $status"
[ -s "$XDG_CONFIG_HOME/cobaltix/store.json" ] || fail "SIGTERM did not store the settings"

echo "pass: window $wid, $changed pixels of well 1 changed, $loud loud samples"
cleanup
exit 0
