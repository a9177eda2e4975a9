#!/usr/bin/python3
"""tests/res/compare_resources.py: the resources of two programs must be the same, byte for byte.

Usage: compare_resources.py SHIPPED.exe TWIN.exe

Reads each file's resource tree (PE32 or PE32+ alike) with Debian's pefile and compares every
resource by type, name and language. The installer's own resources must be there: two files that
both lack them would otherwise compare equal. Exits 2 when a file is no program or its tree is
damaged.
"""
import sys

import pefile

RT_NAMES = {1: "cursor", 2: "bitmap", 3: "icon", 4: "menu", 5: "dialog", 6: "string table",
            12: "cursor group", 14: "icon group", 16: "version"}
# (type, name): the dialogs 102 and 100, string 101 (in block 101 / 16 + 1), the icon group 128,
# the cursor group 132, the bitmap 129 and the version block.
REQUIRED = [(5, 102), (5, 100), (6, 7), (14, 128), (12, 132), (2, 129), (16, 1)]
RESOURCE = pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]


def resources(path):
    """Returns {(type, name, language): bytes} for every resource of the program at path."""
    with open(path, "rb") as f:
        data = f.read()
    found = {}

    # pefile stops reading a damaged directory early and only warns, and it takes a stray RVA for
    # a file offset: what it left out, or read from the wrong place, must not compare as equal.
    def walk(directory, key):
        declared = directory.struct.NumberOfNamedEntries + directory.struct.NumberOfIdEntries
        if len(directory.entries) != declared:
            raise ValueError("%s: resource directory %s is damaged" % (path, key))
        for entry in directory.entries:
            here = key + (entry.id if entry.name is None else str(entry.name),)
            if hasattr(entry, "directory") != (len(here) < 3):
                raise ValueError("%s: resource %s is not type, name and language" % (path, here))
            if len(here) < 3:
                walk(entry.directory, here)
                continue
            rva, size = entry.data.struct.OffsetToData, entry.data.struct.Size
            section = pe.get_section_by_rva(rva)
            if section is None:
                raise ValueError("%s: RVA 0x%x lies in no section" % (path, rva))
            start = section.get_offset_from_rva(rva)
            found[here] = data[start:start + size]

    try:
        pe = pefile.PE(data=data, fast_load=True)
        directories = pe.OPTIONAL_HEADER.DATA_DIRECTORY
        if len(directories) <= RESOURCE or directories[RESOURCE].Size == 0:
            return found
        pe.parse_data_directories([RESOURCE])
        if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
            raise ValueError("%s: the resource tree cannot be read" % path)
        walk(pe.DIRECTORY_ENTRY_RESOURCE, ())
    except pefile.PEFormatError as e:
        raise ValueError("%s: %s" % (path, e.value))
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
    except (OSError, ValueError) as e:
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
