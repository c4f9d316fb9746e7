#!/bin/sh
# Runs the replay reader fuzzer from the seed corpus for a number of inputs (a million
# unless told); new inputs go to a scratch directory so the seeds stay as they are, and
# an input that fails is kept in the current directory (crash-*, timeout-*, ...).
# Usage: run-fuzz.sh FUZZER SEEDS [RUNS]
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" -runs="${3:-1000000}" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -artifact_prefix="$PWD/" "$work" "$2"
