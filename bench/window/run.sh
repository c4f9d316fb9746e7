#!/bin/sh
# Measures the release build of the game under Xvfb: start-up from exec to the window
# being mapped (median of 5), resident memory and heap after 5 s in the menu, what Qt
# maps, CPU use over 10 s idle before a game and over 10 s of a two-player game with key
# presses. A plain Qt window (bench/window/PlainWindow.cpp, beside the program) is
# measured first in the same run as the baseline of start-up and memory.
# Usage: bench/window/run.sh [path to cobaltix]   (default build/release/bin/cobaltix)
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
PROGRAM=$(readlink -f "${1:-$ROOT/build/release/bin/cobaltix}")
[ -x "$PROGRAM" ] && [ -x "$(dirname "$PROGRAM")/plain_window" ] ||
    { echo "build cobaltix and plain_window of the release preset first" >&2; exit 1; }

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
start_x
start_pulse
cd "$WORK"

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

# Median over 5 runs of the time from exec to the window named $2 being mapped; the
# last run's process is left running in $game.
startup_median() {
    times=""
    for run in 1 2 3 4 5; do
        start=$(now_ms)
        COBALTIX_LATENCY=1 "$1" >/dev/null 2>"$WORK/latency.log" &
        game=$!
        # Poll gently: a busy poll would steal the CPU the program needs to start.
        until xwininfo -name "$2" 2>/dev/null | grep -q IsViewable; do sleep 0.002; done
        times="$times $(($(now_ms) - start))"
        if [ "$run" -lt 5 ]; then
            kill "$game"
            wait "$game" 2>/dev/null || true
            game=""
        fi
    done
    median=$(echo $times | tr ' ' '\n' | sort -n | sed -n 3p)
}
rss_mb() { awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
heap_mb() { awk '/\[heap\]/ { h = 1; next } h && /^Rss:/ { printf "%.1f", $2 / 1024; exit }' "/proc/$1/smaps"; }
qt_mapped() {
    grep -o 'libQt6[A-Za-z]*\|plugins/[a-z]*/[^ ]*\.so' "/proc/$1/maps" | sed 's|.*/||' | sort -u |
        tr '\n' ' '
}

# The baseline: a plain Qt window linked with Qt Multimedia, in the same run.
startup_median "$(dirname "$PROGRAM")/plain_window" "Plain Qt window"
plain_median=$median plain_times=$times
sleep 5
plain_rss=$(rss_mb "$game") plain_heap=$(heap_mb "$game")
kill "$game"
wait "$game" 2>/dev/null || true
game=""

startup_median "$PROGRAM" Cobaltix
echo "plain Qt window: start-up to window mapped: median ${plain_median} ms (runs:${plain_times})"
echo "plain Qt window: resident memory after 5 s: ${plain_rss} MB, heap ${plain_heap} MB"
echo "start-up to window mapped: median ${median} ms (runs:${times})"
awk -v a="$median" -v b="$plain_median" 'BEGIN { printf "start-up against the plain window: %.2f times\n", a / b }'
sleep 5
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
