#!/usr/bin/env bash
# The Windows suites under Wine, the Windows program's output against the Linux build's, then
# the window, zips and installers of each architecture used as a person would
# (window_test.py, on virtual displays of its own, in Wine prefixes of its own).
# Wine runs in a prefix of its own inside the build folder, with one wineserver kept up for the
# whole run and Wine's own services started once, before any test, with no stream of ours: a test
# started against a prefix still being made, or against a server just shutting down after its idle
# time, loses its connection ("wine client error: recvmsg: Connection reset by peer"), and services
# started by a test's own Wine hold its output open, so that ctest waits for them.
# Usage: run.sh LINUX_CLI WINDOWS_BUILD_DIR [MORE_WINDOWS_BUILD_DIRS...]
set -euo pipefail
linux=$1
build=$2
builds=("${@:2}")
export WINEPREFIX=$(realpath "$build")/wine WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
wineserver --persistent
trap 'wineserver --kill' EXIT
if ! wineboot --init </dev/null >/dev/null 2>&1; then
  # A prefix made before wine32 was installed has no 32-bit half, and Wine's own loader, now the
  # 32-bit one, cannot start in it: it is made again.
  wineserver --kill
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineserver --persistent
  wineboot --init </dev/null >/dev/null 2>&1
fi
# Now and then Wine loses a test program as it starts (it fails at once, with no output); such
# a test runs once more, and only a second failure counts.
ctest --preset windows --repeat until-pass:2
for b in "${builds[@]}"; do
  "$(dirname "$0")/same_output.sh" "$linux" "$b/cli/quorbit1-cli.exe"
done
# The window as a person uses it, one architecture at a time. Wine's desktop now and then
# drops a key sent in its first moments; a failing architecture runs once more, and only a
# second failure counts (both runs' findings are printed).
for b in "${builds[@]}"; do
  "$(dirname "$0")/window_test.py" "$linux" "$b" ||
    { echo "window tests of $b: once more"; "$(dirname "$0")/window_test.py" "$linux" "$b"; }
done
