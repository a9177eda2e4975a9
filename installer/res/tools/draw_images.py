#!/usr/bin/env python3
# installer/res/tools/draw_images.py: draws the installer's icon, hand cursor and logo bitmap.
#
# Usage: draw_images.py [OUTPUT_DIR]   (default: installer/res, the folder above this one)
#
# Everything is drawn from code with the standard library only, so the same run always gives
# the same bytes; a test regenerates the files and compares them with the committed ones.
# Writes Brantovell.ico (32x32, 4 bpp), HandCursor.cur (32x32, 8 bpp, hot spot (12,4)) and
# Logo.bmp (122x79, 24 bpp).

import os
import struct
import sys

# ---------------------------------------------------------------------------------------------
# File writers

def bitmap_info_header(width, height, bit_count, image_size, colours_used=0):
    """A BITMAPINFOHEADER; icons and cursors give twice the height (colour image + mask)."""
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bit_count, 0, image_size,
                       0, 0, colours_used, 0)


def packed_rows(pixels, width, height, bit_count):
    """Rows of palette indices, bottom-up, packed MSB first and padded to 4 bytes."""
    stride = (width * bit_count + 31) // 32 * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            value = pixels[y * width + x]
            bit = x * bit_count
            row[bit // 8] |= value << (8 - bit_count - bit % 8)
        out += row
    return bytes(out)


def icon_image(indices, mask, palette, bit_count):
    """The DIB of one icon or cursor image: header, palette, XOR bits, AND mask.
    A transparent pixel has index 0 in the colour bits and 1 in the mask."""
    size = 32
    colours = packed_rows([0 if m else i for i, m in zip(indices, mask)], size, size, bit_count)
    and_mask = packed_rows([1 if m else 0 for m in mask], size, size, 1)
    rgbquads = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    header = bitmap_info_header(size, size * 2, bit_count, len(colours) + len(and_mask))
    return header + rgbquads + colours + and_mask


def write_icon_file(path, image, palette_size, bit_count, hot_spot=None):
    """An .ico (hot_spot None) or .cur file holding one 32x32 image."""
    is_cursor = hot_spot is not None
    directory = struct.pack('<HHH', 0, 2 if is_cursor else 1, 1)
    if is_cursor:
        planes, bits = hot_spot          # a cursor entry carries the hot spot in these fields
    else:
        planes, bits = 1, bit_count
    entry = struct.pack('<BBBBHHII', 32, 32, palette_size % 256, 0, planes, bits,
                        len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(directory + entry + image)


def write_bmp24(path, canvas):
    stride = (canvas.width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b = canvas.get(x, y)
            row += bytes((b, g, r))
        pixels += row + bytes(stride - len(row))
    info = bitmap_info_header(canvas.width, canvas.height, 24, len(pixels))
    file_header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(file_header + info + pixels)

# ---------------------------------------------------------------------------------------------
# Drawing

class Canvas:
    """A grid of values (RGB tuples or palette indices); None means transparent."""

    def __init__(self, width, height, fill=None):
        self.width, self.height = width, height
        self.cells = [fill] * (width * height)

    def get(self, x, y):
        return self.cells[y * self.width + x]

    def put(self, x, y, value):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.cells[y * self.width + x] = value

    def rect(self, x0, y0, x1, y1, value):
        """Fills the rectangle with corners (x0,y0) and (x1,y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, value)

    def frame(self, x0, y0, x1, y1, value):
        self.rect(x0, y0, x1, y0, value)
        self.rect(x0, y1, x1, y1, value)
        self.rect(x0, y0, x0, y1, value)
        self.rect(x1, y0, x1, y1, value)

    def bevel(self, x0, y0, x1, y1, light, dark):
        """A raised edge: light along the top and left, dark along the bottom and right."""
        self.rect(x0, y0, x1, y0, light)
        self.rect(x0, y0, x0, y1, light)
        self.rect(x0, y1, x1, y1, dark)
        self.rect(x1, y0, x1, y1, dark)


def blend(a, b, t):
    return tuple(int(round(p + (q - p) * t)) for p, q in zip(a, b))


# A 5x7 pixel font, just the letters the logo spells.
FONT = {
    'B': ['XXXX.', 'X...X', 'X...X', 'XXXX.', 'X...X', 'X...X', 'XXXX.'],
    'E': ['XXXXX', 'X....', 'X....', 'XXXX.', 'X....', 'X....', 'XXXXX'],
    'I': ['.XXX.', '..X..', '..X..', '..X..', '..X..', '..X..', '.XXX.'],
    'K': ['X...X', 'X..X.', 'X.X..', 'XX...', 'X.X..', 'X..X.', 'X...X'],
    'N': ['X...X', 'XX..X', 'X.X.X', 'X..XX', 'X...X', 'X...X', 'X...X'],
    'O': ['.XXX.', 'X...X', 'X...X', 'X...X', 'X...X', 'X...X', '.XXX.'],
    'R': ['XXXX.', 'X...X', 'X...X', 'XXXX.', 'X.X..', 'X..X.', 'X...X'],
    'T': ['XXXXX', '..X..', '..X..', '..X..', '..X..', '..X..', '..X..'],
    'V': ['X...X', 'X...X', 'X...X', 'X...X', 'X...X', '.X.X.', '..X..'],
}


def text_width(text, scale, gap):
    return len(text) * 5 * scale + (len(text) - 1) * gap


def draw_text(canvas, text, x0, y0, scale, gap, colour_at):
    """Block letters; colour_at(row) gives the colour of each of the 7*scale pixel rows."""
    for n, letter in enumerate(text):
        left = x0 + n * (5 * scale + gap)
        for row, line in enumerate(FONT[letter]):
            for col, mark in enumerate(line):
                if mark == 'X':
                    for dy in range(scale):
                        canvas.rect(left + col * scale, y0 + row * scale + dy,
                                    left + col * scale + scale - 1, y0 + row * scale + dy,
                                    colour_at(row * scale + dy))

# ---------------------------------------------------------------------------------------------
# The program icon: a computer screen standing on a network cable (16 colours)

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, OLIVE, NAVY, SILVER, GREY, LIME, YELLOW, AQUA, WHITE = 0, 3, 4, 7, 8, 10, 11, 14, 15


def draw_icon():
    c = Canvas(32, 32)
    # The thick yellow network cable across the bottom, running off both edges.
    c.rect(0, 26, 31, 26, BLACK)
    c.rect(0, 27, 31, 27, YELLOW)
    c.rect(0, 28, 31, 28, OLIVE)
    c.rect(0, 29, 31, 29, BLACK)
    # Two transceiver taps clamped on the cable.
    for x in (2, 26):
        c.rect(x, 25, x + 3, 30, BLACK)
        c.rect(x + 1, 26, x + 2, 29, GREY)
        c.rect(x + 1, 26, x + 1, 29, SILVER)
    # The monitor's foot stands on the cable, its neck holds the cabinet.
    c.rect(9, 22, 22, 25, BLACK)
    c.rect(10, 23, 21, 24, SILVER)
    c.rect(10, 23, 21, 23, WHITE)
    c.rect(13, 20, 18, 22, BLACK)
    c.rect(14, 20, 17, 22, GREY)
    # The cabinet with a bevelled frame.
    c.rect(3, 1, 28, 20, BLACK)
    c.rect(4, 2, 27, 19, SILVER)
    c.bevel(4, 2, 27, 19, WHITE, GREY)
    c.put(24, 17, LIME)                  # power light
    c.put(22, 17, GREY)
    # The screen: a boot prompt on navy.
    c.rect(6, 4, 25, 15, GREY)
    c.rect(7, 5, 25, 15, WHITE)
    c.rect(7, 5, 24, 14, NAVY)
    for y, x1 in ((6, 17), (8, 21), (10, 14)):
        c.rect(9, y, x1, y, AQUA)
    c.rect(9, 12, 10, 12, WHITE)         # the cursor of the prompt
    c.rect(12, 12, 12, 12, WHITE)
    mask = [v is None for v in c.cells]
    return [0 if v is None else v for v in c.cells], mask

# ---------------------------------------------------------------------------------------------
# The link cursor: a pointing hand, hot spot at the tip of the index finger (256 colours)

HOT_SPOT = (12, 4)


def palette_256():
    """The 16 VGA colours, a 6x6x6 colour cube and a ramp of greys: 256 entries."""
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    greys = [(v, v, v) for v in range(8, 248, 10)]
    palette = VGA + cube + greys
    assert len(palette) == 256
    return palette


def draw_cursor():
    palette = palette_256()
    shade = palette.index((204, 204, 204))
    # The hand as a set of inside pixels: four fingers, palm, thumb and wrist.
    inside = set()

    def area(x0, y0, x1, y1):
        inside.update((x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1))
    area(11, 5, 13, 18)                  # index finger, pointing up
    area(15, 12, 17, 18)                 # middle finger
    area(19, 13, 21, 18)                 # ring finger
    area(23, 15, 24, 18)                 # little finger
    area(11, 18, 24, 24)                 # palm
    area(12, 25, 23, 27)                 # wrist
    for y, x0 in ((17, 7), (18, 7), (19, 8), (20, 9), (21, 10)):
        area(x0, y, 10, y)               # thumb, reaching out to the left
    c = Canvas(32, 32)
    for x, y in inside:
        c.put(x, y, WHITE)
    # Outline: every outside pixel next to the hand (edges only, so the corners come out round).
    for y in range(32):
        for x in range(32):
            if (x, y) not in inside and any(n in inside for n in
                                            ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1))):
                c.put(x, y, BLACK)
    # The creases between the fingers, down to the knuckles, and shading on their right sides.
    for x, y0 in ((14, 12), (18, 13), (22, 15)):
        c.rect(x, y0, x, 19, BLACK)
    for x, y0 in ((13, 5), (17, 12), (21, 13), (24, 15)):
        c.rect(x, y0 + 1, x, 18, shade)
    c.rect(12, 24, 23, 24, shade)
    c.rect(23, 19, 23, 23, shade)
    assert c.get(*HOT_SPOT) == BLACK and (HOT_SPOT[0], HOT_SPOT[1] + 1) in inside
    mask = [v is None for v in c.cells]
    return [0 if v is None else v for v in c.cells], mask, palette

# ---------------------------------------------------------------------------------------------
# The vendor's logo: name, a server booting three diskless workstations, "NETBOOT" (24-bit)

def draw_monitor(c, x0, y0):
    """A workstation, 15 wide: cabinet, screen, and a neck down to the network at y0 + 14."""
    c.rect(x0, y0, x0 + 14, y0 + 10, (20, 24, 40))
    c.rect(x0 + 1, y0 + 1, x0 + 13, y0 + 9, (200, 208, 216))
    c.rect(x0 + 3, y0 + 3, x0 + 11, y0 + 7, (30, 60, 140))
    c.rect(x0 + 4, y0 + 4, x0 + 7, y0 + 4, (120, 230, 255))
    c.rect(x0 + 6, y0 + 11, x0 + 8, y0 + 11, (20, 24, 40))
    c.rect(x0 + 7, y0 + 12, x0 + 7, y0 + 14, (255, 214, 72))


def draw_logo():
    width, height = 122, 79
    c = Canvas(width, height)
    top, bottom = (10, 30, 84), (24, 112, 168)
    for y in range(height):
        for x in range(width):
            # A vertical gradient with a faint light from the upper left.
            t = y / (height - 1)
            glow = max(0.0, 1.0 - ((x - 20) ** 2 + (y - 10) ** 2) ** 0.5 / 70.0) * 0.35
            c.put(x, y, blend(blend(top, bottom, t), (120, 170, 230), glow))
    # A thin light frame one pixel in from the edge.
    c.frame(1, 1, width - 2, height - 2, (110, 160, 215))

    name, scale, gap = 'ORVIK', 3, 4
    x0 = (width - text_width(name, scale, gap)) // 2
    draw_text(c, name, x0 + 2, 7, scale, gap, lambda r: (4, 16, 44))          # shadow
    draw_text(c, name, x0, 5, scale, gap,
              lambda r: blend((255, 255, 255), (150, 205, 255), r / 20.0))

    # The boot server on the left and its cable with three workstations.
    line_y = 48
    c.rect(10, 29, 23, 55, (20, 24, 40))
    c.rect(11, 30, 22, 54, (196, 204, 214))
    c.bevel(11, 30, 22, 54, (240, 244, 250), (120, 128, 140))
    for y in (33, 36, 39):
        c.rect(13, y, 20, y + 1, (70, 78, 92))                               # drive bays
    c.put(14, 50, (60, 230, 90))
    c.put(17, 50, (255, 170, 40))
    c.rect(24, line_y - 1, 112, line_y, (255, 214, 72))
    c.rect(24, line_y + 1, 112, line_y + 1, (150, 110, 20))
    c.rect(110, line_y - 2, 112, line_y + 2, (20, 24, 40))                 # terminator
    for x in (36, 60, 84):
        draw_monitor(c, x, line_y - 16)
    # Little packets travelling out from the server.
    for x in (30, 54, 78, 102):
        c.rect(x, line_y - 4, x + 2, line_y - 3, (255, 255, 255))

    tag, scale, gap = 'NETBOOT', 2, 2
    x0 = (width - text_width(tag, scale, gap)) // 2
    draw_text(c, tag, x0 + 1, 60, scale, gap, lambda r: (4, 16, 44))
    draw_text(c, tag, x0, 59, scale, gap, lambda r: (255, 214, 72))
    return c

# ---------------------------------------------------------------------------------------------

def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = argv[1] if len(argv) > 1 else os.path.dirname(here)
    os.makedirs(out_dir, exist_ok=True)

    indices, mask = draw_icon()
    write_icon_file(os.path.join(out_dir, 'Brantovell.ico'), icon_image(indices, mask, VGA, 4),
                    16, 4)
    indices, mask, palette = draw_cursor()
    write_icon_file(os.path.join(out_dir, 'HandCursor.cur'),
                    icon_image(indices, mask, palette, 8), 256, 8, HOT_SPOT)
    write_bmp24(os.path.join(out_dir, 'Logo.bmp'), draw_logo())
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
