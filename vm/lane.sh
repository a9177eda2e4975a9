#!/bin/sh
# vm/lane.sh: decides how the build's 32-bit runtime suite runs, and runs it once in a virtual machine where it must.
# Usage: lane.sh TOP BUILD    (the checkout and the i686 build tree, as CTest's files name them)
#   Decides the road (tools/lib/project.sh) and writes it into BUILD for lane-test.sh. On the
#   guest road each lane keeps its own folder BUILD/lane/runs/TIME: the guest's console
#   (console.log), its ctest's output and status, and one NAME.log and NAME.rc per test;
#   BUILD/lane/results names the newest. The last few runs are kept. What it does, as it does
#   it, goes into BUILD/lane/progress too: the root made or taken from the cache, the boot, and
#   each guest test's result and time; tools/test.sh shows that file while ctest runs, since
#   ctest holds a test's output back until the test ends.
# Env: LANE_CACHE, LANE_MIRROR (make-root.sh), LANE_TIMEOUT (boot.sh), LANE_CTEST_ARGS:
#   more arguments for the guest's ctest, such as "-R core", and LANE_WINEDEBUG: Wine's debug
#   channels for the guest's programs, to trace a failure (such as "+timestamp,+message"), and
#   LANE_ACCOUNTING=yes: the processor time of each program the suite ran (process-time.pl).
# Exit: 0 when the guest brought back a result for every test it was to run, whatever the
#   tests' own outcome (each test reports its own); 1 when it did not, saying why.
set -eu
. "$(dirname "$0")/../tools/lib/project.sh"
case $1 in /*) top=$1 ;; *) top=$(pwd)/$1 ;; esac
case $2 in /*) build=$2 ;; *) build=$(pwd)/$2 ;; esac
top=${top%/}
build=${build%/}
runs_kept=5

fail() { echo "lane: $*" >&2; [ -z "${progress:-}" ] || echo "lane: FAILED: $*" >>"$progress"; exit 1; }
if [ -n "${LANE_RESULTS:-}" ]; then
    echo "lane: this is the guest; the suite runs here"
    exit 0
fi
i686_road || fail "no road for the 32-bit suite (see above)"
lane=$build/lane
mkdir -p "$lane/runs"
# Two lanes of one build tree would remove each other's disks and results: the second waits.
exec 8>"$lane/lock"
flock 8
keep_road "$build"
if [ "$i686_road" = native ]; then
    echo "lane: this machine executes 32-bit code, so the 32-bit suite runs natively here"
    exit 0
fi
progress=$lane/progress
: >"$progress"
say() { echo "lane: $*"; echo "lane: $*" >>"$progress"; }
# Appends the lines of FILE that the sed script SCRIPT prints to the progress file, as FILE
# grows, until the process PID has ended. Only sed -u in the pipe: any other filter would hold
# the lines back in its buffer until the end.
follow() { # FILE PID SCRIPT
    tail -n +1 -F --pid="$2" "$1" 2>/dev/null | sed -un "s/\r\$//; $3" | sed -u 's/   */ /g' >>"$progress"
}
[ "$top" != "$build" ] || fail "the build tree must be a folder of its own, not the checkout itself"
for need in qemu-system-x86_64:qemu-system-x86 debootstrap:debootstrap mkfs.ext4:e2fsprogs; do
    command -v "${need%%:*}" >/dev/null 2>&1 ||
        fail "${need%%:*} is missing: install the Debian package ${need#*:} (apt-get install ${need#*:})"
done

run=$lane/runs/$(date -u +%Y%m%d-%H%M%S.%N)
stage=$lane/stage
rm -rf "$lane/results" "$stage" "$lane/work.img" "$lane/result.img" "$run"
mkdir -p "$run"
boot_pid=""
root_pid=""
trap '[ -z "$boot_pid" ] || kill "$boot_pid" 2>/dev/null; [ -z "$root_pid" ] || kill "$root_pid" 2>/dev/null
      rm -rf "$stage" "$lane/work.img" "$lane/result.img"' EXIT
trap 'exit 1' INT TERM HUP
t0=$(date +%s)

# make-root.sh says what it does on stderr only when it makes a root; its lines are shown as
# they come, and kept in the run's folder.
"$top/vm/make-root.sh" >"$run/root-path" 2>"$run/make-root.log" &
root_pid=$!
follow "$run/make-root.log" "$root_pid" "s/^make-root: /lane: the guest's root: /p" &
status=0
wait "$root_pid" || status=$?
root_pid=""
wait
cat "$run/make-root.log" >&2
[ "$status" -eq 0 ] || fail "could not make the guest's root (see above)"
root=$(cat "$run/root-path")
t1=$(date +%s)
if [ -s "$run/make-root.log" ]; then
    say "the guest's root was made in $((t1 - t0)) s: $root"
else
    say "the guest's root is taken from the cache: $root"
fi

