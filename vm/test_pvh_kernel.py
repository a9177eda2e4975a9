#!/usr/bin/python3
"""vm/test_pvh_kernel.py: pvh-kernel.py unpacks a bzImage whose kernel has a PVH entry, once, and
otherwise leaves QEMU the bzImage itself.

Usage: test_pvh_kernel.py [-v]   The kernels are small stand-ins built here, laid out as the
kernel's boot protocol lays out a bzImage.
"""
import bz2, lzma, os, pathlib, runpy, struct, tempfile, unittest, zlib

TOOL = runpy.run_path(os.path.join(os.path.dirname(os.path.abspath(__file__)), "pvh-kernel.py"))
kernel_to_boot = TOOL["kernel_to_boot"]


def note(name, kind, desc=b"\0" * 4):
    padded = lambda data: data + b"\0" * (-len(data) % 4)
    return struct.pack("<III", len(name), len(desc), kind) + padded(name) + padded(desc)


def elf(notes):
    """A 64-bit ELF file with one PT_NOTE segment holding the notes."""
    header = bytearray(64)
    header[:6] = b"\x7fELF\x02\x01"
    struct.pack_into("<Q", header, 0x20, 64)            # program headers right after
    struct.pack_into("<HH", header, 0x36, 56, 1)
    segment = struct.pack("<IIQQQQQQ", 4, 0, 64 + 56, 0, 0, len(notes), len(notes), 4)
    return bytes(header) + segment + notes


def bzimage(payload, setup_sects=3):
    """A bzImage: setup sectors with the header, then the payload and the 4-byte size the build
    appends to it. A count of 0 stands for 4 sectors."""
    setup = bytearray(((setup_sects or 4) + 1) * 512)
    setup[0x1F1] = setup_sects
    setup[0x202:0x206] = b"HdrS"
    decompressor = b"\x90" * 100
    struct.pack_into("<II", setup, 0x248, len(decompressor), len(payload) + 4)
    return bytes(setup) + decompressor + payload + struct.pack("<I", 12345)


PVH = elf(note(b"Xen\0", 6, b"linux\0") + note(b"Xen\0", 18))
NO_PVH = elf(note(b"Xen\0", 6, b"linux\0") + note(b"GNU\0", 18))


class PvhKernel(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self.folder.name)

    def tearDown(self):
        self.folder.cleanup()

    def boot(self, image):
        (self.root / "vmlinuz").write_bytes(image)
        return pathlib.Path(kernel_to_boot(str(self.root)))

    def test_each_known_compression_is_unpacked_into_the_kernel(self):
        gzip = zlib.compressobj(wbits=31)
        for name, packed in (("xz", lzma.compress(PVH)), ("bzip2", bz2.compress(PVH)),
                             ("gzip", gzip.compress(PVH) + gzip.flush())):
            with self.subTest(name):
                (self.root / "vmlinux").unlink(missing_ok=True)
                chosen = self.boot(bzimage(packed, setup_sects=0 if name == "gzip" else 3))
                self.assertEqual(self.root / "vmlinux", chosen)
                self.assertEqual(PVH, chosen.read_bytes())
                self.assertEqual(["vmlinux", "vmlinuz"], sorted(os.listdir(self.root)))

    def test_the_bzimage_is_booted_when_its_kernel_cannot_start_at_a_pvh_entry(self):
        cases = {
            "no PVH note": bzimage(lzma.compress(NO_PVH)),
            "not ELF": bzimage(lzma.compress(b"MZ" + PVH[2:])),
            "unknown compression": bzimage(b"\x28\xb5\x2f\xfd" + PVH),
            "damaged stream": bzimage(lzma.compress(PVH)[:-40]),
            "payload past the end": bzimage(lzma.compress(PVH))[:-200],
            "no boot header": b"\0" * 4096,
        }
        for name, image in cases.items():
            with self.subTest(name):
                self.assertEqual(self.root / "vmlinuz", self.boot(image))
                self.assertEqual(["vmlinuz"], os.listdir(self.root))

    def test_the_kernel_is_unpacked_once_and_again_for_a_newer_bzimage(self):
        self.boot(bzimage(lzma.compress(PVH)))
        unpacked = self.root / "vmlinux"
        unpacked.write_bytes(b"kept")
        os.utime(self.root / "vmlinuz", (1, 1))
        self.assertEqual(unpacked, pathlib.Path(kernel_to_boot(str(self.root))))
        self.assertEqual(b"kept", unpacked.read_bytes())
        os.utime(self.root / "vmlinuz", (unpacked.stat().st_mtime + 10,) * 2)
        self.assertEqual(unpacked, pathlib.Path(kernel_to_boot(str(self.root))))
        self.assertEqual(PVH, unpacked.read_bytes())


if __name__ == "__main__":
    unittest.main()
