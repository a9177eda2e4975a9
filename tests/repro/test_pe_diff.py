#!/usr/bin/python3
"""tests/repro/test_pe_diff.py: pe_diff.py names the place of a difference by PE field or section,
counts every differing byte and exits 0, 1 or 2 as it says.

Usage: test_pe_diff.py [-v] PROGRAM.exe ...   Changed copies of each program are compared with it.
"""
import contextlib, io, os, pathlib, runpy, subprocess, sys, tempfile, unittest

import pefile

TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pe_diff.py")
TOOL_MAIN = runpy.run_path(TOOL)["main"]      # run under another name, its own main stays idle
PROGRAMS = []


def changed(data, *offsets):
    data = bytearray(data)
    for offset in offsets:
        data[offset] ^= 0x01
    return bytes(data)


def name(section):
    return section.Name.rstrip(b"\0").decode()


def run_tool(*contents):
    """(status, output, errors) of the tool's main on files with these contents (a missing second
    file without one), run in this process: a fresh interpreter costs a third of a second."""
    with tempfile.TemporaryDirectory() as folder:
        paths = [os.path.join(folder, name) for name in ("a.exe", "b.exe")]
        for path, data in zip(paths, contents):
            pathlib.Path(path).write_bytes(data)
        out, err = io.StringIO(), io.StringIO()
        with contextlib.redirect_stdout(out), contextlib.redirect_stderr(err):
            status = TOOL_MAIN(["pe_diff.py"] + paths)
    return status, out.getvalue(), err.getvalue()


class PeDiff(unittest.TestCase):
    def first(self, a, b):
        status, out, err = run_tool(a, b)
        self.assertEqual((status, err), (1, ""), out)
        return next(line for line in out.splitlines() if line.startswith("first difference"))

    def test_places_are_named_by_field_or_section(self):
        for path in PROGRAMS:
            with self.subTest(path):
                data = pathlib.Path(path).read_bytes()
                pe = pefile.PE(data=data, fast_load=True)
                head, opt, last = pe.FILE_HEADER, pe.OPTIONAL_HEADER, pe.sections[-1]
                table = opt.get_file_offset() + head.SizeOfOptionalHeader
                fields = [(pe.DOS_HEADER, "e_lfanew", "DOS header e_lfanew"),
                          (opt, "Reserved1", "optional header Win32VersionValue"),
                          (opt.DATA_DIRECTORY[2], "Size", "data directory Resource Size"),
                          (last, "Misc", "section table entry %d (%s) VirtualSize"
                           % ((last.get_file_offset() - table) // 40, name(last)))]
                places = [(part.get_field_absolute_offset(f), place) for part, f, place in fields]
                for s in (s for s in pe.sections if s.SizeOfRawData):
                    inside = min(s.SizeOfRawData, s.Misc_VirtualSize) // 2
                    places.append((s.PointerToRawData + inside, "section %s +0x%x (RVA 0x%x)"
                                   % (name(s), inside, s.VirtualAddress + inside)))
                for offset, place in places:
                    self.assertIn("at 0x%x: %s" % (offset, place),
                                  self.first(data, changed(data, offset)))
                # The whole field's values, though only its last byte differs.
                at = head.get_field_absolute_offset("TimeDateStamp") + 3
                self.assertIn("0x%x: COFF header TimeDateStamp (PE32%s); A 0x%x, B 0x%x" % (
                    at, "+" if opt.Magic == 0x20B else "", head.TimeDateStamp,
                    head.TimeDateStamp ^ 0x1000000), self.first(data, changed(data, at)))
                self.assertIn("past the last section (+0x0)",
                              self.first(data + b"\0", data + b"\1"))
                # A is no PE file any more: the places come from B.
                self.assertIn("at 0x0: DOS header", self.first(changed(data, 0), data))

    def test_differing_bytes_counted_and_exit_status(self):
        data = pathlib.Path(PROGRAMS[0]).read_bytes()
        self.assertIn("bytes: 16, regions: 1\nfirst difference at 0x%x:" % (len(data) - 16),
                      run_tool(data, data[:-16])[1])
        # A field changed in all its bytes is one region; bytes 16 apart are regions of their own.
        self.assertIn("bytes: 4, regions: 1\nfirst difference at 0x3c: DOS header e_lfanew",
                      run_tool(data, changed(data, 0x3C, 0x3D, 0x3E, 0x3F))[1])
        middle = len(data) // 2
        out = run_tool(data, changed(data, *range(middle, middle + 30 * 16, 16)))[1]
        self.assertIn("bytes: 30, regions: 30", out)
        self.assertEqual((out.count("\n  0x"), out.endswith("\n  and 20 more regions\n")),
                         (10, True))
        self.assertIn("no PE layout", self.first(b"plain text\n", b"plain texT\n"))
        status, out, _ = run_tool(data, data)
        self.assertEqual((status, len(out.splitlines()), "identical" in out), (0, 1, True))
        status, out, err = run_tool(data)
        self.assertEqual((status, out, "cannot read" in err), (2, "", True))
        # The script passes main's status on.
        done = subprocess.run([sys.executable, TOOL, TOOL, PROGRAMS[0]], capture_output=True)
        self.assertEqual(done.returncode, 1, done.stderr)


if __name__ == "__main__":
    PROGRAMS.extend(arg for arg in sys.argv[1:] if not arg.startswith("-"))
    unittest.main(argv=[sys.argv[0]] + [arg for arg in sys.argv[1:] if arg.startswith("-")])
