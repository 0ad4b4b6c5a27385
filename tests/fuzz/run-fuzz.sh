#!/usr/bin/env bash
# Runs the reader's fuzz target from the committed seeds and tells the result.
#
#   run-fuzz.sh FUZZER WORKDIR [LIBFUZZER OPTION...]   e.g. -runs=20000 or -max_total_time=600
#
# New inputs go to WORKDIR/corpus, which each run starts empty; an input that crashes, hangs or
# leaks is kept in WORKDIR/artifacts and the script fails. Hangs are inputs that take longer
# than 10 s.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
fuzzer=$1
work=$2
shift 2

rm -rf "$work/corpus" "$work/artifacts"
mkdir -p "$work/corpus" "$work/artifacts"
log=$work/fuzz.log

ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:malloc_context_size=10} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
    "$fuzzer" -timeout=10 -max_len=4096 -print_final_stats=1 -dict="$here/reader.dict" \
    -artifact_prefix="$work/artifacts/" "$@" "$work/corpus" "$here/corpus" >"$log" 2>&1
status=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
artifacts=$(find "$work/artifacts" -type f)
if [ "$status" -eq 0 ] && [ -z "$artifacts" ]; then
    echo "reader fuzz: ${executions:-?} inputs in ${seconds:-?} s, no crash, hang or leak"
    exit 0
fi
tail -n 60 "$log"
echo "reader fuzz: FAILED (exit $status) after ${executions:-?} inputs; log $log"
[ -n "$artifacts" ] && echo "failing input (run it again with: $fuzzer FILE): $artifacts"
exit 1
