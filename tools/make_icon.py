#!/usr/bin/env python3
"""Draws the program's window icon and writes it as win32/res/pravex.ico.

The picture is a blue rounded square with a white pulse line. 16x16 is the
size the windows show at 100 %, 20x20 and 24x24 at 125 % and 150 %; 32x32
and 48x48 serve the task switcher and Explorer's icon views, and 256x256
(stored as PNG, as Windows expects that size) Explorer's large views. Run it
again only to change the picture.
"""
import struct
import sys
import zlib

BLUE = (0x1F, 0x5F, 0xBF, 0xFF)
DARK = (0x12, 0x3C, 0x80, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF, 0xFF)
CLEAR = (0, 0, 0, 0)

# The pulse line, in a 16-unit square, as (x, y) points joined by strokes.
PULSE = [(2, 9), (5, 9), (7, 4), (9, 13), (11, 7), (12, 9), (14, 9)]


def inside_rounded_square(x, y, size, radius, inset=0):
    low, high = inset + radius, size - 1 - inset - radius
    cx = min(max(x, low), high)
    cy = min(max(y, low), high)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 + 0.5


def near_pulse(x, y, size, width):
    scale = size / 16.0
    px, py = (x + 0.5) / scale, (y + 0.5) / scale
    for (x0, y0), (x1, y1) in zip(PULSE, PULSE[1:]):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / float(dx * dx + dy * dy)))
        qx, qy = x0 + t * dx, y0 + t * dy
        if (px - qx) ** 2 + (py - qy) ** 2 <= width ** 2:
            return True
    return False


def pixels(size):
    radius = max(2, size // 6)
    border = max(1, size // 16)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if not inside_rounded_square(x, y, size, radius):
                row.append(CLEAR)
            elif near_pulse(x, y, size, 0.75):
                row.append(WHITE)
            elif not inside_rounded_square(x, y, size, max(1, radius - border), border):
                row.append(DARK)
            else:
                row.append(BLUE)
        rows.append(row)
    return rows


def dib(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for row in reversed(pixels(size)):  # bottom-up
        for r, g, b, a in row:
            body += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    body += bytes(mask_row * size)  # the alpha channel decides; the AND mask stays clear
    return header + bytes(body)


def png(size):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = bytearray()
    for row in pixels(size):
        raw.append(0)  # no filter
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def main(path):
    sizes = [16, 20, 24, 32, 48, 256]
    images = [png(s) if s >= 256 else dib(s) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "win32/res/pravex.ico")
