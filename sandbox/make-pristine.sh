#!/bin/sh
# sandbox/make-pristine.sh: makes (once) the pristine Wine prefix that every test prefix is copied from.
# Usage: make-pristine.sh ARCH PRISTINE   ARCH is i686 or x86_64.
#
# wineboot --init takes 10 to 20 s here and about a minute under emulation; a finished
# pristine is marked .complete, so one left half-made by a killed run is made again.
set -eu
arch=$1
pristine=$2
. "$(dirname "$0")/wine-arch.sh"
[ -f "$pristine/system.reg" ] && [ -f "$pristine/.complete" ] && exit 0
# The prefixes that share a pristine may ask for it together: the first makes it, the others
# wait for it.
exec 9>"$pristine.lock"
flock 9
[ -f "$pristine/system.reg" ] && [ -f "$pristine/.complete" ] && exit 0
rm -rf "$pristine"
WINEPREFIX=$pristine "$WINELOADER" wineboot.exe --init >/dev/null 2>&1
WINEPREFIX=$pristine wineserver -w
touch "$pristine/.complete"
