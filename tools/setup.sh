#!/bin/sh
# tools/setup.sh: installs what the build and the tests need on Debian 12, as root; quick when all is there.
set -eu
. "$(dirname "$0")/lib/project.sh"

# Both architectures' compilers, and 64-bit Wine for the x86_64 twins, on every machine. Wine's
# 32-bit half only where this machine can execute it: where it cannot, an installed wine32
# makes /usr/bin/wine pick a loader that cannot start and a win64 prefix take 3 minutes to
# create instead of 12 s. There the 32-bit suite runs in a virtual machine instead.
packages="cmake make googletest wine wine64 xvfb xauth openbox xdotool imagemagick python3 python3-pefile e2fsprogs"
for arch in i686 x86-64; do
    packages="$packages g++-mingw-w64-$arch-posix gcc-mingw-w64-$arch-posix binutils-mingw-w64-$arch
              mingw-w64-$arch-dev"
done
i686_road
if [ "$i686_road" = native ]; then
    packages="$packages wine32:i386"
else
    packages="$packages qemu-system-x86 debootstrap"
fi

need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in $packages; do
    have "$pkg" || need="$need $pkg"
done
[ -z "$need" ] && exit 0

echo "setup: installing$need"
if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages; run this as root (or install them):$need" >&2
    exit 1
fi
case $need in
    *:i386*) dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
esac
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $need >/dev/null
