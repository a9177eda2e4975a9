#!/usr/bin/python3
"""tests/pe/check-imports.py: checks that programs import only functions Windows NT 4.0 provides.

Usage: check-imports.py TABLE PROGRAM.exe [PROGRAM.exe ...]

TABLE holds one "dll function" line per function that NT 4.0 SP6a exports, '#' starting a comment.
Each import of each program, delay-loaded ones included, must be in it: DLL names compare without
regard to case, as the loader compares them, function names exactly. An import by ordinal fails
too, since the table cannot vouch for what an ordinal means on NT 4.0. Prints one FAIL line per
import missing from the table and exits 1; otherwise one line per program, and exits 0.
"""
import sys

import pefile


def read_table(path):
    """The table's (dll, function) pairs, the DLL in lower case."""
    known = set()
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            fields = line.split("#", 1)[0].split()
            if not fields:
                continue
            if len(fields) != 2:
                raise ValueError(f"{path}:{number}: expected 'dll function', found {line.strip()!r}")
            known.add((fields[0].lower(), fields[1]))
    return known


def imports_of(path):
    """The program's imports as (dll, name) pairs, name being '#ordinal' for an import by ordinal.
    Raises ValueError when the file is no PE file or imports nothing."""
    try:
        pe = pefile.PE(path, fast_load=True)
    except pefile.PEFormatError as error:
        raise ValueError(f"not a PE file ({error})") from None
    pe.parse_data_directories(directories=[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"],
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT"]])
    entries = getattr(pe, "DIRECTORY_ENTRY_IMPORT", []) + getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])
    found = [(entry.dll.decode("ascii", "replace").lower(),
              symbol.name.decode("ascii", "replace") if symbol.name else f"#{symbol.ordinal}")
             for entry in entries for symbol in entry.imports]
    if not found:
        raise ValueError("has no import table")
    return found


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    table_path, programs = argv[1], argv[2:]
    try:
        known = read_table(table_path)
    except (OSError, ValueError) as error:
        print(f"FAIL: cannot use the table: {error}")
        return 1
    status = 0
    for program in programs:
        try:
            found = imports_of(program)
        except (OSError, ValueError) as error:
            print(f"FAIL: {program}: {error}")
            status = 1
            continue
        missing = [(dll, name) for dll, name in found if (dll, name) not in known]
        for dll, name in missing:
            what = f"{dll} {name} by ordinal" if name.startswith("#") else f"{dll}!{name}"
            print(f"FAIL: {program}: imports {what}, which is not in the NT 4.0 table ({table_path})")
        if missing:
            status = 1
        else:
            print(f"ok: {program}: {len(found)} imports checked against {table_path}")
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
