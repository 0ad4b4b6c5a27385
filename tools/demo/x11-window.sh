# shellcheck shell=bash
# Finding, picturing and typing into the launcher's windows on an X display (DISPLAY).
# Sourced by the demo scripts; needs xwininfo, ImageMagick's import and xdotool.

# Prints the X window id of the first shown top-level window whose line in `xwininfo -tree`
# holds TEXT (a quoted title such as "\"Pagrion Viewer Setup\"", or a program's class such as
# "(\"pagrionsetup.exe\""), once it is shown; fails after about 20 seconds. A window of one
# pixel, such as the one that carries the progress process's taskbar button, is passed over.
wait_for_window() {
    local text=$1 id
    for _ in $(seq 100); do
        for id in $(xwininfo -root -tree | grep -F -- "$text" | grep -vF '"Default IME"' |
            awk '{print $1}'); do
            if xwininfo -id "$id" 2>/dev/null |
                awk '/Map State: IsViewable/ {shown = 1} /Width:/ {width = $NF}
                     END {exit !(shown && width > 1)}'; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
    echo "no window shown with $text" >&2
    return 1
}

# Whether the X window is still shown.
window_shown() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Saves the screen area of the X window as a PNG file.
shoot_window() {
    local id=$1 png=$2 geometry
    geometry=$(xwininfo -id "$id" |
        awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
             /Width:/{w=$NF} /Height:/{h=$NF} END{print w "x" h "+" x "+" y}')
    import -window root -crop "$geometry" +repage "$png"
}

# Gives the X window the keyboard focus and types the keys (xdotool key names: Down, Tab,
# Return...), with a pause after each so that the window has drawn its answer.
press_keys() {
    local id=$1 key
    shift
    xdotool windowfocus "$id"
    sleep 0.3
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.4
    done
}
