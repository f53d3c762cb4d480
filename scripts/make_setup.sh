#!/usr/bin/env bash
# Builds an installer: the NSIS one from installer/vorlux.nsi with makensis, or the MSI from
# installer/vorlux.wxs with wixl.
# Usage: make_setup.sh x86|amd64|msi-x86|msi-x64 OUTFILE SCR32 SCR64 HELPFILE VERSION PYTHON
# x86 is the product (it runs on every Windows); amd64 is the same script for the tests, since
# makensis's 32-bit stub cannot run on a machine without 32-bit support. msi-x86 and msi-x64 are
# the per-machine packages for each width, which carry that width's vorlux.scr.
# The installer keeps each file's time: the files it packs all take the last commit's (see
# source_date_epoch.sh), so the same sources give the same installer. wixl also stamps the
# package with the time it runs and a random package code: it runs at that time (faketime), and
# the package code is derived from the commit, the width and what the package carries; the product
# code from the version and the same, so that a package rebuilt with any change is another product,
# which replaces the installed one (a new package under an installed product code is refused). With
# SIGN_PFX set (see sign.sh), the installers are signed (makensis has the uninstaller and the
# installer signed as it writes them).
# HELPFILE is the Japanese WinHelp file; the other help files are those beside it (vorlux.chm,
# and the English vorlux-en.hlp and vorlux-en.chm). PYTHON is the build's interpreter (CMake's
# Python3_EXECUTABLE), which writes README.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=$1 outfile=$2 scr32=$3 scr64=$4 helpfile=$5 version=$6 python=$7
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/x86" "$work/x64"
cp "$scr32" "$work/x86/vorlux.scr"
cp "$scr64" "$work/x64/vorlux.scr"
cp "$helpfile" "$work/vorlux.hlp"
cp "${helpfile%.hlp}.chm" "$work/vorlux.chm"
cp "${helpfile%.hlp}-en.hlp" "$work/vorlux-en.hlp"
cp "${helpfile%.hlp}-en.chm" "$work/vorlux-en.chm"
cp "$root/LICENSE.txt" "$work/"
"$python" "$root/scripts/user_readme.py" "$root/README.md" "$work/README.txt"
epoch=$(bash "$root/scripts/source_date_epoch.sh")
[ -z "$epoch" ] || find "$work" -exec touch -h -d "@$epoch" {} +
# The MSIs' upgrade code, which setup looks for to keep off the MSI's install.
upgrade=$(sed -n 's/.*define UpgradeCode = "\(.*\)".*/\1/p' "$root/installer/vorlux.wxs")
# The MSI: the codes that identify it, derived as above, and the package stamped at the commit's time.
make_msi() {
  local arch=${kind#msi-} wxs=$root/installer/vorlux.wxs codes product package saver documents major minor build
  local stamp=()
  codes=$("$python" - "$upgrade" "$version" "$arch" "$(git -C "$root" rev-parse HEAD 2>/dev/null)" \
            "$wxs" "$work/$arch/vorlux.scr" "$work/vorlux.hlp" "$work/vorlux.chm" "$work/vorlux-en.hlp" \
            "$work/vorlux-en.chm" "$work/README.txt" "$work/LICENSE.txt" <<'PY'
import hashlib, sys, uuid
upgrade, version, arch, commit, *files = sys.argv[1:]
carried = hashlib.sha256(b"".join(open(f, "rb").read() for f in files)).hexdigest()
code = lambda name: "{%s}" % str(uuid.uuid5(uuid.UUID(upgrade), name)).upper()
made = f"{arch} {commit} {carried}"
print(code(f"product {version} {made}"), code(f"package {made}"),
      code(f"saver {arch}"), code(f"documents {arch}"))
PY
  )
  read -r product package saver documents <<<"$codes"
  IFS=. read -r major minor build _ <<<"$version"
  [ -z "$epoch" ] || stamp=(env TZ=UTC faketime -f "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')")
  # The tables' strings are in code page 932, the shortcut's name being Japanese. wixl declares no
  # code page, and libmsi then writes and reads the strings in the one WINDOWS_LANGUAGE names (else
  # 1252, where wixl fails on Japanese): wixl and msibuild both run with "ja", and msibuild declares
  # 932 in the database (_ForceCodepage), so that Windows reads the strings alike on every system.
  export WINDOWS_LANGUAGE=ja
  printf '\r\n\r\n932\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
  # wixl takes the files' paths relative to the folder it runs in.
  (cd "$work" && "${stamp[@]}" wixl -a "$arch" -D Arch="$arch" -D Version="$version" \
    -D NextVersion="$major.$minor.$((build + 1))" -D ProductCode="$product" -D SaverComponent="$saver" \
    -D DocumentsComponent="$documents" -D Scr="$arch/vorlux.scr" -D HelpFile=vorlux.hlp -D ChmFile=vorlux.chm \
    -D EnglishHelpFile=vorlux-en.hlp -D EnglishChmFile=vorlux-en.chm -D Readme=README.txt -D License=LICENSE.txt \
    -o vorlux.msi "$wxs")
  # wixl writes no shortcut key: the away shortcut's, Ctrl+Alt+F8, is 0x0677 (HOTKEYF_CONTROL|HOTKEYF_ALT
  # in the high byte, VK_F8 in the low).
  "${stamp[@]}" msibuild "$work/vorlux.msi" -i "$work/_ForceCodepage.idt" \
    -q "UPDATE \`Shortcut\` SET \`Hotkey\` = 1655 WHERE \`Shortcut\` = 'Away'" \
    -s "Vorlux 3D lettering screen saver $version" Pellam \
    "$(msiinfo suminfo "$work/vorlux.msi" | sed -n 's/^Template: //p')" "$package"
  [ -z "${SIGN_PFX:-}" ] || bash "$root/scripts/sign.sh" "$work/vorlux.msi"
  mv -f "$work/vorlux.msi" "$outfile"
}

case $kind in
  msi-x86|msi-x64) make_msi ;;
  *)
    defines=()
    [ "$kind" = amd64 ] && defines+=(-DAMD64)
    [ -n "${SIGN_PFX:-}" ] && defines+=(-DSIGN="bash $root/scripts/sign.sh")
    makensis -V2 -INPUTCHARSET UTF8 "${defines[@]}" \
      -DVERSION="$version" -DOUTFILE="$(realpath -m "$outfile")" \
      -DSCR32="$work/x86/vorlux.scr" -DSCR64="$work/x64/vorlux.scr" -DHELPFILE="$work/vorlux.hlp" \
      -DCHMFILE="$work/vorlux.chm" -DHELPFILE_EN="$work/vorlux-en.hlp" -DCHMFILE_EN="$work/vorlux-en.chm" \
      -DMSI_UPGRADE_CODE="{$upgrade}" \
      -DREADME="$work/README.txt" -DLICENSE="$work/LICENSE.txt" "$root/installer/vorlux.nsi" ;;
esac
