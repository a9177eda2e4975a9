#!/usr/bin/env python3
"""tests/integrity/test_stamp_digest.py: the stamp tool refuses a file without exactly one whole slot,
leaving it as it was, and stamps a file with one. Usage: test_stamp_digest.py PATH/TO/stamp_digest.py"""
import os, runpy, subprocess, sys, tempfile

tool = sys.argv[1]
slot = runpy.run_path(tool)["MARKER"] + bytes(20)   # run under another name, its main() stays idle
rows = [("no marker", b"MZ" + bytes(500), False), ("marker twice", b"MZ" + slot + b"x" + slot, False),
        ("file ends inside the slot", b"MZ" + slot[:-1], False), ("one slot", b"MZ" + slot + b"x", True)]
failed = 0
with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "program.exe")
    for i, (what, data, stamps) in enumerate(rows):
        with open(path, "wb") as f:
            f.write(data)
        status = subprocess.run([sys.executable, tool, path], capture_output=True).returncode
        with open(path, "rb") as f:
            changed = f.read() != data
        if (status == 0) != stamps or changed != stamps:
            print("row %d (%s): exit status %d, file %s" % (i, what, status, "changed" if changed else "as it was"))
            failed = 1
sys.exit(failed)
