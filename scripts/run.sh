#!/usr/bin/env bash
# `make run`: runs the full-screen saver (the 64-bit build, the one this machine can execute) under
# Wine for a few seconds from the moment its window exists, closes it with a key press as a user
# would, and saves what it rendered under out/: the frames composed onto the screen at the GL child
# window's position, a still picture and an animated GIF. Wine 8 does not show GL drawn in a child
# window, so the frames are read where GL makes them, by the frame grabber. Uses $DISPLAY when set,
# else its own Xvfb. VORLUX_RUN_SECONDS sets the running time (default 6). VORLUX_MONITORS=right or
# below runs it on its own display with two monitors instead (scripts/two_monitors.sh) and also
# saves out/vorlux-monitors.png: the screen of both monitors as the X server shows it while the
# saver runs, the primary's frame composed in, each monitor outlined in grey.
# VORLUX_OUTLINES=extruded runs vorlux_extruded.scr instead, the test build whose outline service
# extrudes as Windows' does (Wine's draws the letters flat), so that the pictures show the
# lettering as on Windows. VORLUX_SETTINGS="Name=number ..." stores those settings (REG_DWORD, for
# example "Motion=1 StepsPerSecond=30") in the run's prefix first; the frames are then composed at
# that speed and motion. Every wait is bounded: when Wine's template prefix, the saver's window or
# the saver's end does not come in time, the run is ended and says which. VORLUX_LANG (for example
# en_US.UTF-8, hi_IN.UTF-8) runs it under that locale's code page instead of Japanese Windows' 932.
# VORLUX_AWAY=N (1 to 6) runs the away mode with word N instead (/w N), as its shortcut would.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib.sh"
build="$root/build/win64"
out="$root/out"
seconds=${VORLUX_RUN_SECONDS:-6}
# The program that runs, and how.
mode=(/s)
case ${VORLUX_AWAY:-} in
  "") ;;
  [1-6]) mode=(/w "$VORLUX_AWAY") ;;
  *) echo "vorlux: VORLUX_AWAY is a word's number, 1 to 6, not '$VORLUX_AWAY'" >&2; exit 2 ;;
esac
case ${VORLUX_OUTLINES:-} in
  "") saver=("$build/vorlux.scr" "${mode[@]}") ;;
  extruded) saver=("$build/vorlux_extruded.scr" "${mode[@]}") ;;
  *) echo "vorlux: VORLUX_OUTLINES is extruded or unset, not '$VORLUX_OUTLINES'" >&2; exit 2 ;;
esac
# Settings go into the throwaway prefix just before the saver starts, in one command line of cmd.
if [ -n "${VORLUX_SETTINGS:-}" ]; then
  line=$(settings_commands "$VORLUX_SETTINGS") || { say "VORLUX_SETTINGS: see above"; exit 2; }
  program=${saver[0]}
  saver=(cmd /c "$line Z:${program//\//\\} ${saver[*]:1}")
fi
# The bounds, in seconds: for Wine's template prefix (made once per build folder, about 15 s), for
# the saver's window once Wine starts it, and for the saver's end after the key press.
template_wait=300
window_wait=60
close_wait=10
rm -rf "$out/grab" "$out/screen"
mkdir -p "$out/grab"
monotonic_ns() { python3 -c 'import time; print(time.monotonic_ns())'; }

monitors=${VORLUX_MONITORS:-}
unset VORLUX_MONITORS  # wine-run.sh runs on this script's display
if [ -n "$monitors" ]; then
  . "$root/scripts/two_monitors.sh"
  monitors_dir=$(mktemp -d)
  trap 'stop_two_monitors; rm -rf "$monitors_dir"' EXIT
  start_two_monitors "$monitors" "$monitors_dir" || exit 1
elif [ -z "${DISPLAY:-}" ]; then
  trap stop_xvfb EXIT
  start_xvfb || exit 1
fi
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
# The saver window fills the primary monitor: its size, at 0,0.
[ -n "$monitors" ] && read -r screen_w screen_h < <(xrandr | sed -n 's/.* connected primary \([0-9]*\)x\([0-9]*\)+.*/\1 \2/p')

