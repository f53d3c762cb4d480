#!/usr/bin/env bash
# `make dist`: the release in dist/: vorlux-<version>.zip (both .scr, the help file, the user
# README, the licence), vorlux-<version>-setup.exe (the 32-bit installer) and SHA256SUMS.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win32="$root/build/win32" win64="$root/build/win64" dist="$root/dist"
version=$(cat "$win32/version.txt")
rm -rf "$dist" && mkdir -p "$dist"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/x86" "$stage/x64"
cp "$win32/vorlux.scr" "$stage/x86/"
cp "$win64/vorlux.scr" "$stage/x64/"
cp "$win32/vorlux.hlp" "$stage/"
cp "$root/LICENSE.txt" "$stage/"
python3 "$root/scripts/user_readme.py" "$root/README.md" "$stage/README.txt"
(cd "$stage" && python3 -m zipfile -c "$dist/vorlux-$version.zip" x86 x64 vorlux.hlp README.txt LICENSE.txt)
bash "$root/scripts/make_setup.sh" x86 "$dist/vorlux-$version-setup.exe" \
  "$win32/vorlux.scr" "$win64/vorlux.scr" "$win32/vorlux.hlp" "$version"
(cd "$dist" && sha256sum "vorlux-$version.zip" "vorlux-$version-setup.exe" > SHA256SUMS)
echo "dist: $(cd "$dist" && ls -l --time-style=+ | awk 'NR > 1 { print $5, $6 }' | tr '\n' ';')"
cat "$dist/SHA256SUMS"
