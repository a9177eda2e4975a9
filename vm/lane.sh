#!/bin/sh
# vm/lane.sh: runs the build's 32-bit runtime suite once in a virtual machine, where this machine cannot run 32-bit code.
# Usage: lane.sh TOP BUILD    (the checkout and the i686 build tree, as CTest's files name them)
#   Results land in BUILD/lane/results, one NAME.log and NAME.rc per test, for lane-test.sh.
#   The guest's console is kept in BUILD/lane/console.log.
# Env: LANE_CACHE, LANE_MIRROR (make-root.sh), LANE_TIMEOUT (boot.sh), and LANE_CTEST_ARGS:
#   more arguments for the guest's ctest, such as "-R core".
# Exit: 0 when the guest brought results back, whatever the tests' own outcome (each test
#   reports its own); 1 when it did not.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
case $1 in /*) top=$1 ;; *) top=$(pwd)/$1 ;; esac
case $2 in /*) build=$2 ;; *) build=$(pwd)/$2 ;; esac
top=${top%/}
build=${build%/}

if "$top/tools/can-run-i686.sh"; then
    echo "lane: this machine executes 32-bit code, so the 32-bit suite runs natively here"
    exit 0
fi

fail() { echo "lane: $*" >&2; exit 1; }
[ "$top" != "$build" ] || fail "the build tree must be a folder of its own, not the checkout itself"
for need in qemu-system-x86_64:qemu-system-x86 debootstrap:debootstrap mkfs.ext4:e2fsprogs; do
    command -v "${need%%:*}" >/dev/null 2>&1 ||
        fail "${need%%:*} is missing: install the Debian package ${need#*:} (apt-get install ${need#*:})"
done

lane=$build/lane
stage=$lane/stage
mkdir -p "$lane"
# Two lanes of one build tree would remove each other's disks and results: the second waits.
exec 8>"$lane/lock"
flock 8
rm -rf "$lane/results" "$stage" "$lane/work.img" "$lane/result.img"
boot_pid=""
trap '[ -z "$boot_pid" ] || kill "$boot_pid" 2>/dev/null; rm -rf "$stage" "$lane/work.img" "$lane/result.img"' EXIT
trap 'exit 1' INT TERM HUP
t0=$(date +%s)

root=$("$here/make-root.sh") || fail "could not make the guest's root (see above)"
t1=$(date +%s)

# The guest gets a copy of the checkout and the build tree, never the folders themselves:
# hard links make the copy at once, and mkfs.ext4 copies the data into the work disk.
link() { cp -al "$1" "$2" 2>/dev/null || { rm -rf "$2/${1##*/}"; cp -a "$1" "$2"; }; }
mkdir -p "$stage/tree$top" "$stage/tree$build"
for entry in "$top"/* "$top"/.[!.]* "$top"/..?*; do
    [ -e "$entry" ] || [ -L "$entry" ] || continue
    case $entry in "$top/.git") continue ;; esac
    case $build/ in "$entry"/*) continue ;; esac
    link "$entry" "$stage/tree$top"
done
# Not the x86_64 twin, not this lane's own files, not the Wine prefixes: the guest makes its own.
for entry in "$build"/* "$build"/.[!.]*; do
    [ -e "$entry" ] || [ -L "$entry" ] || continue
    case ${entry##*/} in x86_64 | lane | *prefix*) continue ;; esac
    link "$entry" "$stage/tree$build"
done
find "$stage/tree" -type d -name dosdevices | while read -r dir; do rm -rf "${dir%/dosdevices}"; done
cp "$here/guest-run.sh" "$stage/run.sh"
quote() { printf "'%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"; }
{
    echo "TOP=$(quote "$top")"
    echo "BUILD=$(quote "$build")"
    echo "LANE_CTEST_ARGS=$(quote "${LANE_CTEST_ARGS:-}")"
} >"$stage/lane.env"
# Room for the prefixes and whatever else the suite writes; the image file stays sparse.
size=$(( $(du -sm "$stage" | cut -f1) + 4096 ))
mkfs.ext4 -q -F -L lane-work -d "$stage" "$lane/work.img" "${size}M" >/dev/null
rm -rf "$stage"
truncate -s 256M "$lane/result.img"
t2=$(date +%s)

# In the background, so that a signal to this script stops the machine at once (boot.sh kills
# qemu on its way out) rather than after the run.
boot=0
"$here/boot.sh" "$root" "$lane/work.img" "$lane/result.img" "$lane/console.log" &
boot_pid=$!
wait "$boot_pid" || boot=$?
boot_pid=""
t3=$(date +%s)

mkdir -p "$lane/results"
tar -xf "$lane/result.img" -C "$lane/results" 2>/dev/null || true
if [ ! -f "$lane/results/lane-ctest.rc" ]; then
    rm -rf "$lane/results"
    case $boot in
        1) fail "the guest hung and was killed (LANE_TIMEOUT); no results. Its console: $lane/console.log" ;;
        2) fail "the virtual machine did not run; no results (see above)" ;;
    esac
    echo "lane: the guest stopped without bringing results back. Its last console lines ($lane/console.log):" >&2
    tail -n 40 "$lane/console.log" | tr -d '\r' >&2
    exit 1
fi

tests=$(cat "$lane/results/lane-seconds" 2>/dev/null || echo 0)
echo "lane: the guest's ctest exited with $(cat "$lane/results/lane-ctest.rc"); results in $lane/results"
echo "lane: $((t3 - t0)) s in all: guest's root $((t1 - t0)) s, work disk $((t2 - t1)) s," \
     "boot and shutdown $((t3 - t2 - tests)) s, tests $tests s"
