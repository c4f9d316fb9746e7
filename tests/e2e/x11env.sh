# Shared by the end-to-end tests, the window benchmark and the real audio device test: a private X server and a
# PulseAudio daemon with a null sink, both started here and stopped on exit.
# Sourced; the functions expect WORK (a scratch directory) to be set, as scratch_home does.

started_pids=""

# Without a session bus the bus library forks a launcher from Qt's bus thread; under the
# sanitizers that child can hang on the allocator's lock, and the start with it. A dead
# address leaves the program simply without a bus.
no_session_bus() {
    export DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/cobaltix-no-session-bus"
}

# A scratch directory WORK holding the test's own home and configuration, away from
# the user's session.
scratch_home() {
    WORK=$(mktemp -d)
    export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME"
    unset SESSION_MANAGER
    no_session_bus
}

# Ends a test as skipped (status 77) unless every tool named is installed.
require_tools() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "skipped: $tool is not installed"
            rm -rf "$WORK"
            exit 77
        fi
    done
}

# Ends a test as failed: why, the end of the program's log, then the test's cleanup.
fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/program.log" ] && tail -n 40 "$WORK/program.log" >&2
    cleanup
    exit 1
}

stop_started() {
    for pid in $started_pids; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $started_pids; do
        wait "$pid" 2>/dev/null || true
    done
    started_pids=""
}

# Ends the calling test as skipped (77) where PulseAudio or its recorder is missing.
need_pulse() {
    if ! command -v pulseaudio >/dev/null 2>&1 || ! command -v parec >/dev/null 2>&1; then
        echo "SKIP: pulseaudio or parec is not installed"
        exit 77
    fi
}

# Starts Xvfb on a free display and exports DISPLAY; $1 is the screen (default 1024x768x24).
start_x() {
    # A runtime folder of the test's own: the game's single-instance lock lives there,
    # so a game started by another test run never counts as this one's.
    export XDG_RUNTIME_DIR="$WORK/run"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    xfifo="$WORK/display"
    mkfifo "$xfifo"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 3>"$xfifo" \
        >"$WORK/xvfb.log" 2>&1 &
    started_pids="$started_pids $!"
    read -r number <"$xfifo"
    export DISPLAY=":$number"
    export QT_QPA_PLATFORM=xcb
}

# Starts openbox on the X server of start_x and waits until it manages the screen.
start_openbox() {
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    started_pids="$started_pids $!"
    i=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        i=$((i + 1))
        if [ "$i" -gt 100 ]; then
            echo "openbox did not start:" >&2
            cat "$WORK/openbox.log" >&2
            return 1
        fi
        sleep 0.1
    done
}

# Starts a private PulseAudio daemon whose default sink is a null sink "cobaltix".
start_pulse() {
    export XDG_RUNTIME_DIR="$WORK/run"
    mkdir -p "$XDG_RUNTIME_DIR/pulse"
    chmod 700 "$XDG_RUNTIME_DIR"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
        --load="module-null-sink sink_name=cobaltix" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse/native" \
        --load="module-always-sink" \
        >"$WORK/pulse.log" 2>&1 &
    started_pids="$started_pids $!"
    i=0
    until pactl info >/dev/null 2>&1; do
        i=$((i + 1))
        if [ "$i" -gt 100 ]; then
            echo "pulseaudio did not start:" >&2
            cat "$WORK/pulse.log" >&2
            return 1
        fi
        sleep 0.1
    done
    pactl set-default-sink cobaltix >/dev/null
}

# Prints the id of the mapped top-level window named exactly "Cobaltix", waiting up
# to $1 tenths of a second; prints nothing on timeout.
wait_window() {
    i=0
    while [ "$i" -lt "$1" ]; do
        id=$(xdotool search --onlyvisible --name '^Cobaltix$' 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        i=$((i + 1))
        sleep 0.1
    done
}

# Waits up to $1 tenths of a second until exactly $2 windows named "Cobaltix" are
# mapped (the main window and the game's own message boxes share the name).
wait_windows() {
    i=0
    while [ "$i" -lt "$1" ]; do
        [ "$(xdotool search --onlyvisible --name '^Cobaltix$' 2>/dev/null | wc -l)" -eq "$2" ] &&
            return 0
        i=$((i + 1))
        sleep 0.1
    done
    return 1
}

# Waits up to thirty seconds (a sanitizer build checks for leaks on its way out) for process $1 to end.
wait_exit() {
    i=0
    while kill -0 "$1" 2>/dev/null && [ "$i" -lt 300 ]; do
        sleep 0.1
        i=$((i + 1))
    done
}
