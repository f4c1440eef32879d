#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Idempotent: a
# machine that already has everything spends a few dpkg queries and nothing else.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

packages=(cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev libicu-dev
          python3 g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          xvfb xauth x11-apps imagemagick fp-utils xdotool fonts-ipafont-gothic fonts-ipafont-mincho fonts-symbola
          wine wine32:i386 wine64 g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=no
fi
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
if [ ${#need[@]} -eq 0 ]; then exit 0; fi

SUDO=
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
echo "bootstrap: installing ${need[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
