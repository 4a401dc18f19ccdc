#!/usr/bin/env bash
# The engine's tests under valgrind's memcheck: any error or leak fails.
set -euo pipefail
build=${1:-build/ci}
valgrind --quiet --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
  "$build/tests/engine_tests" --gtest_brief=1
