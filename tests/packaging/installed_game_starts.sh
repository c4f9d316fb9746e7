#!/bin/sh
# Installs the build into a scratch prefix and starts the installed game the way the
# desktop does, from its desktop entry, in a folder without data files: it must find
# its stage file through its own folder and map its window. Without the installed stage
# file it must say so and end. The prefix is removed afterwards.
# Usage: installed_game_starts.sh BUILD_DIR BIN_DIR COMPILED_DATA_DIR APP_ID
set -u
BUILD=$1 BIN_DIR=$2 COMPILED_DATA_DIR=$3 APP_ID=$4
HERE=$(dirname "$(readlink -f "$0")")

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

WORK=$(mktemp -d)
PREFIX="$WORK/prefix"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$WORK/elsewhere"
chmod 700 "$XDG_RUNTIME_DIR"
unset SESSION_MANAGER
. "$HERE/../e2e/x11env.sh"
no_session_bus

fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/program.log" ] && tail -n 20 "$WORK/program.log" >&2
    cleanup
    exit 1
}
cleanup() {
    [ -n "${game:-}" ] && kill "$game" 2>/dev/null
    stop_started
    rm -rf "$WORK"
}
trap 'cleanup; exit 1' INT TERM

cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$WORK/install.log")"

entry="$PREFIX/share/applications/$APP_ID.desktop"
[ -f "$entry" ] || fail "no desktop entry $entry"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$PREFIX/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon named $icon"
# The command of the entry, without field codes, found on the PATH as the desktop does.
command=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[a-zA-Z]//g')
[ -n "$command" ] || fail "the desktop entry has no Exec line"
export PATH="$PREFIX/$BIN_DIR:$PATH"
[ "$(command -v "${command%% *}")" = "$PREFIX/$BIN_DIR/cobaltix" ] ||
    fail "Exec=$command is not the installed program"

start_x
cd "$WORK/elsewhere" || fail "no scratch folder"
$command >"$WORK/program.log" 2>&1 &
game=$!
i=0
until wid=$(wait_window 1) && [ -n "$wid" ]; do
    [ -n "$(xdotool search --onlyvisible --name '^Fatal error' 2>/dev/null)" ] &&
        fail "the installed game did not find its data"
    kill -0 "$game" 2>/dev/null || fail "the installed game ended without a window"
    i=$((i + 1))
    [ "$i" -gt 300 ] && fail "the installed game's window did not appear"
done
# A game loads the audio module from the installed module folder.
xdotool windowfocus --sync "$wid" key F2 2>/dev/null
sleep 1
grep -q "audio module" "$WORK/program.log" && fail "$(grep "audio module" "$WORK/program.log")"
kill -TERM "$game"
wait_exit "$game"
kill -0 "$game" 2>/dev/null && fail "the installed game did not end on SIGTERM"
wait "$game"
status=$?
game=""
[ "$status" -eq 0 ] || fail "the installed game ended with status $status"

# Without its stage file the game reports the missing file and ends once that is seen.
# (Only telling when no stage file lies in the folder compiled in, which would be found.)
if [ -f "$COMPILED_DATA_DIR/Fases.dat" ]; then
    echo "note: $COMPILED_DATA_DIR/Fases.dat exists; the missing-file case is not checked"
else
    find "$PREFIX" -name Fases.dat -delete
    $command >"$WORK/program.log" 2>&1 &
    game=$!
    i=0
    until [ -n "$(xdotool search --onlyvisible --name '^Fatal error' 2>/dev/null)" ]; do
        i=$((i + 1))
        [ "$i" -gt 300 ] && fail "no report of the missing stage file"
        kill -0 "$game" 2>/dev/null || fail "the game ended without reporting the missing file"
        sleep 0.1
    done
    xdotool key --window "$(xdotool search --onlyvisible --name '^Fatal error' | head -n 1)" Return
    wait_exit "$game"
    kill -0 "$game" 2>/dev/null && fail "the game went on without its stage file"
    wait "$game"
    game=""
fi

echo "pass: the game installed in $PREFIX started from its desktop entry as window $wid"
cleanup
exit 0
