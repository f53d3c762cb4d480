#!/usr/bin/env bash
# Builds the installer from installer/vorlux.nsi with makensis.
# Usage: make_setup.sh x86|amd64 OUTFILE SCR32 SCR64 HELPFILE VERSION PYTHON
# x86 is the product (it runs on every Windows); amd64 is the same script for the tests, since
# makensis's 32-bit stub cannot run on a machine without 32-bit support.
# The installer keeps each file's time: the files it packs all take the last commit's (see
# source_date_epoch.sh), so the same sources give the same installer. With SIGN_PFX set (see
# sign.sh), makensis has the uninstaller and the installer signed as it writes them.
# The HTML Help file is the one beside HELPFILE (vorlux.chm beside vorlux.hlp). PYTHON is the
# build's interpreter (CMake's Python3_EXECUTABLE), which writes README.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1 outfile=$2 scr32=$3 scr64=$4 helpfile=$5 version=$6 python=$7
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/x86" "$work/x64"
cp "$scr32" "$work/x86/vorlux.scr"
cp "$scr64" "$work/x64/vorlux.scr"
cp "$helpfile" "$work/vorlux.hlp"
cp "${helpfile%.hlp}.chm" "$work/vorlux.chm"
cp "$root/LICENSE.txt" "$work/"
"$python" "$root/scripts/user_readme.py" "$root/README.md" "$work/README.txt"
epoch=$(bash "$root/scripts/source_date_epoch.sh")
[ -z "$epoch" ] || find "$work" -exec touch -h -d "@$epoch" {} +
defines=()
[ "$arch" = amd64 ] && defines+=(-DAMD64)
[ -n "${SIGN_PFX:-}" ] && defines+=(-DSIGN="bash $root/scripts/sign.sh")
makensis -V2 -INPUTCHARSET UTF8 "${defines[@]}" \
  -DVERSION="$version" -DOUTFILE="$(realpath -m "$outfile")" \
  -DSCR32="$work/x86/vorlux.scr" -DSCR64="$work/x64/vorlux.scr" -DHELPFILE="$work/vorlux.hlp" \
  -DCHMFILE="$work/vorlux.chm" \
  -DREADME="$work/README.txt" -DLICENSE="$work/LICENSE.txt" "$root/installer/vorlux.nsi"
