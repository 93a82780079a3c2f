#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the application run need, once:
# packages already present are not touched, so a second call is quick and changes nothing.
set -euo pipefail
packages=(
  cmake make g++ python3 zip clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb xauth x11-utils xdotool imagemagick fonts-wqy-zenhei fonts-liberation
  zlib1g-dev libz-mingw-w64-dev googletest
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
