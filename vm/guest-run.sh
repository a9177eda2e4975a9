#!/bin/sh
# vm/guest-run.sh: the guest's runner: runs the build's 32-bit runtime suite and writes the results onto the result disk.
# lane.sh puts it on the work disk as run.sh, beside lane.env (TOP, BUILD, LANE_CTEST_ARGS,
# BRING_PRISTINE, LANE_WINEDEBUG, LANE_ACCOUNTING) and tree/, which holds the checkout and the
# build tree under their host paths. /sbin/lane-init mounts the work disk on /lane/work, runs
# this, and powers off if this does not.
# The results go onto /dev/vdc as a tar archive: NAME.log and NAME.rc per test (written by
# lane-test.sh), lane-ctest-N.log and .rc for each of the suite's two prefixes and
# lane-ctest.log and .rc for the whole run, lane-seconds its duration, process-time.txt where
# asked for, and the pristine Wine prefix when lane.sh asks for it.
set -u
PATH=/usr/sbin:/usr/bin:/sbin:/bin
export PATH
started=$(date +%s)
echo "lane-guest: runner started, $(cut -d' ' -f1 /proc/uptime) s after the kernel"

disk=/lane/work
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sysfs /sys
mountpoint -q /dev || mount -t devtmpfs devtmpfs /dev
mkdir -p /dev/pts /dev/shm
mountpoint -q /dev/pts || mount -t devpts devpts /dev/pts
mountpoint -q /dev/shm || mount -t tmpfs -o mode=1777 shm /dev/shm
mountpoint -q /tmp || mount -t tmpfs -o mode=1777 tmp /tmp
mountpoint -q /run || mount -t tmpfs -o mode=755 run /run
mountpoint -q "$disk" || mount -t ext4 /dev/vdb "$disk"

. "$disk/lane.env"
# CTest's files name the checkout and the build tree by their absolute host paths.
for dir in "$TOP" "$BUILD"; do
    mkdir -p "$dir"
    mount --bind "$disk/tree$dir" "$dir"
done
# This file lies on the work disk, not in the checkout: the paths come from lane.env.
. "$TOP/tools/lib/project.sh"
top=$TOP build=$BUILD

results=$disk/results
rm -rf "$results"
mkdir -p "$results"
export LANE_RESULTS="$results" HOME=/root USER=root LOGNAME=root LANG=C.UTF-8
[ -z "${LANE_WINEDEBUG:-}" ] || export WINEDEBUG="$LANE_WINEDEBUG"
# The work disk is thrown away after the run: each test prefix is laid over the pristine that
# lane.sh brought rather than copied from it, and the pristine stays whole for the host.
export PRISTINE_OVERLAY=yes
cd "$BUILD"
# The suite's two prefixes run side by side (cmake/RuntimeTests.cmake), each on an X display of
# its own, so that neither's windows take the other's focus. A group without a display runs
# nothing and leaves no status: the host then shows the console. The second display starts once
# the first is up: the first start of Xvfb and openbox reads and translates their code, and two
# started together took 11 s where one took 5 s and the next under 2 s.
run_group() { # N: the tests of prefix N; their ctest's output goes to its log, and to the console with "prefix N: "
    if start_display; then
        echo "lane-guest: display $DISPLAY ready for prefix $1, $(cut -d' ' -f1 /proc/uptime) s after the kernel"
        : >"$disk/display-$1"
        # shellcheck disable=SC2086  # the extra arguments are words on purpose
        { ctest -L "i686_prefix$1" --output-on-failure ${LANE_CTEST_ARGS:-}; echo $? >"$results/lane-ctest-$1.rc"; } 2>&1 |
            tee "$results/lane-ctest-$1.log" | sed -u "s/^/prefix $1: /"
        stop_display
    fi
}
echo "lane-guest: the suite starts, $(cut -d' ' -f1 /proc/uptime) s after the kernel"
# LANE_ACCOUNTING=yes: the processor time each program took during the suite, by name, on the
# console and in process-time.txt among the results.
accounting=/tmp/lane-accounting
[ "${LANE_ACCOUNTING:-}" != yes ] || perl "$TOP/vm/process-time.pl" on "$accounting"
rm -f "$disk/display-1"
run_group 1 &
first=$!
await_file -e "$disk/display-1" "$first" || true
run_group 2 &
wait
if [ "${LANE_ACCOUNTING:-}" = yes ]; then
    perl "$TOP/vm/process-time.pl" off
    perl "$TOP/vm/process-time.pl" report "$accounting" | tee "$results/process-time.txt"
fi
# One log and one status for the whole suite, as one ctest would leave them.
cat "$results/lane-ctest-1.log" "$results/lane-ctest-2.log" >"$results/lane-ctest.log" 2>/dev/null
if [ -f "$results/lane-ctest-1.rc" ] && [ -f "$results/lane-ctest-2.rc" ]; then
    status=$(cat "$results/lane-ctest-1.rc")
    [ "$status" -ne 0 ] || status=$(cat "$results/lane-ctest-2.rc")
    echo "$status" >"$results/lane-ctest.rc"
fi
seconds=$(( $(date +%s) - started ))
echo "$seconds" >"$results/lane-seconds"
cd /
# The first lane on a root brings the pristine prefix that make-prefix.sh made back for the next.
test_prefix=$(prefix_dir i686 test)
pristine=""
[ "${BRING_PRISTINE:-no}" = yes ] && [ -f "$test_prefix.pristine/.complete" ] &&
    pristine="-C ${test_prefix%/*} ${test_prefix##*/}.pristine"
# shellcheck disable=SC2086  # two words on purpose
if tar -cf /dev/vdc -C "$results" . $pristine; then
    echo "lane-guest: end of run: ctest exit $(cat "$results/lane-ctest.rc"), $seconds s in the runner," \
         "$(cut -d' ' -f1 /proc/uptime) s after the kernel"
else
    echo "lane-guest: end of run: could not write the results onto /dev/vdc"
fi
sync
echo o >/proc/sysrq-trigger
