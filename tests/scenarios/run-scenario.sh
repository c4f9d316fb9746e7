#!/bin/bash
# run-scenario.sh SIM SCRIPT [--update]
# Runs SCRIPT.sim through cobaltix-sim in a scratch folder holding the stage-file
# fixtures and compares standard output with SCRIPT.expected byte for byte. When
# SCRIPT.stderr exists the run must end with status 2 and exactly that standard error;
# otherwise with status 0 and nothing on standard error. --update rewrites the expected
# files from the run (check them by hand before committing).
set -u
sim=$1
script=$(realpath "$2")
update=${3:-}
base=${script%.sim}
here=$(dirname "$(realpath "$0")")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$here/make-stage-files.sh" "$work" || exit 1

(cd "$work" && "$sim" "$script" >"$work/out" 2>"$work/err")
status=$?

if [ "$update" = "--update" ]; then
    cp "$work/out" "$base.expected"
    if [ $status -ne 0 ]; then cp "$work/err" "$base.stderr"; fi
    echo "updated $base.expected (status $status)"
    exit 0
fi

failed=0
if ! diff -u "$base.expected" "$work/out"; then
    echo "FAIL: standard output differs from $(basename "$base").expected"
    failed=1
fi
if [ -f "$base.stderr" ]; then
    if [ $status -ne 2 ]; then
        echo "FAIL: exit status $status, expected 2"
        failed=1
    fi
    if ! diff -u "$base.stderr" "$work/err"; then
        echo "FAIL: standard error differs from $(basename "$base").stderr"
        failed=1
    fi
else
    if [ $status -ne 0 ]; then
        echo "FAIL: exit status $status, expected 0"
        failed=1
    fi
    if [ -s "$work/err" ]; then
        echo "FAIL: unexpected standard error:"
        cat "$work/err"
        failed=1
    fi
fi
exit $failed
