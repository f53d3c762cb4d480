#!/usr/bin/env bash
# Runs one Windows program under 64-bit Wine the way the tests need it: a throwaway WINEPREFIX
# copied from a cached template, LANG=ja_JP.UTF-8 (so the ANSI code page is 932), WINEDEBUG=-all,
# and, with VORLUX_XVFB=1, a private Xvfb display started and stopped around the run.
# Usage: wine-run.sh PROGRAM.exe [ARGS...]; the exit status is the program's (low 8 bits).
# Environment:
#   VORLUX_WINE_TEMPLATE  template prefix to copy (created on first use); default build/wine-template
#   VORLUX_XVFB           1: run on a fresh Xvfb display (1024x768x24)
#   VORLUX_SCREEN         Xvfb screen geometry, default 1024x768x24
#   VORLUX_MONITORS       right or below: instead of Xvfb (which cannot give Wine two monitors), a
#                         fresh Xorg display (dummy driver) with two monitors, the primary 1024x768
#                         and an 800x600 secondary right of it or below it
#   VORLUX_KEEP_PREFIX    1: leave the throwaway prefix behind and print its path
#   VORLUX_GRAB           1: preload the frame grabber (VORLUX_GRABBER, a .so) into Wine, writing to
#                         VORLUX_GRAB_DIR (default: a folder in the prefix), every VORLUX_GRAB_EVERY-th
#                         frame (default 10), at most VORLUX_GRAB_MAX frames (default 20)
set -u
here=$(cd "$(dirname "$0")" && pwd)
template=${VORLUX_WINE_TEMPLATE:-$here/../build/wine-template}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=${VORLUX_WINEDEBUG:--all}
# No Mono or Gecko prompts: nothing here uses .NET or HTML.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

make_template() {
  mkdir -p "$(dirname "$template")"
  (
    flock 9
    if [ ! -f "$template/.ready-v5" ]; then
      rm -rf "$template.tmp"
      WINEPREFIX="$template.tmp" wineboot -i >/dev/null 2>&1
      # The dialogs' font, MS P Gothic, is not installed: IPA P Gothic is made to its measures. It
      # stands in for the property sheet frame's MS Shell Dlg too, which on Japanese Windows is MS UI
      # Gothic, as wide as the pages' font; with Wine's own choice the frame would cut the pages.
      for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "MS Shell Dlg"; do
        WINEPREFIX="$template.tmp" wine reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes" \
          /v "$face" /d "IPAPGothic" /f >/dev/null 2>&1
      done
      # Wine draws the caption buttons with Marlett (fonts-wine), which it does not find by itself.
      cp /usr/share/wine/fonts/marlett.ttf "$template.tmp/drive_c/windows/Fonts/" 2>/dev/null
      WINEPREFIX="$template.tmp" wineserver -w
      rm -rf "$template" && mv "$template.tmp" "$template" && touch "$template/.ready-v5"
    fi
  ) 9>"$template.lock"
}

[ -f "$template/.ready-v5" ] || make_template

prefix=$(mktemp -d "${TMPDIR:-/tmp}/vorlux-prefix.XXXXXX")
xvfb_pid=""
xorg_pid=""
xorg_watch_pid=""
cleanup() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  [ -n "$xorg_watch_pid" ] && kill "$xorg_watch_pid" 2>/dev/null
  [ -n "$xorg_pid" ] && kill "$xorg_pid" 2>/dev/null && wait "$xorg_pid" 2>/dev/null
  if [ "${VORLUX_KEEP_PREFIX:-0}" = 1 ]; then echo "wine-run: prefix kept at $prefix" >&2; else rm -rf "$prefix"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The Windows directory is hundreds of megabytes of DLLs that nothing writes: hard links make the
# copy instant. The registry files and the user folders are copied, since Wine rewrites them.
for entry in "$template"/* "$template"/.update-timestamp; do
  name=$(basename "$entry")
  if [ "$name" = drive_c ]; then
    mkdir -p "$prefix/drive_c"
    for sub in "$entry"/*; do
      if [ "$(basename "$sub")" = windows ]; then cp -al "$sub" "$prefix/drive_c/"; else cp -a "$sub" "$prefix/drive_c/"; fi
    done
  else
    cp -a "$entry" "$prefix/"
  fi
done
export WINEPREFIX="$prefix"

if [ "${VORLUX_XVFB:-0}" = 1 ]; then
  fifo="$prefix/displayfd"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${VORLUX_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 20 display_number <"$fifo" || { echo "wine-run: Xvfb did not start" >&2; exit 125; }
  export DISPLAY=":$display_number"
  unset XAUTHORITY
fi

# Two monitors: Xorg's dummy driver has outputs that xrandr lays out. Its config, config folder
# and log stay in the prefix; -displayfd takes the first free display number. A watcher ends the
# server should this script be killed (ctest's timeout) before its clean-up runs.
if [ -n "${VORLUX_MONITORS:-}" ]; then
  case "$VORLUX_MONITORS" in
    right) place=--right-of ;;
    below) place=--below ;;
    *) echo "wine-run: VORLUX_MONITORS is right or below, not '$VORLUX_MONITORS'" >&2; exit 125 ;;
  esac
  mkdir -p "$prefix/xorg.conf.d"
  cat >"$prefix/xorg.conf" <<'EOF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 1824 1368
  EndSubSection
EndSection
EOF
  fifo="$prefix/displayfd"
  mkfifo "$fifo"
  Xorg -displayfd 3 -config "$prefix/xorg.conf" -configdir "$prefix/xorg.conf.d" -logfile "$prefix/xorg.log" \
    -noreset -nolisten tcp vt7 3>"$fifo" >/dev/null 2>&1 &
  xorg_pid=$!
  (while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$xorg_pid" 2>/dev/null) >/dev/null 2>&1 &
  xorg_watch_pid=$!
  read -r -t 20 display_number <"$fifo" || { echo "wine-run: Xorg did not start (see $prefix/xorg.log)" >&2; exit 125; }
  export DISPLAY=":$display_number"
  unset XAUTHORITY
  xrandr --output DUMMY0 --mode 1024x768 --primary && xrandr --addmode DUMMY1 800x600 &&
    xrandr --output DUMMY1 --mode 800x600 "$place" DUMMY0 ||
    { echo "wine-run: xrandr could not lay out two monitors" >&2; exit 125; }
  # Only this full query makes the server probe its outputs again; Wine reads the current state
  # alone and would otherwise see one monitor.
  xrandr >/dev/null
fi

if [ "${VORLUX_GRAB:-0}" = 1 ]; then
  grabber=$(realpath "$VORLUX_GRABBER")
  export VORLUX_GRAB_DIR=${VORLUX_GRAB_DIR:-$prefix/grab}
  export VORLUX_GRAB_EVERY=${VORLUX_GRAB_EVERY:-10} VORLUX_GRAB_MAX=${VORLUX_GRAB_MAX:-20}
  mkdir -p "$VORLUX_GRAB_DIR"
  LD_PRELOAD="$grabber${LD_PRELOAD:+:$LD_PRELOAD}" wine "$@"
else
  wine "$@"
fi
