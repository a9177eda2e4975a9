#!/bin/sh
# tools/run.sh: installs what is missing, builds, and runs the main job in a sandbox Wine prefix.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
"$top/tools/setup.sh"
"$top/tools/build.sh"
. "$top/tools/display.sh"
prefix=$build/sandbox
tests=$build/tests
"$top/tests/wine/make-prefix.sh" "$prefix" "$tests/prepare_prefix.exe" "$tests/url_recorder.exe"
run() { "$top/tests/wine/wine-run.sh" "$prefix" "$@"; }

echo "== launcher.exe, in the sandbox prefix $prefix"
rm -f "$prefix/drive_c/tools/urls.log"
run "$build/bin/launcher.exe"
echo "launcher exit code: $?"
i=0
while [ ! -s "$prefix/drive_c/tools/urls.log" ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
echo "URLs the shell was asked to open:"
sed 's/^/  /' "$prefix/drive_c/tools/urls.log" 2>/dev/null || echo "  (none)"

WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
stop_display
