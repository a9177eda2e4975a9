#!/bin/sh
# tests/repro/check-reproducible.sh: builds the shipped programs and the release archive a second
# time, from a copy of the sources at another path into a build folder at another path, and fails
# when any byte differs.
# Usage: check-reproducible.sh SOURCE_DIR BUILD_DIR WORK_DIR
#   BUILD_DIR is the first build: bin/ holds Brantovell.exe, launcher.exe, Uninstall.exe and SHA256SUMS, and
#   release/ the archive and its digest. WORK_DIR is emptied and used for the copy and the
#   second build.
set -eu
top=$1
first=$2
work=$3
bin=$first/bin

rm -rf "$work"
mkdir -p "$work/elsewhere/sources"
# The copy leaves out version control and every build folder inside the checkout.
(cd "$top" && tar -cf - --exclude=./.git --exclude='./build*' .) | (cd "$work/elsewhere/sources" && tar -xf -)
cmake -S "$work/elsewhere/sources" -B "$work/second-build" -DCMAKE_TOOLCHAIN_FILE="$work/elsewhere/sources/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF >/dev/null
cmake --build "$work/second-build" --target release -j "$(nproc)" >/dev/null

status=0
for name in Brantovell.exe launcher.exe Uninstall.exe; do
    /usr/bin/python3 "$top/tests/repro/pe_diff.py" "$bin/$name" "$work/second-build/bin/$name" || status=1
done
if cmp -s "$bin/SHA256SUMS" "$work/second-build/bin/SHA256SUMS"; then
    echo "SHA256SUMS: identical"
else
    echo "SHA256SUMS differs:"
    diff "$bin/SHA256SUMS" "$work/second-build/bin/SHA256SUMS" || true
    status=1
fi
for file in "$first"/release/Brantovell-*; do
    name=${file##*/}
    if cmp -s "$file" "$work/second-build/release/$name"; then
        echo "$name: identical"
    else
        echo "$name differs from the second build's (or the second build has none)"
        status=1
    fi
done
[ $status -eq 0 ] && rm -rf "$work"
exit $status
