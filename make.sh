#!/usr/bin/env bash
# Builds, tests and demonstrates the setup launcher on Linux: MinGW-w64 cross builds, run under Wine.
#
#   ./make.sh setup   install every Debian package the build, the tests and the demo need
#   ./make.sh build   configure and build the i686 product and the x86-64 parity build
#   ./make.sh test    setup, build, then CTest of both builds under Wine and Xvfb, and a short
#                     fuzz run of the definition-file reader
#   ./make.sh demo    setup, build, then run the launcher on a demo folder: on your desktop when
#                     DISPLAY is set (outside CI), else under Xvfb with a picture and Start pressed
#   ./make.sh shots [DIR]  setup, build, then pictures of both windows in every language of the
#                     definition file in DIR (the demo's when none is given) at 100 % and 150 %
#                     under Xvfb, a contact sheet of them all and the fit check, in build/shots
#   ./make.sh release build the i686 launcher and inspector of the last commit in a clean folder
#                     into build/release with SHA256SUMS, build them again in another folder and
#                     say whether the bytes are the same
#   ./make.sh sign --pfx FILE [--pass-file FILE] [--timestamp URL]
#                     sign the release with Authenticode (SHA-256) into build/release/signed
#   ./make.sh check NAME...  build and run only the named test programs (e.g. text_tests)
#   ./make.sh bench   build the i686 launcher and benchmarks, print every figure (size, start on
#                     the demo folder against a minimal window, the same with the launcher's
#                     themed controls and the peer installer's language dialog, silent run, reader)
#   ./make.sh fuzz [SECONDS]  fuzz the definition-file reader natively with the sanitizers:
#                     100,000 inputs, or SECONDS long; fails on a crash, hang or leak
#
# TARGETS="i686" limits build and test to one build; BUILD_ROOT moves the build folders.
#
# On a host that runs no 32-bit code (Wine's 32-bit loader cannot start), the i686 build is still
# built and its shipped binary checked, while tests, timings, demo and pictures use the x86-64
# build.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD_ROOT=${BUILD_ROOT:-$ROOT/build}
TARGETS=${TARGETS:-"i686 x86_64"}
JOBS=${JOBS:-$(nproc)}

PACKAGES=(
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    cmake ninja-build googletest
    wine wine64 wine32:i386 xvfb x11-apps x11-utils xdotool imagemagick osslsigncode openssl nsis clang-format
    fonts-dejavu-core fonts-liberation fonts-ipafont-gothic fonts-wqy-microhei fonts-unfonts-core
    clang-14 libclang-rt-14-dev llvm-14
)

log() { printf '== %s\n' "$*"; }

# Whether the programs of a build can run on this host: the i686 programs need Wine's 32-bit
# loader, which some hosts cannot start (their kernel runs no 32-bit code).
runs_here() {
    [ "$1" != i686 ] || /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Debian's wine command picks Wine's 32-bit loader whenever it is installed, and that loader
# starts the 64-bit one for 64-bit programs. A host that runs no 32-bit code gets a wine command
# of its own, first on PATH, that starts the 64-bit loader directly.
use_runnable_wine_loader() {
    runs_here i686 && return 0
    local shim=$BUILD_ROOT/wine64-loader
    mkdir -p "$shim"
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec "$WINELOADER" "$@"\n' \
        >"$shim/wine"
    chmod +x "$shim/wine"
    ln -sf wine "$shim/wine-stable"
    case ":$PATH:" in *":$shim:"*) ;; *) export PATH="$shim:$PATH" ;; esac
}

# The build whose launcher the demo, the pictures and the timings use: the shipped i686 build, or
# the x86-64 build on a host that runs no 32-bit code.
launcher_target() {
    if runs_here i686; then echo i686; else echo x86_64; fi
}

missing_packages() {
    local pkg
    for pkg in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' ||
            printf '%s\n' "$pkg"
    done
}

cmd_setup() {
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    log "installing: $(echo "$missing" | tr '\n' ' ')"
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -q
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
}

configure() {
    local target=$1 werror=OFF
    [ "${CI:-}" = true ] && werror=ON
    cmake -S "$ROOT" -B "$BUILD_ROOT/$target" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$target.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel -DPAGRION_WERROR="$werror" >/dev/null
}

