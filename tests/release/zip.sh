#!/usr/bin/env bash
# The zip of make dist as a user unpacks it: x86\ and x64\ each hold vorlux.scr with the help files
# of both languages beside it, those of its own build, and the root the README, the licence and
# BUILDINFO.txt.
# Uses the builds in build/win32 and build/win64 (changes in the working tree included).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

DIST_ALLOW_DIRTY=1 DIST_DIR=$work/dist bash "$root/scripts/dist.sh" >"$work/dist.log" 2>&1 || { cat "$work/dist.log"; exit 1; }
zip=$(ls "$work"/dist/*.zip)
files="vorlux.scr vorlux.hlp vorlux.chm vorlux-en.hlp vorlux-en.chm"
expected="$(printf 'x86/%s ' $files)$(printf 'x64/%s ' $files)README.txt LICENSE.txt BUILDINFO.txt"
actual=$(python3 -c 'import sys, zipfile; print(*zipfile.ZipFile(sys.argv[1]).namelist())' "$zip")
if [ "$actual" != "$expected" ]; then
  echo "FAIL $(basename "$zip"): expected the entries $expected, got $actual"; exit 1
fi
python3 -m zipfile -e "$zip" "$work/unzipped"
failed=0
for file in $files; do
  cmp "$work/unzipped/x86/$file" "$root/build/win32/$file" && cmp "$work/unzipped/x64/$file" "$root/build/win64/$file" || failed=1
done
[ $failed = 1 ] || echo "zip: $actual"
exit $failed
