#!/usr/bin/env bash
# Takes pictures of the launcher's two windows at several screen dpi settings, from the demo
# folder's six languages: at each dpi the selection window in English and in Japanese, and the
# progress window in Japanese. Needs a bare X display (DISPLAY) and a Wine prefix (WINEPREFIX) that
# may take the demo's fonts. Called by `./make.sh shots`.
#
#   tools/demo/window-shots.sh BUILD OUTDIR DPI...   e.g. build/i686 build/shots 96 120 144 192
# writes OUTDIR/selection-120dpi.png, selection-ja-120dpi.png and progress-ja-120dpi.png for each.
set -euo pipefail

BUILD=$(cd "$1" && pwd)
mkdir -p "$2"
OUT=$(cd "$2" && pwd)
shift 2
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
export WINEDEBUG=-all
# shellcheck source=tools/demo/demo-prefix.sh
. "$HERE/demo-prefix.sh"
# shellcheck source=tools/demo/x11-window.sh
. "$HERE/x11-window.sh"

FOLDER=$(mktemp -d)
trap 'rm -rf "$FOLDER"' EXIT
lay_out_demo_folder "$BUILD" "$FOLDER"
install_wine_interface_fonts "$(dirname "$BUILD")/downloads"
set_window_manager N
link_cjk_fonts
check_demo_languages "$BUILD" "$FOLDER" >/dev/null

# Starts the launcher with the arguments and waits for its window.
start_launcher() {
    (cd "$FOLDER" && exec wine PagrionSetup.exe "$@") </dev/null >/dev/null 2>&1 &
    LAUNCHER=$!
    WINDOW=$(wait_for_window '("pagrionsetup.exe"')
    sleep 1
}

stop_launcher() {
    kill "$LAUNCHER" 2>/dev/null || true
    wait "$LAUNCHER" 2>/dev/null || true
    # The next picture must not catch this window.
    for _ in $(seq 50); do window_shown "$WINDOW" || break; sleep 0.2; done
}

# English first in the list, Japanese third.
shoot_selection_window() {
    local dpi=$1
    start_launcher
    press_keys "$WINDOW" Home
    shoot_window "$WINDOW" "$OUT/selection-${dpi}dpi.png"
    press_keys "$WINDOW" Down Down
    shoot_window "$WINDOW" "$OUT/selection-ja-${dpi}dpi.png"
    stop_launcher
}

# The progress window creeps for a few ticks before it is pictured.
shoot_progress_window() {
    local dpi=$1
    start_launcher -LANG:ja -OVWPROGRESS
    sleep 2
    shoot_window "$WINDOW" "$OUT/progress-ja-${dpi}dpi.png"
    stop_launcher
}

for dpi in "$@"; do
    with_dpi "$dpi" shoot_selection_window "$dpi"
    with_dpi "$dpi" shoot_progress_window "$dpi"
    ls "$OUT"/*-"${dpi}"dpi.png
done
