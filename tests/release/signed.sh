#!/usr/bin/env bash
# make dist with a throwaway certificate: every signature it makes (both vorlux.scr, the installer,
# the uninstaller that the installer writes, and both MSIs) verifies against the certificate's own CA, and so
# do both vorlux.scr packed in the shipped installer (unpacked with 7-Zip) and the one the amd64
# installer installs. Uses the builds in build/win32 and build/win64
# (changes in the working tree included); has make dist write the amd64 build of the installer too,
# from the same files, and installs it under Wine (VORLUX_WINE_TEMPLATE) to get at what it carries.
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

DIST_ALLOW_DIRTY=1 DIST_DIR=$work/dist DIST_SETUP_AMD64=$work/setup-amd64.exe bash "$root/scripts/dist.sh" \
  >dist.log 2>&1 || { cat dist.log; exit 1; }
version=$(cat "$root/build/win32/version.txt")
python3 -m zipfile -e "dist/vorlux-$version.zip" unzipped

# The uninstaller is written by the installer, and the saver it carries lies packed inside it: both
# are seen once the installer has run. The prefix is kept to take the installed saver out of it.
VORLUX_KEEP_PREFIX=1 VORLUX_XVFB=1 bash "$root/scripts/wine-run.sh" setup-amd64.exe /S \
  "/D=Z:${work//\//\\}\\installed" >/dev/null 2>wine.log || true
prefix=$(sed -n 's/^wine-run: prefix kept at //p' wine.log)
mkdir system32
if [[ "$prefix" == */vorlux-prefix.* ]]; then
  cp "$prefix/drive_c/windows/system32/vorlux.scr" system32/ || true
  rm -rf "$prefix"
fi

# The shipped installer's files as it packs them; both builds lie under one name, the second renamed.
quiet 7zz x -aou -opacked "dist/vorlux-$version-setup.exe"
packed=(packed/*/vorlux*.scr)  # under the folder variable 7-Zip names
[ ${#packed[@]} = 2 ] || { echo "FAIL: expected two vorlux.scr packed in the installer, found ${packed[*]}"; exit 1; }

failed=0
for file in unzipped/x86/vorlux.scr unzipped/x64/vorlux.scr "dist/vorlux-$version-setup.exe" setup-amd64.exe \
            "dist/vorlux-$version-x64.msi" "dist/vorlux-$version-x86.msi" \
            "${packed[@]}" installed/Vorlux/uninstall.exe system32/vorlux.scr; do
  if osslsigncode verify -CAfile ca.pem -in "$file" >verify.log 2>&1; then
    echo "signed: $file"
  else
    echo "FAIL $file: expected a SHA-256 Authenticode signature by the test certificate, got:"
    grep -E "Message digest algorithm|Signature verification|No signature|Failed|Error|error" verify.log | head -5
    failed=1
  fi
done
exit $failed
