#!/usr/bin/env bash
# Builds a preset, quietly when there is nothing to do: the build's output is shown when it
# compiled, linked or generated something, or failed, and not for the checks every build makes.
set -uo pipefail
preset=${1:-default}
target=${2:-}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cmake --build --preset "$preset" ${target:+--target "$target"} >"$log" 2>&1; then
  cat "$log"
  exit 1
fi
if grep -qvE '^\[ *[0-9]+%\] (Built target|Automatic MOC)|^(gmake|make)(\[[0-9]+\])?: (Entering|Leaving)' "$log"; then
  cat "$log"
fi
