# tools/arch.sh: sourced by the tools; one place that says where each architecture's build lies.
#
# The i686 build in $build is what ships (bin/Brantovell.exe, bin/launcher.exe); the x86_64
# build of the same sources, the twins, lies in $build/x86_64. Needs $top and $build set.
ARCHES="i686 x86_64"

# The build folder of one architecture.
arch_build_dir() {
    case $1 in
        i686) echo "$build" ;;
        *)    echo "$build/$1" ;;
    esac
}

# The architecture whose programs this machine can run under Wine: the shipped i686 programs
# where it executes 32-bit code, their x86_64 twins where it cannot.
runnable_arch() {
    if "$top/tools/can-run-i686.sh"; then echo i686; else echo x86_64; fi
}
