#!/bin/sh
# tools/test.sh: installs what is missing, builds, and runs every test; exits non-zero on any failure.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/setup.sh"
"$top/tools/build.sh"
. "$top/tools/display.sh"
status=0
(cd "${BUILD_DIR:-$top/build}" && ctest --output-on-failure "$@") || status=$?
stop_display
exit $status
