#!/usr/bin/python3
"""vm/pvh-kernel.py: prints the kernel that boot.sh gives QEMU: the root's bzImage unpacked once, where it can be.

Usage: pvh-kernel.py ROOT_DIR   ROOT_DIR holds vmlinuz (make-root.sh). Prints ROOT_DIR/vmlinux,
made from vmlinuz on the first call, or vmlinuz itself when it cannot be unpacked into a kernel
that QEMU starts directly.

A bzImage unpacks itself before the kernel runs: under software emulation Debian's xz payload
takes about 4 s to unpack, on every boot. An uncompressed kernel whose ELF notes name a PVH entry
point is started by QEMU at that entry, with no firmware and no unpacking. The unpacked kernel is
kept beside vmlinuz, made under a temporary name and renamed when whole.
"""
import bz2, lzma, os, struct, sys, tempfile, zlib

# Where a bzImage's setup header keeps the count of 512-byte setup sectors and, relative to the
# end of those, the compressed payload's offset and length (the kernel's boot protocol, 2.08+).
SETUP_SECTS = 0x1F1
HEADER_MAGIC = (0x202, b"HdrS")
PAYLOAD = 0x248
# The Xen ELF note that names the 32-bit PVH entry point (XEN_ELFNOTE_PHYS32_ENTRY).
PVH_NOTE = (b"Xen\0", 18)

# Each unpacks one stream and ignores what follows it: the build appends the unpacked size.
UNPACKERS = (
    (b"\xfd7zXZ\0", lzma.LZMADecompressor),
    (b"\x1f\x8b", lambda: zlib.decompressobj(wbits=31)),
    (b"BZh", bz2.BZ2Decompressor),
)


def payload(image):
    """The compressed kernel inside a bzImage, or None when the image is not one."""
    start, magic = HEADER_MAGIC
    if len(image) < PAYLOAD + 8 or image[start:start + len(magic)] != magic:
        return None
    sectors = image[SETUP_SECTS] or 4
    offset, length = struct.unpack_from("<II", image, PAYLOAD)
    begin = (sectors + 1) * 512 + offset
    if length == 0 or begin + length > len(image):
        return None
    return image[begin:begin + length]


def unpack(data):
    """The payload unpacked, or None when its compression is unknown here or its stream is damaged."""
    for magic, unpacker in UNPACKERS:
        if data.startswith(magic):
            stream = unpacker()
            try:
                unpacked = stream.decompress(data)
            except (lzma.LZMAError, OSError, EOFError, ValueError, zlib.error):
                return None
            return unpacked if stream.eof else None
    return None


def has_pvh_entry(elf):
    """Whether a 64-bit little-endian ELF file carries the PVH entry note in a PT_NOTE segment."""
    if len(elf) < 64 or elf[:6] != b"\x7fELF\x02\x01":
        return False
    phoff, = struct.unpack_from("<Q", elf, 0x20)
    phentsize, phnum = struct.unpack_from("<HH", elf, 0x36)
    for index in range(phnum):
        entry = phoff + index * phentsize
        if entry + 56 > len(elf):
            return False
        kind, = struct.unpack_from("<I", elf, entry)
        offset, = struct.unpack_from("<Q", elf, entry + 8)
        size, = struct.unpack_from("<Q", elf, entry + 32)
        if kind == 4 and note_in(elf[offset:offset + size]):
            return True
    return False


def note_in(notes):
    at = 0
    while at + 12 <= len(notes):
        namesz, descsz, kind = struct.unpack_from("<III", notes, at)
        name = notes[at + 12:at + 12 + namesz]
        if (name, kind) == PVH_NOTE:
            return True
        at += 12 + (namesz + 3) // 4 * 4 + (descsz + 3) // 4 * 4
    return False


def kernel_to_boot(root):
    bzimage = os.path.join(root, "vmlinuz")
    unpacked = os.path.join(root, "vmlinux")
    if os.path.exists(unpacked) and os.path.getmtime(unpacked) >= os.path.getmtime(bzimage):
        return unpacked
    with open(bzimage, "rb") as file:
        image = file.read()
    data = payload(image)
    elf = unpack(data) if data is not None else None
    if elf is None or not has_pvh_entry(elf):
        return bzimage
    handle, temporary = tempfile.mkstemp(dir=root, prefix=".vmlinux.")
    try:
        with os.fdopen(handle, "wb") as file:
            file.write(elf)
        os.replace(temporary, unpacked)
    except BaseException:
        os.unlink(temporary)
        raise
    return unpacked


def main(argv):
    if len(argv) != 2:
        print("usage: pvh-kernel.py ROOT_DIR", file=sys.stderr)
        return 2
    print(kernel_to_boot(argv[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
