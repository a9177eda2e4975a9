#!/usr/bin/env python3
"""tests/repro/test_pe_diff.py: pe_diff.py names the place of a difference by PE field or section,
counts every differing byte and refuses what it cannot read.

Usage: test_pe_diff.py [-v] [PROGRAM.exe ...]   Given programs (e.g. build/bin/*.exe) are tested
too, beside a small PE32 and a small PE32+ file made here.
"""
import contextlib
import io
import os
import runpy
import struct
import subprocess
import sys
import tempfile
import unittest

TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "pe_diff.py")
TOOL_MAIN = runpy.run_path(TOOL)["main"]      # run under another name, its own main stays idle
PROGRAMS = []


def make_pe(plus):
    """A small program file: DOS header, PE headers with 16 directories, .text and .rdata."""
    lfanew, opt_size = 0x80, 240 if plus else 224
    sections = [(b".text", bytes(range(256)) * 2), (b".rdata", b"Hello, server\0".ljust(0x200, b"\x90"))]
    coff = struct.pack("<4sHHIIIHH", b"PE\0\0", 0x8664 if plus else 0x14C, len(sections),
                       0x5F5E1000, 0, 0, opt_size, 0x102)
    opt = bytearray(opt_size)
    struct.pack_into("<HBB", opt, 0, 0x20B if plus else 0x10B, 2, 40)
    if plus:
        struct.pack_into("<Q", opt, 24, 0x140000000)
    else:
        struct.pack_into("<II", opt, 24, 0x2000, 0x400000)
    struct.pack_into("<III", opt, 32, 0x1000, 0x200, 0)
    struct.pack_into("<I", opt, 64, 0x1234)                              # CheckSum
    struct.pack_into("<I", opt, 108 if plus else 92, 16)                 # NumberOfRvaAndSizes
    struct.pack_into("<II", opt, (112 if plus else 96) + 2 * 8, 0x3000, 0x40)   # Resource
    table, body = b"", b""
    for i, (name, data) in enumerate(sections):
        table += struct.pack("<8sIIIIIIHHI", name, len(data) - 0x20, 0x1000 * (i + 1), len(data),
                             0x200 + len(body), 0, 0, 0, 0, 0x40000040)
        body += data
    dos = b"MZ" + bytes(0x3A) + struct.pack("<I", lfanew) + bytes(lfanew - 0x40)
    headers = dos + coff + bytes(opt) + table
    return headers.ljust(0x200, b"\0") + body


def heads(data):
    """Where the tests look: PE header offset, optional header offset, PE32+, and the sections
    as (name, file offset, raw size, RVA, virtual size)."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count, opt_size = struct.unpack_from("<H12xH", data, pe + 6)
    opt = pe + 24
    sections = []
    for i in range(count):
        entry = opt + opt_size + 40 * i
        vsize, rva, size, raw = struct.unpack_from("<4I", data, entry + 8)
        sections.append((data[entry:entry + 8].rstrip(b"\0").decode(), raw, size, rva, vsize))
    return pe, opt, struct.unpack_from("<H", data, opt)[0] == 0x20B, sections


def changed(data, offset, xor=0x01):
    """data with the byte at offset changed."""
    return data[:offset] + bytes([data[offset] ^ xor]) + data[offset + 1:]


class PeDiffCase(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.images = [("PE32", make_pe(False)), ("PE32+", make_pe(True))]
        for path in PROGRAMS:
            with open(path, "rb") as f:
                self.images.append((path, f.read()))

    def run_tool(self, *args):
        """Runs the tool's main in this process (a fresh interpreter costs a third of a second)."""
        out, err = io.StringIO(), io.StringIO()
        with contextlib.redirect_stdout(out), contextlib.redirect_stderr(err):
            status = TOOL_MAIN(["pe_diff.py"] + list(args))
        return status, out.getvalue(), err.getvalue()

    def compare(self, a, b):
        paths = []
        for name, data in (("a.exe", a), ("b.exe", b)):
            paths.append(os.path.join(self.folder.name, name))
            with open(paths[-1], "wb") as f:
                f.write(data)
        return self.run_tool(*paths)

    def first(self, a, b):
        """The first-difference line, after checking that the files were found to differ."""
        status, out, err = self.compare(a, b)
        self.assertEqual((status, err), (1, ""), out)
        lines = [line for line in out.splitlines() if line.startswith("first difference at ")]
        self.assertEqual(len(lines), 1, out)
        return lines[0]


