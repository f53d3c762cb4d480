#!/usr/bin/env bash
# `make run-config`: opens the configuration dialog of vorlux.scr (the 64-bit build) under Wine,
# then every page of its details sheet, then the help file's contents and one page's topic in the
# WinHelp viewer and vorlux.chm in the HTML Help viewer, saves a picture of each under out/, and
# closes them.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/win64"
out="$root/out"
mkdir -p "$out"
rm -f "$out"/config-*.bmp "$out"/config-*.png "$out"/help-*.bmp "$out"/help-*.png
VORLUX_WINE_TEMPLATE="$build/wine-template" VORLUX_XVFB=1 VORLUX_SHOTS_DIR="$out" \
  "$root/scripts/wine-run.sh" "$build/tests/e2e/config_shots.exe" --gtest_brief=1
for bmp in "$out"/config-*.bmp "$out"/help-*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "vorlux: pictures of the configuration dialog, its pages and help topics:"
ls -1 "$out"/config-*.png "$out"/help-*.png
