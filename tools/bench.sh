#!/bin/sh
# tools/bench.sh: builds everything and benchmarks the installer and the launcher under Wine, beside a floor program.
# Usage: sh tools/bench.sh [--runs N] (40 by default) [other options of bench/driver/main.cpp]
#
# Measures in a prefix of its own prepared like an NT server (benchprefix in the build folder of
# the architecture measured), with a warm
# wineserver, and prints the table with the machine's load. Missed goals do not fail it; a
# broken measurement does.
set -eu
. "$(dirname "$0")/lib/project.sh"
# Besides the job's warm wineserver, the driver adds a warm-up round of each program, so no
# measured run pays for Wine's own start-up. The prefix has no menu builder (make-prefix.sh):
# Windows has nothing like it, and Wine would start one for each shortcut an installation saves,
# inside the measured Continue, in the installer and the floor alike.
start_job bench
# Every program of one run is of the one architecture this machine can run, floors included,
# so the ratios compare like with like; the file sizes judged are the shipped programs'.
shipped=""
[ "$arch" = i686 ] || shipped="--shipped-installer $build/bin/Brantovell.exe --shipped-launcher $build/bin/launcher.exe"

echo "measuring the $arch programs in $dir"
echo "load before: $(uptime)"
status=0
"$top/sandbox/wine-run.sh" "$arch" "$prefix" "$dir/bench/bench_driver.exe" \
    --wine-floor "$dir/bench/bench_wine_floor.exe" --floor "$dir/bench/bench_floor.exe" \
    --installer "$dir/bin/Brantovell.exe" --launcher "$dir/bin/launcher.exe" $shipped "$@" || status=$?
echo
echo "machine: $(nproc) CPUs, $(. "$top/sandbox/wine-arch.sh"; "$WINELOADER" --version)"
echo "load after: $(uptime)"
exit $status
