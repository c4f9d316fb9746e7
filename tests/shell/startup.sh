#!/bin/sh
# The real program on the offscreen platform, started over damaged or unusable files
# and ended by SIGTERM: it must neither crash, hang nor end silently.
# Usage: startup.sh <path to cobaltix>
set -u
PROGRAM=$(readlink -f "$1")
BIN=$(dirname "$PROGRAM")
WORK=$(mktemp -d)
export QT_QPA_PLATFORM=offscreen
unset SESSION_MANAGER PULSE_SERVER XDG_CACHE_HOME
# No session bus, and no launching of one (a fork that can hang a sanitizer build).
export DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/cobaltix-no-session-bus"
pid=""
failures=0

cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for log in "$case_dir"/*.log; do
        [ -s "$log" ] && { echo "--- $log"; tail -n 20 "$log"; }
    done
    failures=$((failures + 1))
}

# A fresh home, configuration, runtime directory and current directory per case.
new_case() {
    case_dir="$WORK/$1"
    mkdir -p "$case_dir/home" "$case_dir/config/cobaltix" "$case_dir/run" "$case_dir/cwd"
    chmod 700 "$case_dir/run"
    export HOME="$case_dir/home" XDG_CONFIG_HOME="$case_dir/config"
    export XDG_RUNTIME_DIR="$case_dir/run"
    store="$case_dir/config/cobaltix/store.json"
}

# Waits up to $2 tenths of a second for file $1.
wait_file() {
    i=0
    while [ ! -e "$1" ] && [ "$i" -lt "$2" ]; do
        sleep 0.1
        i=$((i + 1))
    done
    [ -e "$1" ]
}

# Waits up to $2 tenths of a second for $pid to end; sets status, or fails.
wait_end() {
    i=0
    while kill -0 "$pid" 2>/dev/null && [ "$i" -lt "$1" ]; do
        sleep 0.1
        i=$((i + 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
        status=running
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    else
        wait "$pid"
        status=$?
    fi
    pid=""
}

# The bytes of number $1, most significant first ($2 = be) or last ($2 = le).
bytes32() {
    set -- $(($1 >> 24 & 255)) $(($1 >> 16 & 255)) $(($1 >> 8 & 255)) $(($1 & 255)) "$2"
    if [ "$5" = be ]; then
        printf "\\$(printf %03o "$1")\\$(printf %03o "$2")\\$(printf %03o "$3")\\$(printf %03o "$4")"
    else
        printf "\\$(printf %03o "$4")\\$(printf %03o "$3")\\$(printf %03o "$2")\\$(printf %03o "$1")"
    fi
}

# A settings store in the current format; $1 is the stored language, $2 player 1's name.
write_store() {
    keys=$(for k in 37 39 38 40 13 65 68 87 83 17; do bytes32 "$k" le; done | base64 -w0)
    cat >"$store" <<EOF
{"cobaltix-store": 1, "keys": {"Software\\\\Orvane Soft\\\\Cobaltix": {
 "Keys": {"type": "binary", "data": "$keys"},
 "Name 1": {"type": "string", "data": "$2"},
 "Name 2": {"type": "string", "data": "Bob"},
 "Language": {"type": "integer", "data": $1}}}}
EOF
}

# Writes the big-endian 32-bit number $3 at offset $2 of file $1.
poke32() {
    bytes32 "$3" be | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

peek32() {
    od -An -tu1 -j "$2" -N4 "$1" | awk '{ print (($1 * 256 + $2) * 256 + $3) * 256 + $4 }'
}

# 1. A stage with a limit of 0 is refused: the reason on standard error, the fatal box,
#    and after the box a non-zero exit status.
new_case stage
cp "$BIN/Fases.dat" "$case_dir/cwd/Fases.dat"
printf '\000\000\000\000' |
    dd of="$case_dir/cwd/Fases.dat" bs=1 seek=$((8 * 660 + 652)) conv=notrunc status=none
(cd "$case_dir/cwd" && exec "$PROGRAM" >"$case_dir/out.log" 2>"$case_dir/err.log") &
pid=$!
i=0
until grep -q "stage 9: limit 0 is outside 1..112" "$case_dir/err.log" 2>/dev/null; do
    i=$((i + 1))
    [ "$i" -gt 300 ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
grep -q "Fases.dat: stage 9: limit 0 is outside 1..112" "$case_dir/err.log" ||
    fail "the refused stage's reason is not on standard error"
kill -TERM "$pid" 2>/dev/null
wait_end 100
[ "$status" != running ] && [ "$status" -ne 0 ] ||
    fail "a refused stage file ended with status $status"

# 2. A damaged esp.dll with Spanish stored: refused, the program goes on in English and
#    keeps Spanish stored for the next start.
new_case module
cp "$BIN/esp.dll" "$case_dir/cwd/esp.dll"
tree=$(peek32 "$case_dir/cwd/esp.dll" 8)
poke32 "$case_dir/cwd/esp.dll" $((tree + 22 + 10)) $((0x00FFFFF0))
write_store 1 Ann
(cd "$case_dir/cwd" && exec "$PROGRAM" >"$case_dir/out.log" 2>"$case_dir/err.log") &
pid=$!
wait_file "$case_dir/run/Cobaltix - Orvane.lock" 300 || fail "no lock taken"
sleep 2
kill -0 "$pid" 2>/dev/null || fail "a damaged language module ended the program"
kill -TERM "$pid" 2>/dev/null
wait_end 100
[ "$status" = 0 ] || fail "the program with a damaged module ended with status $status"
grep -q '"data": 1' "$store" || fail "the stored Spanish choice was lost: $(cat "$store")"

# 3. SIGTERM while the store cannot be written (a full disk): the program ends at
#    once and says so on standard error instead of in a box that waits for OK.
new_case fulldisk
write_store 0 "$(printf '%0600d' 0)"
mkfifo "$case_dir/err.fifo"
cat "$case_dir/err.fifo" >"$case_dir/err.log" &
reader=$!
(
    cd "$case_dir/cwd" || exit 1
    trap '' XFSZ
    ulimit -f 1
    exec "$PROGRAM" >/dev/null 2>"$case_dir/err.fifo"
) &
pid=$!
wait_file "$case_dir/run/Cobaltix - Orvane.lock" 300 || fail "no lock taken"
sleep 1
kill -TERM "$pid" 2>/dev/null
started=$(date +%s%N)
wait_end 50
took=$((($(date +%s%N) - started) / 1000000))
wait "$reader"
if [ "$status" = 0 ]; then
    echo "SIGTERM with a full disk ended the program in $took ms"
else
    fail "SIGTERM with a full disk: status $status after $took ms"
fi
grep -q "Error: Error while writing in the Windows Registry." "$case_dir/err.log" ||
    fail "the failed write was not reported on standard error"

# 4. A read-only runtime directory: the lock goes to another per-user folder and the
#    program runs. Needs a private mount namespace for a read-only file system.
new_case runtime
if unshare -m sh -c "mount -t tmpfs -o ro,mode=0700 tmpfs '$case_dir/run'" 2>/dev/null; then
    (cd "$case_dir/cwd" && exec unshare -m sh -c \
        "mount -t tmpfs -o ro,mode=0700 tmpfs '$case_dir/run' && exec '$PROGRAM'" \
        >"$case_dir/out.log" 2>"$case_dir/err.log") &
    pid=$!
    wait_file "$case_dir/home/.cache/Cobaltix - Orvane.lock" 300 ||
        fail "no lock in the cache folder"
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "a read-only runtime directory ended the start"
    kill -TERM "$pid" 2>/dev/null
    wait_end 100
    [ "$status" = 0 ] || fail "the program over a read-only runtime directory: $status"
else
    echo "skipped the read-only runtime directory: no private mounts here"
fi

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
