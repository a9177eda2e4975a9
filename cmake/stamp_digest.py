#!/usr/bin/python3
"""cmake/stamp_digest.py: writes the SHA-1 of a linked program into its stamp slot.

Usage: stamp_digest.py PROGRAM.exe

The slot is the 16-byte marker below followed by 20 digest bytes;
installer/integrity/ProgramIntegrity.cpp holds the same marker. The digest covers the whole file
with the 20 digest bytes taken as zero, so stamping an already stamped file gives the same result.
It detects damage; it is no signature.
The PE header's checksum is set to zero ("none") first: ld's sum would be wrong once the digest is
in, and a sum written after the digest would change a byte that the digest covers. Windows checks
the sum of drivers and boot-time DLLs only.
Exits non-zero, leaving the file as it was, when the marker is missing or occurs more than once.
"""
import hashlib
import sys

import pefile

MARKER = bytes([0xFB, 0x2E, 0xCD, 0x84, 0xEA, 0xE1, 0xEA, 0x8B,
                0xE6, 0x03, 0x1F, 0x8E, 0xCE, 0xA1, 0x9B, 0xBE])
DIGEST_SIZE = 20


def without_checksum(data):
    """Returns data with the PE CheckSum field zeroed, or data as it is when pefile finds no PE
    headers in it."""
    try:
        pe = pefile.PE(data=data, fast_load=True)
    except pefile.PEFormatError:
        return data
    field = pe.OPTIONAL_HEADER.get_field_absolute_offset("CheckSum")
    return data[:field] + bytes(4) + data[field + 4:]


def stamp(data):
    """Returns (offset, digest) to write into data (bytes); raises ValueError without one slot."""
    first = data.find(MARKER)
    if first < 0:
        raise ValueError("stamp marker not found (is the integrity check linked in?)")
    if data.find(MARKER, first + 1) >= 0:
        raise ValueError("stamp marker found more than once")
    start = first + len(MARKER)
    if start + DIGEST_SIZE > len(data):
        raise ValueError("file ends inside the stamp slot")
    blank = data[:start] + bytes(DIGEST_SIZE) + data[start + DIGEST_SIZE:]
    return start, hashlib.sha1(blank).digest()


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: stamp_digest.py PROGRAM.exe\n")
        return 2
    path = argv[1]
    try:
        with open(path, "rb") as f:
            data = without_checksum(f.read())
        offset, digest = stamp(data)
        with open(path, "r+b") as f:
            f.write(data[:offset] + digest + data[offset + DIGEST_SIZE:])
    except (OSError, ValueError) as e:
        sys.stderr.write("stamp_digest.py: %s: %s\n" % (path, e))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
