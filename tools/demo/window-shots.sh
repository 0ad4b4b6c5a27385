#!/usr/bin/env bash
# Takes pictures of the launcher's two windows in every language of a definition file at several
# screen dpi settings, so that a translator sees every language at once, and puts them all on one
# contact sheet. Beside the pictures lies the inspector's fit check at each dpi. Needs a bare X
# display (DISPLAY) and a Wine prefix (WINEPREFIX) that may take the demo's fonts. Called by
# `./make.sh shots`.
#
#   tools/demo/window-shots.sh BUILD DEFINITION OUTDIR DPI...
#       e.g. build/i686 tools/demo/PagrionSetup.dat build/shots 96 144
# writes OUTDIR/selection-CODE-PCT.png and progress-CODE-PCT.png for every language the launcher
# lists (PCT: 100 for 96 dpi), fit-PCT.txt for each dpi and contact-sheet.png.
set -euo pipefail

BUILD=$(cd "$1" && pwd)
DEFINITION=$2
rm -rf "$3"
mkdir -p "$3"
OUT=$(cd "$3" && pwd)
shift 3
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
export WINEDEBUG=-all
# shellcheck source=tools/demo/demo-prefix.sh
. "$HERE/demo-prefix.sh"
# shellcheck source=tools/demo/x11-window.sh
. "$HERE/x11-window.sh"

FOLDER=$(mktemp -d)
trap 'rm -rf "$FOLDER"' EXIT
lay_out_setup_folder "$BUILD" "$DEFINITION" "$FOLDER"
install_wine_interface_fonts "$(dirname "$BUILD")/downloads"
set_window_manager N
link_cjk_fonts
mapfile -t LANGUAGES < <(listed_languages "$BUILD" "$FOLDER")
echo "languages the launcher lists: ${LANGUAGES[*]:-none}"

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

# A language code as a part of a file name.
file_part() {
    echo "$1" | tr -c 'A-Za-z0-9_\n-' '_'
}

# The selection window with each language highlighted in turn, as the user's arrow keys do it.
# With one language the launcher shows no window: it starts that language's package at once.
shoot_selection_window() {
    local pct=$1 index code keys
    [ ${#LANGUAGES[@]} -ge 2 ] || return 0
    start_launcher
    for index in "${!LANGUAGES[@]}"; do
        code=${LANGUAGES[$index]}
        keys=(Home)
        for _ in $(seq "$index"); do keys+=(Down); done
        press_keys "$WINDOW" "${keys[@]}"
        shoot_window "$WINDOW" "$OUT/selection-$(file_part "$code")-$pct.png"
    done
    stop_launcher
}

# The progress window of each language, after it has crept for a few ticks.
shoot_progress_windows() {
    local pct=$1 code
    for code in "${LANGUAGES[@]}"; do
        start_launcher "-LANG:$code" -OVWPROGRESS
        sleep 2
        shoot_window "$WINDOW" "$OUT/progress-$(file_part "$code")-$pct.png"
        stop_launcher
    done
}

check_fit() {
    local pct=$1
    (cd "$FOLDER" && wine "$BUILD/bin/datcheck.exe" --fit PagrionSetup.dat </dev/null \
        >"$OUT/fit-$pct.txt" 2>/dev/null) || true
    echo "fit check at $pct %: $(tail -n 1 "$OUT/fit-$pct.txt")"
    grep '^cut ' "$OUT/fit-$pct.txt" || true
}

for dpi in "$@"; do
    pct=$((dpi * 100 / 96))
    with_dpi "$dpi" shoot_selection_window "$pct"
    with_dpi "$dpi" shoot_progress_windows "$pct"
    with_dpi "$dpi" check_fit "$pct"
done

# One row per language: its selection window, then its progress window, at each dpi.
pictures=()
for code in "${LANGUAGES[@]}"; do
    for window in selection progress; do
        for dpi in "$@"; do
            picture="$OUT/$window-$(file_part "$code")-$((dpi * 100 / 96)).png"
            [ -f "$picture" ] && pictures+=("$picture")
        done
    done
done
if [ ${#pictures[@]} -gt 0 ]; then
    montage -label '%t' -font DejaVu-Sans -pointsize 14 "${pictures[@]}" \
        -tile "$((2 * $#))x" -geometry +10+10 -background '#dddddd' "$OUT/contact-sheet.png"
fi
ls "$OUT"
