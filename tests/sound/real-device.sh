#!/bin/sh
# Plays a wave through the real audio backend into a PulseAudio null sink of a private
# daemon, records the sink's monitor and checks that the tone was heard.
# Usage: real-device.sh PLAY_WAVE. Exit 77 (skipped) only where PulseAudio is missing.
set -u
play=$1
. "$(dirname "$0")/../e2e/x11env.sh"
need_pulse

WORK=$(mktemp -d)
recorder=""
cleanup() {
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null && wait "$recorder" 2>/dev/null
    stop_started
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

# A daemon of our own with a private runtime and home, so nothing else is touched.
export HOME="$WORK"
no_session_bus
if ! start_pulse; then
    echo "FAIL: the PulseAudio daemon did not start"
    exit 1
fi

parec -d cobaltix.monitor --format=u8 --rate=11025 --channels=1 --raw \
    >"$WORK/recording.raw" &
recorder=$!
sleep 0.5
if ! "$play"; then
    echo "FAIL: playing the wave failed"
    exit 1
fi
sleep 0.5
kill "$recorder" 2>/dev/null
wait "$recorder" 2>/dev/null
recorder=""

# The tone swings between 48 and 208; silence stays at 128. A quarter of a second of
# the 1.5-second tone is proof enough that it reached the sink.
loud=$(od -An -tu1 -v "$WORK/recording.raw" |
    awk '{ for (i = 1; i <= NF; i++) if ($i > 158 || $i < 98) n++ } END { print n + 0 }')
echo "recorded $(wc -c <"$WORK/recording.raw") bytes, $loud of them loud"
if [ "$loud" -lt 2756 ]; then
    echo "FAIL: the recording is silent"
    exit 1
fi
echo "PASS: the real device played the wave"