cmd_build() {
    local target
    for target in $TARGETS; do
        log "build $target"
        configure "$target"
        cmake --build "$BUILD_ROOT/$target" -j "$JOBS"
    done
}

# --- Wine session: one prefix per build folder, one Xvfb display, wineservers kept alive ---

XVFB_PID=
STARTED_PREFIXES=()

stop_wine_session() {
    local prefix
    for prefix in "${STARTED_PREFIXES[@]}"; do
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    done
    STARTED_PREFIXES=()
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

start_display() {
    [ -n "$XVFB_PID" ] && return 0
    local fifo number
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
}

# Creates the prefix in WINEPREFIX.
create_prefix() {
    log "creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # No Mono or Gecko: their installers would ask to download.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i </dev/null >/dev/null 2>&1
    # Without a window manager, Wine waits for one whenever a managed window is hidden.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    # Wine's 32-bit half names the shared data folder in the 32-bit registry view, which the
    # launcher reads; where that half cannot run, the name is given here.
    runs_here i686 || wine reg add \
        'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
        /v 'Common AppData' /d 'C:\ProgramData' /reg:32 /f </dev/null >/dev/null 2>&1
    wineserver -w
}

# Creates the prefix of a build folder once and keeps its wineserver running.
start_prefix() {
    export WINEDEBUG=-all
    STARTED_PREFIXES+=("$1")
    (
        export WINEPREFIX=$1
        [ -f "$WINEPREFIX/system.reg" ] || create_prefix
        wineserver -p </dev/null >/dev/null 2>&1
        # Start Wine's own background processes now, away from the output pipes of the tests:
        # a test whose first program starts them would wait for their end.
        wine cmd.exe /c exit </dev/null >/dev/null 2>&1
    )
}

# The prefix of a build folder.
prefix_of() { echo "$BUILD_ROOT/$1/wineprefix"; }

# What every Wine session sets first: its end on exit, the loader that runs here, and no debugger
# or menu builder: a crashing program ends with its exception code.
begin_wine_session() {
    trap stop_wine_session EXIT
    use_runnable_wine_loader
    export WINEDLLOVERRIDES="winedbg.exe=d;winemenubuilder.exe=d"
}

start_wine_session() {
    begin_wine_session
    start_display
    local target
    for target in $TARGETS; do
        runs_here "$target" && start_prefix "$(prefix_of "$target")"
    done
    return 0
}

# Runs CTest in a build folder, in its prefix, with the given arguments.
run_ctest() {
    local target=$1
    shift
    (cd "$BUILD_ROOT/$target" && WINEPREFIX=$(prefix_of "$target") \
        ctest --output-on-failure -j "$JOBS" "$@")
}

# --- The reader built natively for Linux with libFuzzer and the sanitizers ---

build_fuzz() {
    local werror=OFF
    [ "${CI:-}" = true ] && werror=ON
    log "build fuzz"
    cmake -S "$ROOT/tests/fuzz" -B "$BUILD_ROOT/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
        -DPAGRION_WERROR="$werror" >/dev/null
    cmake --build "$BUILD_ROOT/fuzz" -j "$JOBS"
}

# The CTest arguments that leave out what cannot run on this host: of a build whose programs do
# not run, every test but the checks of the shipped binaries, which read the files only.
skipped_tests() {
    runs_here "$1" && return 0
    log "this host runs no 32-bit code: of the $1 build only the shipped binary is checked" >&2
    echo "-R ^product_(binary|reproducible)\$"
}

cmd_test() {
    cmd_setup
    cmd_build
    build_fuzz
    start_wine_session
    local target status=0
    for target in $TARGETS; do
        log "test $target"
        # shellcheck disable=SC2046 # the skipped tests are words of their own
        run_ctest "$target" $(skipped_tests "$target") || status=1
    done
    stop_wine_session
    log "test fuzz"
    (cd "$BUILD_ROOT/fuzz" && ctest --output-on-failure) || status=1
    return $status
}

# The long fuzz run: 100,000 inputs by default, or as many as SECONDS allow.
cmd_fuzz() {
    local seconds=${1:-}
    cmd_setup
    build_fuzz
    local bound=-runs=100000
    [ -n "$seconds" ] && bound=-max_total_time=$seconds
    log "fuzz the reader ($bound)"
    "$ROOT/tests/fuzz/run-fuzz.sh" "$BUILD_ROOT/fuzz/reader_fuzz" "$BUILD_ROOT/fuzz/long" "$bound"
}

# Builds and runs the named test programs only, in every build of TARGETS.
cmd_check() {
    local target name status=0
    for target in $TARGETS; do
        configure "$target"
        for name in "$@"; do cmake --build "$BUILD_ROOT/$target" -j "$JOBS" --target "$name"; done
    done
    start_wine_session
    for target in $TARGETS; do
        runs_here "$target" || { log "this host runs no 32-bit code: $target skipped"; continue; }
        # Every test of a program carries the program's name as its label.
        for name in "$@"; do
            run_ctest "$target" -L "^$name\$" || status=1
        done
    done
    stop_wine_session
    return $status
}

# Every figure of the launcher: its size, its start up to the selection window against minimal
# window programs and the peer installer, a silent run against the waits it makes by design, and
# the reader's load times against a plain byte scan. The figures are printed; a missed target
# fails nothing.
BENCHMARKS=(startbench silentbench markupbench)

cmd_bench() {
    local target size status=0 bench
    target=$(launcher_target)
    configure i686
    cmake --build "$BUILD_ROOT/i686" -j "$JOBS" --target PagrionSetup
    size=$(stat -c %s "$BUILD_ROOT/i686/bin/PagrionSetup.exe")
    printf 'size of the 32-bit PagrionSetup.exe: %d bytes = %d KB (target under 200 KB)\n' \
        "$size" $(((size + 1023) / 1024))
    [ "$target" = i686 ] ||
        printf 'this host runs no 32-bit code: the timings below are of the %s build\n' "$target"
    configure "$target"
    cmake --build "$BUILD_ROOT/$target" -j "$JOBS" --target PagrionSetup datcheck fakepackage \
        "${BENCHMARKS[@]}"
    TARGETS=$target start_wine_session
    local build=$BUILD_ROOT/$target setup_folder
    export WINEPREFIX
    WINEPREFIX=$(prefix_of "$target")
    # The start is timed on the demo's folder (six languages, a package double for each), laid
    # out as a download folder on the prefix's drive C:, where a user's downloads lie.
    setup_folder="$WINEPREFIX/drive_c/users/Public/Downloads/Pagrion Viewer Setup"
    (
        # shellcheck source=tools/demo/demo-prefix.sh
        . "$ROOT/tools/demo/demo-prefix.sh"
        lay_out_demo_folder "$build" "$setup_folder"
    )
    for bench in "${BENCHMARKS[@]}"; do
        local arguments=()
        [ "$bench" = startbench ] && arguments=("$(winepath -w "$setup_folder")")
        (cd "$build" && wine "bin/$bench.exe" "${arguments[@]}" </dev/null | tr -d '\r') || status=1
    done
    stop_wine_session
    return $status
}

# The demo and the window pictures run in a Wine prefix of their own: the fonts and the dpi they
# set must not change what the tests see. Chosen once Wine is installed (launcher_target).
DEMO_TARGET=
DEMO_PREFIX=

choose_demo_build() {
    DEMO_TARGET=$(launcher_target)
    DEMO_PREFIX=$BUILD_ROOT/$DEMO_TARGET/wineprefix-demo
}

# A desktop: the user set DISPLAY, and this is not a CI run.
on_desktop() {
    [ -n "${DISPLAY:-}" ] && [ "${CI:-}" != true ]
}

# The demo prefix on the given display ("desktop": the user's; "headless": an Xvfb of our own).
start_demo_session() {
    begin_wine_session
    [ "$1" = desktop ] || start_display
    start_prefix "$DEMO_PREFIX"
}

cmd_demo() {
    cmd_setup
    choose_demo_build
    TARGETS=$DEMO_TARGET cmd_build
    local mode=headless
    on_desktop && mode=desktop
    start_demo_session "$mode"
    WINEPREFIX=$DEMO_PREFIX "$ROOT/tools/demo/run-demo.sh" "$BUILD_ROOT/$DEMO_TARGET" "$mode"
    stop_wine_session
}

# The definition file of a folder: the launcher's own name, else the folder's only ".dat" file.
definition_in() {
    local folder=$1 files
    if [ -f "$folder/PagrionSetup.dat" ]; then
        echo "$folder/PagrionSetup.dat"
        return 0
    fi
    files=$(find "$folder" -maxdepth 1 -name '*.dat')
    [ -n "$files" ] && [ "$(echo "$files" | wc -l)" -eq 1 ] ||
        { echo "no single definition file (.dat) in $folder" >&2; return 1; }
    echo "$files"
}

cmd_shots() {
    local definition
    definition=$(definition_in "${1:-$ROOT/tools/demo}")
    cmd_setup
    choose_demo_build
    TARGETS=$DEMO_TARGET cmd_build
    start_demo_session headless
    WINEPREFIX=$DEMO_PREFIX "$ROOT/tools/demo/window-shots.sh" "$BUILD_ROOT/$DEMO_TARGET" \
        "$definition" "$BUILD_ROOT/shots" 96 144
    stop_wine_session
}

# --- Release: the shipped programs, reproducible and signed ---

RELEASE_PROGRAMS=(PagrionSetup datcheck)
RELEASE_DIR=$BUILD_ROOT/release

# Builds the release programs of the last commit in FOLDER: its sources in FOLDER/src, the build
# in FOLDER/build, both made anew.
build_release_in() {
    local folder=$1
    rm -rf "$folder"
    mkdir -p "$folder/src"
    git -C "$ROOT" archive --format=tar HEAD | tar -x -C "$folder/src"
    cmake -S "$folder/src" -B "$folder/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$folder/src/cmake/toolchain-i686.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
    cmake --build "$folder/build" -j "$JOBS" --target "${RELEASE_PROGRAMS[@]}"
}

cmd_release() {
    cmd_setup
    local first=$BUILD_ROOT/release-work/first second program same=true
    # A second folder of another name and depth: no path of the first build may matter.
    second=$BUILD_ROOT/release-work/check/second-build
    log "release of commit $(git -C "$ROOT" rev-parse --short HEAD)"
    [ -z "$(git -C "$ROOT" status --porcelain)" ] ||
        log "note: uncommitted changes are not part of the release"
    build_release_in "$first"
    rm -rf "$RELEASE_DIR"
    mkdir -p "$RELEASE_DIR"
    for program in "${RELEASE_PROGRAMS[@]}"; do
        cp "$first/build/bin/$program.exe" "$RELEASE_DIR/"
    done
    (cd "$RELEASE_DIR" && sha256sum "${RELEASE_PROGRAMS[@]/%/.exe}" >SHA256SUMS && cat SHA256SUMS)
    log "second build in $second"
    build_release_in "$second"
    for program in "${RELEASE_PROGRAMS[@]}"; do
        cmp -s "$RELEASE_DIR/$program.exe" "$second/build/bin/$program.exe" || {
            echo "$program.exe differs between the two builds"
            same=false
        }
    done
    if $same; then
        echo "reproducible: the second build gave the same bytes; release in $RELEASE_DIR"
    else
        echo "NOT reproducible: compare $first/build and $second/build"
        return 1
    fi
}

# Signs the release's programs; the unsigned ones stay beside them for the reproducibility check.
cmd_sign() {
    [ $# -gt 0 ] ||
        { echo "usage: ./make.sh sign --pfx FILE [--pass-file FILE] [--timestamp URL]" >&2; return 2; }
    cmd_setup
    local program
    for program in "${RELEASE_PROGRAMS[@]}"; do
        [ -f "$RELEASE_DIR/$program.exe" ] ||
            { echo "no release to sign: run ./make.sh release first" >&2; return 1; }
    done
    "$ROOT/tools/release/sign.sh" "$@" "$RELEASE_DIR" "$RELEASE_DIR/signed"
}

case "${1:-}" in
setup) cmd_setup ;;
build) cmd_setup && cmd_build ;;
test) cmd_test ;;
demo) cmd_demo ;;
shots) shift && cmd_shots "$@" ;;
release) cmd_release ;;
sign) shift && cmd_sign "$@" ;;
check) shift && cmd_check "$@" ;;
bench) cmd_bench ;;
fuzz) shift && cmd_fuzz "$@" ;;
*)
    sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
