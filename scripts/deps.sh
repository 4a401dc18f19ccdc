#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run, where missing; with
# i386, wasm or windows, those of the builds for 32-bit x86, WebAssembly or Windows instead.
# As root it runs apt-get itself; otherwise it prints the command to run and fails.
set -euo pipefail

case "${1:-}" in
i386) packages=(cmake g++-multilib googletest) ;;
wasm)
  packages=(cmake emscripten googletest chromium chromium-driver python3-selenium)
  # npm packs the npm package; a Node.js that brings its own npm needs no other.
  command -v npm >/dev/null || packages+=(npm)
  ;;
windows)
  # Both architectures' compilers, Wine for both (wine32 needs the i386 architecture), NSIS for
  # the installer, and a virtual display with xdotool, xclip and ImageMagick's import to use the
  # window as a person would and photograph it, with the fonts Wine draws it in.
  packages=(cmake g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev g++-mingw-w64-i686-posix
    mingw-w64-i686-dev wine wine64 wine32:i386 nsis googletest libcli11-dev nlohmann-json3-dev
    python3 xvfb xauth xdotool xclip imagemagick fonts-wine)
  ;;
*) packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev
  libcli11-dev nlohmann-json3-dev libedit-dev scdoc groff-base man-db
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  desktop-file-utils appstream dpkg-dev file fakeroot lintian
  xvfb xauth bc libx11-dev
  clang clang-tidy libclang-rt-14-dev valgrind python3 python3-jsonschema
  libmuparser-dev libfparser-dev
) ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

cmd="apt-get install -y --no-install-recommends ${missing[*]}"
# A package of another architecture (wine32:i386) needs that architecture added first.
arch=""
if [[ " ${missing[*]}" == *":i386"* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  arch="dpkg --add-architecture i386"
fi
if [[ $(id -u) -ne 0 ]]; then
  echo "Missing Debian packages. Install them with:" >&2
  echo "  ${arch:+sudo $arch && }sudo apt-get update && sudo $cmd" >&2
  exit 1
fi
echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
[[ -z "$arch" ]] || $arch
apt-get update -qq
# shellcheck disable=SC2086
$cmd -qq
