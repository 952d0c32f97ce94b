#!/usr/bin/env python3
"""Draws the product's mark as 16-colour icons, each with a 32 x 32 and a 16 x 16 image.

setup.ico (the setup program's icon group 108, and the product program's main icon): a white
ring with a tail, the letter Q, on a teal tile. uninstall.ico (the product program's second icon,
shown by the uninstall link): the same mark on a red tile. Run from this folder; the outputs are
committed.
"""
import struct

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, WHITE = 0, 15


def pixel(x, y, size, tile):
    """Colour index at (x, y) with y downwards, or None where the icon is transparent."""
    s = size / 32.0
    cx, cy = 15.5 * s, 15.5 * s
    if x < 1 * s or y < 1 * s or x > 30 * s or y > 30 * s:
        return None  # transparent rim
    if x < 2 * s or y < 2 * s or x > 29 * s or y > 29 * s:
        return BLACK  # tile outline
    d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
    if 6.5 * s <= d <= 10.5 * s:
        return WHITE  # the ring of the Q
    if abs((x - cx) - (y - cy)) <= 1.6 * s and 4 * s <= x - cx <= 12 * s:
        return WHITE  # its tail
    return tile


def image(size, tile):
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    xor, mask = bytearray(), bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        row, bits = bytearray(xor_row), bytearray(and_row)
        for x in range(size):
            colour = pixel(x, y, size, tile)
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                colour = 0
            row[x // 2] |= colour << (4 if x % 2 == 0 else 0)
        xor += row
        mask += bits
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0,
                         16, 0)
    return header + palette + bytes(xor) + bytes(mask)


def icon_file(tile):
    images = [image(32, tile), image(16, tile)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


with open("setup.ico", "wb") as f:
    f.write(icon_file(6))   # teal
with open("uninstall.ico", "wb") as f:
    f.write(icon_file(1))   # dark red
