#!/usr/bin/env python3
"""tools/pe_diff.py: says where two Windows program files differ, by PE header field or section.

Usage: pe_diff.py A B

Exits 0 and prints one line when the files are identical; exits 1 when they differ, printing
both sizes, how many bytes differ, what lies at the first difference and the differing regions
(at most MAX_REGIONS of them). Places are named from the headers of A, or of B when A is no PE
file. Exits 2 when a file cannot be read.
"""
import struct
import sys

MAX_REGIONS = 10
# Differences this close together make one region: a changed field or digest seldom changes
# every one of its bytes.
REGION_GAP = 8
BLOCK = 4096

COFF_FIELDS = [("Machine", 2), ("NumberOfSections", 2), ("TimeDateStamp", 4),
               ("PointerToSymbolTable", 4), ("NumberOfSymbols", 4),
               ("SizeOfOptionalHeader", 2), ("Characteristics", 2)]

SECTION_FIELDS = [("Name", 8), ("VirtualSize", 4), ("VirtualAddress", 4), ("SizeOfRawData", 4),
                  ("PointerToRawData", 4), ("PointerToRelocations", 4),
                  ("PointerToLinenumbers", 4), ("NumberOfRelocations", 2),
                  ("NumberOfLinenumbers", 2), ("Characteristics", 4)]

DIRECTORIES = ["Export", "Import", "Resource", "Exception", "Certificate", "BaseRelocation",
               "Debug", "Architecture", "GlobalPtr", "TLS", "LoadConfig", "BoundImport", "IAT",
               "DelayImport", "CLRRuntime", "Reserved"]


def optional_fields(plus):
    """The optional header's fields before the data directories; PE32+ has no BaseOfData and
    widens ImageBase and the stack and heap sizes to 8 bytes."""
    wide = 8 if plus else 4
    fields = [("Magic", 2), ("MajorLinkerVersion", 1), ("MinorLinkerVersion", 1),
              ("SizeOfCode", 4), ("SizeOfInitializedData", 4), ("SizeOfUninitializedData", 4),
              ("AddressOfEntryPoint", 4), ("BaseOfCode", 4)]
    if not plus:
        fields.append(("BaseOfData", 4))
    fields += [("ImageBase", wide), ("SectionAlignment", 4), ("FileAlignment", 4),
               ("MajorOperatingSystemVersion", 2), ("MinorOperatingSystemVersion", 2),
               ("MajorImageVersion", 2), ("MinorImageVersion", 2),
               ("MajorSubsystemVersion", 2), ("MinorSubsystemVersion", 2),
               ("Win32VersionValue", 4), ("SizeOfImage", 4), ("SizeOfHeaders", 4),
               ("CheckSum", 4), ("Subsystem", 2), ("DllCharacteristics", 2),
               ("SizeOfStackReserve", wide), ("SizeOfStackCommit", wide),
               ("SizeOfHeapReserve", wide), ("SizeOfHeapCommit", wide),
               ("LoaderFlags", 4), ("NumberOfRvaAndSizes", 4)]
    return fields


