#!/usr/bin/env bash
# `make run-config`: opens the configuration dialog of vorlux.scr (the 64-bit build) under Wine,
# then every page of its details sheet, saves a picture of each under out/, and closes them.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/win64"
out="$root/out"
mkdir -p "$out"
rm -f "$out"/config-*.bmp "$out"/config-*.png
VORLUX_WINE_TEMPLATE="$build/wine-template" VORLUX_XVFB=1 VORLUX_SHOTS_DIR="$out" \
  "$root/scripts/wine-run.sh" "$build/tests/e2e/config_shots.exe" --gtest_brief=1
for bmp in "$out"/config-*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "vorlux: pictures of the configuration dialog and its pages:"
ls -1 "$out"/config-*.png
