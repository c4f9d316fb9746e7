#!/bin/sh
# Runs the loader fuzzer briefly from the seed corpus; new inputs go to a scratch
# directory so the committed seeds stay as they are.
# Usage: run-fuzz.sh FUZZER SEEDS SECONDS
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" -max_total_time="$3" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -artifact_prefix="$work/" "$work" "$2"
