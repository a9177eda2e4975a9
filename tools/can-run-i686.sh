#!/bin/sh
# tools/can-run-i686.sh: exits 0 when this machine can execute 32-bit x86 code, 1 when it cannot.
#
# Runs a 92-byte 32-bit Linux program that does nothing but exit with status 42 through int 0x80.
# A kernel without 32-bit emulation refuses it (exec format error, status 126) before any
# instruction runs; Wine's 32-bit half needs exactly what this needs, and it costs a millisecond.
set -u
probe=$(mktemp "${TMPDIR:-/tmp}/i686-probe.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
python3 - "$probe" <<'PY' || exit 1
import struct, sys
code = bytes.fromhex("b801000000" "bb2a000000" "cd80")   # mov eax,1; mov ebx,42; int 0x80
base, header = 0x08048000, 52 + 32
elf = (b"\x7fELF\x01\x01\x01" + bytes(9)                  # 32-bit, little-endian, version 1
       + struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, base + header, 52, 0, 0, 52, 32, 1, 0, 0, 0))
segment = struct.pack("<IIIIIIII", 1, 0, base, base, header + len(code), header + len(code), 5, 0x1000)
with open(sys.argv[1], "wb") as f:
    f.write(elf + segment + code)
PY
chmod +x "$probe"
"$probe" 2>/dev/null
[ $? -eq 42 ]
