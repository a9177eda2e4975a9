#!/bin/sh
# vm/test-lane-test.sh: checks lane-test.sh on both sides of the lane: recording a run in the guest,
# running natively, and replaying the guest's results on the host; and what it takes from
# tools/lib/project.sh: the road lane_i686 wrote down, and the display its tests run on.
# Usage: test-lane-test.sh    Exit 0 when every check holds; each failed check is named.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tools/lib/project.sh"
dir=$(mktemp -d "${TMPDIR:-/tmp}/lane-test.XXXXXX")
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/build/lane/results" "$dir/record"
road() { echo "$1" >"$dir/build/lane/road"; }
# The build is the one CTest names, whatever BUILD_DIR says.
bridge() { BUILD_DIR=$dir/elsewhere "$here/lane-test.sh" "$dir/build" "$@"; }
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

# The road is the one lane_i686 wrote down for the build: neither I686_ROAD nor the machine
# changes it for a test, and a road file that says neither road is no road.
road guest
out=$(I686_ROAD=native bridge t1 sh -c 'echo ran here; exit 0')
check "written guest road beats I686_ROAD: status" 7 $?
check "written guest road beats I686_ROAD: output" "out${nl}err" "$out"
road native
out=$(I686_ROAD=guest bridge t1 sh -c 'echo ran here; exit 3')
check "written native road beats I686_ROAD: status" 3 $?
check "written native road beats I686_ROAD: output" "ran here" "$out"
road sideways
out=$(bridge t1 sh -c 'echo ran here; exit 0')
check "unreadable road: status" 1 $?
case $out in *"no road"*) ;; *) check "unreadable road: message" "a message about the road" "$out" ;; esac

# What lane_i686 keeps is what the bridge reads; an I686_ROAD that is neither road is refused.
rm -rf "$dir/kept"
out=$(I686_ROAD=guest; keep_road "$dir/kept" && lane_road "$dir/kept" && echo "$lane_road")
check "kept road read back" guest "$out"
out=$(I686_ROAD=sideways; keep_road "$dir/kept" 2>&1)
check "unknown road: refused" 2 $?
case $out in *"I686_ROAD is 'sideways'"*) ;; *) check "unknown road: message" "a message naming it" "$out" ;; esac
check "unknown road: nothing written over the kept one" guest "$(cat "$dir/kept/lane/road")"

# Sourcing the project's file for every test starts no display and ends nothing: without a
# display, the test's own command runs and finds none.
road native
out=$(env -u DISPLAY "$here/lane-test.sh" "$dir/build" t7 sh -c 'echo "display: ${DISPLAY:-none}"')
check "sourcing starts no display" "display: none" "$out"

# start_display: on return Xvfb takes connections and openbox manages the screen, stop_display
# ends both, and a display that is set already is left alone.
none_runs() { # PIDS: none runs (an ended one not yet reaped is a zombie, Z)
    for _pid in "$@"; do
        ! sed -n 's/.*) \([^Z]\).*/\1/p' "/proc/$_pid/stat" 2>/dev/null | grep -q . || return 1
    done
}
out=$(
    unset DISPLAY
    start_display || exit
    pids=$started_display
    echo "$(xdotool getdisplaygeometry) $(xdotool get_desktop 2>&1)"
    stop_display
    await none_runs $pids && echo "both ended" || echo "still running: $pids"
)
check "private display: size, window manager, end" "1024 768 0${nl}both ended" "$out"
out=$(DISPLAY=:4242; start_display && echo "$DISPLAY [$started_display]")
check "a set display is left alone" ":4242 []" "$out"

# Two displays started at once: each gets one of its own, even when both picked the same free
# number. Each holds its display until both have one.
holder() { # NAME
    unset DISPLAY
    start_display || exit
    echo "$DISPLAY $(xdotool getdisplaygeometry)" >"$dir/$1.display"
    await test -e "$dir/release"
    stop_display
}
rm -f "$dir/release" "$dir"/*.display
holder one & one=$!
holder two & two=$!
both_hold() { [ -s "$dir/one.display" ] && [ -s "$dir/two.display" ]; }
await both_hold
first=$(cat "$dir/one.display" 2>/dev/null)
second=$(cat "$dir/two.display" 2>/dev/null)
touch "$dir/release"
wait "$one" "$two"
case "$first|$second" in
    ":"*" 1024 768|:"*" 1024 768") [ "${first%% *}" != "${second%% *}" ] ||
        check "two at once: displays of their own" "two display numbers" "$first and $second" ;;
    *) check "two at once: both answer" "':N 1024 768' twice" "[$first] and [$second]" ;;
esac

[ "$failures" -eq 0 ] && echo "lane-test.sh: all checks hold"
[ "$failures" -eq 0 ]
