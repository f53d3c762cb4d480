#!/usr/bin/env bash
# make dist twice from the last commit, in two fresh clones, one after the other, the second under
# another time zone and umask: every file it ships, and every file inside the zip, must be the
# same bytes. Prints the sums of both runs. (Uncommitted changes are not part of either clone.)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for run in 1 2; do
  git clone -q "$root" "$work/$run"
  (
    cd "$work/$run"
    [ "$run" = 1 ] || { export TZ=Asia/Tokyo; umask 0077; }
    make dist >"$work/dist-$run.log" 2>&1 || { cat "$work/dist-$run.log"; exit 1; }
    python3 -m zipfile -e dist/*.zip "$work/zip-$run"
  )
  echo "run $run ($(date -u +%H:%M:%S)):"
  (cd "$work/$run/dist" && sha256sum *)
done

failed=0
for run in dist zip; do
  if [ "$run" = dist ]; then one=$work/1/dist two=$work/2/dist; else one=$work/zip-1 two=$work/zip-2; fi
  if ! diff <(cd "$one" && find . -type f -printf '%P\n' | sort) <(cd "$two" && find . -type f -printf '%P\n' | sort) >/dev/null; then
    echo "FAIL $run: the two runs made different files"; failed=1; continue
  fi
  while read -r file; do
    cmp -s "$one/$file" "$two/$file" || { echo "FAIL $run/$file: expected the same bytes in both runs, got $(cmp "$one/$file" "$two/$file" | head -1)"; failed=1; }
  done < <(cd "$one" && find . -type f -printf '%P\n' | sort)
done
[ $failed = 1 ] || echo "reproducible: both runs gave the same bytes"
exit $failed
