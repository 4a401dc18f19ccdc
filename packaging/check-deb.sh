#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch root and checks that
# it holds the programs, the desktop files, the icons, the manual pages, the completions and
# the package's documents, that its dependencies were computed, that lintian finds no error,
# and that the unpacked programs run.
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/quorbit1_*.deb)
echo "package: $(basename "$deb")"
# The library's packages, when the build made the library.
libdebs=()
if grep -q '^QUORBIT1_BUILD_LIBRARY:BOOL=ON' "$build/CMakeCache.txt"; then
  lib=$(ls "$scratch"/out/libquorbit1-1_*.deb)
  dev=$(ls "$scratch"/out/libquorbit1-dev_*.deb)
  libdebs=("$lib" "$dev")
  echo "packages: $(basename "$lib") $(basename "$dev")"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libqt6widgets6 libstdc++6; do
  [[ "$depends" == *"$lib"* ]] || { echo "FAIL: Depends lacks $lib"; exit 1; }
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
expected=(
  usr/bin/quorbit1
  usr/bin/quorbit1-cli
  usr/share/applications/org.quorbit1.Quorbit1.desktop
  usr/share/metainfo/org.quorbit1.Quorbit1.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/org.quorbit1.Quorbit1.svg
  usr/share/man/man1/quorbit1.1.gz
  usr/share/man/man1/quorbit1-cli.1.gz
  usr/share/doc/quorbit1/copyright
  usr/share/doc/quorbit1/changelog.gz
  usr/share/doc/quorbit1/quorbit1-cli.schema.json
  usr/share/bash-completion/completions/quorbit1-cli
  usr/share/zsh/vendor-completions/_quorbit1-cli
  usr/share/fish/vendor_completions.d/quorbit1-cli.fish
)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/org.quorbit1.Quorbit1.png")
done
for f in "${expected[@]}"; do
  [[ -f "$root/$f" ]] || { echo "FAIL: missing $f"; exit 1; }
done

if [[ ${#libdebs[@]} -gt 0 ]]; then
  # The programs link the engine statically: the calculator's package stands alone.
  [[ "$depends" != *libquorbit1* ]] || { echo "FAIL: quorbit1 depends on the library"; exit 1; }
  dpkg-deb -x "${libdebs[0]}" "$scratch/lib"
  dpkg-deb -x "${libdebs[1]}" "$scratch/dev"
  for f in lib/usr/lib/libquorbit1.so.1 lib/usr/share/doc/libquorbit1-1/copyright \
    dev/usr/lib/libquorbit1.so dev/usr/lib/libquorbit1.a dev/usr/include/quorbit1/quorbit1.h \
    dev/usr/lib/pkgconfig/quorbit1.pc dev/usr/lib/cmake/Quorbit1/Quorbit1Config.cmake \
    dev/usr/share/doc/libquorbit1-dev/copyright; do
    [[ -e "$scratch/$f" || -L "$scratch/$f" ]] || { echo "FAIL: missing $f"; exit 1; }
  done
  [[ $(dpkg-deb -f "${libdebs[1]}" Depends) == *"libquorbit1-1 (= "* ]] ||
    { echo "FAIL: libquorbit1-dev does not depend on libquorbit1-1"; exit 1; }
  [[ $(dpkg-deb -f "${libdebs[0]}" Depends) == *libstdc++6* ]] ||
    { echo "FAIL: libquorbit1-1's dependencies were not computed"; exit 1; }
  for f in "${libdebs[@]}"; do echo "$(basename "$f"): $(stat -c %s "$f") bytes"; done
fi

# Debian's own checks: no errors (warnings are printed, for the record).
if command -v lintian >/dev/null; then
  for package in "$deb" "${libdebs[@]}"; do
    findings=$(lintian --allow-root "$package" 2>&1 | grep -v '^running with root' || true)
    [[ -n "$findings" ]] && echo "$findings"
    if grep -q '^E:' <<<"$findings"; then
      echo "FAIL: lintian reports errors in $(basename "$package")"
      exit 1
    fi
  done
fi

out=$("$root/usr/bin/quorbit1-cli" '2*3+4')
[[ "$out" == "14" ]] || { echo "FAIL: quorbit1-cli printed '$out'"; exit 1; }
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/quorbit1" 2>/dev/null || status=$?
[[ $status -eq 2 ]] || { echo "FAIL: quorbit1 without a display exited $status"; exit 1; }
echo "1 passed, 0 failed"
