#!/bin/sh
# Measures the release build of the game under Xvfb at one window size: start-up from
# exec to the window being mapped and to its first paint (medians of 15), resident memory
# and heap after 5 s in the menu, what Qt maps, CPU use over 10 s idle before a game and
# over 10 s of a two-player game with key presses, and key-to-paint latency. A plain Qt
# window (bench/window/PlainWindow.cpp, beside the program) is measured in the same run,
# its starts taking turns with the game's, as the baseline of start-up and memory; the
# same window showing one line of text is a second baseline, for what text costs.
# Usage: bench/window/run.sh [path to cobaltix [window size 1 to 4]]
#        (default build/release/bin/cobaltix, size 1; plain_window and the first-paint
#        probe window_probe are looked for beside the program)
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
PROGRAM=$(readlink -f "${1:-$ROOT/build/release/bin/cobaltix}")
ZOOM=${2:-1}
BIN=$(dirname "$PROGRAM")
for tool in "$PROGRAM" "$BIN/plain_window" "$BIN/window_probe"; do
    [ -x "$tool" ] || { echo "build cobaltix, plain_window and window_probe first" >&2; exit 1; }
done
case "$ZOOM" in 1 | 2 | 3 | 4) ;; *) echo "window size 1 to 4, not $ZOOM" >&2; exit 1 ;; esac

WORK=$(mktemp -d)
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/cobaltix"
. "$ROOT/tests/e2e/x11env.sh"
no_session_bus
game=""
plain=""
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    [ -n "$plain" ] && kill "$plain" 2>/dev/null
    stop_started
    case "${XDG_RUNTIME_DIR:-}" in /dev/shm/cobaltix-bench.*) rm -rf "$XDG_RUNTIME_DIR" ;; esac
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM
# Large enough for the window at x3 (1896 x 1380).
SCREEN_W=2560 SCREEN_H=1600
start_x "${SCREEN_W}x${SCREEN_H}x24"
# On a desktop the runtime folder is a RAM disk (/run/user/UID); on the scratch disk the
# game's single-instance lock would wait for the disk at every start.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    XDG_RUNTIME_DIR=$(mktemp -d /dev/shm/cobaltix-bench.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
fi
start_pulse
cd "$WORK"
printf '{"cobaltix-store": 1, "keys": {"Software\\\\Orvane Soft\\\\Cobaltix": {"Zoom": {"type": "integer", "data": %s}}}}\n' \
    "$ZOOM" >"$XDG_CONFIG_HOME/cobaltix/store.json"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
