#!/usr/bin/env bash
# Takes pictures of the launcher's two windows: the language selection window and the progress
# window, each as a PNG of its own. Needs an X display (DISPLAY) and the build's Wine prefix.
#
#   tools/demo/window-shots.sh BUILD OUTDIR    e.g. build/i686 build/shots
set -euo pipefail

BUILD=$(cd "$1" && pwd)
mkdir -p "$2"
OUT=$(cd "$2" && pwd)
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
export WINEDEBUG=-all

FOLDER=$(mktemp -d)
trap 'rm -rf "$FOLDER"' EXIT
cp "$BUILD/bin/PagrionSetup.exe" "$FOLDER/"
cp "$HERE/window-shots.dat" "$FOLDER/PagrionSetup.dat"
for code in en ja de; do printf 'MZ' >"$FOLDER/setup-$code.exe"; done

# The X window of the launcher's window with that title, once it is shown.
wait_for_window() {
    local title=$1 id tries
    for tries in $(seq 100); do
        id=$(xwininfo -root -tree | grep -F "\"$title\"" | awk '{print $1}' | head -n 1 || true)
        if [ -n "$id" ] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    echo "no window \"$title\"" >&2
    return 1
}

# Starts the launcher with the arguments, pictures its window after a pause, and ends it.
shoot() {
    local title=$1 png=$2 pause=$3 pid id geometry
    shift 3
    (cd "$FOLDER" && exec wine PagrionSetup.exe "$@") </dev/null >/dev/null 2>&1 &
    pid=$!
    id=$(wait_for_window "$title")
    sleep "$pause"
    geometry=$(xwininfo -id "$id" |
        awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
             /Width:/{w=$NF} /Height:/{h=$NF} END{print w "x" h "+" x "+" y}')
    import -window root -crop "$geometry" +repage "$OUT/$png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$OUT/$png"
}

shoot "Pagrion Viewer Setup" selection-window.png 1
shoot "Pagrion Viewer セットアップ" progress-window.png 3 "-LANG:ja" -OVWPROGRESS
