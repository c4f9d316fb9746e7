#!/bin/sh
# Usage: silent.sh all|stderr COMMAND...
# Runs a checker and fails when it fails or says anything: desktop-file-validate's
# warnings (on standard output) and man's rendering warnings (on standard error) leave
# their exit status 0. With "stderr", standard output is the checker's product.
watch=$1
shift
if [ "$watch" = stderr ]; then
    out=$("$@" 2>&1 >/dev/null)
else
    out=$("$@" 2>&1)
fi
status=$?
[ -n "$out" ] && echo "$out"
[ "$status" -eq 0 ] && [ -z "$out" ]
