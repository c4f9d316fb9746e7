#!/bin/sh
# Measures the release build of the game under Xvfb at one window size: start-up from
# exec to the window being mapped and to its first paint (medians of 5), resident memory
# after 5 s, CPU use over 10 s idle before a game and over 10 s of a two-player game
# with key presses.
# Usage: bench/window/sizes.sh [path to cobaltix [window size 1 to 4]]
#        (default build/release/bin/cobaltix, size 1; the first-paint probe
#        window_probe is looked for beside the program)
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
PROGRAM=$(readlink -f "${1:-$ROOT/build/release/bin/cobaltix}")
ZOOM=${2:-1}
PROBE=$(dirname "$PROGRAM")/window_probe
[ -x "$PROGRAM" ] || { echo "build the release preset first: $PROGRAM" >&2; exit 1; }
case "$ZOOM" in 1 | 2 | 3 | 4) ;; *) echo "window size 1 to 4, not $ZOOM" >&2; exit 1 ;; esac

WORK=$(mktemp -d)
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
. "$ROOT/tests/e2e/x11env.sh"
game=""
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    stop_started
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM
# Large enough for the window at x3 (1896 x 1380).
SCREEN_W=2560 SCREEN_H=1600
start_x "${SCREEN_W}x${SCREEN_H}x24"
start_pulse
cd "$WORK"
mkdir -p "$XDG_CONFIG_HOME/cobaltix"
printf '{"cobaltix-store": 1, "keys": {"Software\\\\Orvane Soft\\\\Cobaltix": {"Zoom": {"type": "integer", "data": %s}}}}\n' \
    "$ZOOM" >"$XDG_CONFIG_HOME/cobaltix/store.json"
# A point of the scoreboard picture, on the screen, where the window opens centred.
probe_x=$(((SCREEN_W - 632 * ZOOM) / 2 + 315 * ZOOM))
probe_y=$(((SCREEN_H - 460 * ZOOM) / 2 + 240 * ZOOM))

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

times="" paints=""
for run in 1 2 3 4 5; do
    if [ -x "$PROBE" ]; then
        "$PROBE" "$probe_x" "$probe_y" 20000 >"$WORK/probe.out" &
        probe=$!
        until grep -q ready "$WORK/probe.out" 2>/dev/null; do sleep 0.01; done
    fi
    start=$(now_ms)
    COBALTIX_LATENCY=1 "$PROGRAM" >/dev/null 2>"$WORK/latency.log" &
    game=$!
    # Poll gently: a busy poll would steal the CPU the program needs to start.
    until xwininfo -name Cobaltix 2>/dev/null | grep -q IsViewable; do sleep 0.002; done
    times="$times $(($(now_ms) - start))"
    if [ -x "$PROBE" ] && wait "$probe"; then
        paints="$paints $(($(tail -n 1 "$WORK/probe.out") - start))"
    fi
    if [ "$run" -lt 5 ]; then
        kill "$game"
        wait "$game" 2>/dev/null || true
        game=""
    fi
done
median() { echo "$@" | tr ' ' '\n' | sort -n | sed -n 3p; }
echo "window size x$ZOOM: $(xwininfo -name Cobaltix | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w " x " h }')"
echo "start-up to window mapped: median $(median $times) ms (runs:${times})"
if [ -n "$paints" ]; then
    echo "start-up to first paint: median $(median $paints) ms (runs:${paints})"
else
    echo "start-up to first paint: no probe ($PROBE)"
fi

sleep 5
echo "resident memory after 5 s: $(awk '/VmRSS/ { printf "%.1f MB", $2 / 1024 }' "/proc/$game/status")"
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
