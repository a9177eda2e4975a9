#!/bin/sh
# vm/make-root.sh: makes (once) the guest's root image, kernel and initrd from Debian's packages; prints their folder.
# Usage: make-root.sh     The folder holds root.img, vmlinuz and initrd.img; it is the only line on stdout.
# Env: LANE_CACHE  where roots are kept (default /var/cache/brantovell-vm), outside any checkout
#      LANE_MIRROR Debian mirror (default http://deb.debian.org/debian)
#
# A root is named by a digest of packages.txt and this script: an unchanged pair reuses it, a
# changed one makes a new one and drops the old. It is made under a temporary name and renamed
# when whole, so a root left half-made by a killed run is never taken for a finished one.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache=${LANE_CACHE:-/var/cache/brantovell-vm}
mirror=${LANE_MIRROR:-http://deb.debian.org/debian}
key=$(cat "$here/packages.txt" "$here/make-root.sh" | sha256sum | cut -c1-16)
root=$cache/root-$key

say() { echo "make-root: $*" >&2; }
fail() { say "$*"; exit 1; }

if [ -f "$root/root.img" ]; then
    echo "$root"
    exit 0
fi
for need in debootstrap:debootstrap mkfs.ext4:e2fsprogs flock:util-linux; do
    command -v "${need%%:*}" >/dev/null 2>&1 ||
        fail "${need%%:*} is missing: install the Debian package ${need#*:} (apt-get install ${need#*:})"
done
[ "$(id -u)" -eq 0 ] || fail "making the guest's root needs root (debootstrap, chroot)"

mkdir -p "$cache"
# Two lanes started together make the root once: the second waits, then finds it.
exec 9>"$cache/lock"
flock 9
if [ -f "$root/root.img" ]; then
    echo "$root"
    exit 0
fi

work=$(mktemp -d "$cache/new-$key.XXXXXX")
tree=$work/tree
mounted() { grep -q " $tree/" /proc/mounts; }
cleanup() {
    for m in proc sys; do
        mountpoint -q "$tree/$m" 2>/dev/null && umount -l "$tree/$m"
    done
    # Never remove a folder that still has something mounted in it.
    if [ -d "$work" ] && ! mounted; then rm -rf "$work"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

start=$(date +%s)
say "debootstrap of bookworm into $tree"
debootstrap --variant=minbase bookworm "$tree" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log" >&2; fail "debootstrap failed (log above)"; }

packages=$(sed -e 's/#.*//' "$here/packages.txt" | tr -s ' \t\n' ' ')
say "installing:$packages"
# No fsync per file (the tree is copied into an image anyway), no service starts in the chroot.
# Documentation and translations are left out: less to unpack and to copy into the image.
printf '%s\n' force-unsafe-io path-exclude=/usr/share/doc/* path-exclude=/usr/share/man/* \
    path-exclude=/usr/share/locale/* path-exclude=/usr/share/info/* >"$tree/etc/dpkg/dpkg.cfg.d/lane"
printf '#!/bin/sh\nexit 101\n' >"$tree/usr/sbin/policy-rc.d"
chmod 755 "$tree/usr/sbin/policy-rc.d"
# An initrd of just the drivers the virtual machine needs: the default one of most drivers takes
# minutes to pack, and seconds to unpack in the guest.
mkdir -p "$tree/etc/initramfs-tools/conf.d" "$tree/usr/share/initramfs-tools/modules.d"
echo MODULES=list >"$tree/etc/initramfs-tools/conf.d/lane"
printf '%s\n' virtio_pci virtio_blk crc32c_generic ext4 >"$tree/usr/share/initramfs-tools/modules.d/lane"
cp /etc/resolv.conf "$tree/etc/resolv.conf"
echo "deb $mirror bookworm main" >"$tree/etc/apt/sources.list"
mount -t proc proc "$tree/proc"
mount -t sysfs sys "$tree/sys"
in_root() { LC_ALL=C DEBIAN_FRONTEND=noninteractive chroot "$tree" "$@"; }
in_root dpkg --add-architecture i386
in_root apt-get update -qq >"$work/apt.log" 2>&1 &&
    in_root apt-get install -y -qq --no-install-recommends $packages >>"$work/apt.log" 2>&1 ||
    { tail -n 20 "$work/apt.log" >&2; fail "apt-get in the guest's root failed (log above)"; }
in_root apt-get clean
umount "$tree/proc" "$tree/sys"
rm -rf "$tree"/var/lib/apt/lists/* "$tree/usr/sbin/policy-rc.d" "$tree/etc/dpkg/dpkg.cfg.d/lane"
: >"$tree/etc/resolv.conf"

# The guest's first process: runs the runner that the work disk brings, then powers off,
# whatever the runner did, so a broken runner ends the machine instead of hanging it.
mkdir -p "$tree/lane/work"
cat >"$tree/sbin/lane-init" <<'EOF'
#!/bin/sh
# /sbin/lane-init: the guest's first process; runs /lane/work/run.sh from the work disk, then powers off.
PATH=/usr/sbin:/usr/bin:/sbin:/bin
export PATH
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /dev || mount -t devtmpfs dev /dev
if mount -t ext4 /dev/vdb /lane/work; then
    /bin/sh /lane/work/run.sh
    echo "lane-init: the runner ended with status $?"
else
    echo "lane-init: could not mount the work disk /dev/vdb"
fi
sync
echo o >/proc/sysrq-trigger
sleep 60
EOF
chmod 755 "$tree/sbin/lane-init"

set -- "$tree"/boot/vmlinuz-*
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one kernel in $tree/boot, found: $*"
cp "$1" "$work/vmlinuz"
set -- "$tree"/boot/initrd.img-*
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one initrd in $tree/boot, found: $*"
cp "$1" "$work/initrd.img"

# Room for what the tests write outside the work disk; the image file itself stays sparse.
size=$(( $(du -sm "$tree" | cut -f1) * 5 / 4 + 1024 ))
say "making a ${size} MiB ext4 image"
mkfs.ext4 -q -F -L lane-root -d "$tree" "$work/root.img" "${size}M" >&2
mounted && fail "something is still mounted under $tree"
rm -rf "$tree"

rm -rf "$root"
mv "$work" "$root"
for old in "$cache"/root-*; do
    [ "$old" = "$root" ] || rm -rf "$old"
done
say "made in $(( $(date +%s) - start )) s"
echo "$root"
