#!/usr/bin/env bash
# The library as its users have it: installed from the build folder into a scratch prefix,
# then a C and a C++ program from outside the project's tree built against it through
# find_package (shared and static) and through pkg-config, each run and checked; and the build
# tree used the same two ways. Usage: library_test.sh BUILD_DIR VERSION [SANITIZER_FLAGS]
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
flags=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

run() {
  local out
  out=$("$@")
  [[ "$out" == "14" ]] || { echo "FAIL: $* printed '$out'"; exit 1; }
  echo "ok: $(basename "$1")"
}

cmake --install "$build" --prefix "$scratch/prefix" --component library >/dev/null
cmake --install "$build" --prefix "$scratch/prefix" --component development >/dev/null
for f in include/quorbit1/quorbit1.h lib/libquorbit1.so.1 lib/libquorbit1.a \
  lib/cmake/Quorbit1/Quorbit1Config.cmake lib/cmake/Quorbit1/Quorbit1ConfigVersion.cmake \
  lib/pkgconfig/quorbit1.pc; do
  [[ -e "$scratch/prefix/$f" ]] || { echo "FAIL: not installed: $f"; exit 1; }
done
# Only the C interface is visible.
if nm -D --defined-only "$scratch/prefix/lib/libquorbit1.so.1" | awk '$2 == "T" || $2 == "D" || $2 == "B" {print $3}' |
  grep -v '^quorbit1_'; then
  echo "FAIL: symbols outside the interface are visible"
  exit 1
fi

# find_package, installed and from the build tree.
for root in "$scratch/prefix" "$build"; do
  out="$scratch/cmake-$(basename "$root")"
  cmake -S "$here" -B "$out" -DCMAKE_PREFIX_PATH="$root" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
  cmake --build "$out" >/dev/null
  run "$out/consumer_c"
  run "$out/consumer_cpp"
  run "$out/consumer_c_static"
done

# pkg-config: the installed file, then the build tree's quorbit1-uninstalled.pc.
export PKG_CONFIG_PATH="$scratch/prefix/lib/pkgconfig"
[[ $(pkg-config --modversion quorbit1) == "$version" ]] || { echo "FAIL: pkg-config version"; exit 1; }
# shellcheck disable=SC2046,SC2086
cc -std=c11 $flags -DQUORBIT1_EXPECTED_VERSION="\"${version%.*}\"" "$here/consumer.c" -o "$scratch/pc_c" \
  $(pkg-config --cflags --libs quorbit1)
# shellcheck disable=SC2046,SC2086
c++ -std=c++17 $flags "$here/consumer.cpp" -o "$scratch/pc_cpp" $(pkg-config --cflags --libs quorbit1)
# shellcheck disable=SC2046,SC2086
cc -std=c11 $flags -DQUORBIT1_EXPECTED_VERSION="\"${version%.*}\"" "$here/consumer.c" -o "$scratch/pc_static" \
  $(pkg-config --cflags quorbit1) "$scratch/prefix/lib/libquorbit1.a" \
  $(pkg-config --static --libs-only-l quorbit1 | sed 's/-lquorbit1//')
LD_LIBRARY_PATH="$scratch/prefix/lib" run "$scratch/pc_c"
LD_LIBRARY_PATH="$scratch/prefix/lib" run "$scratch/pc_cpp"
run "$scratch/pc_static"
export PKG_CONFIG_PATH="$build"
[[ $(pkg-config --variable=libdir quorbit1) == "$build/lib" ]] || { echo "FAIL: uninstalled.pc"; exit 1; }
# shellcheck disable=SC2046,SC2086
cc -std=c11 $flags -DQUORBIT1_EXPECTED_VERSION="\"${version%.*}\"" "$here/consumer.c" -o "$scratch/tree_c" \
  $(pkg-config --cflags --libs quorbit1)
LD_LIBRARY_PATH="$build/lib" run "$scratch/tree_c"
echo "library: every consumer passed"
