#!/bin/sh
# tests/wine/wine-run.sh: runs a Windows program in the given Wine prefix; CTest's emulator.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]   The program's exit code is ours.
WINEPREFIX=$1
shift
export WINEPREFIX
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# Keeps Wine from offering to install its .NET and HTML engines in a dialog nobody answers.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
