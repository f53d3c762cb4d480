#!/usr/bin/env bash
# make dist stops on a working tree with changes that no commit holds, and names them; told to go on
# (DIST_ALLOW_DIRTY=1), it makes the release with BUILDINFO.txt saying so. Runs the committed
# scripts in a fresh clone, over the builds in build/win32 and build/win64.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone -q "$root" "$work/clone"
cd "$work/clone"
mkdir build && ln -s "$root/build/win32" "$root/build/win64" build/
echo "a change" >>README.md

failed=0
if bash scripts/dist.sh >"$work/refused.log" 2>&1 || [ -e dist ]; then
  echo "FAIL: expected make dist to stop before making anything, got: $(tail -3 "$work/refused.log")"; failed=1
elif ! grep -q 'DIST_ALLOW_DIRTY=1' "$work/refused.log" || ! grep -q 'M README.md' "$work/refused.log"; then
  echo "FAIL: expected the refusal to name the changed README.md and DIST_ALLOW_DIRTY=1, got:"; cat "$work/refused.log"; failed=1
fi
if ! DIST_ALLOW_DIRTY=1 bash scripts/dist.sh >"$work/allowed.log" 2>&1; then
  echo "FAIL: expected DIST_ALLOW_DIRTY=1 to make the release, got:"; tail -5 "$work/allowed.log"; failed=1
elif ! grep -q "^commit: $(git rev-parse HEAD) with changes" dist/BUILDINFO.txt; then
  echo "FAIL: expected BUILDINFO.txt to name the commit with changes, got:"; cat dist/BUILDINFO.txt; failed=1
fi
[ $failed = 1 ] || { echo "refused:"; head -1 "$work/refused.log"; }
exit $failed
