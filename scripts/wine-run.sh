#!/usr/bin/env bash
# Runs one Windows program under 64-bit Wine the way the tests need it: a throwaway WINEPREFIX
# copied from a cached template, LANG=ja_JP.UTF-8 (so the ANSI code page is 932; VORLUX_LANG names
# another locale, en_US.UTF-8 for 1252 or hi_IN.UTF-8 for 65001, say), WINEDEBUG=-all,
# and, with VORLUX_XVFB=1, a private Xvfb display started and stopped around the run.
# Usage: wine-run.sh PROGRAM.exe [ARGS...]; the exit status is the program's (low 8 bits).
# Without PROGRAM it only makes the template, when there is none yet.
# Environment:
#   VORLUX_WINE_TEMPLATE  template prefix to copy (created on first use); default build/wine-template
#   VORLUX_XVFB           1: run on a fresh Xvfb display (1024x768x24)
#   VORLUX_SCREEN         Xvfb screen geometry, default 1024x768x24
#   VORLUX_MONITORS       right or below: instead of Xvfb, a fresh Xorg display with two monitors,
#                         the primary 1024x768 and an 800x600 secondary right of or below it
#                         (scripts/two_monitors.sh; its config and log stay in the prefix)
#   VORLUX_KEEP_PREFIX    1: leave the throwaway prefix behind and print its path
#   VORLUX_GRAB           1: preload the frame grabber (VORLUX_GRABBER, a .so) into Wine, writing to
#                         VORLUX_GRAB_DIR (default: a folder in the prefix), every VORLUX_GRAB_EVERY-th
#                         frame (default 10), at most VORLUX_GRAB_MAX frames (default 20)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
template=${VORLUX_WINE_TEMPLATE:-$here/../build/wine-template}
export LANG=${VORLUX_LANG:-ja_JP.UTF-8} LC_ALL=${VORLUX_LANG:-ja_JP.UTF-8} WINEDEBUG=${VORLUX_WINEDEBUG:--all}
# No Mono or Gecko prompts: nothing here uses .NET or HTML. Nor winemenubuilder, which Wine starts
# for every shortcut put in the Start menu to make a Linux menu entry of it, while the test goes on
# (with it, one full run's uninstall left the away shortcut behind).
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

make_template() {
  mkdir -p "$(dirname "$template")"
  (
    flock 9
    # Made as on Japanese Windows whatever VORLUX_LANG says: a run's locale is its own.
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    if [ ! -f "$template/.ready-v5" ]; then
      echo "wine-run: making the template prefix $template (once; about 15 s)" >&2
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
[ $# -eq 0 ] && exit 0

prefix=$(mktemp -d "${TMPDIR:-/tmp}/vorlux-prefix.XXXXXX")
cleanup() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
  stop_xvfb
  declare -F stop_two_monitors >/dev/null && stop_two_monitors
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
  start_xvfb "${VORLUX_SCREEN:-1024x768x24}" || exit 125
fi

if [ -n "${VORLUX_MONITORS:-}" ]; then
  . "$here/two_monitors.sh"
  start_two_monitors "$VORLUX_MONITORS" "$prefix" || exit 125
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
