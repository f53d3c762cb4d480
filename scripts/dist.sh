#!/usr/bin/env bash
# `make dist`: the release in dist/ (or DIST_DIR) from the builds in build/win32 and build/win64:
# vorlux-<version>.zip (both .scr, the help files, the user README, the licence),
# vorlux-<version>-setup.exe (the 32-bit installer) and SHA256SUMS.
# Reproducible: every time stamp in it (the PE headers', the zip entries', the files the installer
# packs) is the last commit's (source_date_epoch.sh), so the same commit gives the same bytes.
# Signed (Authenticode, SHA-256) when SIGN_PFX names a certificate: both .scr, the uninstaller and
# the installer (see sign.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win32="$root/build/win32" win64="$root/build/win64" dist=${DIST_DIR:-$root/dist}
SOURCE_DATE_EPOCH=$(bash "$root/scripts/source_date_epoch.sh")
if [ -z "$SOURCE_DATE_EPOCH" ]; then
  echo "dist: no commit to take the time from: the release carries today's time stamps" >&2
  SOURCE_DATE_EPOCH=$(date +%s)
fi
export SOURCE_DATE_EPOCH
version=$(cat "$win32/version.txt")
rm -rf "$dist" && mkdir -p "$dist"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/x86" "$stage/x64"
cp "$win32/vorlux.scr" "$stage/x86/"
cp "$win64/vorlux.scr" "$stage/x64/"
cp "$win32/vorlux.hlp" "$win32/vorlux.chm" "$stage/"
cp "$root/LICENSE.txt" "$stage/"
python3 "$root/scripts/user_readme.py" "$root/README.md" "$stage/README.txt"
if [ -n "${SIGN_PFX:-}" ]; then
  export SIGN_PFX=$(realpath "$SIGN_PFX")
  [ -z "${SIGN_PASSWORD_FILE:-}" ] || export SIGN_PASSWORD_FILE=$(realpath "$SIGN_PASSWORD_FILE")
  bash "$root/scripts/sign.sh" "$stage/x86/vorlux.scr"
  bash "$root/scripts/sign.sh" "$stage/x64/vorlux.scr"
  echo "dist: signing with $SIGN_PFX"
else
  echo "dist: unsigned (make dist SIGN_PFX=<file.pfx> SIGN_PASSWORD_FILE=<file> signs it)"
fi
python3 "$root/scripts/make_zip.py" "$dist/vorlux-$version.zip" "$stage" \
  x86/vorlux.scr x64/vorlux.scr vorlux.hlp vorlux.chm README.txt LICENSE.txt
bash "$root/scripts/make_setup.sh" x86 "$dist/vorlux-$version-setup.exe" \
  "$stage/x86/vorlux.scr" "$stage/x64/vorlux.scr" "$stage/vorlux.hlp" "$version"
(cd "$dist" && sha256sum "vorlux-$version.zip" "vorlux-$version-setup.exe" > SHA256SUMS)
echo "dist: $(cd "$dist" && ls -l --time-style=+ | awk 'NR > 1 { print $5, $6 }' | tr '\n' ';')"
cat "$dist/SHA256SUMS"
