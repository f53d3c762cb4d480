#!/usr/bin/env bash
# Signs a Windows program in place with Authenticode (SHA-256), with osslsigncode and the
# certificate SIGN_PFX (PKCS#12), whose password is the first line of SIGN_PASSWORD_FILE (no
# password without one). makensis calls it for the uninstaller and the installer; dist.sh for
# both vorlux.scr.
# Usage: sign.sh FILE
set -euo pipefail
file=$1
: "${SIGN_PFX:?sign.sh: SIGN_PFX names no certificate}"
password=()
[ -n "${SIGN_PASSWORD_FILE:-}" ] && password=(-readpass "$SIGN_PASSWORD_FILE")
osslsigncode sign -pkcs12 "$SIGN_PFX" "${password[@]}" -h sha256 -n "Vorlux" \
  -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