export VORLUX_WINE_TEMPLATE="$build/wine-template"
timeout -k 5 "$template_wait" "$root/scripts/wine-run.sh" ||
  { say "Wine's template prefix was not made within ${template_wait}s; the run ends"; exit 1; }

what="$(basename "${program:-${saver[0]}}") ${mode[*]} ${VORLUX_SETTINGS:+(${VORLUX_SETTINGS}) }${VORLUX_LANG:+in $VORLUX_LANG }"
say "running ${what}on display $DISPLAY (${screen_w}x${screen_h}) for ${seconds}s from its window"
launch_ns=$(monotonic_ns)
# Every sixth frame (30 degrees of X rotation) from the start, enough for the GIF. The timeout is
# a last resort; the waits below end the run first.
VORLUX_GRAB=1 VORLUX_GRABBER="$build/vorlux_grab.so" VORLUX_GRAB_DIR="$out/grab" VORLUX_GRAB_EVERY=6 \
  VORLUX_GRAB_MAX=120 timeout -k 5 $((window_wait + seconds + close_wait + 30)) \
  "$root/scripts/wine-run.sh" "${saver[@]}" &
run_pid=$!

# Ends the run early, saying why.
give_up() {
  say "$1; the run ends"
  kill "$run_pid" 2>/dev/null
  wait "$run_pid" 2>/dev/null
  exit 1
}

# The saver's window is the X window of its title, "Screen Saver".
deadline=$((SECONDS + window_wait))
until xdotool search --name '^Screen Saver$' >/dev/null 2>&1; do
  if ! kill -0 "$run_pid" 2>/dev/null; then
    wait "$run_pid"
    say "the saver ended (exit code $?) before its window appeared"
    exit 1
  fi
  [ "$SECONDS" -ge "$deadline" ] && give_up "no saver window within ${window_wait}s of Wine's start"
  sleep 0.2
done
say "its window appeared $(( ($(monotonic_ns) - launch_ns) / 1000000 )) ms after Wine's start"
sleep "$seconds"
[ -n "$monitors" ] && import -window root "$out/monitors-screen.png"
xdotool key space  # any key closes the saver
deadline=$((SECONDS + close_wait))
while kill -0 "$run_pid" 2>/dev/null; do
  [ "$SECONDS" -ge "$deadline" ] && give_up "the saver did not end within ${close_wait}s of the key press"
  sleep 0.2
done
wait "$run_pid"
status=$?

# The grabber's times are CLOCK_MONOTONIC, as is Python's monotonic clock.
[ -s "$out/grab/swaps" ] || { say "exit code $status; no frame was drawn"; exit 1; }
read -r swaps first _ <"$out/grab/swaps"
say "exit code $status; $swaps frames, $(swap_rate "$out/grab" 0) frames per second;" \
  "first frame $(( (first - launch_ns) / 1000000 )) ms after Wine's start"
# At the speed and in the motion the run stored, as the saver takes them.
python3 "$root/scripts/compose_frames.py" "$out/grab" "$out" "$screen_w" "$screen_h" \
  "$(setting_of StepsPerSecond "${VORLUX_SETTINGS:-}" 60)" "$(setting_of Motion "${VORLUX_SETTINGS:-}" 0)"
if [ -n "$monitors" ]; then
  outlines=()
  while read -r w h x y; do
    outlines+=(-draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
  done < <(xrandr | sed -n 's/.* connected[a-z ]* \([0-9]*\)x\([0-9]*\)+\([0-9]*\)+\([0-9]*\).*/\1 \2 \3 \4/p')
  convert "$out/monitors-screen.png" "$out/vorlux.png" -composite -fill none -stroke grey50 "${outlines[@]}" \
    "$out/vorlux-monitors.png"
  say "both monitors:         $out/vorlux-monitors.png"
fi
say "frames as grabbed:     $out/grab/"
say "frames on the screen:  $out/screen/"
say "still picture:         $out/vorlux.png"
say "animation:             $out/vorlux.gif"
exit "$status"
