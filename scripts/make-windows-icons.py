#!/usr/bin/env python3
"""Draws the program's icons for Windows: three arrows chasing each other round
a circle, green (idle: 16 and 32 pixels) and red (busy: 16 pixels), the same
figure the Linux front-end paints. Writes .ico files of 32-bit images.

    python3 scripts/make-windows-icons.py frontend/win32/resources
"""
import math
import struct
import sys
from pathlib import Path

ARROWS = 3
ARC_DEGREES = 80.0
SAMPLES = 8  # per pixel and axis, for smooth edges


def inside_triangle(p, a, b, c):
    def side(u, v, w):
        return (u[0] - w[0]) * (v[1] - w[1]) - (v[0] - w[0]) * (u[1] - w[1])
    d1, d2, d3 = side(p, a, b), side(p, b, c), side(p, c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def on_circle(centre, radius, degrees):
    rad = math.radians(degrees)
    return (centre + radius * math.cos(rad), centre - radius * math.sin(rad))


def covered(x, y, size):
    centre = size / 2.0
    width = size / 7.0
    radius = size / 2.0 - width * 1.1
    dx, dy = x - centre, centre - y
    distance = math.hypot(dx, dy)
    angle = math.degrees(math.atan2(dy, dx))
    for i in range(ARROWS):
        start = 90.0 - i * 360.0 / ARROWS
        # The arc runs clockwise from start over ARC_DEGREES.
        behind = (start - angle) % 360.0
        if abs(distance - radius) <= width / 2 and behind <= ARC_DEGREES:
            return True
        base = start - ARC_DEGREES
        tip = base - 25.0
        if inside_triangle((x, y), on_circle(centre, radius - width, base),
                           on_circle(centre, radius + width, base),
                           on_circle(centre, radius, tip)):
            return True
    return False


def image(size, colour):
    """Rows top to bottom of (b, g, r, a)."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = sum(covered(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES, size)
                       for sx in range(SAMPLES) for sy in range(SAMPLES))
            alpha = round(255 * hits / SAMPLES ** 2)
            row.append((colour[2], colour[1], colour[0], alpha))
        rows.append(row)
    return rows


def bitmap(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(channel for pixel in row for channel in pixel)
                      for row in reversed(rows))
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def icon(colour, sizes):
    images = [bitmap(image(size, colour)) for size in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main():
    folder = Path(sys.argv[1])
    (folder / 'idle.ico').write_bytes(icon((0, 160, 0), [16, 32]))
    (folder / 'busy.ico').write_bytes(icon((210, 0, 0), [16]))


if __name__ == '__main__':
    main()
