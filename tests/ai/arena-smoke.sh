#!/bin/bash
# arena-smoke.sh ARENA: a few short arena games keep the tool's last lines, and a bad
# command line is refused with status 2 and a reason.
set -u
arena=$1
fail() { echo "FAIL: $*"; exit 1; }

out=$("$arena" vs master beginner 2 5) || fail "vs exited with $?"
last=$(echo "$out" | tail -n 1)
[[ $last =~ ^vs\ master\ [0-9]+\ beginner\ [0-9]+\ draws\ [0-9]+\ games\ 2$ ]] ||
    fail "vs last line: $last"
[ "$(echo "$out" | grep -c '^game ')" -eq 2 ] || fail "not a line per game"

out=$("$arena" stages beginner 1 3) || fail "stages exited with $?"
last=$(echo "$out" | tail -n 1)
[[ $last =~ ^stages\ beginner\ runs\ 1\ completed\ [01]\ median-stage\ [0-9]+$ ]] ||
    fail "stages last line: $last"

for bad in "" "vs master" "vs master wizard" "stages master 0" "stages master x" \
    "vs easy hard 3 -1" "tournament easy" "stages master 5 1 9"; do
    err=$("$arena" $bad 2>&1 >/dev/null)
    status=$?
    [ $status -eq 2 ] || fail "'$bad' exited with $status"
    [[ $err == error:* ]] || fail "'$bad' gave no reason: $err"
done
echo ok
