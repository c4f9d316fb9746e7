#!/bin/sh
# The mixer over a private PulseAudio daemon that dies between two games and comes
# back before a third: the game while it is gone runs silently, and the one after it
# plays through the server again (the recording of its null sink hears the tone).
# Usage: server-restart.sh SERVER_RESTART. Exit 77 (skipped) only without PulseAudio.
set -u
driver=$1
. "$(dirname "$0")/../e2e/x11env.sh"
need_pulse

WORK=$(mktemp -d)
driver_pid=""
recorder=""
cleanup() {
    exec 3>&- 2>/dev/null
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null
    [ -n "$driver_pid" ] && kill "$driver_pid" 2>/dev/null
    stop_started
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM
export HOME="$WORK"
no_session_bus

fail() {
    echo "FAIL: $*"
    echo "--- driver said:"
    cat "$WORK/answers"
    exit 1
}

# Sends a command and waits up to five seconds for answer number $2.
send() {
    echo "$1" >&3
    i=0
    while [ "$(wc -l <"$WORK/answers")" -lt "$2" ] && [ "$i" -lt 50 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    sed -n "$2p" "$WORK/answers"
}

loud_samples() {
    od -An -tu1 -v "$1" |
        awk '{ for (i = 1; i <= NF; i++) if ($i > 158 || $i < 98) n++ } END { print n + 0 }'
}

start_pulse || fail "the PulseAudio daemon did not start"
mkfifo "$WORK/commands"
: >"$WORK/answers"
"$driver" <"$WORK/commands" >"$WORK/answers" 2>"$WORK/driver.log" &
driver_pid=$!
exec 3>"$WORK/commands"

# A few games and pauses first: closing the real device must not leave the mixer a
# block it has freed.
n=1
while [ "$n" -le 7 ]; do
    [ "$(send on "$n")" = "on real" ] || fail "game $n did not use the server"
    sleep 0.2
    send off $((n + 1)) >/dev/null
    n=$((n + 2))
done

stop_started
[ "$(send on "$n")" = "on silent" ] || fail "with the server gone the game is not silent"
send off $((n + 1)) >/dev/null
n=$((n + 2))

start_pulse || fail "the PulseAudio daemon did not start again"
parec -d cobaltix.monitor --format=u8 --rate=11025 --channels=1 --raw \
    >"$WORK/recording.raw" &
recorder=$!
# Qt's backend reconnects on its own time; a game or two may still be silent.
limit=$((n + 40))
while [ "$(send on "$n")" != "on real" ]; do
    send off $((n + 1)) >/dev/null
    n=$((n + 2))
    [ "$n" -gt "$limit" ] && fail "the server that came back is not used"
    sleep 0.5
done
sleep 1.5
send off $((n + 1)) >/dev/null
kill "$recorder" 2>/dev/null
wait "$recorder" 2>/dev/null
recorder=""
loud=$(loud_samples "$WORK/recording.raw")
echo "recorded $(wc -c <"$WORK/recording.raw") bytes after the restart, $loud of them loud"
[ "$loud" -ge 2756 ] || fail "the game after the restart was not heard"
echo quit >&3
wait "$driver_pid"
driver_pid=""
echo "PASS: silent while the server was gone, heard again after it came back"
