#!/usr/bin/python3
"""tests/repro/pe_diff.py: says where two Windows program files differ, by PE header field or section.

Usage: pe_diff.py A B

Exits 0 and prints one line when the files are identical; exits 1 when they differ, printing
both sizes, how many bytes differ, what lies at the first difference and the differing regions
(at most MAX_REGIONS of them). Places are named from the headers of A as Debian's pefile reads
them, or of B when pefile refuses A (no PE file, or its headers cut off). Exits 2 when a file
cannot be read.
"""
import sys

import pefile

MAX_REGIONS = 10
# Differences this close together make one region: a changed field or digest seldom changes
# every one of its bytes.
REGION_GAP = 8
BLOCK = 4096

# The data directories by index, under the names this tool has always printed.
DIRECTORIES = ["Export", "Import", "Resource", "Exception", "Certificate", "BaseRelocation",
               "Debug", "Architecture", "GlobalPtr", "TLS", "LoadConfig", "BoundImport", "IAT",
               "DelayImport", "CLRRuntime", "Reserved"]
# pefile's names that differ from the ones printed; a union (the section's Misc) goes by its
# first name.
RENAMED = {"Reserved1": "Win32VersionValue", "Misc": "VirtualSize"}


def fields(structure, prefix):
    """(start, size, name) of each field of a structure pefile has read."""
    names = {}
    for name, field in structure.dump_dict().items():
        if name != "Structure":
            names.setdefault(field["FileOffset"], RENAMED.get(name, name))
    starts = sorted(names) + [structure.get_file_offset() + structure.sizeof()]
    return [(start, end - start, prefix + names[start]) for start, end in zip(starts, starts[1:])]


class Layout:
    """Where the header fields and sections of one file lie; nothing is named in a file pefile
    refuses (no PE header, or headers cut off)."""

    def __init__(self, data):
        self.kind = None          # "PE32" or "PE32+" once pefile has read the headers
        self.fields = []          # (start, size, name) of each header field
        self.sections = []        # (name, file offset, size in file, RVA, virtual size)
        self.headers_end = 0
        try:
            pe = pefile.PE(data=data, fast_load=True)
        except pefile.PEFormatError:
            return
        self.kind = "PE32+" if pe.PE_TYPE == pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS else "PE32"
        # Before e_lfanew the DOS header holds only what MS-DOS reads: one place.
        lfanew = pe.DOS_HEADER.get_field_absolute_offset("e_lfanew")
        self.fields += [(0, lfanew, "DOS header"), (lfanew, 4, "DOS header e_lfanew")]
        pe_at = pe.NT_HEADERS.get_file_offset()
        if pe_at > 0x40:
            self.fields.append((0x40, pe_at - 0x40, "DOS stub"))
        self.fields.append((pe_at, 4, "PE signature"))
        self.fields += fields(pe.FILE_HEADER, "COFF header ")
        self.fields += fields(pe.OPTIONAL_HEADER, "optional header ")
        # The section table follows the optional header's declared size; pefile reads as many
        # directories as NumberOfRvaAndSizes claims, even from the table's bytes.
        table = pe.OPTIONAL_HEADER.get_file_offset() + pe.FILE_HEADER.SizeOfOptionalHeader
        for i, directory in enumerate(pe.OPTIONAL_HEADER.DATA_DIRECTORY):
            if directory.get_file_offset() + directory.sizeof() <= table:
                self.fields += fields(directory, "data directory %s " % DIRECTORIES[i])
        self.headers_end = table + 40 * pe.FILE_HEADER.NumberOfSections
        # pefile sorts its sections by RVA; the entries are numbered in table order.
        for section in sorted(pe.sections, key=lambda s: s.get_file_offset()):
            name = section.Name.rstrip(b"\0").decode("latin-1")
            index = (section.get_file_offset() - table) // 40
            self.fields += fields(section, "section table entry %d (%s) " % (index, name))
            self.sections.append((name, section.PointerToRawData, section.SizeOfRawData,
                                  section.VirtualAddress, section.Misc_VirtualSize))

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
