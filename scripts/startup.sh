#!/usr/bin/env bash
# Start-up of quorbit1 against a bare Qt 6 dialog, in one run under one X server: the median
# time to the first mapped window and the resident memory then, over ROUNDS starts each,
# alternating the two. Starts a private Xvfb when there is no display.
set -euo pipefail
build=${1:-build/default}
rounds=${ROUNDS:-15}
if [[ -z "${DISPLAY:-}" ]]; then
  Xvfb :77 -screen 0 1280x800x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb' EXIT
  export DISPLAY=:77
  sleep 1
fi
unset QT_QPA_PLATFORM
measure() {  # program -> "ms kB" lines
  for ((i = 0; i < rounds; i++)); do "$build/bench/map_time" "$@"; done
}
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
bare=() ours=()
for ((i = 0; i < rounds; i++)); do
  bare+=("$("$build/bench/map_time" "$build/bench/bare_dialog" 2>/dev/null)")
  ours+=("$("$build/bench/map_time" "$build/ui/quorbit1" 2>/dev/null)")
done
bare_ms=$(printf '%s\n' "${bare[@]}" | cut -d' ' -f1 | median)
bare_kb=$(printf '%s\n' "${bare[@]}" | cut -d' ' -f2 | median)
ours_ms=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f1 | median)
ours_kb=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f2 | median)
printf '%-12s %10s %12s\n' program "map ms" "resident MB"
printf '%-12s %10.1f %12.1f\n' bare_dialog "$bare_ms" "$(echo "$bare_kb/1024" | bc -l)"
printf '%-12s %10.1f %12.1f\n' quorbit1 "$ours_ms" "$(echo "$ours_kb/1024" | bc -l)"
printf 'ratio %.2f, %+.1f MB\n' "$(echo "$ours_ms/$bare_ms" | bc -l)" "$(echo "($ours_kb-$bare_kb)/1024" | bc -l)"
