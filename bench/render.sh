#!/usr/bin/env bash
# Frame rate of the renderer: the test host's GL child window at 682 x 512 (a 1024 x 768 screen)
# under Wine on Xvfb (Mesa llvmpipe), once with the default text and once with an empty text
# (clear and swap only: the practical ceiling). Frames are counted by the frame grabber, outside
# the program. Usage: bench/render.sh [SECONDS]   (run `make build` first)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
build="$here/build/win64"
[ -x "$build/render_host.exe" ] && [ -f "$build/vorlux_grab.so" ] || { echo "run 'make build' first" >&2; exit 1; }

measure() {  # prints frames per second between the first and the last swap
  local dir
  dir=$(mktemp -d)
  VORLUX_WINE_TEMPLATE="$build/wine-template" VORLUX_XVFB=1 VORLUX_GRAB=1 VORLUX_GRABBER="$build/vorlux_grab.so" \
    VORLUX_GRAB_DIR="$dir" VORLUX_GRAB_EVERY=0 \
    "$here/scripts/wine-run.sh" "$build/render_host.exe" --seconds "$seconds" --width 1024 --height 768 "$@" >/dev/null
  read -r count first last _ <"$dir/swaps"
  rm -rf "$dir"
  awk -v n="$count" -v a="$first" -v b="$last" 'BEGIN { printf "%.1f\n", (b > a) ? (n - 1) / ((b - a) / 1e9) : 0 }'
}

text_fps=$(measure)
empty_fps=$(measure --empty)
echo "default-text-fps $text_fps"
echo "empty-text-fps $empty_fps"
awk -v t="$text_fps" -v e="$empty_fps" 'BEGIN { printf "fps-ratio %.3f\n", (e > 0) ? t / e : 0 }'
