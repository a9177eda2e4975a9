#!/bin/sh
# tools/test.sh: installs what is missing, builds, and runs every test; exits non-zero on any failure.
# Arguments go to ctest (for example -R _i686 for the 32-bit runtime tests alone).
set -eu
. "$(dirname "$0")/lib/project.sh"
i686_road
"$top/tools/setup.sh"
"$top/tools/build.sh"
# On the guest road lane_i686 runs for minutes, and ctest shows a test's output only once it
# has ended: the lane writes what it does into a progress file, which is shown here as it grows.
# It goes to this script's output, terminal or log alike, and between ctest's own lines.
progress=$build/lane/progress
follower=""
trap '[ -z "$follower" ] || kill "$follower" 2>/dev/null; stop_display' EXIT
trap 'exit 130' INT TERM
start_display
mkdir -p "$build/lane"
: >"$progress"
tail -n +1 -f "$progress" 2>/dev/null &
follower=$!
why="this machine executes 32-bit code"
i686_runs_here || why="this machine cannot execute 32-bit code"
[ -z "${I686_ROAD:-}" ] || why="I686_ROAD=$I686_ROAD"
if [ "$i686_road" = native ]; then
    echo "test.sh: $why: the runtime suite runs on the shipped i686 programs and on their x86_64 twins, both here."
else
    echo "test.sh: $why: the runtime suite runs on the x86_64 twins here, and on the shipped i686 programs in a virtual machine (lane_i686)."
fi
cd "$build"
ctest --output-on-failure "$@"
