#!/bin/bash
# netpeer.sh NETPEER SIM: two headless peers on the loopback address play and agree; a
# peer killed in mid-game leaves the other to end within the silence timeout with its
# message; recorded games play back in the simulator, and a disagreement keeps both
# replays; bad command lines are refused with status 2 and a reason.
set -u
peer=$1
sim=$2
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; for f in "$work"/*; do echo "== $f"; cat "$f"; done; exit 1; }

# Starts a host in the background on a port the system picks; sets port and host_pid.
start_host() {
    local out=$1
    shift
    timeout 60 "$peer" host 0 "$@" --bind 127.0.0.1 >"$out" 2>"$out.err" &
    host_pid=$!
    pids+=("$host_pid")
    for _ in $(seq 100); do
        port=$(awk '/^listening /{print $2}' "$out.err")
        [ -n "$port" ] && return
        sleep 0.05
    done
    fail "the host did not listen"
}

for bad in "" "host" "host 80" "host 70000 easy" "host 0 wizard" "host 0 easy 0" \
    "host 0 easy 2 -1" "join 127.0.0.1 easy" "join 127.0.0.1:0 easy" "join :5 easy" \
    "join 127.0.0.1:5 easy 3" "serve 1 easy" "host 0 easy --limit" "host 0 easy --bogus" \
    "host 0 easy --record" "host 0 easy --disagree-after 0"; do
    err=$("$peer" $bad 2>&1 >/dev/null)
    status=$?
    [ $status -eq 2 ] || fail "'$bad' exited with $status"
    [[ $err == error:* ]] || fail "'$bad' gave no reason: $err"
done

# Two games as fast as the loopback allows: the same lines on both sides.
start_host "$work/host.out" medium 2 9 --fast --limit 4000
timeout 60 "$peer" join "127.0.0.1:$port" medium --fast >"$work/join.out" 2>"$work/join.err" ||
    fail "join exited with $?"
wait "$host_pid" || fail "host exited with $?"
cp "$work/host.out" "$work/host.games"
[ "$(grep -c . "$work/host.games")" -eq 2 ] || fail "not a line per game"
grep -Evq '^game [12] winner [012] hash [0-9a-f]{16}$' "$work/host.games" && fail "bad game line"
cmp -s "$work/host.games" "$work/join.out" || fail "the two sides disagree"

# The joining peer is killed in mid-game: the host ends on its own, with its message.
start_host "$work/host2.out" easy 1 3 --silence 1500
"$peer" join "127.0.0.1:$port" easy >"$work/join2.out" 2>&1 &
join_pid=$!
pids+=("$join_pid")
sleep 1.5
kill -9 "$join_pid"
killed=$(date +%s%N)
wait "$host_pid"
status=$?
noticed=$(( ($(date +%s%N) - killed) / 1000000 ))
[ $status -eq 1 ] || fail "host exited with $status after its peer was killed"
grep -q '^error: the other player has not been heard from' "$work/host2.out.err" ||
    fail "no message: $(cat "$work/host2.out.err")"
[ "$noticed" -lt 5000 ] || fail "noticed after $noticed ms"
echo "ok: a vanished peer noticed after $noticed ms"

# Two seeded games recorded on both sides: a file per game on each, and each plays
# back offline to the state its game ended in.
start_host "$work/host3.out" medium 2 5 --fast --limit 4000 --record "$work/rec-host"
timeout 60 "$peer" join "127.0.0.1:$port" medium --fast --record "$work/rec-join" \
    >"$work/join3.out" 2>"$work/join3.err" || fail "recording join exited with $?"
wait "$host_pid" || fail "recording host exited with $?"
cmp -s "$work/host3.out" "$work/join3.out" || fail "the recording sides disagree"
for side in host join; do
    for n in 1 2; do
        file="$work/rec-$side/game-$n.replay"
        [ -f "$file" ] || fail "no $file"
        echo "replay $file" | "$sim" >"$work/play-$side-$n" 2>&1
        grep -q '^replay-end .* same yes$' "$work/play-$side-$n" || fail "$file plays back otherwise"
    done
done

# One side changes its own state in mid-game: both stop with the hash check's message,
# name where their replay is kept, and both replays say where the states parted.
start_host "$work/host4.out" medium 1 5 --fast --record "$work/bad-host"
timeout 60 "$peer" join "127.0.0.1:$port" medium --fast --record "$work/bad-join" \
    --disagree-after 30 >"$work/join4.out" 2>"$work/join4.out.err"
status=$?
wait "$host_pid"
[ $? -eq 1 ] && [ $status -eq 1 ] || fail "a disagreement did not end both with status 1"
for side in host join; do
    err="$work/${side}4.out.err"
    file="$work/bad-$side/game-1.replay"
    grep -q "^error: the two sides' game states differ.*(its replay is kept in $file)$" "$err" ||
        fail "$side: $(cat "$err")"
    echo "replay $file" | "$sim" >"$work/bad-play-$side" 2>&1
    grep -Eq '^replay-mismatch step [1-9][0-9]* hashes [0-9a-f]{16} [0-9a-f]{16}$' \
        "$work/bad-play-$side" || fail "$file is not marked: $(cat "$work/bad-play-$side")"
done
echo "ok: recorded on both sides, a disagreement kept on both"
