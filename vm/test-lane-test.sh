#!/bin/sh
# vm/test-lane-test.sh: checks lane-test.sh on both sides of the lane: recording a run, and replaying it on the host.
# Usage: test-lane-test.sh    Exit 0 when every check holds; each failed check is named.
# lane-test.sh is copied beside a stand-in tools/can-run-i686.sh, so that either answer of the
# probe can be had on any machine.
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d "${TMPDIR:-/tmp}/lane-test.XXXXXX")
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/vm" "$dir/tools" "$dir/build/lane/results" "$dir/record"
cp "$here/lane-test.sh" "$dir/vm/"
probe() { printf '#!/bin/sh\nexit %s\n' "$1" >"$dir/tools/can-run-i686.sh"; chmod +x "$dir/tools/can-run-i686.sh"; }
bridge() { "$dir/vm/lane-test.sh" "$dir/build" "$@"; }
failures=0
check() { # NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: expected [$2], got [$3]"
        failures=$((failures + 1))
    fi
}
nl='
'

# Where 32-bit code runs and the lane records: both streams kept in order, the status kept and returned.
probe 0
out=$(LANE_RESULTS=$dir/record bridge t1 sh -c 'echo out; echo err >&2; exit 7')
check "recording run: status" 7 $?
check "recording run: output" "out${nl}err" "$out"
check "recording run: log" "out${nl}err" "$(cat "$dir/record/t1.log")"
check "recording run: rc file" 7 "$(cat "$dir/record/t1.rc")"

# Without LANE_RESULTS the command just runs, and nothing is written.
out=$(bridge t2 sh -c 'echo plain; exit 4')
check "plain run: status" 4 $?
check "plain run: output" plain "$out"
check "plain run: nothing recorded" "" "$(ls "$dir/record" | grep t2)"

# On a host that cannot run 32-bit code, the recorded run is replayed and the command is not run.
probe 1
cp "$dir/record/t1.log" "$dir/record/t1.rc" "$dir/build/lane/results/"
out=$(bridge t1 sh -c 'echo ran here; exit 0')
check "replay: status" 7 $?
check "replay: output" "out${nl}err" "$out"

# A test the lane never ran fails with a message that points at the lane.
out=$(bridge t3 true)
check "missing result: status" 1 $?
check "missing result: message" "t3: the 32-bit lane did not run it (see the output of lane_i686)" "$out"

# A passing test replays as passing.
echo 0 >"$dir/build/lane/results/t4.rc"
: >"$dir/build/lane/results/t4.log"
bridge t4 false
check "replayed pass: status" 0 $?

[ "$failures" -eq 0 ] && echo "lane-test.sh: all checks hold"
[ "$failures" -eq 0 ]
