#!/usr/bin/env bash
# The benchmarks with their summary: the engine against muParser and fparser (ns per expression
# and our speed-up), the OK command in the dialog from key press to repaint, and start-up
# against a bare Qt dialog. Extra arguments go to Google Benchmark.
set -euo pipefail
build=${1:-build/default}
shift || true
echo "== engine"
"$build/bench/engine_bench" --benchmark_filter='^(quorbit1|fparser|muparser|expr)/' "$@" \
  2>/dev/null | sed -n '/^engine /,$p'
if [[ -x "$build/bench/dialog_bench" ]]; then
  echo "== dialog: OK from key press to repaint"
  QT_QPA_PLATFORM=offscreen "$build/bench/dialog_bench" 2>/dev/null |
    awk '/^RESULT/ {sub(/^RESULT : DialogBench::/, ""); name=$0} /msecs per iteration/ {print "  " name " " $1 " ms"}'
fi
if [[ -x "$build/bench/map_time" ]]; then
  echo "== start-up to the first mapped window (median of ${ROUNDS:-15})"
  scripts/startup.sh "$build"
fi
