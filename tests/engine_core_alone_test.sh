#!/usr/bin/env bash
# The engine and the core configure on their own, as on a machine without any front end's
# packages: with the front ends, docs, tests and benchmarks off, no Qt, CLI11, libedit,
# GoogleTest, Google Benchmark or scdoc is asked for. Arguments: cmake, the source folder.
set -euo pipefail
cmake=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$cmake" -S "$source" -B "$scratch" -DQUORBIT1_BUILD_CLI=OFF -DQUORBIT1_BUILD_UI=OFF \
  -DQUORBIT1_BUILD_DOCS=OFF -DQUORBIT1_BUILD_TESTS=OFF -DQUORBIT1_BUILD_BENCH=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DCMAKE_DISABLE_FIND_PACKAGE_CLI11=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_PkgConfig=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$scratch/configure.log" 2>&1 || {
  cat "$scratch/configure.log"
  echo "FAIL: the engine and the core alone do not configure"
  exit 1
}
if grep -E '^(SCDOC|GZIP|LIBEDIT|Qt6_DIR|CLI11_DIR|GTest_DIR|benchmark_DIR)[:=]' "$scratch/CMakeCache.txt"; then
  echo "FAIL: a front end's dependency was looked for"
  exit 1
fi
"$cmake" --build "$scratch" --target quorbit1_core -j2 >"$scratch/build.log" 2>&1 || {
  cat "$scratch/build.log"
  echo "FAIL: the engine and the core alone do not build"
  exit 1
}
echo "1 passed, 0 failed"
