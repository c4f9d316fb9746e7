#!/bin/bash
# run.sh [BUILD]: the CPU players' figures from a release build (default build/release):
# each level against the one below and master against greedy and beginner, 200 one to
# one games each; every level and greedy alone through the stages, 50 runs each; then
# the decision benchmark. Prints each run's table and last line.
set -eu
cd "$(dirname "$0")/../.."
build=${1:-build/release}
arena=$build/bin/cobaltix-arena
bench=$build/bin/ai_bench
for tool in "$arena" "$bench"; do
    [ -x "$tool" ] || { echo "run.sh: $tool missing; build it first:" \
        "cmake --build $build --target cobaltix-arena ai_bench" >&2; exit 1; }
done

games=200
for match in "easy beginner" "medium easy" "hard medium" "master hard" "master greedy" \
    "master beginner"; do
    echo "== vs $match ($games games)"
    "$arena" vs $match $games 1 | tail -n 4
done
for level in beginner easy medium hard master greedy; do
    echo "== stages $level (50 runs)"
    "$arena" stages $level 50 1 | tail -n 3
done
echo "== decisions"
"$bench" --benchmark_filter='Decision'
