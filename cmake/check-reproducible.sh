#!/bin/sh
# Checks the traces that would make two builds of the same sources differ: the PE header's time
# stamp must be 0 (the linker's --no-insert-timestamp), and neither the source folder nor the
# build folder may appear in the program's bytes (the compiler's path maps). Two real builds in
# different folders are compared by `make.sh release`; this catches the usual regressions at once.
#   check-reproducible.sh SOURCE_DIR BUILD_DIR PROGRAM...
source_dir=$1
build_dir=$2
shift 2
status=0
clean=true
fail() { echo "FAIL: $*"; status=1; clean=false; }

# The COFF header follows the "PE\0\0" signature at the offset stored at 0x3C; its time stamp is
# the header's third field, 8 bytes in.
pe_time_stamp() {
    header=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    od -An -t u4 -j $((header + 8)) -N 4 "$1" | tr -d ' '
}

for program in "$@"; do
    name=$(basename "$program")
    clean=true
    stamp=$(pe_time_stamp "$program")
    [ "$stamp" = 0 ] || fail "$name: the PE header carries the time stamp $stamp"
    for folder in "$source_dir" "$build_dir"; do
        ! grep -qaF "$folder" "$program" || fail "$name: holds the folder $folder"
    done
    $clean && echo "$name: time stamp 0, no build or source folder inside"
done
exit $status
