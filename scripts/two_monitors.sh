# Sourced by wine-run.sh and run.sh: an X display with two monitors, which Xvfb cannot give Wine.
# Xorg's dummy driver has outputs that xrandr lays out: the primary 1024x768 and an 800x600
# secondary right of it or below it.
#   start_two_monitors LAYOUT DIR  LAYOUT right or below; the server's config and log go into DIR;
#                                  -displayfd takes the first free display number; exports DISPLAY
#   stop_two_monitors              stops the server (a watcher does so should the sourcing script
#                                  be killed, as ctest's timeout does, before it can)
monitors_xorg_pid=""
monitors_watch_pid=""

start_two_monitors() {
  local layout=$1 dir=$2 place display_number
  case "$layout" in
    right) place=--right-of ;;
    below) place=--below ;;
    *) echo "two monitors: the layout is right or below, not '$layout'" >&2; return 1 ;;
  esac
  mkdir -p "$dir/xorg.conf.d"
  cat >"$dir/xorg.conf" <<'EOF'
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
  mkfifo "$dir/displayfd"
  Xorg -displayfd 3 -config "$dir/xorg.conf" -configdir "$dir/xorg.conf.d" -logfile "$dir/xorg.log" \
    -noreset -nolisten tcp vt7 3>"$dir/displayfd" >/dev/null 2>&1 &
  monitors_xorg_pid=$!
  (while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$monitors_xorg_pid" 2>/dev/null) >/dev/null 2>&1 &
  monitors_watch_pid=$!
  read -r -t 20 display_number <"$dir/displayfd" ||
    { echo "two monitors: Xorg did not start (see $dir/xorg.log)" >&2; return 1; }
  export DISPLAY=":$display_number"
  unset XAUTHORITY
  xrandr --output DUMMY0 --mode 1024x768 --primary && xrandr --addmode DUMMY1 800x600 &&
    xrandr --output DUMMY1 --mode 800x600 "$place" DUMMY0 ||
    { echo "two monitors: xrandr could not lay out the monitors" >&2; return 1; }
  # Only this full query makes the server probe its outputs again; Wine reads the current state
  # alone and would otherwise see one monitor.
  xrandr >/dev/null
}

stop_two_monitors() {
  [ -n "$monitors_watch_pid" ] && kill "$monitors_watch_pid" 2>/dev/null
  [ -n "$monitors_xorg_pid" ] && kill "$monitors_xorg_pid" 2>/dev/null && wait "$monitors_xorg_pid" 2>/dev/null
  monitors_xorg_pid="" monitors_watch_pid=""
}
