#!/bin/sh
# sandbox/make-prefix.sh: lays out a throwaway Wine prefix prepared like an NT server.
# Usage: make-prefix.sh ARCH PREFIX PRISTINE PREPARE_EXE RECORDER_EXE [TARGET]   ARCH is i686 or
# x86_64; TARGET, the Windows whose shape the prefix takes (nt40, win2k, winxp, win2003), is
# prepare_prefix's default when not given.
#
# Creating a prefix takes 10 to 20 s, so a pristine one is made once (make-pristine.sh) and
# copied for every run: each run starts from the same state, and none sees another's leftovers.
# Several prefixes may share one pristine. Env: PRISTINE_OVERLAY=yes lays the prefix over the
# pristine (overlayfs, root only) instead of copying it: on a disk thrown away after the run
# (the virtual machine's), where copying its 600 MB costs seconds under emulation.
set -eu
arch=$1
prefix=$2
pristine=$3
prepare_exe=$4
recorder_exe=$5
target=${6:-}
here=$(dirname "$0")
. "$here/wine-arch.sh"
run() { "$here/wine-run.sh" "$arch" "$prefix" "$@"; }

"$here/make-pristine.sh" "$arch" "$pristine"
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
! mountpoint -q "$prefix" 2>/dev/null || umount "$prefix"
rm -rf "$prefix" "$prefix.layer"
if [ "${PRISTINE_OVERLAY:-no}" = yes ]; then
    # What the prefix's programs write goes into the upper layer; the pristine stays as made.
    mkdir -p "$prefix" "$prefix.layer/upper" "$prefix.layer/work"
    mount -t overlay overlay -o "lowerdir=$pristine,upperdir=$prefix.layer/upper,workdir=$prefix.layer/work" "$prefix"
else
    cp -a "$pristine" "$prefix"
fi
rm -f "$prefix/.complete"
# Wine's shell starts its menu builder for every shortcut a program saves, whatever the DLL
# override (wine-arch.sh) says: the override only makes the new process fail once it has
# started, about 7 ms later here (much more under emulation). Without its file the start fails at
# once. Windows has nothing like it.
rm -f "$prefix"/drive_c/windows/*/winemenubuilder.exe

# The recorder stands in for a browser and a mail program: it writes down each URL it gets.
mkdir -p "$prefix/drive_c/tools"
cp "$recorder_exe" "$prefix/drive_c/tools/url_recorder.exe"

# One persistent server for the whole run saves Wine's start-up on every test program. It and
# the prefix's background processes (services, devices, desktop) start here with no output
# stream of ours: CTest waits for every process that holds a test's output open.
WINEPREFIX=$prefix wineserver -p </dev/null >/dev/null 2>&1
run wineboot.exe </dev/null >/dev/null 2>&1
run "$prepare_exe" 'C:\tools\url_recorder.exe' $target
