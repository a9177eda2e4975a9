#!/bin/sh
# vm/boot.sh: boots the guest once, with a work disk and a result disk, and waits for it within a bound.
# Usage: boot.sh ROOT_DIR WORK_IMG RESULT_IMG CONSOLE_LOG
#   ROOT_DIR is what make-root.sh printed. Its image is opened in snapshot mode: the guest may
#   write to its root, the cached image stays as made. The guest runs run.sh from WORK_IMG
#   (/dev/vdb); RESULT_IMG is /dev/vdc. The guest's console goes to stdout and CONSOLE_LOG.
# Env: LANE_TIMEOUT  seconds after which a guest is taken as hung and killed (default 1500)
# Exit: 0 the guest stopped by itself, 1 it was killed at the bound, 2 qemu is missing or failed.
set -eu
root=$1
work=$2
result=$3
log=$4
bound=${LANE_TIMEOUT:-1500}

if ! command -v qemu-system-x86_64 >/dev/null 2>&1; then
    echo "boot: qemu-system-x86_64 is missing: install the Debian package qemu-system-x86" >&2
    exit 2
fi

qemu_pid=""
tail_pid=""
stop() {
    [ -n "$qemu_pid" ] && kill "$qemu_pid" 2>/dev/null
    [ -n "$tail_pid" ] && kill "$tail_pid" 2>/dev/null
    return 0
}
trap stop EXIT
trap 'exit 130' INT TERM HUP

: >"$log"
# The kernel unpacked once (pvh-kernel.py): QEMU starts it at its PVH entry, without firmware.
kernel=$(/usr/bin/python3 "$(dirname "$0")/pvh-kernel.py" "$root") || kernel=$root/vmlinuz
# Nehalem, not max: under max every 32-bit Windows program dies at its first iret. No network
# device: the guest needs none, and it keeps the tests off the host's network. The serial
# console alone, without -nographic: that one also gives the firmware the console, and its
# terminal resets would clear the screen of whoever watches.
# norandmaps: QEMU keeps the code it has translated for a guest page by the page and the virtual
# address it ran at, so with the libraries at the same addresses in every process, each Wine
# process reuses what the ones before it had translated; with them placed at random, each
# translates them anew. cryptomgr.notests: the kernel's crypto self-tests take a second here.
# timeout ends a guest that hangs, and says so by its status (124); the wait below ends with the
# guest itself.
timeout "$bound" qemu-system-x86_64 -accel tcg,thread=multi -smp 2 -m 3072 -cpu Nehalem \
    -display none -nodefaults -serial stdio -no-reboot \
    -kernel "$kernel" -initrd "$root/initrd.img" \
    -drive "file=$root/root.img,format=raw,if=virtio,snapshot=on" \
    -drive "file=$work,format=raw,if=virtio,cache=unsafe" \
    -drive "file=$result,format=raw,if=virtio,cache=unsafe" \
    -append "root=/dev/vda rw rootfstype=ext4 console=ttyS0 quiet loglevel=3 panic=1 noresume fsck.mode=skip mitigations=off norandmaps cryptomgr.notests init=/sbin/lane-init" \
    </dev/null >"$log" 2>&1 &
qemu_pid=$!
tail -n +1 -f --pid="$qemu_pid" "$log" &
tail_pid=$!

status=0
wait "$qemu_pid" || status=$?
qemu_pid=""
wait "$tail_pid" 2>/dev/null || true
tail_pid=""
if [ "$status" -eq 124 ]; then
    echo "boot: the guest was still running after $bound s (LANE_TIMEOUT): killed. Its last console lines:" >&2
    tail -n 40 "$log" | tr -d '\r' >&2
    exit 1
fi
if [ "$status" -ne 0 ]; then
    echo "boot: qemu-system-x86_64 failed with status $status. Its last lines:" >&2
    tail -n 40 "$log" | tr -d '\r' >&2
    exit 2
fi