class Identical(PeDiffCase):
    def test_identical_files_give_one_line_and_status_0(self):
        for label, data in self.images:
            with self.subTest(label):
                status, out, _ = self.compare(data, data)
                self.assertEqual(status, 0)
                self.assertEqual(len(out.splitlines()), 1, out)
                self.assertIn("identical", out)
                self.assertIn(str(len(data)), out)

    def test_exit_status_of_the_script(self):
        data = self.images[0][1]
        for b, expected in ((data, 0), (changed(data, 0x100), 1)):
            self.compare(data, b)
            paths = [os.path.join(self.folder.name, name) for name in ("a.exe", "b.exe")]
            done = subprocess.run([sys.executable, TOOL] + paths, capture_output=True)
            self.assertEqual(done.returncode, expected, done.stdout)


class HeaderFields(PeDiffCase):
    def test_time_stamp_is_named_as_coff_field(self):
        for label, data in self.images:
            with self.subTest(label):
                pe = heads(data)[0]
                line = self.first(data, changed(data, pe + 9))
                self.assertIn("at 0x%x: COFF header TimeDateStamp" % (pe + 9), line)
                # The values of the whole field, A's then B's, though only its second byte differs.
                value = struct.unpack_from("<I", data, pe + 8)[0]
                self.assertIn("A 0x%x, B 0x%x" % (value, value ^ 0x100), line)

    def test_checksum_is_named_in_both_layouts(self):
        for label, data in self.images:
            with self.subTest(label):
                _, opt, plus, _ = heads(data)
                line = self.first(data, changed(data, opt + 64))
                self.assertIn("optional header CheckSum (%s)" % ("PE32+" if plus else "PE32"), line)

    def test_fields_where_the_layouts_part(self):
        # PE32+ has no BaseOfData, an 8-byte ImageBase and wider stack and heap sizes, so the
        # directories start 16 bytes later: reading one layout as the other misnames these.
        for label, data in self.images:
            with self.subTest(label):
                _, opt, plus, _ = heads(data)
                dirs = opt + (112 if plus else 96)
                self.assertIn("optional header " + ("ImageBase" if plus else "BaseOfData"),
                              self.first(data, changed(data, opt + 24)))
                self.assertIn("optional header " + ("SizeOfHeapCommit" if plus else "LoaderFlags"),
                              self.first(data, changed(data, opt + 88 + (8 if plus else 0))))
                self.assertIn("data directory Resource Size",
                              self.first(data, changed(data, dirs + 2 * 8 + 4)))
                self.assertIn("data directory Import VirtualAddress",
                              self.first(data, changed(data, dirs + 8)))

    def test_dos_header_and_section_table(self):
        for label, data in self.images:
            with self.subTest(label):
                _, opt, _, sections = heads(data)
                self.assertIn("at 0x0: DOS header", self.first(data, changed(data, 0)))
                # A no longer starts with "MZ": the places come from B.
                self.assertIn("at 0x0: DOS header", self.first(changed(data, 0), data))
                size = struct.unpack_from("<H", data, heads(data)[0] + 20)[0]
                entry = opt + size + 40
                self.assertIn("section table entry 1 (%s) VirtualSize" % sections[1][0],
                              self.first(data, changed(data, entry + 8)))


