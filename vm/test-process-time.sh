#!/bin/sh
# vm/test-process-time.sh: process-time.pl reads the kernel's accounting records as the kernel
# writes them (version 3, times as comp_t) and sums them by program.
# Usage: test-process-time.sh    Exit 0 when every check holds; each failed check is named.
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d "${TMPDIR:-/tmp}/process-time.XXXXXX")
trap 'rm -rf "$dir"' EXIT
failures=0
check() { # NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: expected [$2], got [$3]"
        failures=$((failures + 1))
    fi
}

# Records as struct acct_v3 lays them out: NAME, user and system time (comp_t), lifetime.
records() { # VERSION [NAME UTIME STIME ETIME]...
    perl -e '
        my $version = shift;
        while (@ARGV) {
            my ($name, $utime, $stime, $etime) = splice(@ARGV, 0, 4);
            print pack("C C S L L L L L L f S S S S S S S S a16",
                       0, $version, 0, 0, 0, 0, 1, 1, 0, $etime, $utime, $stime, 0, 0, 0, 0, 0, 0, $name);
        }' "$@"
}
# 8193 (0x2001) is 1 << 3 ticks, 16387 (0x4003) is 3 << 6: the exponent counts in threes of bits.
records 3 wineserver32 8193 2 500 Brantovell.exe 150 50 120 wineserver32 16387 0 700 \
    Brantovell.exe 50 50 80 >"$dir/acct"
out=$(perl "$here/process-time.pl" report "$dir/acct")
line() { echo "$out" | sed -n "$1p" | tr -s ' ' | sed 's/^ //'; }
check "total" "processor time 5.0 s in all" "$(line 1)"
check "most time first, summed" "3.00 s 2 processes 2.0 s lived Brantovell.exe" "$(line 2)"
check "comp_t exponents" "2.02 s 2 processes 12.0 s lived wineserver32" "$(line 3)"
check "no more lines" 3 "$(echo "$out" | wc -l)"

records 2 old 1 1 1 >"$dir/old"
out=$(perl "$here/process-time.pl" report "$dir/old" 2>&1) && out="exit 0: $out"
check "another version refused" "process-time.pl: $dir/old: not version 3 process accounting" "$out"
out=$(perl "$here/process-time.pl" report 2>&1)
check "usage" "usage: process-time.pl on FILE | off | report FILE" "$out"

[ "$failures" -eq 0 ] && echo "process-time.pl: all checks hold"
[ "$failures" -eq 0 ]