class Layout:
    """Where the header fields and sections of one file lie."""

    def __init__(self, data):
        self.kind = None          # "PE32" or "PE32+" once the PE signature is found
        self.fields = []          # (start, size, name) of each header field
        self.sections = []        # (name, file offset, size in file, RVA, virtual size)
        self.headers_end = 0
        try:
            self._parse(data)
        except struct.error:
            pass                  # a cut-off header: what was read still names its places

    def _add(self, start, layout, prefix):
        for name, size in layout:
            self.fields.append((start, size, prefix + name))
            start += size
        return start

    def _parse(self, data):
        if data[:2] != b"MZ" or len(data) < 0x40:
            return
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        self.fields += [(0, 0x3C, "DOS header"), (0x3C, 4, "DOS header e_lfanew")]
        if pe > 0x40:
            self.fields.append((0x40, pe - 0x40, "DOS stub"))
        if data[pe:pe + 4] != b"PE\0\0":
            return
        self.fields.append((pe, 4, "PE signature"))
        self._add(pe + 4, COFF_FIELDS, "COFF header ")
        count, opt_size = struct.unpack_from("<H12xH", data, pe + 6)
        opt = pe + 24
        plus = struct.unpack_from("<H", data, opt)[0] == 0x20B
        self.kind = "PE32+" if plus else "PE32"
        fields = optional_fields(plus)
        dirs = opt + sum(size for _, size in fields)
        self._add(opt, fields, "optional header ")
        table = opt + opt_size
        rva_count = struct.unpack_from("<I", data, dirs - 4)[0]
        for i in range(min(rva_count, max(0, (table - dirs) // 8))):
            name = DIRECTORIES[i] if i < len(DIRECTORIES) else "#%d" % i
            self._add(dirs + 8 * i, [("VirtualAddress", 4), ("Size", 4)],
                      "data directory %s " % name)
        self.headers_end = table + 40 * count
        for i in range(count):
            entry = table + 40 * i
            name = data[entry:entry + 8].rstrip(b"\0").decode("latin-1")
            vsize, rva, raw_size, raw = struct.unpack_from("<4I", data, entry + 8)
            self._add(entry, SECTION_FIELDS, "section table entry %d (%s) " % (i, name))
            self.sections.append((name, raw, raw_size, rva, vsize))

    def describe(self, offset):
        """Names the place of offset; returns (text, (start, size) of the field or None)."""
        for start, size, name in self.fields:
            if start <= offset < start + size:
                return name, (start, size)
        for name, raw, raw_size, rva, vsize in self.sections:
            if raw <= offset < raw + raw_size:
                inside = offset - raw
                text = "section %s +0x%x (RVA 0x%x)" % (name, inside, rva + inside)
                if inside >= vsize:
                    text += ", padding past its virtual size"
                return text, None
        if self.kind is None:
            return "no PE layout", None
        end = max([raw + size for _, raw, size, _, _ in self.sections] + [self.headers_end])
        if offset >= end:
            return "data past the last section (+0x%x)" % (offset - end), None
        if offset >= self.headers_end and all(offset < raw for _, raw, _, _, _ in self.sections):
            return "header padding", None
        return "between sections", None


def regions(a, b):
    """Returns the differing regions as [start, last differing offset, differing bytes]."""
    found = []
    common = min(len(a), len(b))
    for block in range(0, common, BLOCK):
        if a[block:block + BLOCK] == b[block:block + BLOCK]:
            continue
        for i in range(block, min(block + BLOCK, common)):
            if a[i] != b[i]:
                if found and i - found[-1][1] <= REGION_GAP:
                    found[-1][1] = i
                    found[-1][2] += 1
                else:
                    found.append([i, i, 1])
    if len(a) != len(b):
        found.append([common, max(len(a), len(b)) - 1, abs(len(a) - len(b))])
    return found


def shown(data, start, size, numeric):
    """A field's value as a number, or else the bytes there (at most 8)."""
    chunk = data[start:start + size]
    if not chunk:
        return "(past the end)"
    if numeric and len(chunk) == size:
        return "0x%x" % int.from_bytes(chunk, "little")
    return chunk[:8].hex(" ")


def report(path_a, a, path_b, b):
    """Returns the lines that say how a and b differ, or the one line saying they do not."""
    if a == b:
        return ["identical: %s and %s (%d bytes)" % (path_a, path_b, len(a))]
    layout = Layout(a)
    if layout.kind is None:
        layout = Layout(b)
    found = regions(a, b)
    kind = " (%s)" % layout.kind if layout.kind else ""
    lines = ["A: %s: %d bytes" % (path_a, len(a)), "B: %s: %d bytes" % (path_b, len(b)),
             "differing bytes: %d, regions: %d" % (sum(r[2] for r in found), len(found))]
    first = found[0][0]
    where, field = layout.describe(first)
    numeric = field is not None and field[1] <= 8 and not where.endswith("Name")
    start, size = field if numeric else (first, 8)
    lines.append("first difference at 0x%x: %s%s; A %s, B %s" % (
        first, where, kind, shown(a, start, size, numeric), shown(b, start, size, numeric)))
    lines.append("regions:")
    for start, last, count in found[:MAX_REGIONS]:
        lines.append("  0x%x..0x%x, %d differ: %s" % (start, last, count, layout.describe(start)[0]))
    if len(found) > MAX_REGIONS:
        lines.append("  and %d more regions" % (len(found) - MAX_REGIONS))
    return lines


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: pe_diff.py A B\n")
        return 2
    contents = []
    for path in argv[1:]:
        try:
            with open(path, "rb") as f:
                contents.append(f.read())
        except OSError as e:
            sys.stderr.write("pe_diff.py: cannot read %s: %s\n" % (path, e.strerror or e))
            return 2
    print("\n".join(report(argv[1], contents[0], argv[2], contents[1])))
    return 0 if contents[0] == contents[1] else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
