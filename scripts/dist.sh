#!/usr/bin/env bash
# `make dist`: the release in dist/ (or DIST_DIR) from the builds in build/win32 and build/win64:
# vorlux-<version>.zip (x86\ and x64\, each vorlux.scr with the help files of both languages beside
# it, the user README, the licence and BUILDINFO.txt), vorlux-<version>-setup.exe (the 32-bit installer),
# vorlux-<version>-x64.msi and vorlux-<version>-x86.msi (the per-machine packages for IT),
# BUILDINFO.txt and SHA256SUMS (of the others).
# Made from a commit: a working tree with changes stops it, unless DIST_ALLOW_DIRTY=1, and then
# BUILDINFO.txt says so.
# Reproducible: every time stamp in it (the PE headers', the zip entries', the files the installer
# packs) is the last commit's (source_date_epoch.sh), every Python step runs the builds' own
# interpreter, so the same commit and the same packages give the same bytes.
# Signed (Authenticode, SHA-256) when SIGN_PFX names a certificate: both .scr, the uninstaller,
# the installer and both MSIs (see sign.sh).
# DIST_SETUP_AMD64=<file> also writes the amd64 build of the installer, from the same files, for
# the tests (only that one runs under 64-bit Wine). `dist.sh --check` only looks at the working
# tree, so that make dist refuses one with changes before it builds anything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win32="$root/build/win32" win64="$root/build/win64" dist=${DIST_DIR:-$root/dist}

changes=$(git -C "$root" status --porcelain 2>/dev/null || true)
if [ -n "$changes" ] && [ "${DIST_ALLOW_DIRTY:-}" != 1 ]; then
  echo "dist: the working tree has changes that no commit holds, so the release would claim a commit it" >&2
  echo "      was not made from. Commit or stash them, or make dist DIST_ALLOW_DIRTY=1 (BUILDINFO.txt then" >&2
  echo "      says so). The changes:" >&2
  echo "$changes" | sed 's/^/      /' >&2
  exit 1
fi
[ "${1:-}" != --check ] || exit 0

SOURCE_DATE_EPOCH=$(bash "$root/scripts/source_date_epoch.sh")
if [ -z "$SOURCE_DATE_EPOCH" ]; then
  echo "dist: no commit to take the time from: the release carries today's time stamps" >&2
  SOURCE_DATE_EPOCH=$(date +%s)
fi
export SOURCE_DATE_EPOCH
# A value the build was configured with (CMakeCache.txt).
cached() { sed -n "s/^$1:[A-Z]*=//p" "$2/CMakeCache.txt"; }
python=$(cached Python3_EXECUTABLE "$win32")
[ -x "$python" ] || { echo "dist: $win32 names no Python3_EXECUTABLE (configure it with cmake --preset win32)" >&2; exit 1; }
version=$(cat "$win32/version.txt")

