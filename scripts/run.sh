#!/usr/bin/env bash
# Starts the calculator from a build folder.
set -euo pipefail
build=${1:-build/default}
cli="$build/cli/quorbit1-cli"
echo "The desktop dialog is not built yet: running the command-line calculator on a sample."
echo "\$ quorbit1-cli '10 + cos(45)'"
"$cli" '10 + cos(45)'
