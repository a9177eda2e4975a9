#!/bin/sh
# tests/pe/test-check-imports.sh: shows that check-imports.py catches what it is there to catch.
# Usage: test-check-imports.sh PROGRAM.exe [PROGRAM.exe ...]
# The programs pass with the committed table; without the table line of one function the first
# program imports (found by objdump, not by the checker), the checker names exactly that function;
# a file that is no PE fails with a message and status 1, not a traceback.
set -u
here=$(cd "$(dirname "$0")" && pwd)
table=$here/nt4-imports.txt
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }
check() { /usr/bin/python3 "$here/check-imports.py" "$@" >"$work/out" 2>&1; }

check "$table" "$@" || { cat "$work/out"; fail "the programs do not pass with $table"; }

# The last function the first program imports, as "dll function", and the table without its line.
victim=$("${OBJDUMP:-i686-w64-mingw32-objdump}" -p "$1" | awk '/DLL Name:/ {dll = tolower($3); next}
    /^$/ {dll = ""} dll != "" && NF >= 3 && !/Member-Name/ {last = dll " " $3} END {print last}')
dll=${victim% *} function=${victim#* }
awk -v d="$dll" -v f="$function" '!($1 == d && $2 == f)' "$table" >"$work/table.txt"
if [ -z "$victim" ] || [ $(($(wc -l <"$table") - $(wc -l <"$work/table.txt"))) -ne 1 ]; then
    fail "no single table line for the import '$victim' of $1"
else
    check "$work/table.txt" "$1"
    rc=$?
    expected="FAIL: $1: imports $dll!$function, which is not in the NT 4.0 table ($work/table.txt)"
    [ $rc -eq 1 ] && [ "$(cat "$work/out")" = "$expected" ] \
        || { cat "$work/out"; fail "without $dll $function the checker did not fail naming exactly it"; }
fi

echo "MZ, but no program" >"$work/notpe.exe"
check "$table" "$work/notpe.exe"
rc=$?
case $rc:$(cat "$work/out") in
    *Traceback*) cat "$work/out"; fail "a file that is no PE made the checker crash" ;;
    "1:FAIL: $work/notpe.exe: not a PE file"*) ;;
    *) cat "$work/out"; fail "a file that is no PE did not fail with a message and status 1 (status $rc)" ;;
esac

[ $status -eq 0 ] && echo "ok: the checker passes $*, names a function missing from the table, refuses a non-PE file"
exit $status