# What the release was made from and with: the commit, the time, the interpreter, and the Debian
# package of every program and library that made its bytes (found from the files themselves).
buildinfo() {
  local commit files=() build tool path
  commit=$(git -C "$root" rev-parse HEAD 2>/dev/null || echo "none (no git checkout)")
  [ -z "$changes" ] || commit="$commit with changes that no commit holds (DIST_ALLOW_DIRTY=1)"
  for build in "$win32" "$win64"; do
    # The compilers as the build ran them, the linker, and what the compiler links in statically.
    for tool in $("$python" -c 'import json, sys; print(*{e["command"].split()[0] for e in json.load(open(sys.argv[1]))})' \
                    "$build/compile_commands.json"); do
      files+=("$(command -v "$tool")")
      case $tool in *g++*) files+=("$("$tool" -print-libgcc-file-name)" "$("$tool" -print-file-name=libkernel32.a)") ;; esac
    done
    files+=("$(cached CMAKE_LINKER "$build")")
  done
  files+=("$(command -v makensis)" "$(command -v chmcmd)" "$python")
  # wixl writes the MSIs with msitools' libraries; msibuild stamps their package codes.
  files+=("$(command -v wixl)" "$(command -v msibuild)" $(ldd "$(command -v wixl)" | awk '/libmsi|libgcab/ { print $3 }'))
  echo "Vorlux $version"
  echo "commit: $commit"
  echo "SOURCE_DATE_EPOCH: $SOURCE_DATE_EPOCH ($(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'))"
  echo "python: $python, $("$python" -c 'import sys, zlib; print(sys.version.split()[0], "with zlib", zlib.ZLIB_RUNTIME_VERSION)')"
  # A path and the file it leads to may lie in two packages (/usr/bin/python3 in python3-minimal,
  # the interpreter it names in python3.11-minimal).
  local packages=() loose=() file owner found
  for file in "${files[@]}"; do
    found=0
    for path in "$file" "$(readlink -f "$file")"; do
      owner=$(dpkg-query -S "$path" 2>/dev/null) && { packages+=("${owner%%: *}"); found=1; }
    done
    [ $found = 1 ] || loose+=("$file")
  done
  echo "packages:"
  dpkg-query -W -f='  ${Package} ${Version}\n' $(printf '%s\n' "${packages[@]}" | sort -u)
  for file in "${loose[@]}"; do echo "  $file: in no Debian package"; done
}

rm -rf "$dist" && mkdir -p "$dist"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# Each .scr with the help files of both languages beside it, where the dialogs look for them.
files="vorlux.scr vorlux.hlp vorlux.chm vorlux-en.hlp vorlux-en.chm"
for pair in x86:"$win32" x64:"$win64"; do
  mkdir "$stage/${pair%%:*}"
  for file in $files; do cp "${pair#*:}/$file" "$stage/${pair%%:*}/"; done
done
cp "$root/LICENSE.txt" "$stage/"
"$python" "$root/scripts/user_readme.py" "$root/README.md" "$stage/README.txt"
buildinfo >"$stage/BUILDINFO.txt"
cp "$stage/BUILDINFO.txt" "$dist/"
if [ -n "${SIGN_PFX:-}" ]; then
  export SIGN_PFX=$(realpath "$SIGN_PFX")
  [ -z "${SIGN_PASSWORD_FILE:-}" ] || export SIGN_PASSWORD_FILE=$(realpath "$SIGN_PASSWORD_FILE")
  bash "$root/scripts/sign.sh" "$stage/x86/vorlux.scr"
  bash "$root/scripts/sign.sh" "$stage/x64/vorlux.scr"
  echo "dist: signing with $SIGN_PFX"
else
  echo "dist: unsigned (make dist SIGN_PFX=<file.pfx> SIGN_PASSWORD_FILE=<file> signs it)"
fi
"$python" "$root/scripts/make_zip.py" "$dist/vorlux-$version.zip" "$stage" \
  $(for folder in x86 x64; do printf "$folder/%s " $files; done) README.txt LICENSE.txt BUILDINFO.txt
setup() {
  bash "$root/scripts/make_setup.sh" "$1" "$2" "$stage/x86/vorlux.scr" "$stage/x64/vorlux.scr" \
    "$stage/x86/vorlux.hlp" "$version" "$python"
}
setup x86 "$dist/vorlux-$version-setup.exe"
setup msi-x64 "$dist/vorlux-$version-x64.msi"
setup msi-x86 "$dist/vorlux-$version-x86.msi"
[ -z "${DIST_SETUP_AMD64:-}" ] || setup amd64 "$DIST_SETUP_AMD64"
(cd "$dist" && sha256sum "vorlux-$version.zip" "vorlux-$version-setup.exe" "vorlux-$version-x64.msi" \
   "vorlux-$version-x86.msi" BUILDINFO.txt > SHA256SUMS)
[ -z "$changes" ] || echo "dist: made from changes that no commit holds (DIST_ALLOW_DIRTY=1); BUILDINFO.txt says so"
echo "dist: $(cd "$dist" && ls -l --time-style=+ | awk 'NR > 1 { print $5, $6 }' | tr '\n' ';')"
cat "$dist/SHA256SUMS"
