#!/usr/bin/env bash
# Runs the engine fuzzer for a number of seconds (default 120) from the seeds and the corpus it
# has grown so far, then the history file's reader for half as long. Fails on any finding; the
# input is left in build/fuzz/findings/ and belongs in fuzz/findings/ with the fix, where the
# test suite replays it.
set -euo pipefail
seconds=${1:-120}
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
findings=build/fuzz/findings
mkdir -p build/fuzz/corpus build/fuzz/history-corpus "$findings"
build/fuzz/fuzz/engine_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=4096 -print_final_stats=1 -artifact_prefix="$findings/" \
  build/fuzz/corpus fuzz/seeds fuzz/findings
build/fuzz/fuzz/history_fuzzer -max_total_time="$((seconds / 2))" -timeout=10 \
  -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/history-" \
  build/fuzz/history-corpus tests/data
