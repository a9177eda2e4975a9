#!/bin/sh
# tools/bench.sh: builds everything and benchmarks the installer and the launcher under Wine, beside a floor program.
# Usage: sh tools/bench.sh [--runs N] [other options of bench/driver/main.cpp]
#
# Measures in a prefix of its own prepared like an NT server (build/benchprefix), with a warm
# wineserver, and prints the table with the machine's load. Missed goals do not fail it; a
# broken measurement does.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
"$top/tools/setup.sh"
"$top/tools/build.sh"
. "$top/tools/display.sh"
prefix=$build/benchprefix
finish() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    stop_display || true
}
trap finish EXIT
trap 'exit 130' INT TERM

# The prefix script leaves a persistent wineserver with the desktop and services started, so
# no measured run pays for Wine's own start-up; the driver adds a warm-up round of each program.
# wine-run.sh keeps Wine's menu builder out: Windows has nothing like it, and the two it would
# start for each installation's shortcuts would still be running into the next measured run.
"$top/sandbox/make-prefix.sh" "$prefix" "$build/sandbox/prepare_prefix.exe" "$build/sandbox/url_recorder.exe"

echo "load before: $(uptime)"
status=0
"$top/sandbox/wine-run.sh" "$prefix" "$build/bench/bench_driver.exe" \
    --wine-floor "$build/bench/bench_wine_floor.exe" --floor "$build/bench/bench_floor.exe" \
    --installer "$build/bin/Brantovell.exe" --launcher "$build/bin/launcher.exe" "$@" || status=$?
echo
echo "machine: $(nproc) CPUs, $(wine --version)"
echo "load after: $(uptime)"
exit $status
