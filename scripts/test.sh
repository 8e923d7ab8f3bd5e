#!/usr/bin/env bash
# Builds and runs every test: scripts/test.sh [preset]
#   default  all suites, GUI layer included (offscreen and under Xvfb)
#   asan     AddressSanitizer + UndefinedBehaviorSanitizer, everything but the GUI
#   tsan     ThreadSanitizer, the suites labelled "threads" (the conversion job)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}

bash scripts/install-deps.sh

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"

filter=()
[ "$preset" = tsan ] && filter=(-L threads)
ctest --preset "$preset" -j "$(nproc)" "${filter[@]}"
