#!/bin/sh
# vm/test-lane.sh: checks lane.sh against a stand-in virtual machine: the road it takes, what it
# keeps of each run, when it fails, what it says then, and the pristine prefix it keeps for the
# next lanes.
# Usage: test-lane.sh    Exit 0 when every check holds; each failed check is named.
# lane.sh runs from a copy, with the real tools/lib/project.sh, beside stand-ins for make-root.sh
# and boot.sh; I686_ROAD sets the road. The stand-in guest "brings back" whatever the case put
# in $dir/guest, and notes the lane.env it was given and that it was booted.
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d "${TMPDIR:-/tmp}/lane.XXXXXX")
trap 'rm -rf "$dir"' EXIT
top=$dir/top
build=$dir/build
mkdir -p "$top/vm" "$top/tools/lib" "$top/sandbox" "$build" "$dir/bin" "$dir/root" "$dir/guest"
cp "$here/lane.sh" "$here/guest-run.sh" "$top/vm/"
cp "$here/../tools/lib/project.sh" "$top/tools/lib/"
cp "$here/../sandbox/make-pristine.sh" "$here/../sandbox/wine-arch.sh" "$top/sandbox/"
printf '#!/bin/sh\necho "%s"\n' "$dir/root" >"$top/vm/make-root.sh"
cat >"$top/vm/boot.sh" <<EOF
#!/bin/sh
echo booted >>"$dir/boots"
debugfs -R 'cat /lane.env' "\$2" >"$dir/lane.env" 2>/dev/null
debugfs -R 'ls /tree$build/wineprefix.pristine' "\$2" >"$dir/pristine-ls" 2>/dev/null
printf 'lane-guest: runner started, 4.2 s after the kernel\r\n[    5.1] kernel noise\r\n' >"\$4"
printf 'prefix 1:       Start  2: first_i686\r\nprefix 1: 1/2 Test  #2: first_i686 ......   Passed    1.50 sec\r\n' >>"\$4"
# The lane shows a test's result while the guest still runs, not at its end: polled with the
# scripts' one wait, until its deadline.
. "$top/tools/lib/project.sh"
shown() { grep -q first_i686 "$build/lane/progress" 2>/dev/null; }
await shown && echo yes >"$dir/live"
printf 'prefix 2: 2/2 Test  #3: second_i686 .....***Failed    2.25 sec\r\n' >>"\$4"
echo "the guest's last words" >>"\$4"
tar -cf "\$3" -C "$dir/guest" .
EOF
chmod +x "$top/vm/"*.sh
# Commands lane.sh asks for but that this stand-in never runs.
for tool in qemu-system-x86_64 debootstrap; do printf '#!/bin/sh\nexit 1\n' >"$dir/bin/$tool"; chmod +x "$dir/bin/$tool"; done
cat >"$build/CTestTestfile.cmake" <<'EOF'
add_test(lane_i686 "true")
add_test(first_i686 "true")
add_test(second_i686 "true")
add_test(host_check "true")
set_tests_properties(lane_i686 first_i686 second_i686 PROPERTIES LABELS i686_runtime)
EOF

failures=0
check() { # NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: expected [$2], got [$3]"
        failures=$((failures + 1))
    fi
}
says() { # NAME TEXT OUTPUT
    case $3 in *"$2"*) ;; *) echo "FAIL $1: no [$2] in: $3"; failures=$((failures + 1)) ;; esac
}
# The build is the one CTest names, whatever BUILD_DIR says.
lane() { PATH=$dir/bin:$PATH I686_ROAD=${road:-guest} BUILD_DIR=$dir/elsewhere "$top/vm/lane.sh" "$top" "$build" 2>&1; }
guest_brings() { # NAME... : a status and a log for each test, and the whole ctest's status
    rm -rf "$dir/guest"
    mkdir -p "$dir/guest"
    echo 8 >"$dir/guest/lane-ctest.rc"
    echo "ctest's last words" >"$dir/guest/lane-ctest.log"
    for name in "$@"; do
        echo 0 >"$dir/guest/$name.rc"
        echo "$name ran" >"$dir/guest/$name.log"
    done
}

