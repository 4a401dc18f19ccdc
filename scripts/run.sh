#!/usr/bin/env bash
# Starts the calculator from a build folder: the dialog where there is a display, otherwise the
# command-line calculator on this terminal.
set -uo pipefail
build=${1:-build/default}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
"$build/ui/quorbit1" 2>"$log" || status=$?
if [[ $status -eq 2 ]] && grep -q "no display found" "$log"; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset or unreachable): starting quorbit1-cli here instead; one expression per line, Ctrl-D ends."
  "$build/cli/quorbit1-cli"
  exit $?
fi
cat "$log" >&2
exit "$status"
