#!/usr/bin/env bash
# Start-up of quorbit1 against a bare Qt 6 dialog, in one run under one X server: the median
# time to the first mapped window and the resident memory then, over ROUNDS starts each,
# alternating them; and quorbit1 again with a history file of 100 MB of random bytes. Each
# quorbit1 runs with a history and settings of its own, never the user's. Starts a private
# Xvfb when there is no display.
set -euo pipefail
build=${1:-build/default}
rounds=${ROUNDS:-15}
if [[ -z "${DISPLAY:-}" ]]; then
  Xvfb :77 -screen 0 1280x800x24 >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=:77
  sleep 1
fi
unset QT_QPA_PLATFORM
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; [[ -n "${xvfb:-}" ]] && kill "$xvfb"' EXIT
mkdir -p "$scratch/clean" "$scratch/damaged/quorbit1"
head -c 100M /dev/urandom >"$scratch/damaged/quorbit1/history"
export XDG_CONFIG_HOME="$scratch/config"
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
bare=() ours=() damaged=()
for ((i = 0; i < rounds; i++)); do
  bare+=("$("$build/bench/map_time" "$build/bench/bare_dialog" 2>/dev/null)")
  ours+=("$(XDG_DATA_HOME="$scratch/clean" "$build/bench/map_time" "$build/ui/quorbit1" \
    2>/dev/null)")
  damaged+=("$(XDG_DATA_HOME="$scratch/damaged" "$build/bench/map_time" "$build/ui/quorbit1" \
    2>/dev/null)")
done
damaged_ms=$(printf '%s\n' "${damaged[@]}" | cut -d' ' -f1 | median)
bare_ms=$(printf '%s\n' "${bare[@]}" | cut -d' ' -f1 | median)
bare_kb=$(printf '%s\n' "${bare[@]}" | cut -d' ' -f2 | median)
ours_ms=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f1 | median)
ours_kb=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f2 | median)
printf '%-12s %10s %12s\n' program "map ms" "resident MB"
printf '%-12s %10.1f %12.1f\n' bare_dialog "$bare_ms" "$(echo "$bare_kb/1024" | bc -l)"
printf '%-12s %10.1f %12.1f\n' quorbit1 "$ours_ms" "$(echo "$ours_kb/1024" | bc -l)"
printf 'ratio %.2f, %+.1f MB\n' "$(echo "$ours_ms/$bare_ms" | bc -l)" "$(echo "($ours_kb-$bare_kb)/1024" | bc -l)"
printf 'quorbit1 with 100 MB of random bytes as its history: %.1f ms (%+.1f ms)\n' "$damaged_ms" \
  "$(echo "$damaged_ms - $ours_ms" | bc -l)"
