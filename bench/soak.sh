#!/usr/bin/env bash
# Soak of the full-screen saver (or, with --config, of the configuration dialog): CYCLES start/close
# cycles (the dialog: open, details sheet, each page, cancel), then one run of MINUTES (0 skips it)
# whose handles and memory are sampled once a minute, all under Wine on Xvfb in one prefix.
# Prints one line per figure:
#   cycles N exit!=0 E hangs H   runs that ended with another code, or were not over within 10 s
#   handles-growth G             handles of the long run's process, last sample minus first
#   memory-growth-kb K           its anonymous resident memory (RssAnon), last minus first
# Usage: bench/soak.sh [--config] [CYCLES] [MINUTES]   (defaults 1000 and 30; run `make build` first)
# The samples and the driver's own output go to a log whose path is printed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
which=Saver
if [ "${1:-}" = --config ]; then which=Config; shift; fi
build="$here/build/win64"
soak="$build/tests/e2e/soak.exe"
[ -x "$soak" ] && [ -f "$build/vorlux_grab.so" ] || { echo "run 'make build' first" >&2; exit 1; }
log=$(mktemp "${TMPDIR:-/tmp}/vorlux-soak.XXXXXX.log")
VORLUX_SOAK_CYCLES=${1:-1000} VORLUX_SOAK_MINUTES=${2:-30} \
  VORLUX_WINE_TEMPLATE="$build/wine-template" VORLUX_XVFB=1 VORLUX_GRAB=1 VORLUX_GRABBER="$build/vorlux_grab.so" \
  VORLUX_GRAB_EVERY=0 "$here/scripts/wine-run.sh" "$soak" --gtest_filter="Soak.$which" >"$log" 2>&1 || true
grep -E '^sample ' "$log" >&2 || true
grep -E '^(cycles|handles-growth|memory-growth-kb) ' "$log" || { echo "soak: no figures; see $log" >&2; exit 1; }
echo "soak: log in $log" >&2
