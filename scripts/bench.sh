#!/usr/bin/env bash
# The benchmarks with their summary: the engine against muParser and fparser (ns per expression
# and our speed-up), each maths function against the C library's (natively and in WebAssembly),
# the OK command in the dialog from key press to repaint, start-up
# against a bare Qt dialog, and the command line on a batch of a million lines against a
# program built on fparser. Extra arguments go to Google Benchmark.
set -euo pipefail
build=${1:-build/default}
shift || true
echo "== engine"
"$build/bench/engine_bench" --benchmark_filter='^(quorbit1|fparser|muparser|expr)/' "$@" \
  2>/dev/null | sed -n '/^engine /,$p'
echo "== maths functions against the C library, each build this processor runs"
"$build/bench/math/math_times"
if [[ -f build/wasm/bench/math/math_times.js ]]; then
  echo "== maths functions against the C library, WebAssembly under node (after make test-wasm)"
  node --no-experimental-fetch build/wasm/bench/math/math_times.js
fi
if [[ -x "$build/bench/dialog_bench" ]]; then
  echo "== dialog: OK from key press to repaint"
  QT_QPA_PLATFORM=offscreen "$build/bench/dialog_bench" 2>/dev/null |
    awk '/^RESULT/ {sub(/^RESULT : DialogBench::/, ""); name=$0} /msecs per iteration/ {print "  " name " " $1 " ms"}'
fi
if [[ -x "$build/bench/map_time" ]]; then
  echo "== start-up to the first mapped window (median of ${ROUNDS:-15})"
  scripts/startup.sh "$build"
fi
if [[ -x "$build/bench/fparser_batch" ]]; then
  lines=${BATCH_LINES:-1000000}
  rounds=${BATCH_ROUNDS:-5}
  echo "== batch: $lines lines drawn from bench/typical.txt, output to a file (median of $rounds)"
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  "$build/bench/batch_lines" bench/typical.txt "$lines" >"$tmp/lines"
  "$build/bench/batch_lines" bench/typical.txt "$lines" --fparser >"$tmp/fparser-lines"
  # Each run overwrites the output of the one before.
  seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >"$tmp/out" || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
  }
  median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
  fps=() plains=() jsons=()
  for ((i = 0; i < rounds; i++)); do
    fps+=("$(seconds "$build/bench/fparser_batch" <"$tmp/fparser-lines")")
    plains+=("$(seconds "$build/cli/quorbit1-cli" <"$tmp/lines")")
    jsons+=("$(seconds "$build/cli/quorbit1-cli" --json <"$tmp/lines")")
  done
  fp=$(printf '%s\n' "${fps[@]}" | median)
  plain=$(printf '%s\n' "${plains[@]}" | median)
  json=$(printf '%s\n' "${jsons[@]}" | median)
  printf '  fparser program (%%.15g)   %.3f s\n' "$fp"
  printf '  quorbit1-cli               %.3f s  (%.2fx the fparser program)\n' "$plain" \
    "$(echo "$plain / $fp" | bc -l)"
  printf '  quorbit1-cli --json        %.3f s  (%.2fx plain)\n' "$json" \
    "$(echo "$json / $plain" | bc -l)"
fi
site=build/wasm/web/site
if [[ -f "$site/quorbit1.html" && -x "$build/cli/quorbit1-cli" ]]; then
  echo "== page (after make web)"
  /usr/bin/python3 bench/web/measure.py "$site"
  # The same JSON objects from the WebAssembly module under node (the typical texts twenty
  # times over, in ten passes) and from quorbit1-cli (two hundred times over, so that its start
  # hardly counts; the median of three runs).
  tmp=$(mktemp -d)
  for _ in $(seq 20); do cat bench/typical.txt; done >"$tmp/texts"
  for _ in $(seq 10); do cat "$tmp/texts"; done >"$tmp/lines"
  wasm=$(NODE_PATH=/usr/share/nodejs node bench/web/run_module.mjs \
    build/wasm/web/quorbit1-module.mjs --repeat 10 <"$tmp/texts" 2>&1 >/dev/null)
  first=$(echo "$wasm" | awk '{print $1}')
  later=$(echo "$wasm" | awk '{print $9}')
  natives=()
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "$build/cli/quorbit1-cli" --json --no-history <"$tmp/lines" >/dev/null || true
    natives+=($(( ($(date +%s%N) - start) / $(wc -l <"$tmp/lines") )))
  done
  native=$(printf '%s\n' "${natives[@]}" | sort -n | sed -n 2p)
  rm -rf "$tmp"
  printf '  per typical expression, with its JSON: native %s ns; WebAssembly under node %s ns once optimised (%.1fx), %s ns in its first pass (%.1fx)\n' \
    "$native" "$later" "$(echo "$later / $native" | bc -l)" "$first" "$(echo "$first / $native" | bc -l)"
fi
