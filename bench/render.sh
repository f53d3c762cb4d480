#!/usr/bin/env bash
# Frame rate of the renderer: the test host's GL child window at 682 x 512 (a 1024 x 768 screen)
# under Wine on Xvfb (Mesa llvmpipe), once with the default text and once with an empty text
# (clear and swap only: the practical ceiling), unpaced ("StepsPerSecond" 0): the renderer's own
# cost. Frames are counted by the frame grabber, outside the program. Usage: bench/render.sh [SECONDS]   (run `make build` first; VORLUX_BENCH_ROUNDS
# runs of each kind, default 3)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/lib.sh"
seconds=${1:-10}
build="$here/build/win64"
[ -x "$build/render_host.exe" ] && [ -f "$build/vorlux_grab.so" ] || { echo "run 'make build' first" >&2; exit 1; }

measure() {  # prints frames per second between the first and the last swap
  local dir
  dir=$(mktemp -d)
  VORLUX_WINE_TEMPLATE="$build/wine-template" VORLUX_XVFB=1 VORLUX_GRAB=1 VORLUX_GRABBER="$build/vorlux_grab.so" \
    VORLUX_GRAB_DIR="$dir" VORLUX_GRAB_EVERY=0 \
    "$here/scripts/wine-run.sh" "$build/render_host.exe" --seconds "$seconds" --width 1024 --height 768 \
    --steps-per-second 0 "$@" >/dev/null
  swap_rate "$dir"
  rm -rf "$dir"
}

# llvmpipe on a shared machine varies by a fifth from run to run: interleave the two kinds of
# run and take the median of each.
rounds=${VORLUX_BENCH_ROUNDS:-3}
text_runs=() empty_runs=()
for _ in $(seq "$rounds"); do
  text_runs+=("$(measure)")
  empty_runs+=("$(measure --empty)")
done
echo "runs: default ${text_runs[*]}; empty ${empty_runs[*]}"
text_fps=$(median "${text_runs[@]}")
empty_fps=$(median "${empty_runs[@]}")
echo "default-text-fps $text_fps"
echo "empty-text-fps $empty_fps"
awk -v t="$text_fps" -v e="$empty_fps" 'BEGIN { printf "fps-ratio %.3f\n", (e > 0) ? t / e : 0 }'
