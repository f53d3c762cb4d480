#!/usr/bin/env bash
# Pace and cost of the full-screen saver (vorlux.scr /s, the 64-bit build) under Wine on its own
# Xvfb display (1024 x 768, Mesa llvmpipe), run at the default speed and again with
# "StepsPerSecond" 0 (one step a frame, as fast as the machine draws). Over SECONDS of each run,
# after a second of warm-up, it counts the swaps with the frame grabber and the saver process's CPU
# time (user + system, from /proc) over the wall time; then a key press closes the saver.
# Usage: bench/pace.sh [SECONDS]   (run `make build` first; VORLUX_PACE_BUILD: another build folder;
# VORLUX_BENCH_ROUNDS runs of each kind, interleaved, default 3: the medians are printed;
# VORLUX_SETTINGS="Name=number ..." stores those settings for every run, "TimeDisplay=2" say)
# Last lines: steps-per-second N (swaps a second at the default speed: while the machine keeps up
# each frame holds one step), cpu-share X (of one core, at the default speed), uncapped-fps F,
# uncapped-cpu-share Y.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/lib.sh"
seconds=${1:-10}
build=${VORLUX_PACE_BUILD:-$here/build/win64}
[ -f "$build/vorlux.scr" ] && [ -f "$build/vorlux_grab.so" ] || { echo "run 'make build' first" >&2; exit 1; }
tick=$(getconf CLK_TCK)

trap stop_xvfb EXIT
start_xvfb

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# The saver process of this run: the one whose frames go to its grab folder (other savers may run).
saver_of() {
  local pid
  for pid in $(pgrep -x vorlux.scr); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "VORLUX_GRAB_DIR=$1" && { echo "$pid"; return; }
  done
  return 0
}
swaps() { read -r count _ <"$1/swaps"; echo "$count"; }

measure() {  # $1: the stored StepsPerSecond, or "" for none; prints "swaps-per-second cpu-share"
  local dir pid run count0 count1 cpu0 cpu1 t0 t1 store=""
  dir=$(mktemp -d)
  store=$(settings_commands "${VORLUX_SETTINGS:-}${1:+ StepsPerSecond=$1}")
  VORLUX_WINE_TEMPLATE="$here/build/win64/wine-template" VORLUX_GRAB=1 VORLUX_GRABBER="$build/vorlux_grab.so" \
    VORLUX_GRAB_DIR="$dir" VORLUX_GRAB_EVERY=0 \
    "$here/scripts/wine-run.sh" cmd /c "$store Z:${build//\//\\}\\vorlux.scr /s" >/dev/null 2>&1 &
  run=$!
  for _ in $(seq 600); do  # the saver's own process, once it draws
    pid=$(saver_of "$dir")
    [ -n "$pid" ] && [ -s "$dir/swaps" ] && break
    sleep 0.1
  done
  [ -n "$pid" ] && [ -s "$dir/swaps" ] || { echo "pace: the saver did not draw within 60 s" >&2; kill "$run"; exit 1; }
  sleep 1
  t0=$(date +%s%N) cpu0=$(cpu_ticks "$pid") count0=$(swaps "$dir")
  sleep "$seconds"
  t1=$(date +%s%N) cpu1=$(cpu_ticks "$pid") count1=$(swaps "$dir")
  xdotool key space
  wait "$run" || true
  rm -rf "$dir"
  awk -v c0="$count0" -v c1="$count1" -v p0="$cpu0" -v p1="$cpu1" -v a="$t0" -v b="$t1" -v hz="$tick" \
    'BEGIN { w = (b - a) / 1e9; printf "%.1f %.3f\n", (c1 - c0) / w, (p1 - p0) / hz / w }'
}

# Runs vary by a tenth from one to the next on a shared machine: the medians of interleaved runs.
rounds=${VORLUX_BENCH_ROUNDS:-3}
paced_fps=() paced_cpu=() free_fps=() free_cpu=()
for _ in $(seq "$rounds"); do
  read -r fps cpu < <(measure "")
  paced_fps+=("$fps") paced_cpu+=("$cpu")
  read -r fps cpu < <(measure 0)
  free_fps+=("$fps") free_cpu+=("$cpu")
done
echo "runs: default speed ${paced_fps[*]} swaps a second, ${paced_cpu[*]} of a core;" \
  "as fast as it draws ${free_fps[*]} swaps a second, ${free_cpu[*]} of a core"
paced_fps=$(median "${paced_fps[@]}") paced_cpu=$(median "${paced_cpu[@]}")
free_fps=$(median "${free_fps[@]}") free_cpu=$(median "${free_cpu[@]}")
echo "steps-per-second $paced_fps"
echo "cpu-share $paced_cpu"
echo "uncapped-fps $free_fps"
echo "uncapped-cpu-share $free_cpu"
