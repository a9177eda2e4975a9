#!/bin/sh
# tests/pe/check-pe.sh: checks a shipped program as a file, from its PE headers and import table.
# Usage: check-pe.sh PROGRAM.exe [--forbid DLL]...
# A 32-bit GUI program whose subsystem version is at most 5.0 (so Windows 2000 and NT 4.0 load
# it) and whose imports all come from DLLs that every NT-family Windows carries.
set -u
exe=$1
shift
forbidden=""
while [ $# -ge 2 ] && [ "$1" = --forbid ]; do forbidden="$forbidden $(echo "$2" | tr A-Z a-z)"; shift 2; done
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll
comctl32.dll comdlg32.dll msvcrt.dll"
status=0
fail() { echo "FAIL: $exe: $*"; status=1; }

headers=$($objdump -p "$exe") || { echo "FAIL: $exe: not a PE file"; exit 1; }
echo "$headers" | grep -q 'file format pei-i386' || fail "not a 32-bit x86 PE"
echo "$headers" | grep -q '^Subsystem[[:space:]]*00000002' || fail "not a Windows GUI program"

major=$(echo "$headers" | awk '/^MajorSubsystemVersion/ {print $2}')
minor=$(echo "$headers" | awk '/^MinorSubsystemVersion/ {print $2}')
if [ -z "$major" ] || [ "$major" -gt 5 ] || { [ "$major" -eq 5 ] && [ "$minor" -gt 0 ]; }; then
    fail "subsystem version $major.$minor is above 5.0"
fi

dlls=$(echo "$headers" | awk '/DLL Name:/ {print tolower($3)}')
[ -n "$dlls" ] || fail "no import table found"
for dll in $dlls; do
    case " $(echo $allowed) " in
        *" $dll "*) ;;
        *) fail "imports $dll, which is not a Windows system DLL" ;;
    esac
    case " $forbidden " in
        *" $dll "*) fail "imports $dll, which it must not need" ;;
    esac
done

[ $status -eq 0 ] && echo "ok: $exe: GUI PE32, subsystem $major.$minor, imports:" $dlls
exit $status
