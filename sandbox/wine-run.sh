#!/bin/sh
# sandbox/wine-run.sh: runs a Windows program in the given Wine prefix; CTest's emulator.
# Usage: wine-run.sh ARCH PREFIX PROGRAM.exe [ARGS...]   ARCH is i686 or x86_64.
# The program's exit code is ours.
arch=$1
. "$(dirname "$0")/wine-arch.sh"
export WINEPREFIX="$2"
shift 2
exec "$WINELOADER" "$@"
