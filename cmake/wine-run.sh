#!/bin/sh
# Runs a Windows program under Wine. The prefix is the one of the build folder the program lies
# in (<build>/bin/x.exe -> <build>/wineprefix) unless WINEPREFIX is already set.
program=$1
if [ -z "$WINEPREFIX" ]; then
    WINEPREFIX=$(cd "$(dirname "$program")/.." && pwd)/wineprefix
    export WINEPREFIX
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winedbg.exe=d;winemenubuilder.exe=d}"
exec wine "$@"
