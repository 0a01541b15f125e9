#!/usr/bin/env python3
"""Writes the program's small images (icons and button glyphs) from the pixel maps below.

Run it after changing a map; the .ico and .bmp files it writes are kept in the repository.
"""
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent

# One character per pixel; '.' is the ground (transparent in icons, light grey in glyphs).
PALETTE = {
    "K": (0, 0, 0), "W": (255, 255, 255), "g": (128, 128, 128), "s": (192, 192, 192),
    "G": (0, 160, 0), "L": (96, 224, 96), "D": (0, 96, 0),
    "R": (220, 0, 0), "r": (140, 0, 0),
    "B": (0, 64, 220), "b": (0, 32, 128), "N": (0, 0, 128),
    "Y": (255, 224, 0), "O": (240, 160, 0),
    "P": (255, 150, 200), "p": (200, 70, 130), "H": (255, 205, 230),
}

STARTUP_ENTRY = """\
................
.KKKKKKKKKKKKKK.
.KNNNNNNNNNNNNK.
.KNNNNNNNNNWWNK.
.KKKKKKKKKKKKKK.
.KWWWWWWWWWWWWK.
.KWWWWWYWWWWWWK.
.KWWYWWYWWYWWWK.
.KWWWYOYOYWWWWK.
.KWYYOOYOOYYWWK.
.KWWWYOYOYWWWWK.
.KWWYWWYWWYWWWK.
.KWWWWWYWWWWWWK.
.KWWWWWWWWWWWWK.
.KKKKKKKKKKKKKK.
................
"""

GLYPH_ADD = """\
...........
....RRR....
....RRR....
....RRR....
.RRRRRRRRR.
.RRRRRRRRR.
.RRRRRRRRR.
....RRR....
....RRR....
....RRR....
...........
"""

GLYPH_DOWN = """\
...........
...........
...........
.BBBBBBBBB.
..BBBBBBB..
...BBBBB...
....BBB....
.....B.....
...........
...........
...........
"""

GLYPH_UP = """\
...........
...........
...........
.....B.....
....BBB....
...BBBBB...
..BBBBBBB..
.BBBBBBBBB.
...........
...........
...........
"""

GLYPH_DELETE = """\
...........
.RR.....RR.
.RRR...RRR.
..RRR.RRR..
...RRRRR...
....RRR....
...RRRRR...
..RRR.RRR..
.RRR...RRR.
.RR.....RR.
...........
"""


