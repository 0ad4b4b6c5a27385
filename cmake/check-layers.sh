#!/bin/sh
# The folders of src/ form layers, and a file includes only from its own folder and the layers
# below it:
#
#   app -> windows -> setup -> language -> markup -> text -> platform -> strings
#          windows -> toolkit -> platform
#
# Prints every include that points another way and fails when there is one.
set -eu
src=${1:?usage: check-layers.sh SRC_FOLDER}

below() {
    case $1 in
    app) echo "windows toolkit setup language markup text platform strings" ;;
    windows) echo "toolkit setup language markup text platform strings" ;;
    setup) echo "language markup text platform strings" ;;
    language) echo "markup text platform strings" ;;
    markup) echo "text platform strings" ;;
    text) echo "platform strings" ;;
    toolkit) echo "platform strings" ;;
    platform) echo "strings" ;;
    strings) echo "" ;;
    *) echo "?" ;;
    esac
}

status=0
cd "$src"
for file in */*.h */*.cpp; do
    folder=${file%%/*}
    allowed="$folder $(below "$folder")"
    for target in $(sed -n 's|^#include "\([a-z]*\)/.*"|\1|p' "$file"); do
        case " $allowed " in
        *" $target "*) ;;
        *)
            echo "$file includes from $target/, which is not below $folder/"
            status=1
            ;;
        esac
    done
done
exit $status
