#!/bin/sh
# The C++ sources keep the one format of .clang-format: lists every file clang-format would
# change and fails when there is one. `clang-format -i FILE` puts a file right.
#   check-format.sh CLANG_FORMAT SOURCE_DIR
set -eu
clang_format=${1:?usage: check-format.sh CLANG_FORMAT SOURCE_DIR}
cd "${2:?usage: check-format.sh CLANG_FORMAT SOURCE_DIR}"
unformatted=$(find src tests tools -name '*.cpp' -o -name '*.h' | sort |
    xargs "$clang_format" --dry-run 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: .*/\1/p' |
    uniq)
[ -z "$unformatted" ] && exit 0
echo "$unformatted" | sed 's/^/not in the project'"'"'s format: /'
exit 1
