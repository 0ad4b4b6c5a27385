#!/usr/bin/env bash
# Lays out a demo folder beside the build (the launcher and its definition file) and runs the
# launcher in it under Wine. Called by `./make.sh demo` inside its Wine session.
set -euo pipefail

BUILD=$1
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
DEMO=$(dirname "$BUILD")/demo
export WINEPREFIX=$BUILD/wineprefix

rm -rf "$DEMO"
mkdir -p "$DEMO"
cp "$BUILD/bin/PagrionSetup.exe" "$DEMO/"
cp "$HERE/PagrionSetup.dat" "$DEMO/"

echo "demo folder: $DEMO"
(cd "$DEMO" && wine "$BUILD/bin/runwait.exe" PagrionSetup.exe) | tr -d '\r'
