#!/bin/sh
# Runs one soundmix-sim scenario in a scratch directory and compares its transcript,
# and the bytes it saved when an expected wave exists, with the expected ones.
# Usage: run-scenario.sh SIM SCENARIO_DIR NAME
set -eu
sim=$1 dir=$2 name=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$dir/data" "$work/data"
cd "$work"
status=0
"$sim" "$dir/$name.txt" >transcript.out 2>stderr.out || status=$?
if [ -f "$dir/$name.status" ]; then
    expected_status=$(cat "$dir/$name.status")
else
    expected_status=0
fi
if [ "$status" != "$expected_status" ]; then
    echo "exit status $status, expected $expected_status"
    cat stderr.out
    exit 1
fi
diff -u "$dir/$name.out" transcript.out
if [ -f "$dir/$name.err" ]; then
    diff -u "$dir/$name.err" stderr.out
fi
if [ -f "$dir/$name.wav" ]; then
    cmp "$dir/$name.wav" saved.wav
fi
echo "scenario $name passed"
