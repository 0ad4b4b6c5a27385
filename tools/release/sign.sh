#!/usr/bin/env bash
# Signs every program of a folder with Authenticode (SHA-256) using a PKCS#12 certificate file,
# into another folder with a SHA256SUMS file. The time stamp makes the signature outlast the
# certificate; it is optional, since a build machine may have no network. Called by
# `./make.sh sign` and by the signing test.
#
#   tools/release/sign.sh --pfx FILE [--pass-file FILE] [--timestamp URL] FROM TO
set -euo pipefail

usage() {
    echo "usage: $(basename "$0") --pfx FILE [--pass-file FILE] [--timestamp URL] FROM TO" >&2
    exit 2
}

pfx= pass_file= timestamp=
positional=()
while [ $# -gt 0 ]; do
    case $1 in
    --pfx) pfx=${2:-} && shift 2 || usage ;;
    --pass-file) pass_file=${2:-} && shift 2 || usage ;;
    --timestamp) timestamp=${2:-} && shift 2 || usage ;;
    --*) usage ;;
    *) positional+=("$1") && shift ;;
    esac
done
[ -n "$pfx" ] && [ ${#positional[@]} -eq 2 ] || usage
from=${positional[0]}
to=${positional[1]}

options=(-pkcs12 "$pfx" -h sha256 -n "Pagrion Viewer Language Setup")
[ -z "$pass_file" ] || options+=(-readpass "$pass_file")
[ -z "$timestamp" ] || options+=(-ts "$timestamp")

mkdir -p "$to"
programs=()
for path in "$from"/*.exe; do
    [ -f "$path" ] || { echo "no programs to sign in $from" >&2; exit 1; }
    program=$(basename "$path")
    rm -f "$to/$program"
    osslsigncode sign "${options[@]}" -in "$path" -out "$to/$program" >/dev/null
    programs+=("$program")
done
(cd "$to" && sha256sum "${programs[@]}" >SHA256SUMS)
echo "signed ${programs[*]} in $to"
