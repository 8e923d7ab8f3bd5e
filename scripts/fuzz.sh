#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a while on a copy of its starting
# corpus: scripts/fuzz.sh [seconds per target, default 30]
# Fails on the first finding; the input that found it is left in
# build/fuzz/runs/<target>/findings/ (add it to fuzz/corpus/<target>/ once fixed).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

bash scripts/install-deps.sh clang-15 libfuzzer-15-dev

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

# The targets write their scratch files under TMPDIR: memory is much faster.
[ -w /dev/shm ] && export TMPDIR=/dev/shm

for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    run=build/fuzz/runs/$target
    rm -rf "$run"
    mkdir -p "$run/corpus" "$run/findings"
    cp "$seeds"* "$run/corpus/"
    echo "== $target: ${seconds} s"
    "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$run/findings/" "$run/corpus" 2>"$run/log" || {
        tail -n 40 "$run/log"
        echo "fuzz.sh: $target found a fault; the input is in $run/findings/" >&2
        exit 1
    }
    grep -E '^#[0-9]+[[:space:]]+DONE' "$run/log" || true
done
