#!/usr/bin/env bash
# Installs everything the build and the tests need, skipping what is present. Idempotent.
# Never installs wine32: with it the `wine` command picks the 32-bit loader, which this kernel cannot run.
set -euo pipefail

packages=(
  cmake ninja-build make g++ python3 python3-pefile
  clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  googletest
  wine wine64
  xvfb xauth imagemagick xdotool
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  nsis osslsigncode openssl 7zip wixl msitools faketime
  fp-utils
  locales fonts-ipafont-mincho fonts-ipafont-gothic fonts-wine
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q 'install ok installed'; then
  echo "setup: wine32 is installed; the 32-bit loader cannot run here. Remove it: apt-get remove wine32" >&2
  exit 1
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
fi
