#!/usr/bin/env bash
# Builds the installer from installer/vorlux.nsi with makensis.
# Usage: make_setup.sh x86|amd64 OUTFILE SCR32 SCR64 HELPFILE VERSION
# x86 is the product (it runs on every Windows); amd64 is the same script for the tests, since
# makensis's 32-bit stub cannot run on a machine without 32-bit support.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1 outfile=$2 scr32=$3 scr64=$4 helpfile=$5 version=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/scripts/user_readme.py" "$root/README.md" "$work/README.txt"
defines=()
[ "$arch" = amd64 ] && defines+=(-DAMD64)
makensis -V2 -INPUTCHARSET UTF8 "${defines[@]}" \
  -DVERSION="$version" -DOUTFILE="$(realpath -m "$outfile")" \
  -DSCR32="$(realpath "$scr32")" -DSCR64="$(realpath "$scr64")" -DHELPFILE="$(realpath "$helpfile")" \
  -DREADME="$work/README.txt" -DLICENSE="$root/LICENSE.txt" "$root/installer/vorlux.nsi"
