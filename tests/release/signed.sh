#!/usr/bin/env bash
# make dist with a throwaway certificate: every signature it makes (both vorlux.scr, the installer,
# and the uninstaller that the installer writes) verifies against the certificate's own CA.
# Uses the builds in build/win32 and build/win64; installs the amd64 build of the installer
# under Wine (VORLUX_WINE_TEMPLATE) to get at the uninstaller it carries.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A CA and a code-signing certificate it issued, valid for a day.
quiet() { "$@" >/dev/null 2>&1 || { echo "FAIL: $*" >&2; exit 1; }; }
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 1 -subj "/CN=Vorlux Test CA" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign"
quiet openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=Vorlux Test Signer"
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext
quiet openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 1 -extfile signer.ext -out signer.pem
echo "throwaway password" >password
quiet openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -passout file:password -out signer.pfx
export SIGN_PFX=$work/signer.pfx SIGN_PASSWORD_FILE=$work/password

DIST_DIR=$work/dist bash "$root/scripts/dist.sh" >dist.log 2>&1 || { cat dist.log; exit 1; }
version=$(cat "$root/build/win32/version.txt")
python3 -m zipfile -e "dist/vorlux-$version.zip" unzipped

# The uninstaller is written by the installer: install the amd64 build of the same script.
bash "$root/scripts/make_setup.sh" amd64 setup-amd64.exe "$root/build/win32/vorlux.scr" \
  "$root/build/win64/vorlux.scr" "$root/build/win32/vorlux.hlp" "$version" >setup.log 2>&1 || { cat setup.log; exit 1; }
VORLUX_XVFB=1 bash "$root/scripts/wine-run.sh" setup-amd64.exe /S "/D=Z:${work//\//\\}\\installed" >/dev/null 2>&1 || true

failed=0
for file in unzipped/x86/vorlux.scr unzipped/x64/vorlux.scr "dist/vorlux-$version-setup.exe" setup-amd64.exe \
            installed/uninstall.exe; do
  if osslsigncode verify -CAfile ca.pem -in "$file" >verify.log 2>&1; then
    echo "signed: $file"
  else
    echo "FAIL $file: expected a SHA-256 Authenticode signature by the test certificate, got:"
    grep -E "Message digest algorithm|Signature verification|No signature|Failed|Error|error" verify.log | head -5
    failed=1
  fi
done
exit $failed
