#!/bin/sh
# Starts the program N times under one private Xvfb and counts the starts whose window
# did not show within 10 s or that did not end within 5 s of SIGTERM; a start that hangs
# has all its threads' stacks printed (gdb) and ends the loop.
# Usage: bench/window/starts.sh [path to cobaltix [N]]   (default the debug build, 100)
# With SESSION_BUS=none (the tests' setting) the program gets a dead session-bus address;
# otherwise it has no bus at all and the bus library launches one, as on a bare machine.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
PROGRAM=$(readlink -f "${1:-$ROOT/build/debug/bin/cobaltix}")
N=${2:-100}
. "$ROOT/tests/e2e/x11env.sh"
scratch_home
[ "${SESSION_BUS:-}" = none ] || unset DBUS_SESSION_BUS_ADDRESS
trap 'stop_started; rm -rf "$WORK"' EXIT INT TERM
start_x 1280x1024x24
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
bad=0
for run in $(seq "$N"); do
    "$PROGRAM" >/dev/null 2>"$WORK/err.txt" &
    pid=$!
    shown=0
    for _ in $(seq 200); do
        xwininfo -name Cobaltix >/dev/null 2>&1 && { shown=1; break; }
        sleep 0.05
    done
    kill "$pid" 2>/dev/null
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    if kill -0 "$pid" 2>/dev/null || [ "$shown" = 0 ]; then
        echo "start $run: $([ "$shown" = 0 ] && echo "no window" || echo "did not end")"
        for p in $pid $(pgrep -P "$pid"); do
            gdb -p "$p" -batch -ex "thread apply all bt 12" 2>&1 | grep -E "^#|^Thread"
        done
        pkill -9 -P "$pid" 2>/dev/null
        kill -9 "$pid" 2>/dev/null
        bad=$((bad + 1))
        break
    fi
    wait "$pid" 2>/dev/null
done
echo "hung starts: $bad (after $run starts of $N)"
