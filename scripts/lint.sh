#!/usr/bin/env bash
# clang-tidy with the repository's .clang-tidy on every product source (engine, core, cli, ui)
# that the build folder compiles (another platform's files, such as *_windows.cpp on Linux,
# need that platform's headers), from a configured and built build folder (the dialog's
# generated headers must exist). Any finding fails.
set -euo pipefail
build=${1:-build/default}
cd "$(dirname "$0")/.."
compiled=$(grep -o '"file": "[^"]*"' "$build/compile_commands.json" | cut -d'"' -f4)
git ls-files 'engine/*.cpp' 'core/*.cpp' 'cli/*.cpp' 'ui/*.cpp' |
  while read -r f; do
    if grep -qxF "$PWD/$f" <<<"$compiled"; then echo "$f"; fi
  done |
  xargs -P 2 -n 4 clang-tidy -p "$build" --quiet --warnings-as-errors='*' 2>/dev/null
echo "lint: clean"
