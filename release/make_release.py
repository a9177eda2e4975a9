#!/usr/bin/python3
"""release/make_release.py: the release archive: the programs, their digests and the administrator's guide.

Usage: make_release.py BIN_DIR README.md OUT_DIR
Writes OUT_DIR/Brantovell-VERSION.zip and, beside it, its digest in Brantovell-VERSION.zip.sha256
(sha256sum's format). VERSION is the installer's file version, from its version resource.

The same inputs give the same bytes wherever and whenever they are packed: the members come in a
fixed order, each with one fixed time, MS-DOS attributes and no owner, deflated at a fixed level.
"""
import hashlib
import io
import os
import sys
import zipfile

import pefile

import readme_txt

PROGRAMS = ("Brantovell.exe", "launcher.exe", "Uninstall.exe")
MEMBERS = PROGRAMS + ("SHA256SUMS", "README.TXT")
FIXED_TIME = (2003, 1, 1, 12, 0, 0)


def file_version(path):
    pe = pefile.PE(path)
    info = getattr(pe, "VS_FIXEDFILEINFO", None)
    if not info:
        raise ValueError(f"{path} has no version resource")
    ms, ls = info[0].FileVersionMS, info[0].FileVersionLS
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


def archive_bytes(contents):
    """The ZIP archive of contents (name -> bytes), in MEMBERS' order."""
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as archive:
        for name in MEMBERS:
            info = zipfile.ZipInfo(name, FIXED_TIME)
            info.create_system = 0          # MS-DOS: no Unix owner or mode
            info.external_attr = 0
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, contents[name], compresslevel=9)
    return buffer.getvalue()


def write_atomically(path, data):
    with open(path + ".new", "wb") as f:
        f.write(data)
    os.replace(path + ".new", path)


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: make_release.py BIN_DIR README.md OUT_DIR")
    bin_dir, readme, out_dir = sys.argv[1:]
    version = file_version(os.path.join(bin_dir, PROGRAMS[0]))
    contents = {}
    for name in MEMBERS[:-1]:
        with open(os.path.join(bin_dir, name), "rb") as f:
            contents[name] = f.read()
    with open(readme, encoding="utf-8") as f:
        contents["README.TXT"] = readme_txt.convert(f.read(), version)

    name = f"Brantovell-{version}.zip"
    data = archive_bytes(contents)
    os.makedirs(out_dir, exist_ok=True)
    for old in os.listdir(out_dir):         # an archive of an earlier version is not this release
        if old.startswith("Brantovell-") and not old.startswith(name):
            os.remove(os.path.join(out_dir, old))
    write_atomically(os.path.join(out_dir, name), data)
    write_atomically(os.path.join(out_dir, name + ".sha256"),
                     f"{hashlib.sha256(data).hexdigest()}  {name}\n".encode())
    print(os.path.join(out_dir, name))


if __name__ == "__main__":
    main()