# The guest's pristine Wine prefix takes a minute of emulation to make. The first lane on a
# root brings it back; later lanes give the guest that copy. It is named by the scripts that
# make it, so a change to them makes a new one.
test_prefix=$(prefix_dir i686 test)
pristine=$root/pristine-$(cat "$top/sandbox/make-pristine.sh" "$top/sandbox/wine-arch.sh" | sha256sum | cut -c1-16)

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
twin=$(arch_build_dir x86_64)
for entry in "$build"/* "$build"/.[!.]*; do
    [ -e "$entry" ] || [ -L "$entry" ] || continue
    [ "$entry" != "$twin" ] || continue
    case ${entry##*/} in lane | *prefix*) continue ;; esac
    link "$entry" "$stage/tree$build"
done
find "$stage/tree" -type d -name dosdevices | while read -r dir; do rm -rf "${dir%/dosdevices}"; done
if [ -f "$pristine/.complete" ]; then
    cp -al "$pristine" "$stage/tree$test_prefix.pristine"
    bring_pristine=no
    say "the guest's pristine Wine prefix is taken from the cache"
else
    bring_pristine=yes
    say "the guest makes its pristine Wine prefix first (about a minute and a half), and brings it back"
fi
cp "$top/vm/guest-run.sh" "$stage/run.sh"
quote() { printf "'%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"; }
{
    echo "TOP=$(quote "$top")"
    echo "BUILD=$(quote "$build")"
    echo "LANE_CTEST_ARGS=$(quote "${LANE_CTEST_ARGS:-}")"
    echo "BRING_PRISTINE=$bring_pristine"
    echo "LANE_WINEDEBUG=$(quote "${LANE_WINEDEBUG:-}")"
    echo "LANE_ACCOUNTING=$(quote "${LANE_ACCOUNTING:-}")"
} >"$stage/lane.env"
# Room for the prefixes and whatever else the suite writes; the image file stays sparse.
size=$(( $(du -sm "$stage" | cut -f1) + 4096 ))
mkfs.ext4 -q -F -L lane-work -d "$stage" "$lane/work.img" "${size}M" >/dev/null
rm -rf "$stage"
truncate -s 2G "$lane/result.img"
t2=$(date +%s)
say "work disk made in $((t2 - t1)) s; booting the guest (software emulation, killed after ${LANE_TIMEOUT:-1500} s)"

# In the background, so that a signal to this script stops the machine at once (boot.sh kills
# qemu on its way out) rather than after the run.
boot=0
"$top/vm/boot.sh" "$root" "$lane/work.img" "$lane/result.img" "$run/console.log" &
boot_pid=$!
# From the guest's console: its runner's words, and each result of its two ctests (one a prefix).
follow "$run/console.log" "$boot_pid" \
    "s/^lane-guest: /lane: guest: /p; s/^prefix \([0-9]*\): *\([0-9]*\/[0-9]*\) *Test *#[0-9]*: *\([^ ]*\)[ .]*\(.*[^ ]\) *\$/lane: guest: prefix \1, test \2 \3: \4/p" &
wait "$boot_pid" || boot=$?
boot_pid=""
wait
t3=$(date +%s)

# The newest runs are kept, each with its console beside its results.
ln -sfn "runs/${run##*/}" "$lane/results"
ls -d "$lane"/runs/* | sort -r | tail -n +$((runs_kept + 1)) | while read -r old; do rm -rf "$old"; done
tar -xf "$lane/result.img" -C "$run" 2>/dev/null || true
brought=$run/${test_prefix##*/}.pristine
if [ -f "$brought/.complete" ]; then
    rm -rf "$root"/pristine-*
    mv "$brought" "$pristine.new"
    mv "$pristine.new" "$pristine"
    echo "lane: kept the guest's pristine Wine prefix for the next lanes: $pristine"
fi
rm -rf "$brought"

# What the guest was to run, by the host's own list; each must have come back with a status.
# shellcheck disable=SC2086  # the extra arguments are words on purpose
expected=$(cd "$build" && ctest -N -L i686_runtime ${LANE_CTEST_ARGS:-} |
           sed -n 's/^ *Test *#[0-9]*: *//p' | grep -vx lane_i686) || true
missing=""
for name in $expected; do
    [ -f "$run/$name.rc" ] || missing="$missing $name"
done
echo "lane: the guest's console and results: $run"
if [ ! -f "$run/lane-ctest.rc" ] || [ -n "$missing" ]; then
    case $boot in
        1) echo "lane: the guest hung and was killed (LANE_TIMEOUT)" >&2 ;;
        2) echo "lane: the virtual machine did not run (see above)" >&2 ;;
    esac
    if [ -f "$run/lane-ctest.rc" ]; then
        echo "lane: the guest's ctest exited with $(cat "$run/lane-ctest.rc"); the end of its output:" >&2
        tail -n 25 "$run/lane-ctest.log" >&2
    else
        echo "lane: the guest's ctest left no status" >&2
    fi
    echo "lane: the guest's last console lines:" >&2
    tail -n 25 "$run/console.log" | tr -d '\r' >&2
    fail "no result came back for:${missing:- any test}"
fi

tests=$(cat "$run/lane-seconds" 2>/dev/null || echo 0)
echo "lane: the guest's ctest exited with $(cat "$run/lane-ctest.rc")"
say "$((t3 - t0)) s in all: guest's root $((t1 - t0)) s, work disk $((t2 - t1)) s," \
    "boot and shutdown $((t3 - t2 - tests)) s, tests $tests s"
