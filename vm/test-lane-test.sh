#!/bin/sh
# vm/test-lane-test.sh: checks lane-test.sh on both sides of the lane: recording a run in the guest,
# running natively, and replaying the guest's results on the host.
# Usage: test-lane-test.sh    Exit 0 when every check holds; each failed check is named.
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d "${TMPDIR:-/tmp}/lane-test.XXXXXX")
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/build/lane/results" "$dir/record"
road() { echo "$1" >"$dir/build/lane/road"; }
bridge() { "$here/lane-test.sh" "$dir/build" "$@"; }
failures=0
check() { # NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: expected [$2], got [$3]"
        failures=$((failures + 1))
    fi
}
nl='
'

# In the guest the run is recorded whatever the road file says: both streams kept in order,
# the status kept and returned.
road guest
out=$(LANE_RESULTS=$dir/record bridge t1 sh -c 'echo out; echo err >&2; exit 7')
check "recording run: status" 7 $?
check "recording run: output" "out${nl}err" "$out"
check "recording run: log" "out${nl}err" "$(cat "$dir/record/t1.log")"
check "recording run: rc file" 7 "$(cat "$dir/record/t1.rc")"

# On the native road the command just runs, and nothing is written.
road native
out=$(bridge t2 sh -c 'echo plain; exit 4')
check "native run: status" 4 $?
check "native run: output" plain "$out"
check "native run: nothing recorded" "" "$(ls "$dir/record" "$dir/build/lane/results" | grep t2)"

# On the guest road the recorded run is replayed and the command is not run.
road guest
cp "$dir/record/t1.log" "$dir/record/t1.rc" "$dir/build/lane/results/"
out=$(bridge t1 sh -c 'echo ran here; exit 0')
check "replay: status" 7 $?
check "replay: output" "out${nl}err" "$out"

# A test the lane never ran fails with a message that points at the lane.
out=$(bridge t3 true)
check "missing result: status" 1 $?
check "missing result: message" "t3: the 32-bit lane did not run it (see the output of lane_i686)" "$out"

# A passing test replays as passing; a status that is not a number fails.
echo 0 >"$dir/build/lane/results/t4.rc"
: >"$dir/build/lane/results/t4.log"
bridge t4 false
check "replayed pass: status" 0 $?
echo oops >"$dir/build/lane/results/t5.rc"
bridge t5 true >/dev/null
check "unreadable status: status" 1 $?

# Without a road (lane_i686 has not run) nothing runs and the test fails, saying why.
rm -f "$dir/build/lane/road"
out=$(bridge t6 sh -c 'echo ran; exit 0')
check "no road: status" 1 $?
case $out in *"no road"*) ;; *) check "no road: message" "a message about the road" "$out" ;; esac

[ "$failures" -eq 0 ] && echo "lane-test.sh: all checks hold"
[ "$failures" -eq 0 ]
