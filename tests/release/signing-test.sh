#!/usr/bin/env bash
# The signing of a release, on the launcher and the inspector of this build: a throwaway
# certificate authority and code-signing certificate are made with openssl, both programs are
# signed by the release's signing script and verified by osslsigncode against that authority, a
# byte changed after signing fails the verification, and the signed launcher still runs under
# Wine: the end-to-end tests of a normal run (its selection window) and of a silent run (its exit
# code) run against it.
#   signing-test.sh BIN SIGN_SCRIPT WINE_RUNNER
set -euo pipefail

bin=$(cd "$1" && pwd)
sign=$2
runner=$3
export WINEPREFIX=${WINEPREFIX:-$(dirname "$bin")/wineprefix}
work=$(mktemp -d "$(dirname "$bin")/signing-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

make_certificates() {
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Pagrion Test Authority" \
        -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign" \
        -keyout ca.key -out ca.pem 2>/dev/null
    openssl req -newkey rsa:2048 -nodes -subj "/CN=Pagrion Test Signer" \
        -keyout signer.key -out signer.csr 2>/dev/null
    printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
        extendedKeyUsage=codeSigning >signer.ext
    openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -set_serial 1 -days 2 \
        -extfile signer.ext -out signer.pem 2>/dev/null
    echo "a throwaway password" >pass.txt
    openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem \
        -passout file:pass.txt -out signer.pfx
}

verify() {
    osslsigncode verify -CAfile "$work/ca.pem" -in "$1" 2>&1
}

cd "$work"
make_certificates
mkdir release
cp "$bin/PagrionSetup.exe" "$bin/datcheck.exe" release/
"$sign" --pfx signer.pfx --pass-file pass.txt release signed

for program in PagrionSetup.exe datcheck.exe; do
    if report=$(verify "signed/$program"); then
        echo "$report" | grep -q 'Message digest algorithm *: SHA256' ||
            fail "$program: not signed with SHA-256"
    else
        fail "$program: the signature does not verify"
        echo "$report"
    fi
    grep -q " $program\$" signed/SHA256SUMS || fail "SHA256SUMS does not list $program"
done
(cd signed && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the signed programs"

# One byte of the program's code changed after signing.
cp signed/PagrionSetup.exe changed.exe
byte=$(od -An -t u1 -j 1040 -N 1 changed.exe | tr -d ' ')
printf "$(printf '\\%03o' $(((byte + 1) % 256)))" |
    dd of=changed.exe bs=1 seek=1040 conv=notrunc status=none
! verify changed.exe >/dev/null || fail "a program changed after signing still verifies"

# The end-to-end tests find the launcher and the test doubles beside themselves.
mkdir run
cp signed/PagrionSetup.exe run/
cp "$bin/e2e_tests.exe" "$bin/fakepackage.exe" "$bin/lxdbconv.exe" run/
filter=NormalRun.StartRunsTheHighlightedLanguagesPackage
filter+=:SilentRun.RebootCodeIsPassedOnWithoutRegistration
output=$("$runner" run/e2e_tests.exe --gtest_filter="$filter" </dev/null 2>&1 | tr -d '\r') || true
echo "$output" | grep -q '^\[  PASSED  \] 2 tests\.$' || {
    fail "the signed launcher did not pass its normal and silent run"
    echo "$output"
}

[ $status -eq 0 ] && echo "signed, verified with SHA-256, a changed byte refused, the signed launcher runs"
exit $status
