#!/usr/bin/env python3
"""tests/res/compare_resources.py: the resources of two programs must be the same, byte for byte.

Usage: compare_resources.py SHIPPED.exe TWIN.exe

Reads each file's resource tree (PE32 or PE32+ alike) and compares every resource by type, name
and language. The installer's own resources must be there: two files that both lack them would
otherwise compare equal.
"""
import struct
import sys

RT_NAMES = {1: "cursor", 2: "bitmap", 3: "icon", 4: "menu", 5: "dialog", 6: "string table",
            12: "cursor group", 14: "icon group", 16: "version"}
# (type, name): the dialogs 102 and 100, string 101 (in block 101 / 16 + 1), the icon group 128,
# the cursor group 132, the bitmap 129 and the version block.
REQUIRED = [(5, 102), (5, 100), (6, 7), (14, 128), (12, 132), (2, 129), (16, 1)]


def resources(path):
    """Returns {(type, name, language): bytes} for every resource of the program at path."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"MZ":
        raise ValueError("not a Windows program")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE header")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + {0x10B: 96, 0x20B: 112}[magic]
    root_rva, root_size = struct.unpack_from("<II", data, directories + 2 * 8)
    if root_size == 0:
        return {}
    table = [struct.unpack_from("<8xIIII", data, optional + optional_size + 40 * i)
             for i in range(sections)]

    def offset(rva):
        for size, address, raw_size, raw in table:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError("RVA 0x%x lies in no section" % rva)

    root = offset(root_rva)

    def name_of(entry_name):
        if entry_name & 0x80000000:
            at = root + (entry_name & 0x7FFFFFFF)
            length = struct.unpack_from("<H", data, at)[0]
            return data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        return entry_name

    found = {}

    def walk(directory, path):
        named, numbered = struct.unpack_from("<12xHH", data, root + directory)
        for i in range(named + numbered):
            entry_name, target = struct.unpack_from("<II", data, root + directory + 16 + 8 * i)
            key = path + (name_of(entry_name),)
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, key)
            else:
                rva, size = struct.unpack_from("<II", data, root + target)
                found[key] = data[offset(rva):offset(rva) + size]

    walk(0, ())
    return found


def describe(key):
    kind = RT_NAMES.get(key[0], "type %s" % (key[0],))
    return "%s %s (language %s)" % (kind, key[1], key[2])


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: compare_resources.py SHIPPED.exe TWIN.exe\n")
        return 2
    try:
        shipped, twin = resources(argv[1]), resources(argv[2])
    except (OSError, ValueError, KeyError, struct.error) as e:
        sys.stderr.write("compare_resources.py: %s\n" % e)
        return 2
    problems = []
    present = {(key[0], key[1]) for key in shipped}
    problems += ["%s: missing from %s" % (describe(r + ("any",)), argv[1])
                 for r in REQUIRED if r not in present]
    for key in sorted(set(shipped) | set(twin), key=repr):
        if key not in twin:
            problems.append("%s: only in %s" % (describe(key), argv[1]))
        elif key not in shipped:
            problems.append("%s: only in %s" % (describe(key), argv[2]))
        elif shipped[key] != twin[key]:
            first = next((i for i, (a, b) in enumerate(zip(shipped[key], twin[key])) if a != b),
                         min(len(shipped[key]), len(twin[key])))
            problems.append("%s: differs from byte %d (%d and %d bytes)"
                            % (describe(key), first, len(shipped[key]), len(twin[key])))
    for problem in problems:
        print("FAIL: " + problem)
    if problems:
        return 1
    print("ok: %d resources, the same in both programs" % len(shipped))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
