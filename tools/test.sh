#!/bin/sh
# tools/test.sh: installs what is missing, builds, and runs every test; exits non-zero on any failure.
# Arguments go to ctest (for example -R _i686 for the 32-bit runtime tests alone).
set -eu
. "$(dirname "$0")/lib/project.sh"
i686_road
"$top/tools/setup.sh"
"$top/tools/build.sh"
trap stop_display EXIT
trap 'exit 130' INT TERM
start_display
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
