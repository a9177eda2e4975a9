#!/bin/sh
# tools/build.sh: configures (once) and builds everything, for both architectures: the shipped
# 32-bit programs in build/, their x86_64 twins in build/x86_64/.
set -eu
. "$(dirname "$0")/lib/project.sh"
for arch in $ARCHES; do
    dir=$(arch_build_dir "$arch")
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        # The shipped build's test run takes in the twins' tests.
        twins=""
        [ "$arch" = i686 ] && twins="-DTWIN_BINARY_DIR=$(arch_build_dir x86_64)"
        cmake -S "$top" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake" \
              -DCMAKE_BUILD_TYPE=MinSizeRel $twins >/dev/null
    fi
    cmake --build "$dir" -j "$(nproc)"
done