# CPU share of one core over $2 seconds, in percent with one decimal.
cpu_over() {
    a=$(ticks "$1")
    sleep "$2"
    b=$(ticks "$1")
    awk -v d=$((b - a)) -v hz="$hz" -v s="$2" 'BEGIN { printf "%.1f", 100 * d / hz / s }'
}
# The middle value of the numbers given (the lower middle of an even count).
median() { echo "$@" | tr ' ' '\n' | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One start of program $1 (with argument $5, if given) until its window named $2 is mapped
# and until the screen at $3, $4 changes (its first paint): sets $one_mapped and
# $one_painted; the process is left running in $game.
start_once() {
    "$BIN/window_probe" "$3" "$4" 20000 >"$WORK/probe.out" &
    probe=$!
    until grep -q ready "$WORK/probe.out" 2>/dev/null; do sleep 0.01; done
    start=$(now_ms)
    COBALTIX_LATENCY=1 "$1" ${5:+"$5"} >/dev/null 2>"$WORK/latency.log" &
    game=$!
    # Poll gently: a busy poll would steal the CPU the program needs to start.
    until xwininfo -name "$2" 2>/dev/null | grep -q IsViewable; do sleep 0.002; done
    one_mapped=$(($(now_ms) - start))
    wait "$probe" && one_painted=$(($(tail -n 1 "$WORK/probe.out") - start))
}
stop_game() {
    kill "$game"
    wait "$game" 2>/dev/null || true
    game=""
}
rss_mb() { awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
heap_mb() { awk '/\[heap\]/ { h = 1; next } h && /^Rss:/ { printf "%.1f", $2 / 1024; exit }' "/proc/$1/smaps"; }
qt_mapped() {
    grep -o 'libQt6[A-Za-z]*\|plugins/[a-z]*/[^ ]*\.so' "/proc/$1/maps" | sed 's|.*/||' | sort -u |
        tr '\n' ' '
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# The baselines, a plain Qt window linked with Qt Multimedia at the screen's origin with
# and without a line of text, and the game, which opens centred (the probe watches a point
# of its scoreboard), started in turn: a machine that speeds up or slows down meanwhile
# weighs on all alike.
RUNS=${RUNS:-15}
GAME_X=$(((SCREEN_W - 632 * ZOOM) / 2 + 315 * ZOOM)) GAME_Y=$(((SCREEN_H - 460 * ZOOM) / 2 + 240 * ZOOM))
plain_maps="" plain_paints="" text_paints="" game_maps="" game_paints=""
for run in $(seq "$RUNS"); do
    start_once "$BIN/plain_window" "Plain Qt window with text" 316 230 --text
    text_paints="$text_paints $one_painted"
    stop_game
    start_once "$BIN/plain_window" "Plain Qt window" 316 230
    plain_maps="$plain_maps $one_mapped" plain_paints="$plain_paints $one_painted"
    if [ "$run" -lt "$RUNS" ]; then stop_game; fi
    plain=$game
    start_once "$PROGRAM" Cobaltix "$GAME_X" "$GAME_Y"
    game_maps="$game_maps $one_mapped" game_paints="$game_paints $one_painted"
    if [ "$run" -lt "$RUNS" ]; then stop_game; fi
done
plain_mapped=$(median $plain_maps) plain_painted=$(median $plain_paints)
mapped=$(median $game_maps) painted=$(median $game_paints) text_painted=$(median $text_paints)
echo "Plain Qt window: start-up to window mapped: median $plain_mapped ms (runs:$plain_maps)"
echo "Plain Qt window: start-up to first paint: median $plain_painted ms (runs:$plain_paints)"
echo "Plain Qt window with text: start-up to first paint: median $text_painted ms (runs:$text_paints)"
echo "Cobaltix: start-up to window mapped: median $mapped ms (runs:$game_maps)"
echo "Cobaltix: start-up to first paint: median $painted ms (runs:$game_paints)"
sleep 5
echo "Plain Qt window: resident memory after 5 s: $(rss_mb "$plain") MB, heap $(heap_mb "$plain") MB"
kill "$plain"
wait "$plain" 2>/dev/null || true
plain=""
echo "window size x$ZOOM: $(xwininfo -name Cobaltix | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w " x " h }')"
echo "start-up against the plain window: mapped $(ratio "$mapped" "$plain_mapped") times, first paint $(ratio "$painted" "$plain_painted") times"
echo "first paint against the plain window with text: $(ratio "$painted" "$text_painted") times"
echo "resident memory after 5 s: $(rss_mb "$game") MB, heap $(heap_mb "$game") MB"
echo "Qt libraries and plugins mapped: $(qt_mapped "$game")"
echo "CPU idle over 10 s: $(cpu_over "$game" 10) %"

wid=$(wait_window 50)
xdotool windowfocus --sync "$wid"
# Two players from the menu: Alt+M, Game mode, Two players; then the stage message.
xdotool key alt+m
sleep 0.3
xdotool key g
sleep 0.2
xdotool key t
wait_windows 100 2
xdotool key Return
wait_windows 100 1
xdotool windowfocus --sync "$wid" 2>/dev/null || true
(
    end=$(($(date +%s) + 11))
    while [ "$(date +%s)" -lt "$end" ]; do
        # Spread the pairs over the wells so the game lasts the whole measurement.
        for k in Left Left a a Up w Return ctrl Right Right d d Down s Return ctrl \
            Left Left Left a a a Return ctrl Right Right Right d d d Return ctrl Up w; do
            xdotool key "$k"
            sleep 0.15
        done
    done
) &
keys=$!
sleep 0.5
echo "CPU during a two-player game over 10 s: $(cpu_over "$game" 10) %"
wait "$keys" 2>/dev/null || true
# Each key from reaching the window to the paint of the well it moved.
sort -n -k2 "$WORK/latency.log" | awk '/^key-to-paint/ { v[n++] = $2 }
    END { if (n) printf "key-to-paint: median %.2f ms, worst %.2f ms over %d keys\n", v[int(n / 2)], v[n - 1], n }'
