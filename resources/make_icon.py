#!/usr/bin/env python3
"""Draws the application icon, an open-end wrench, and writes kx_shell.ico.

Two images, 32x32 and 16x16, 4 bits per pixel with the standard 16-colour
Windows palette and an AND mask, so every Windows version and colour depth
shows it the same. The drawing is fixed geometry sampled on a fixed grid, so
the bytes are the same on every run: `python3 make_icon.py` regenerates the
committed file.
"""
import math
import os
import struct

# The standard 16-colour Windows palette, as RGB, in palette-index order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, SILVER, GREY, WHITE = 0, 7, 8, 15
TRANSPARENT = None

# Wrench geometry in units of the icon's side, y pointing down. The axis runs
# from the handle's end (lower left) to the head (upper right); the jaw opens
# along it.
HEAD_CENTRE = (0.65, 0.35)
HANDLE_END = (0.13, 0.87)


def wrench_distance(x, y, head_radius, jaw_half_width, jaw_depth, handle_half_width, jaw=True):
    """Signed distance to the wrench outline (without the jaw's slot if jaw is
    False): negative inside."""
    cx, cy = HEAD_CENTRE
    ex, ey = HANDLE_END
    length = math.hypot(cx - ex, cy - ey)
    ax, ay = (cx - ex) / length, (cy - ey) / length  # unit axis, towards the jaw
    # u along the axis from the head's centre, v across it.
    u = (x - cx) * ax + (y - cy) * ay
    v = -(x - cx) * ay + (y - cy) * ax
    head = math.hypot(u, v) - head_radius
    t = min(max(u, -length), 0.0)
    handle = math.hypot(u - t, v) - handle_half_width
    body = min(head, handle)
    if not jaw:
        return body
    # The jaw: a slot from the head's rim to a rounded bottom jaw_depth deep.
    bottom = head_radius - jaw_depth
    slot = max(bottom - u, abs(v) - jaw_half_width)
    slot = min(slot, math.hypot(u - bottom, v) - jaw_half_width)
    return max(body, -slot)


def draw(size, **shape):
    """Returns size rows of palette indices (or TRANSPARENT), top row first."""
    samples = 4  # per pixel side; a pixel is inside when most samples are

    def inside(px, py):
        if not (0 <= px < size and 0 <= py < size):
            return False
        hits = 0
        for i in range(samples):
            for j in range(samples):
                x = (px + (i + 0.5) / samples) / size
                y = (py + (j + 0.5) / samples) / size
                hits += wrench_distance(x, y, **shape) < 0
        return hits * 2 > samples * samples

    mask = [[inside(x, y) for x in range(size)] for y in range(size)]

    def filled(x, y):
        return 0 <= x < size and 0 <= y < size and mask[y][x]

    def edge(x, y):
        return filled(x, y) and not all(filled(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))

    def lit(x, y):
        # Light falls from the upper left: the outer rim facing it shines, a
        # line just inside the outline; the jaw's inner faces stay plain.
        step = 2.0 / math.sqrt(2)
        return wrench_distance((x + 0.5 - step) / size, (y + 0.5 - step) / size, jaw=False, **shape) > 0

    image = []
    for y in range(size):
        row = []
        for x in range(size):
            if not mask[y][x]:
                row.append(TRANSPARENT)
            elif edge(x, y):
                row.append(GREY)
            elif lit(x, y):
                row.append(WHITE)
            else:
                row.append(SILVER)
        image.append(row)
    return image


def ico_image(image):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    size = len(image)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor_bytes = bytearray()
    and_bytes = bytearray()
    for row in reversed(image):  # DIBs store the bottom row first
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = BLACK
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor_bytes += line
        and_bytes += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         len(xor_bytes) + len(and_bytes), 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(xor_bytes) + bytes(and_bytes)


def ico_file(images):
    """ICONDIR, one ICONDIRENTRY per image, then the images."""
    data = [ico_image(image) for image in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, blob in zip(images, data):
        size = len(image)
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return out + b''.join(data)


def main():
    # The small image gets a relatively thicker handle and wider jaw so that
    # something is left between the outlines.
    large = draw(32, head_radius=0.29, jaw_half_width=0.095, jaw_depth=0.22, handle_half_width=0.075)
    small = draw(16, head_radius=0.33, jaw_half_width=0.11, jaw_depth=0.26, handle_half_width=0.10)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'kx_shell.ico')
    with open(path, 'wb') as f:
        f.write(ico_file([large, small]))


if __name__ == '__main__':
    main()
