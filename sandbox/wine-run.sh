#!/bin/sh
# sandbox/wine-run.sh: runs a Windows program in the given Wine prefix; CTest's emulator.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]   The program's exit code is ours.
WINEPREFIX=$1
shift
export WINEPREFIX
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# Keeps Wine from offering to install its .NET and HTML engines in a dialog nobody answers.
# winemenubuilder would turn every shortcut the programs save into a menu entry or desktop
# file on the host, outside the prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
exec wine "$@"
