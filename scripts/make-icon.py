#!/usr/bin/env python3
"""Draws the converter's icon and writes it as the files the build uses.

ui/icons/zorv.ico  two 32x32 images, 8 bits per pixel with a 256-colour palette and
                   32 bits per pixel with alpha, each with its 1-bit mask
ui/icons/zorv.png  the 32-bit image, for the desktop's icon theme

The design: a teal tile with rounded corners, a white "Z" and a red bar beneath it,
the red of the window's label. Run it again after changing the design; the outputs
are committed so that building needs no Python.
"""
import os
import struct
import zlib

SIZE = 32
SAMPLES = 4  # per axis, for the soft edges of the 32-bit image

TEAL = (0, 112, 132)
WHITE = (255, 255, 255)
RED = (255, 0, 0)


def inside_tile(x, y):
    radius = 6.0
    lo, hi = 1.0, 31.0
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return lo <= x <= hi and lo <= y <= hi and (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_z(x, y):
    if 8.0 <= x <= 24.0 and 6.0 <= y <= 10.0:   # top bar
        return True
    if 8.0 <= x <= 24.0 and 20.0 <= y <= 24.0:  # bottom bar
        return True
    if 10.0 <= y <= 20.0 and 8.0 <= x <= 24.0:  # diagonal from top right to bottom left
        right = 24.0 - (y - 10.0) * 1.1
        return right - 6.0 <= x <= right
    return False


def colour_at(x, y):
    """The colour of a point of the design, or None outside the tile."""
    if not inside_tile(x, y):
        return None
    if 8.0 <= x <= 24.0 and 26.0 <= y <= 28.0:
        return RED
    if in_z(x, y):
        return WHITE
    return TEAL


def render():
    """Rows of (r, g, b, a), top row first, with coverage-weighted edges."""
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            total[i] += c[i]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(t / covered) for t in total) + (round(255 * covered / SAMPLES ** 2),))
        rows.append(row)
    return rows


def bitmap_header(bits):
    # Height is doubled: the colour image is followed by its mask.
    return struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, bits, 0, 0, 0, 0, 256 if bits == 8 else 0, 0)


def and_mask(rows):
    """1 bit per pixel, set where the pixel is transparent; rows bottom-up, 4-byte aligned."""
    data = bytearray()
    for row in reversed(rows):
        bits = 0
        for px, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits |= 1 << (31 - px)
        data += struct.pack(">I", bits)
    return bytes(data)


def image_8bit(rows):
    palette = [TEAL, WHITE, RED]
    # The rest of the 256 entries: a grey ramp, so that the palette is complete.
    palette += [(g, g, g) for g in range(0, 256, 256 // 253 + 1)][: 256 - len(palette)]
    palette += [(0, 0, 0)] * (256 - len(palette))

    def nearest(rgb):
        return min(range(len(palette)), key=lambda i: sum((palette[i][k] - rgb[k]) ** 2 for k in range(3)))

    pixels = bytearray()
    for row in reversed(rows):
        for (r, g, b, a) in row:
            pixels.append(nearest((r, g, b)) if a >= 128 else 0)
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in palette)
    return bitmap_header(8) + table + bytes(pixels) + and_mask(rows)


def image_32bit(rows):
    pixels = bytearray()
    for row in reversed(rows):
        for (r, g, b, a) in row:
            pixels += bytes((b, g, r, a))
    return bitmap_header(32) + bytes(pixels) + and_mask(rows)


def ico(images):
    count = len(images)
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    for bits, data in images:
        out += struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def png(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in rows)
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = os.path.join(here, "..", "ui", "icons")
    os.makedirs(target, exist_ok=True)
    rows = render()
    with open(os.path.join(target, "zorv.ico"), "wb") as f:
        f.write(ico([(8, image_8bit(rows)), (32, image_32bit(rows))]))
    with open(os.path.join(target, "zorv.png"), "wb") as f:
        f.write(png(rows))


if __name__ == "__main__":
    main()
