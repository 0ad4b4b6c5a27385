# shellcheck shell=bash
# The demo folder and the Wine prefix the demo and the window pictures run in (WINEPREFIX, kept
# apart from the tests' prefixes: the fonts and the dpi set here would change what they see).
# Sourced by the demo scripts; DEMO_HERE is the folder of these scripts.
DEMO_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Lays out FOLDER as a user would get it: the launcher, the definition file DEFINITION under the
# launcher's own definition name, and one copy of the package double for every package file the
# inspector reads from it (a file named with a folder is left out).
lay_out_setup_folder() {
    local build=$1 definition=$2 folder=$3 package
    rm -rf "$folder"
    mkdir -p "$folder"
    cp "$build/bin/PagrionSetup.exe" "$folder/"
    cp "$definition" "$folder/PagrionSetup.dat"
    inspect_catalogue "$build" "$folder" | sed -n 's/^  file=\("\([^"\\]\|\\.\)*"\).*/\1/p' |
        while read -r package; do
            package=$(unquote "$package")
            case $package in
            */* | *\\* | *:* | "") ;;
            *) cp "$build/bin/fakepackage.exe" "$folder/$package" ;;
            esac
        done
}

# The demo folder: the six-language definition file of the demo.
lay_out_demo_folder() {
    lay_out_setup_folder "$1" "$DEMO_HERE/PagrionSetup.dat" "$2"
}

# The inspector's catalogue view of FOLDER's definition file: how the launcher there reads it.
inspect_catalogue() {
    local build=$1 folder=$2
    (cd "$folder" && wine "$build/bin/datcheck.exe" PagrionSetup.dat </dev/null 2>/dev/null) || true
}

# The text of a quoted value of the inspector's output.
unquote() {
    local value=${1:1:${#1}-2}
    printf '%b' "${value//\\\"/\"}"
}

# The codes of the languages that the launcher in FOLDER lists, in the order of its list.
listed_languages() {
    local build=$1 folder=$2 catalogue index code
    local -a codes=()
    catalogue=$(inspect_catalogue "$build" "$folder")
    while read -r code; do codes+=("$(unquote "$code")"); done < <(
        echo "$catalogue" | sed -n 's/^lang code=\("\([^"\\]\|\\.\)*"\).*/\1/p')
    while read -r index; do echo "${codes[$index]}"; done < <(
        echo "$catalogue" | sed -n 's/^prune \([0-9]*\) kept.*/\1/p')
}

# Wine draws captions and message boxes in Tahoma and the caption buttons with Marlett. Debian
# ships these in fonts-wine, which the build does not install (the tests' prefixes keep a known set
# of fonts); the demo prefix gets them in its own font folder, from the installed package or from
# the package fetched into CACHE. Without them captions fall back to another font and the close
# box shows a letter.
install_wine_interface_fonts() {
    local cache=$1 fonts="$WINEPREFIX/drive_c/windows/Fonts" source=/usr/share/wine/fonts name
    [ -f "$fonts/marlett.ttf" ] && return 0
    if [ ! -f "$source/marlett.ttf" ]; then
        source=$cache/fonts-wine/usr/share/wine/fonts
        if [ ! -f "$source/marlett.ttf" ]; then
            mkdir -p "$cache"
            if ! (cd "$cache" && apt-get download fonts-wine >/dev/null 2>&1); then
                echo "warning: fonts-wine could not be fetched; captions use a fallback font" >&2
                return 0
            fi
            dpkg-deb -x "$cache"/fonts-wine_*.deb "$cache/fonts-wine"
        fi
    fi
    mkdir -p "$fonts"
    for name in tahoma.ttf tahomabd.ttf marlett.ttf; do cp "$source/$name" "$fonts/"; done
}

# Captions, message boxes and their buttons show Japanese, Chinese and Korean text through
# Tahoma's font links, which name Windows fonts; the demo links the Debian families instead. Wine
# writes its own links anew whenever the ANSI code page changes, so this runs right before the
# launcher, in the launcher's locale.
link_cjk_fonts() {
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face
    local links='ipagp.ttf\0wqy-microhei.ttc,WenQuanYi Micro Hei\0UnDotum.ttf'
    for face in Tahoma 'Tahoma Bold' 'Liberation Sans' 'Liberation Sans Bold'; do
        wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$links" /f </dev/null >/dev/null 2>&1
    done
}

# Y: a window manager (a desktop) frames and moves the windows; N: Wine frames them itself and
# never waits for a window manager (a bare X server such as Xvfb).
set_window_manager() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f </dev/null >/dev/null 2>&1
}

# Runs the command with the prefix's dots per inch set to DPI (96 is 100 %), then puts the
# previous setting back.
with_dpi() {
    local dpi=$1 key='HKCU\Control Panel\Desktop' old status=0
    shift
    old=$(wine reg query "$key" /v LogPixels </dev/null 2>/dev/null | tr -d '\r' |
        awk '$1 == "LogPixels" {print $3}' || true)
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
    "$@" || status=$?
    if [ -n "$old" ]; then
        wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((old))" /f </dev/null >/dev/null 2>&1
    else
        wine reg delete "$key" /v LogPixels /f </dev/null >/dev/null 2>&1
    fi
    return $status
}

# Fails unless the inspector finds every language of the demo folder kept and usable (its locale
# installed and one of its fonts listed by Wine).
check_demo_languages() {
    local build=$1 folder=$2 report
    report=$(cd "$folder" && wine "$build/bin/datcheck.exe" PagrionSetup.dat </dev/null 2>/dev/null |
        grep -E '^(prune|  font)')
    if echo "$report" | grep '^prune' | grep -qv 'kept usable=1'; then
        echo "$report" >&2
        echo "not every demo language is usable in the Wine prefix $WINEPREFIX" >&2
        return 1
    fi
    echo "$report" | grep '^  font' | sed 's/^  font name=/  font /'
}