def tray_background(size):
    """The tray's background: a chip of memory with its pins along the lower edge; the free memory is drawn over
    it. Its lines are size // 16 pixels thick (so 1 up to 24 pixels, 2 at 32); the body takes 13/16 of the
    height, the pins the rest."""
    line = max(1, size // 16)
    pins = round(3 * size / 16)
    body = size - pins
    lines = []
    for y in range(size):
        row = ""
        for x in range(size):
            if y >= body:
                # Pins in every other column, their ends darker.
                pin = (x // line) % 2 == 1
                row += ("g" if y >= size - line else "s") if pin else "."
                continue
            edge_x = x < line or x >= size - line
            edge_y = y < line or y >= body - line
            if edge_x and edge_y:
                row += "."
            elif edge_x or edge_y:
                row += "p"
            elif x < 2 * line or y < 2 * line:
                row += "H"
            else:
                row += "P"
        lines.append(row)
    return "\n".join(lines) + "\n"


def reclaiming(size):
    """The icon shown while memory is reclaimed: a diagonal bar, light along its upper edge and dark along its
    lower one, drawn by sampling the 16-pixel design at each pixel's centre."""
    scale = size / 16
    lines = []
    for y in range(size):
        line = ""
        for x in range(size):
            across = ((x + 0.5) + (y + 0.5)) / scale  # 15 to 19 on the bar
            along = ((x + 0.5) - (y + 0.5)) / scale
            if abs(along) > 13 or not 15 <= across < 19:
                line += "."
            else:
                line += "L" if across < 16 else "G" if across < 18 else "D"
        lines.append(line)
    return "\n".join(lines) + "\n"


def memory_module(size):
    """The program's icon: a green memory module lying diagonally, dark chips on it and gold contacts along its
    lower edge, drawn by sampling the upright module at each pixel's centre."""
    # Small sizes need a relatively wider module for its chips to show.
    length, width = size * 1.1, size * (0.42 if size >= 24 else 0.56)
    contacts = max(2, size // 10)
    chip_width, chip_gap = size / 4, size / 12
    lines = []
    for y in range(size):
        line = ""
        for x in range(size):
            dx, dy = x + 0.5 - size / 2, y + 0.5 - size / 2
            u = (dx - dy) / 2 ** 0.5  # along the module, towards the upper right
            v = (dx + dy) / 2 ** 0.5  # across it, towards its contacts
            if abs(u) > length / 2 or abs(v) > width / 2:
                line += "."
            elif v > width / 2 - contacts:
                line += "G" if int((u + length) // 3) % 3 == 2 else "O"
            elif abs(u) > length / 2 - 1 or v < -width / 2 + 1:
                line += "D"
            else:
                chip = (u + 1.5 * chip_width + chip_gap) % (chip_width + chip_gap)
                in_chip = chip < chip_width and abs(u) < 1.5 * chip_width + chip_gap
                top, bottom = -width / 2 + 1.5, width / 2 - contacts - 1
                line += "K" if in_chip and top < v < bottom else "G"
        lines.append(line)
    return "\n".join(lines) + "\n"


def rows(art):
    lines = art.splitlines()
    assert all(len(line) == len(lines[0]) for line in lines), "ragged pixel map"
    return lines


def icon_image(art):
    """One image of an .ico: 32-bit colour with alpha and a 1-bit mask."""
    lines = rows(art)
    size = len(lines)
    colour = bytearray()
    mask = bytearray()
    for line in reversed(lines):
        bits = 0
        row_mask = bytearray()
        for x, c in enumerate(line):
            transparent = c == "."
            r, g, b = (0, 0, 0) if transparent else PALETTE[c]
            colour += bytes((b, g, r, 0 if transparent else 255))
            bits = (bits << 1) | transparent
            if x % 8 == 7:
                row_mask.append(bits)
                bits = 0
        if size % 8:
            row_mask.append(bits << (8 - size % 8))
        row_mask += bytes((-len(row_mask)) % 4)
        mask += row_mask
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return size, info + colour + mask


def icon(*arts):
    """An .ico with one image per pixel map, largest first."""
    images = [icon_image(art) for art in arts]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return header + entries + data


def bitmap(art):
    """A 24-bit .bmp with the ground in light grey, which the system shows in the button face colour."""
    lines = rows(art)
    width, height = len(lines[0]), len(lines)
    pixels = bytearray()
    for line in reversed(lines):
        row = bytearray()
        for c in line:
            r, g, b = PALETTE["s" if c == "." else c]
            row += bytes((b, g, r))
        row += bytes((-len(row)) % 4)
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


# The whole factors that the window's images come in, for 96 dots per inch and 2, 3 and 4 times that; the program
# picks floor(dpi / 96) and keeps to these.
WINDOW_IMAGE_FACTORS = (1, 2, 3, 4)
# The sizes of the icons' images: those of the small icon at 96, 120, 144 and 192 DPI, and the big icon's at
# 96 and 144 DPI (32 and 48).
ICON_SIZES = (48, 32, 24, 20, 16)
TRAY_SIZES = (32, 24, 20, 16)


def enlarged(art, factor):
    """The pixel art `factor` times as large, nearest neighbour: every pixel as a square of factor x factor."""
    result = ""
    for line in rows(art):
        wide = "".join(c * factor for c in line)
        result += (wide + "\n") * factor
    return result


def write_window_images():
    """The startup manager's row icon at every factor in one .ico (the program asks for the size it needs), and
    each button glyph as one .bmp per factor: glyph_add.bmp, glyph_add_2x.bmp, ..."""
    sizes = [enlarged(STARTUP_ENTRY, factor) for factor in reversed(WINDOW_IMAGE_FACTORS)]
    (HERE / "startup_entry.ico").write_bytes(icon(*sizes))
    glyphs = {"add": GLYPH_ADD, "down": GLYPH_DOWN, "up": GLYPH_UP, "delete": GLYPH_DELETE}
    for name, art in glyphs.items():
        for factor in WINDOW_IMAGE_FACTORS:
            suffix = "" if factor == 1 else f"_{factor}x"
            (HERE / f"glyph_{name}{suffix}.bmp").write_bytes(bitmap(enlarged(art, factor)))


def write_scaled_icons():
    """The icons that have an image for every DPI."""
    (HERE / "vantrel.ico").write_bytes(icon(*(memory_module(size) for size in ICON_SIZES)))
    (HERE / "reclaiming.ico").write_bytes(icon(*(reclaiming(size) for size in ICON_SIZES)))
    (HERE / "tray_background.ico").write_bytes(icon(*(tray_background(size) for size in TRAY_SIZES)))


def main():
    write_scaled_icons()
    write_window_images()


if __name__ == "__main__":
    main()
