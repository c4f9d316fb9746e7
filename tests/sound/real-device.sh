#!/bin/sh
# Plays a wave through the real audio backend into a PulseAudio null sink of a private
# daemon, records the sink's monitor and checks that the tone was heard.
# Usage: real-device.sh PLAY_WAVE. Exit 77 (skipped) only where PulseAudio is missing.
set -u
play=$1
if ! command -v pulseaudio >/dev/null 2>&1 || ! command -v parec >/dev/null 2>&1; then
    echo "SKIP: pulseaudio or parec is not installed"
    exit 77
fi

work=$(mktemp -d)
daemon=""
recorder=""
cleanup() {
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null && wait "$recorder" 2>/dev/null
    [ -n "$daemon" ] && kill "$daemon" 2>/dev/null && wait "$daemon" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# A daemon of our own: private runtime, state and home, so nothing else is touched.
export HOME="$work" XDG_RUNTIME_DIR="$work" PULSE_RUNTIME_PATH="$work/pulse" \
    PULSE_STATE_PATH="$work/state" PULSE_SERVER="unix:$work/pulse/native"
unset DBUS_SESSION_BUS_ADDRESS
cat >"$work/test.pa" <<PA
load-module module-null-sink sink_name=cobaltix_test
load-module module-native-protocol-unix
set-default-sink cobaltix_test
PA
pulseaudio --daemonize=no -n -F "$work/test.pa" --exit-idle-time=-1 --disallow-exit \
    --log-target=file:"$work/daemon.log" &
daemon=$!

tries=0
until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -ge 100 ] || ! kill -0 "$daemon" 2>/dev/null; then
        echo "FAIL: the PulseAudio daemon did not start"
        cat "$work/daemon.log"
        exit 1
    fi
    sleep 0.1
done

parec -d cobaltix_test.monitor --format=u8 --rate=11025 --channels=1 --raw \
    >"$work/recording.raw" &
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
loud=$(od -An -tu1 -v "$work/recording.raw" |
    awk '{ for (i = 1; i <= NF; i++) if ($i > 158 || $i < 98) n++ } END { print n + 0 }')
echo "recorded $(wc -c <"$work/recording.raw") bytes, $loud of them loud"
if [ "$loud" -lt 2756 ]; then
    echo "FAIL: the recording is silent"
    exit 1
fi
echo "PASS: the real device played the wave"
