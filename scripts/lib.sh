# Sourced by the run and bench scripts, Wine runner included: what they share.

# The settings key, as Windows' reg names it.
vorlux_settings_key='HKCU\SOFTWARE\Pellam\Vorlux\1.00'

say() { echo "vorlux: $*"; }

# start_xvfb [GEOMETRY]: a private Xvfb display (default 1024x768x24) on the first free display
# number; exports DISPLAY and sets xvfb_pid. Fails when it has not started within 20 s. The caller
# stops it with stop_xvfb.
xvfb_pid=""
start_xvfb() {
  local fifo display_number
  fifo=$(mktemp -u)
  mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 20 display_number <"$fifo"
  rm -f "$fifo"
  [ -n "$display_number" ] || { echo "Xvfb did not start within 20 s" >&2; return 1; }
  export DISPLAY=":$display_number"
  unset XAUTHORITY
}
stop_xvfb() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}

# settings_commands "Name=number ...": the cmd.exe commands that store each as a REG_DWORD under
# the settings key, each followed by "&&", for a command line that then starts the saver. Fails,
# saying why, on anything but Name=number.
settings_commands() {
  local setting line=""
  for setting in $1; do
    [[ "$setting" =~ ^[A-Za-z_]+=[0-9]+$ ]] || { echo "settings are Name=number, not '$setting'" >&2; return 1; }
    line+="reg add $vorlux_settings_key /v ${setting%%=*} /t REG_DWORD /d ${setting#*=} /f >nul && "
  done
  printf '%s' "$line"
}

# setting_of NAME "Name=number ..." DEFAULT: the last number given for NAME, else DEFAULT.
setting_of() {
  local setting value=$3
  for setting in $2; do [ "${setting%%=*}" = "$1" ] && value=${setting#*=}; done
  echo "$value"
}

# swap_rate DIR [DECIMALS]: the frames a second between the first and the last swap that the frame
# grabber counted in DIR/swaps (its times are CLOCK_MONOTONIC nanoseconds).
swap_rate() {
  local count first last
  read -r count first last _ <"$1/swaps"
  awk -v n="$count" -v a="$first" -v b="$last" -v d="${2:-1}" \
    'BEGIN { printf "%.*f\n", d, (b > a) ? (n - 1) / ((b - a) / 1e9) : 0 }'
}

median() { printf '%s\n' "$@" | sort -g | sed -n "$(( ($# + 1) / 2 ))p"; }
