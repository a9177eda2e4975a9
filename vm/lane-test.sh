#!/bin/sh
# vm/lane-test.sh: runs one 32-bit runtime test where 32-bit code runs, or reports what it did in the virtual machine.
# Usage: lane-test.sh BUILD NAME COMMAND [ARGS...]
#   Where this machine can execute 32-bit code (natively, or inside the guest) COMMAND runs;
#   with LANE_RESULTS set its output and status are also kept as $LANE_RESULTS/NAME.log and
#   NAME.rc. Elsewhere the output and status come from BUILD/lane/results, which lane.sh fills.
# Exit: COMMAND's status, or the recorded one; 1 when the lane left no result for NAME.
set -u
build=$1
name=$2
shift 2
top=$(dirname "$0")/..

if "$top/tools/can-run-i686.sh"; then
    [ -n "${LANE_RESULTS:-}" ] || exec "$@"
    "$@" >"$LANE_RESULTS/$name.log" 2>&1
    status=$?
    cat "$LANE_RESULTS/$name.log"
    echo "$status" >"$LANE_RESULTS/$name.rc"
    exit "$status"
fi

results=$build/lane/results
if [ ! -f "$results/$name.rc" ]; then
    echo "$name: the 32-bit lane did not run it (see the output of lane_i686)"
    exit 1
fi
cat "$results/$name.log" 2>/dev/null
status=$(cat "$results/$name.rc")
case $status in
    '' | *[!0-9]*) echo "$name: the lane recorded no status but '$status'"; exit 1 ;;
esac
exit "$status"
