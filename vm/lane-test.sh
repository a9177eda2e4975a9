#!/bin/sh
# vm/lane-test.sh: runs one 32-bit runtime test, records it for the host, or replays what the guest recorded.
# Usage: lane-test.sh BUILD NAME COMMAND [ARGS...]
#   In the guest (LANE_RESULTS set) COMMAND runs, and its output and status are also kept as
#   $LANE_RESULTS/NAME.log and NAME.rc. On the host, lane_i686 has written the road it took
#   into BUILD (keep_road in tools/lib/project.sh): native runs COMMAND here; guest replays
#   BUILD/lane/results/NAME.*. Neither the machine nor I686_ROAD is asked again.
# Exit: COMMAND's status, or the recorded one; 1 when there is no road or no result for NAME.
set -u
. "$(dirname "$0")/../tools/lib/project.sh"
build=$1
name=$2
shift 2

if [ -n "${LANE_RESULTS:-}" ]; then
    "$@" >"$LANE_RESULTS/$name.log" 2>&1
    status=$?
    cat "$LANE_RESULTS/$name.log"
    echo "$status" >"$LANE_RESULTS/$name.rc"
    exit "$status"
fi

if ! lane_road "$build"; then
    echo "$name: no road for the 32-bit suite in $build/lane/road: lane_i686 decides it, run the test through ctest"
    exit 1
fi
[ "$lane_road" = guest ] || exec "$@"
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
