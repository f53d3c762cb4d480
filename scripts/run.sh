#!/usr/bin/env bash
# Runs what `make run` shows. The saver window does not exist yet, so this runs the 64-bit
# vorlux.scr under Wine and reports its exit code.
set -u
here=$(cd "$(dirname "$0")" && pwd)
VORLUX_WINE_TEMPLATE="$here/../build/win64/wine-template" "$here/wine-run.sh" "$here/../build/win64/vorlux.scr" /s
echo "vorlux.scr /s exited with $?"
