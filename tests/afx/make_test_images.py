#!/usr/bin/env python3
# tests/afx/make_test_images.py: writes the tiny icon and cursor the framework's tests load.
# Run it in this folder; its output (TestIcon.ico, TestCursor.cur) is kept in the repository.
import struct


def image(kind, hotspot=(0, 0)):
    """One 16 x 16 monochrome image: a filled square inside a transparent frame."""
    size = 16
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack('<II', 0x00000000, 0x00FFFFFF)
    xor = b''.join(struct.pack('>I', 0x3FFC0000 if 2 <= row < 14 else 0) for row in range(size))
    mask = b''.join(struct.pack('>I', 0xC003FFFF if 2 <= row < 14 else 0xFFFFFFFF) for row in range(size))
    bits = header + palette + xor + mask
    planes_or_x, bits_or_y = (1, 1) if kind == 1 else hotspot
    directory = struct.pack('<HHH', 0, kind, 1)
    entry = struct.pack('<BBBBHHII', size, size, 2 if kind == 1 else 0, 0, planes_or_x, bits_or_y,
                        len(bits), 6 + 16)
    return directory + entry + bits


with open('TestIcon.ico', 'wb') as f:
    f.write(image(1))
with open('TestCursor.cur', 'wb') as f:
    f.write(image(2, (3, 5)))
