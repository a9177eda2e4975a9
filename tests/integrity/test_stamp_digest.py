#!/usr/bin/env python3
"""tests/integrity/test_stamp_digest.py: the stamp tool run on small files on the host.

Usage: test_stamp_digest.py PATH/TO/stamp_digest.py
"""
import hashlib
import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

TOOL = sys.argv.pop(1) if len(sys.argv) > 1 else None


def load_marker():
    spec = importlib.util.spec_from_file_location("stamp_digest", TOOL)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module.MARKER


class StampTool(unittest.TestCase):
    def setUp(self):
        self.marker = load_marker()
        self.dir = tempfile.TemporaryDirectory()
        self.path = os.path.join(self.dir.name, "program.exe")

    def tearDown(self):
        self.dir.cleanup()

    def run_tool(self, data):
        with open(self.path, "wb") as f:
            f.write(data)
        result = subprocess.run([sys.executable, TOOL, self.path], capture_output=True, text=True)
        with open(self.path, "rb") as f:
            return result, f.read()

    def test_refuses_files_without_exactly_one_whole_slot_and_leaves_them_alone(self):
        m = self.marker
        rows = [
            ("no marker", b"MZ" + os.urandom(500)),
            ("empty file", b""),
            ("marker twice", b"MZ" + m + bytes(20) + b"x" * 50 + m + bytes(20)),
            ("file ends inside the slot", b"MZ" + b"y" * 100 + m + bytes(19)),
        ]
        for i, (what, data) in enumerate(rows):
            with self.subTest(row=i, what=what):
                result, after = self.run_tool(data)
                self.assertNotEqual(0, result.returncode, "row %d: %s" % (i, what))
                self.assertIn("stamp_digest.py", result.stderr)
                self.assertEqual(data, after, "row %d: the file must be left as it was" % i)

    def test_writes_sha1_of_the_blanked_file_into_the_slot_only_and_is_repeatable(self):
        head, tail = b"MZ" + os.urandom(300), os.urandom(200)
        data = head + self.marker + b"\xAA" * 20 + tail
        result, stamped = self.run_tool(data)
        self.assertEqual(0, result.returncode, result.stderr)
        expected = hashlib.sha1(head + self.marker + bytes(20) + tail).digest()
        self.assertEqual(head + self.marker + expected + tail, stamped)
        result, again = self.run_tool(stamped)
        self.assertEqual(0, result.returncode, result.stderr)
        self.assertEqual(stamped, again, "stamping a stamped file must change nothing")


if __name__ == "__main__":
    if TOOL is None:
        sys.exit("usage: test_stamp_digest.py PATH/TO/stamp_digest.py")
    unittest.main()