class Sections(PeDiffCase):
    def test_byte_in_a_section_is_named_with_offset_and_rva(self):
        for label, data in self.images:
            with self.subTest(label):
                for name, raw, size, rva, vsize in heads(data)[3]:
                    if size == 0:
                        continue
                    inside = min(size, vsize) // 2
                    line = self.first(data, changed(data, raw + inside))
                    self.assertIn("at 0x%x: section %s +0x%x (RVA 0x%x)"
                                  % (raw + inside, name, inside, rva + inside), line)

    def test_appended_data_lies_past_the_last_section(self):
        for label, data in self.images:
            with self.subTest(label):
                line = self.first(data + b"\0", data + b"\1")
                self.assertIn("at 0x%x: data past the last section (+0x0)" % len(data), line)


class Counting(PeDiffCase):
    def test_length_difference_counts_the_extra_bytes(self):
        for label, data in self.images:
            with self.subTest(label):
                for a, b, extra in ((data, data + bytes(7), 7), (data, data[:-16], 16)):
                    status, out, _ = self.compare(a, b)
                    self.assertEqual(status, 1)
                    self.assertIn("A: %s: %d bytes" % (os.path.join(self.folder.name, "a.exe"), len(a)), out)
                    self.assertIn("B: %s: %d bytes" % (os.path.join(self.folder.name, "b.exe"), len(b)), out)
                    self.assertIn("differing bytes: %d, regions: 1" % extra, out)
                    self.assertIn("first difference at 0x%x:" % min(len(a), len(b)), out)

    def test_every_differing_byte_is_counted_and_the_list_is_bounded(self):
        for label, data in self.images:
            with self.subTest(label):
                raw, size = heads(data)[3][0][1:3]
                flips = range(raw, raw + size, 16)      # far enough apart to be separate regions
                b = bytearray(data)
                for offset in flips:
                    b[offset] ^= 0xFF
                status, out, _ = self.compare(data, bytes(b))
                self.assertEqual(status, 1)
                self.assertIn("differing bytes: %d, regions: %d" % (len(flips), len(flips)), out)
                listed = [line for line in out.splitlines() if line.startswith("  0x")]
                self.assertLess(len(listed), len(flips))
                self.assertIn("and %d more regions" % (len(flips) - len(listed)), out)
                self.assertTrue(listed[0].startswith("  0x%x..0x%x, 1 differ:" % (raw, raw)), listed[0])

    def test_a_changed_field_is_one_region(self):
        data = make_pe(False)
        pe = heads(data)[0]
        b = data[:pe + 8] + b"\x78\x56\x34\x12" + data[pe + 12:]
        out = self.compare(data, b)[1]
        self.assertIn("differing bytes: 4, regions: 1", out)
        self.assertIn("  0x%x..0x%x, 4 differ: COFF header TimeDateStamp" % (pe + 8, pe + 11), out)


class Inputs(PeDiffCase):
    def test_files_without_pe_layout_still_compare(self):
        # The second A points its PE header far past its end.
        for a, b in ((b"plain text\n", b"plain texT\n"), (b"MZ" + bytes(0x3A) + b"\xff\xff\xff\x7f", b"MZ")):
            with self.subTest(a[:12]):
                self.assertIn("no PE layout", self.first(a, b))

    def test_cut_off_headers_still_name_what_is_there(self):
        data = make_pe(True)
        pe = heads(data)[0]
        cut = data[:pe + 16]
        self.assertIn("COFF header TimeDateStamp", self.first(cut, changed(cut, pe + 8)))

    def test_unreadable_input_gives_status_2(self):
        present = os.path.join(self.folder.name, "present.exe")
        with open(present, "wb") as f:
            f.write(make_pe(False))
        missing = os.path.join(self.folder.name, "missing.exe")
        for args in ((present, missing), (missing, present), (present, self.folder.name)):
            with self.subTest(args):
                status, out, err = self.run_tool(*args)
                self.assertEqual((status, out), (2, ""))
                self.assertIn("cannot read", err)
        status, out, err = self.run_tool(present)
        self.assertEqual((status, out), (2, ""))
        self.assertIn("usage", err)


if __name__ == "__main__":
    PROGRAMS.extend(arg for arg in sys.argv[1:] if not arg.startswith("-"))
    unittest.main(argv=[sys.argv[0]] + [arg for arg in sys.argv[1:] if arg.startswith("-")])
