#!/usr/bin/python3
"""tests/integrity/test_stamp_digest.py: the stamp tool refuses a file without exactly one whole slot,
leaving it as it was, and stamps a file with one; in a PE file it zeroes the header checksum, which
the digest then covers, and stamping again changes nothing.
Usage: test_stamp_digest.py PATH/TO/stamp_digest.py"""
import hashlib, os, runpy, struct, subprocess, sys, tempfile

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

    # A PE32 header at 0x40 whose CheckSum (0x40 + 24 + 64) ld has filled in.
    header = bytearray(b"MZ" + bytes(0x3A) + struct.pack("<I", 0x40) + b"PE\0\0" + bytes(160))
    struct.pack_into("<H", header, 0x40 + 24, 0x10B)
    struct.pack_into("<I", header, 0x40 + 24 + 64, 0x1CD2E)
    with open(path, "wb") as f:
        f.write(bytes(header) + slot + b"x")
    subprocess.run([sys.executable, tool, path], check=True)
    with open(path, "rb") as f:
        stamped = f.read()
    at = len(header) + len(slot) - 20
    if struct.unpack_from("<I", stamped, 0x40 + 24 + 64)[0] != 0:
        print("the PE checksum was left as ld wrote it")
        failed = 1
    if stamped[at:at + 20] != hashlib.sha1(stamped[:at] + bytes(20) + stamped[at + 20:]).digest():
        print("the digest does not cover the file as written")
        failed = 1
    subprocess.run([sys.executable, tool, path], check=True)
    with open(path, "rb") as f:
        if f.read() != stamped:
            print("stamping a stamped file changed it")
            failed = 1
sys.exit(failed)
