#!/bin/sh
# End to end under a window manager: the real program on Xvfb with openbox, in English
# and in Spanish. The menu opens under its button after a normal start, a minimise and
# restore, and a drag; a dialog's frame is centred on the screen; captions are exactly
# their texts; at start no image-format plugin and no Qt Svg are mapped.
# Usage: wm_e2e.sh <path to cobaltix>
set -u
PROGRAM=$(readlink -f "$1")
HERE=$(dirname "$(readlink -f "$0")")

for tool in Xvfb openbox xdotool xwininfo xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

WORK=$(mktemp -d)
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
unset SESSION_MANAGER
. "$HERE/x11env.sh"
no_session_bus
game=""
checks=0

cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    stop_started
    rm -rf "$WORK"
}
fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/program.log" ] && tail -n 20 "$WORK/program.log" >&2
    cleanup
    exit 1
}
trap 'cleanup; exit 1' INT TERM

# "X Y" of a window's client area on the screen.
client_at() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        END { print x, y }'
}

# Opens the menu with Alt+M and checks that its top-left corner is the menu button's
# bottom-left corner (client point 270, 25), then closes it.
check_menu() {
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
    set -- $(client_at "$wid")
    want="+$(($1 + 270))+$(($2 + 25))"
    xdotool key alt+m
    menu=""
    i=0
    while [ -z "$menu" ] && [ "$i" -lt 50 ]; do
        sleep 0.1
        menu=$(xwininfo -root -children | grep '("cobaltix"' | grep -v ' 632x460+' |
            awk '{ print $NF }' | head -n 1)
        i=$((i + 1))
    done
    [ -n "$menu" ] || fail "$step: the menu did not open"
    [ "$menu" = "$want" ] || fail "$step: the menu opened at $menu, not under its button at $want"
    xdotool key Escape
    i=0
    while xwininfo -root -children | grep '("cobaltix"' | grep -qv ' 632x460+'; do
        i=$((i + 1))
        [ "$i" -lt 50 ] || fail "$step: the menu stayed open"
        sleep 0.1
    done
    checks=$((checks + 1))
}

# The quick help: its caption is exactly its text, and its frame is centred on the
# 1024 x 768 screen.
check_help() {
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
    xdotool key F1
    help=""
    i=0
    while [ -z "$help" ] && [ "$i" -lt 50 ]; do
        sleep 0.1
        help=$(xdotool search --onlyvisible --class cobaltix 2>/dev/null | grep -vx "$wid" |
            while read -r id; do
                xprop -id "$id" _NET_FRAME_EXTENTS | grep -q '= ' && echo "$id"
            done | head -n 1)
        i=$((i + 1))
    done
    [ -n "$help" ] || fail "$step: no help box"
    sleep 0.5
    name=$(xprop -id "$help" -notype _NET_WM_NAME | sed 's/^_NET_WM_NAME = //')
    [ "$name" = "\"$1\"" ] || fail "$step: the help box is captioned $name, not \"$1\""
    set -- $(xprop -id "$help" -notype _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    left=$1 right=$2 top=$3 bottom=$4
    set -- $(client_at "$help")
    size=$(xwininfo -id "$help" | awk '/Width:/ { w = $NF } /Height:/ { h = $NF } END { print w, h }')
    set -- "$1" "$2" $size
    fx=$(($1 - left)) fy=$(($2 - top)) fw=$(($3 + left + right)) fh=$(($4 + top + bottom))
    [ "$fx" -eq $(((1024 - fw) / 2)) ] && [ "$fy" -eq $(((768 - fh) / 2)) ] ||
        fail "$step: the help box's frame ${fw}x${fh} sits at $fx,$fy, not centred (client $1,$2, frame $left $right $top $bottom)"
    xdotool key Return
    i=0
    while xdotool search --onlyvisible --class cobaltix 2>/dev/null | grep -qvx "$wid"; do
        i=$((i + 1))
        [ "$i" -lt 50 ] || fail "$step: the help box stayed open"
        sleep 0.1
    done
    checks=$((checks + 1))
}

start_x
start_openbox || fail "no window manager"
cd "$WORK" || fail "no scratch directory"

for language in 0 1; do
    step="language $language"
    store="$XDG_CONFIG_HOME/cobaltix/store.json"
    if [ "$language" -eq 1 ]; then
        # The settings the English run stored, with Spanish chosen.
        sed '/"Language": {/{n;s/"data": 0/"data": 1/}' "$store" >"$store.new" &&
            mv "$store.new" "$store"
        grep -A1 '"Language": {' "$store" | grep -q '"data": 1' ||
            fail "could not choose Spanish in the stored settings"
    fi
    "$PROGRAM" >"$WORK/program.log" 2>&1 &
    game=$!
    wid=$(wait_window 300)
    [ -n "$wid" ] || fail "$step: the window did not appear"

    if [ "$language" -eq 0 ]; then
        # Pictures come from our resources: no format plugin is needed for them.
        plugins=$(grep -o 'imageformats/[^ ]*\|libQt6Svg[^ ]*' "/proc/$game/maps" | sort -u |
            tr '\n' ' ')
        [ -z "$plugins" ] || fail "mapped at start: $plugins"
        checks=$((checks + 1))
    fi
    name=$(xprop -id "$wid" -notype _NET_WM_NAME | sed 's/^_NET_WM_NAME = //')
    [ "$name" = '"Cobaltix"' ] || fail "$step: the window is captioned $name"

    step="$language, after start"
    check_menu
    if [ "$language" -eq 0 ]; then
        check_help "Quick help"
    else
        check_help "Ayuda rápida"
    fi

    step="$language, after minimise and restore"
    xdotool windowminimize --sync "$wid"
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowmap --sync "$wid"
    sleep 0.3
    check_menu

    step="$language, after a drag"
    set -- $(client_at "$wid")
    xdotool mousemove $(($1 + 315)) $(($2 + 300)) mousedown 1 \
        mousemove $(($1 + 330)) $(($2 + 310)) sleep 0.1 mousemove $(($1 + 355)) $(($2 + 330)) \
        sleep 0.1 mouseup 1
    sleep 0.3
    set -- $(client_at "$wid")
    [ "$1 $2" != "196 154" ] || fail "$step: the window did not move"
    check_menu

    kill -TERM "$game"
    wait_exit "$game"
    kill -0 "$game" 2>/dev/null && fail "$step: the program did not end"
    wait "$game"
    game=""
done

echo "pass: $checks checks under openbox"
cleanup
exit 0
