#!/usr/bin/env bash
# `make run-config`: opens the configuration dialog of vorlux.scr (the 64-bit build) under Wine,
# then every page of its details sheet, the away chooser, then the help file's contents and one page's topic in the
# WinHelp viewer and vorlux.chm in the HTML Help viewer, saves a picture of each under out/, and
# closes them. Every wait is bounded: when Wine's template prefix or the pictures do not come in
# time, the run is ended and says which.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib.sh"
build="$root/build/win64"
out="$root/out"
# The bounds, in seconds: for Wine's template prefix (made once per build folder, about 15 s), and
# for the pictures (about 20 s).
template_wait=300
shots_wait=180
mkdir -p "$out"
rm -f "$out"/config-*.bmp "$out"/config-*.png "$out"/help-*.bmp "$out"/help-*.png
export VORLUX_WINE_TEMPLATE="$build/wine-template"
timeout -k 5 "$template_wait" "$root/scripts/wine-run.sh" ||
  { say "Wine's template prefix was not made within ${template_wait}s; the run ends"; exit 1; }
status=0
VORLUX_XVFB=1 VORLUX_SHOTS_DIR="$out" timeout -k 5 "$shots_wait" \
  "$root/scripts/wine-run.sh" "$build/tests/e2e/config_shots.exe" --gtest_brief=1 || status=$?
case $status in
  0) ;;
  124 | 137) say "the pictures were not done within ${shots_wait}s; the run ends"; exit 1 ;;
  *) say "taking the pictures failed (exit code $status)"; exit "$status" ;;
esac
for bmp in "$out"/config-*.bmp "$out"/help-*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
say "pictures of the configuration dialog, its pages and help topics:"
ls -1 "$out"/config-*.png "$out"/help-*.png
