#!/usr/bin/env bash
# Prints the time every time stamp of a build and a release takes: SOURCE_DATE_EPOCH when it is
# given, else the last commit's time (nothing outside a git checkout).
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  echo "$SOURCE_DATE_EPOCH"
else
  git -C "$(dirname "$0")/.." log -1 --format=%ct 2>/dev/null || true
fi
