#!/usr/bin/env bash
# `make run`: runs the full-screen saver (the 64-bit build, the one this machine can execute) under
# Wine for a few seconds, closes it with a key press as a user would, and saves what it rendered
# under out/: the frames composed onto the screen at the GL child window's position, a still
# picture and an animated GIF. Wine 8 does not show GL drawn in a child window, so the frames are
# read where GL makes them, by the frame grabber. Uses $DISPLAY when set, else its own Xvfb.
# VORLUX_RUN_SECONDS sets the running time (default 6). VORLUX_MONITORS=right or below runs it on
# its own display with two monitors instead (scripts/two_monitors.sh) and also saves
# out/vorlux-monitors.png: the screen of both monitors as the X server shows it while the saver
# runs, the primary's frame composed in, each monitor outlined in grey. VORLUX_OUTLINES=extruded
# runs vorlux_extruded.scr instead, the test build whose outline service extrudes as Windows'
# does (Wine's draws the letters flat), so that the pictures show the lettering as on Windows.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/win64"
case ${VORLUX_OUTLINES:-} in
  "") scr="$build/vorlux.scr" ;;
  extruded) scr="$build/vorlux_extruded.scr" ;;
  *) echo "vorlux: VORLUX_OUTLINES is extruded or unset, not '$VORLUX_OUTLINES'" >&2; exit 2 ;;
esac
out="$root/out"
seconds=${VORLUX_RUN_SECONDS:-6}
rm -rf "$out/grab" "$out/screen"
mkdir -p "$out/grab"

xvfb_pid=""
monitors=${VORLUX_MONITORS:-}
unset VORLUX_MONITORS  # wine-run.sh runs on this script's display
if [ -n "$monitors" ]; then
  . "$root/scripts/two_monitors.sh"
  monitors_dir=$(mktemp -d)
  trap 'stop_two_monitors; rm -rf "$monitors_dir"' EXIT
  start_two_monitors "$monitors" "$monitors_dir" || exit 1
elif [ -z "${DISPLAY:-}" ]; then
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r display_number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display_number"
  trap 'kill $xvfb_pid 2>/dev/null' EXIT
fi
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
# The saver window fills the primary monitor: its size, at 0,0.
[ -n "$monitors" ] && read -r screen_w screen_h < <(xrandr | sed -n 's/.* connected primary \([0-9]*\)x\([0-9]*\)+.*/\1 \2/p')

echo "vorlux: running $(basename "$scr") /s on display $DISPLAY (${screen_w}x${screen_h}) for ${seconds}s"
# The grabber's times are CLOCK_MONOTONIC, as is Python's monotonic clock.
start_ns=$(python3 -c 'import time; print(time.monotonic_ns())')
# Every sixth frame (30 degrees of X rotation) from the start, enough for the GIF.
VORLUX_WINE_TEMPLATE="$build/wine-template" VORLUX_GRAB=1 VORLUX_GRABBER="$build/vorlux_grab.so" \
  VORLUX_GRAB_DIR="$out/grab" VORLUX_GRAB_EVERY=6 VORLUX_GRAB_MAX=120 \
  "$root/scripts/wine-run.sh" "$scr" /s &
saver=$!
sleep "$seconds"
[ -n "$monitors" ] && import -window root "$out/monitors-screen.png"
xdotool key space  # any key closes the saver
wait "$saver"
status=$?

read -r swaps first last _ <"$out/grab/swaps"
echo "vorlux: exit code $status; $swaps frames, $(awk -v n="$swaps" -v a="$first" -v b="$last" \
  'BEGIN { printf "%.0f", (b > a) ? (n - 1) / ((b - a) / 1e9) : 0 }') frames per second;" \
  "first frame $(( (first - start_ns) / 1000000 )) ms after the start (Wine's start-up included)"
# The saver runs at its default speed, 60 steps a second.
python3 "$root/scripts/compose_frames.py" "$out/grab" "$out" "$screen_w" "$screen_h" 60
if [ -n "$monitors" ]; then
  outlines=()
  while read -r w h x y; do
    outlines+=(-draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
  done < <(xrandr | sed -n 's/.* connected[a-z ]* \([0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\).*/\1 \2 \3 \4/p')
  convert "$out/monitors-screen.png" "$out/vorlux.png" -composite -fill none -stroke grey50 "${outlines[@]}" \
    "$out/vorlux-monitors.png"
  echo "vorlux: both monitors:         $out/vorlux-monitors.png"
fi
echo "vorlux: frames as grabbed:     $out/grab/"
echo "vorlux: frames on the screen:  $out/screen/"
echo "vorlux: still picture:         $out/vorlux.png"
echo "vorlux: animation:             $out/vorlux.gif"
exit "$status"
