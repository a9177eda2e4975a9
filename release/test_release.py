#!/usr/bin/python3
"""release/test_release.py: the release archive as an administrator gets it.

Usage: test_release.py RELEASE_DIR README.md BIN_DIR
Checks the archive's digest file, its members (order, fixed time, no owner, the build's very
bytes), and README.TXT as Notepad on NT 4.0 needs it: CRLF line ends only, the Windows ANSI code
page, at most 78 columns; and that it says everything the README's section for administrators
says, word for word, and is what the README makes now.
"""
import collections
import glob
import hashlib
import os
import re
import sys
import zipfile

import readme_txt

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def words_of_section(markdown):
    words = []
    for line in readme_txt.section_lines(markdown):
        if line.startswith("<!--") or re.fullmatch(r"\|[-| :]+\|", line.strip()):
            continue
        line = line.lstrip("#").strip().strip("|")
        words += readme_txt.plain(line.replace(" | ", " ")).split()
    return collections.Counter(words)


def words_of_text(text, title_lines=2):
    lines = text.split("\r\n")[title_lines:]
    lines = [line for line in lines if not re.fullmatch(r"[-= ]+", line)]
    return collections.Counter(" ".join(lines).split())


def main():
    release_dir, readme, bin_dir = sys.argv[1:4]
    archives = glob.glob(os.path.join(release_dir, "Brantovell-*.zip"))
    if len(archives) != 1:
        sys.exit(f"FAIL: expected one Brantovell-VERSION.zip in {release_dir}, found {archives}")
    path = archives[0]
    name = os.path.basename(path)
    version = name[len("Brantovell-"):-len(".zip")]
    with open(path, "rb") as f:
        data = f.read()
    with open(path + ".sha256") as f:
        check(f.read() == f"{hashlib.sha256(data).hexdigest()}  {name}\n", "the .sha256 file does not match the archive")

    with zipfile.ZipFile(path) as archive:
        infos = archive.infolist()
        check([i.filename for i in infos] == list(("Brantovell.exe", "launcher.exe", "Uninstall.exe", "SHA256SUMS",
                                                   "README.TXT")),
              f"members: {[i.filename for i in infos]}")
        for info in infos:
            check(info.date_time == (2003, 1, 1, 12, 0, 0) and info.create_system == 0 and not info.extra,
                  f"{info.filename}: time {info.date_time}, system {info.create_system}, extra {info.extra!r}")
            if info.filename != "README.TXT":
                with open(os.path.join(bin_dir, info.filename), "rb") as f:
                    check(archive.read(info) == f.read(), f"{info.filename} is not the build's")
        text_bytes = archive.read("README.TXT")
        # SHA256SUMS holds the digest of each program in the archive, and nothing else.
        programs = [i.filename for i in infos if i.filename.endswith(".exe")]
        sums = "".join(f"{hashlib.sha256(archive.read(p)).hexdigest()}  {p}\n" for p in programs)
        check(archive.read("SHA256SUMS").decode() == sums, f"SHA256SUMS is not the digests of {programs}")

    check(b"\n" not in text_bytes.replace(b"\r\n", b"") and b"\r" not in text_bytes.replace(b"\r\n", b""),
          "README.TXT has a line end that is not CRLF")
    text = text_bytes.decode("cp1252")
    for number, line in enumerate(text.split("\r\n"), 1):
        check(len(line) <= 78, f"README.TXT line {number} has {len(line)} columns")
        check(not re.search(r"[\x00-\x1f\x7f]", line), f"README.TXT line {number} has a control character")
    with open(readme, encoding="utf-8") as f:
        markdown = f.read()
    check(text_bytes == readme_txt.convert(markdown, version), "README.TXT is not what the README makes now")
    check(f"Brantovell {version}" in text.split("\r\n")[0], "README.TXT's title does not give the version")
    lost = words_of_section(markdown) - words_of_text(text)
    added = words_of_text(text) - words_of_section(markdown)
    check(not lost and not added, f"README.TXT does not say what the README says: lost {dict(lost)}, added {dict(added)}")

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"{name}: 5 members as built, README.TXT of {len(text.splitlines())} CRLF lines within 78 columns")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
