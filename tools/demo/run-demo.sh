#!/usr/bin/env bash
# Lays out the demo folder beside the build (the launcher, the six-language definition file and a
# package double per language) and runs the launcher in it under Wine, so that its language
# selection window appears. Called by `./make.sh demo` inside its Wine session.
#
#   tools/demo/run-demo.sh BUILD desktop    the window on the user's desktop, for the user to use
#   tools/demo/run-demo.sh BUILD headless   on a bare X server: a picture of the window is saved
#                                           as demo/selection.png and Start is pressed
# Either way it ends by telling which package the launcher started.
set -euo pipefail

BUILD=$(cd "$1" && pwd)
MODE=$2
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
DEMO=$(dirname "$BUILD")/demo
export WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
export WINEDEBUG=-all
# shellcheck source=tools/demo/demo-prefix.sh
. "$HERE/demo-prefix.sh"
# shellcheck source=tools/demo/x11-window.sh
. "$HERE/x11-window.sh"

lay_out_demo_folder "$BUILD" "$DEMO"
install_wine_interface_fonts "$(dirname "$BUILD")/downloads"
link_cjk_fonts
echo "demo folder: $DEMO"
echo "languages and their fonts in the Wine prefix:"
check_demo_languages "$BUILD" "$DEMO"

# The launcher runs under the test harness, which reports its full exit code. Named by its full
# path: a bare name would find the copy beside the harness first.
LAUNCHER=$(winepath -w "$DEMO/PagrionSetup.exe" 2>/dev/null)
# Wine's notes that the root folder has no volume label are left out.
run_launcher() {
    (cd "$DEMO" && exec wine "$BUILD/bin/runwait.exe" "$@" "$LAUNCHER") </dev/null \
        2> >(grep -vF 'FS volume label and serial are not available' >&2) | tr -d '\r'
}

if [ "$MODE" = desktop ]; then
    set_window_manager Y
    echo "the language selection window is open on your desktop: choose a language and press Start"
    run_launcher --timeout=86400000
else
    set_window_manager N
    run_launcher --timeout=60000 >"$DEMO/launcher.txt" &
    launcher=$!
    window=$(wait_for_window '("pagrionsetup.exe"')
    sleep 1
    shoot_window "$window" "$DEMO/selection.png"
    echo "picture of the selection window: $DEMO/selection.png"
    # Enter presses the default button, Start, for the highlighted language.
    press_keys "$window" Return
    wait "$launcher"
    cat "$DEMO/launcher.txt"
fi

started=$(find "$DEMO" -maxdepth 1 -name '*.started.txt' | sort)
if [ -z "$started" ]; then
    echo "no package was started"
else
    for record in $started; do
        echo "the package double recorded its start in $record:"
        tr -d '\r' <"$record" | sed 's/^/  /'
    done
fi
