#!/usr/bin/env bash
# The test programs under valgrind's memcheck: any error or definite leak fails. The allocation
# test is left out: it replaces operator new itself, which memcheck also does.
set -euo pipefail
build=${1:-build/ci}
# The random tests take fewer texts: memcheck runs them some fifty times slower.
export QUORBIT1_RANDOM_ROUNDS=3000
run() { valgrind --quiet --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite "$@"; }
for t in engine_tests core_tests cli_tests; do
  echo "memcheck: $t"
  run "$build/tests/$t" --gtest_brief=1
done
if [[ -x "$build/tests/dialog_tests" ]]; then
  echo "memcheck: dialog_tests"
  QUORBIT1_UNDER_VALGRIND=1 QT_QPA_PLATFORM=offscreen run "$build/tests/dialog_tests" -silent
fi
echo "memcheck: clean"
