#!/bin/sh
# Measures the pads with the release build, under Xvfb when it is there (else offscreen):
# the time and resident memory that loading SDL and starting its game controllers add to
# a Qt program like the game (medians of 9 fresh processes), and the time from a pad
# press to the paint of the pair it moved, in the game's window.
# Usage: bench/pad/run.sh [build folder]   (default build/release)
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BIN=$(readlink -f "${1:-$ROOT/build/release}")/bin
[ -x "$BIN/pad_startup" ] && [ -x "$BIN/pad_latency" ] ||
    { echo "build pad_startup and pad_latency of the release preset first" >&2; exit 1; }

WORK=$(mktemp -d)
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
if command -v Xvfb >/dev/null 2>&1; then
    . "$ROOT/tests/e2e/x11env.sh"
    no_session_bus
    trap 'stop_started; rm -rf "$WORK"' EXIT INT TERM
    start_x
    where="Xvfb"
else
    export QT_QPA_PLATFORM=offscreen
    trap 'rm -rf "$WORK"' EXIT INT TERM
    where="offscreen"
fi
cd "$WORK"

for run in 1 2 3 4 5 6 7 8 9; do
    "$BIN/pad_startup" 2>/dev/null
done >"$WORK/startup.txt"
median() { sort -n | sed -n 5p; }
field() { awk -v f="$1" '{ print $f }' "$WORK/startup.txt" | median; }
echo "SDL game controllers ($where), medians of 9 fresh processes:"
echo "  loading libSDL2 and what it needs beyond Qt: $(field 2) ms," \
    "$(field 6) kB resident, of which $(field 10) kB the process's own"
echo "  starting the game controllers: $(field 4) ms," \
    "$(field 8) kB resident, of which $(field 12) kB the process's own"
echo "  both: $(awk '{ print $2 + $4 }' "$WORK/startup.txt" | median) ms," \
    "$(awk '{ print $6 + $8 }' "$WORK/startup.txt" | median) kB resident," \
    "$(awk '{ print $10 + $12 }' "$WORK/startup.txt" | median) kB the process's own" \
    "(the rest are pages of the library files, shared with every process that maps them)"
"$BIN/pad_latency" 2>"$WORK/latency.log" || { cat "$WORK/latency.log" >&2; exit 1; }