# Every test came back: the lane passes, its results are the newest run's, the console beside them.
guest_brings first_i686 second_i686
out=$(lane)
check "all back: status" 0 $?
check "all back: road" guest "$(cat "$build/lane/road")"
check "all back: a result" "first_i686 ran" "$(cat "$build/lane/results/first_i686.log")"
check "all back: console kept" "the guest's last words" "$(tail -n 1 "$build/lane/results/console.log")"

# What a person at the terminal is shown while the lane runs (tools/test.sh follows the file):
# the root, the boot, and from the guest's console its runner's words and each test's result
# and time, and nothing else of the console.
progress=$(cat "$build/lane/progress")
says "progress: root" "lane: the guest's root is taken from the cache" "$progress"
says "progress: boot" "booting the guest" "$progress"
says "progress: runner" "lane: guest: runner started, 4.2 s after the kernel" "$progress"
says "progress: a test" "lane: guest: prefix 1, test 1/2 first_i686: Passed 1.50 sec" "$progress"
says "progress: a failure" "lane: guest: prefix 2, test 2/2 second_i686: ***Failed 2.25 sec" "$progress"
says "progress: the end" "s in all: guest's root" "$progress"
check "progress: shown while the guest runs" yes "$(cat "$dir/live" 2>/dev/null)"
check "progress: no console noise" "" "$(echo "$progress" | grep -e 'kernel noise' -e 'Start  2' -e 'last words')"

# One test missing: the lane fails, names it, and gives the guest's status and last words.
guest_brings first_i686
out=$(lane)
check "one missing: status" 1 $?
says "one missing: named" "no result came back for: second_i686" "$out"
says "one missing: ctest status" "exited with 8" "$out"
says "one missing: ctest output" "ctest's last words" "$out"
says "one missing: console" "the guest's last words" "$out"

# Nothing at all: the lane fails and says that the guest's ctest left no status.
rm -rf "$dir/guest"
mkdir -p "$dir/guest"
out=$(lane)
check "nothing back: status" 1 $?
says "nothing back: why" "left no status" "$out"

# Earlier runs are kept, each with its own console, up to five; the results name the newest.
for i in 1 2 3 4 5; do guest_brings first_i686 second_i686; lane >/dev/null; done
check "runs kept" 5 "$(ls "$build/lane/runs" | wc -l)"
check "newest run named" "$(ls "$build/lane/runs" | sort | tail -n 1)" "$(basename "$(readlink "$build/lane/results")")"

# A lane without a pristine prefix asks the guest for one and keeps what it brings; the next
# lane gives it to the guest and asks for none.
grep -q "BRING_PRISTINE=yes" "$dir/lane.env"
check "no pristine yet: asked for" 0 $?
guest_brings first_i686 second_i686
mkdir -p "$dir/guest/wineprefix.pristine"
touch "$dir/guest/wineprefix.pristine/system.reg" "$dir/guest/wineprefix.pristine/.complete"
lane >/dev/null
check "pristine kept" 1 "$(ls -d "$dir"/root/pristine-*/.complete 2>/dev/null | wc -l)"
check "pristine not left in the run" "" "$(ls "$build/lane/results" | grep pristine)"
guest_brings first_i686 second_i686
lane >/dev/null
grep -q "BRING_PRISTINE=no" "$dir/lane.env"
check "pristine given: not asked for" 0 $?
says "pristine given: on the work disk" ".complete" "$(cat "$dir/pristine-ls")"

# The native road is written down for the tests and boots nothing; a road that is neither is
# refused, naming what it was given, and no guest boots for it either.
rm -f "$dir/boots"
out=$(road=native lane)
check "native: status" 0 $?
check "native: road" native "$(cat "$build/lane/road")"
says "native: why" "runs natively here" "$out"
out=$(road=sideways lane)
check "unknown road: status" 1 $?
says "unknown road: named" "I686_ROAD is 'sideways'; it may be native or guest" "$out"
check "no guest booted for either" "" "$(cat "$dir/boots" 2>/dev/null)"

[ "$failures" -eq 0 ] && echo "lane.sh: all checks hold"
[ "$failures" -eq 0 ]
