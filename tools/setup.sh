#!/bin/sh
# tools/setup.sh: installs what the build and the tests need on Debian 12, as root; quick when all is there.
set -eu

need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake make g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 \
           mingw-w64-i686-dev googletest wine wine32:i386 xvfb xauth openbox xdotool imagemagick \
           python3; do
    have "$pkg" || need="$need $pkg"
done
[ -z "$need" ] && exit 0

echo "setup: installing$need"
if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages; run this as root (or install them):$need" >&2
    exit 1
fi
# Wine's 32-bit half runs the 32-bit programs.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $need >/dev/null
