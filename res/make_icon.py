#!/usr/bin/env python3
"""Draws the program's icon (a mouse with a red record dot) at 32x32 and 16x16
and writes quillmarsh.ico next to this script. Standard library only; the .ico
is committed so the build needs no Python."""

import math
import os
import struct

SAMPLES = 4  # per axis, for smooth edges


def superellipse(x, y, cx, cy, a, b, p):
    return abs((x - cx) / a) ** p + abs((y - cy) / b) ** p <= 1.0


def body(x, y, shrink=0.0):
    return superellipse(x, y, 0.40, 0.55, 0.25 - shrink, 0.37 - shrink, 2.4)


def circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def cord(x, y, width):
    # A gentle S from the mouse's nose up to the top edge.
    if y > 0.20 or y < 0.0:
        return False
    cx = 0.40 + 0.10 * math.sin((0.20 - y) / 0.20 * math.pi)
    return abs(x - cx) <= width


def colour_at(x, y, size):
    """The straight (non-premultiplied) RGBA colour at a point of the unit square."""
    # Outlines about 1.6 pixels wide at 32, one pixel at 16, where the cord is left out.
    line = (1.6 if size >= 32 else 1.0) / size
    # Record dot on top of everything, with a white rim so it reads on the mouse.
    if circle(x, y, 0.74, 0.74, 0.22):
        if circle(x, y, 0.74, 0.74, 0.22 - line):
            shade = 1.0 - 0.35 * max(0.0, (x - 0.60) + (y - 0.60))
            return (int(225 * shade), int(30 * shade), int(30 * shade), 255)
        return (255, 255, 255, 255)
    if body(x, y):
        if not body(x, y, line):
            return (40, 44, 52, 255)  # outline
        # The split between the buttons and the button line.
        if abs(x - 0.40) <= line / 2 and y < 0.50:
            return (40, 44, 52, 255)
        if abs(y - 0.50) <= line / 2:
            return (40, 44, 52, 255)
        if x < 0.40 and y < 0.50:
            return (110, 160, 230, 255)  # the left button, the one most recorded
        light = 1.0 - 0.25 * (x - 0.15)
        return (int(225 * light), int(228 * light), int(235 * light), 255)
    if size >= 32 and cord(x, y, line * 0.6):
        return (40, 44, 52, 255)
    return (0, 0, 0, 0)


def render(size):
    """Rows top to bottom of (b, g, r, a) tuples, averaged over the samples."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    r, g, b, a = colour_at(x, y, size)
                    alpha = a / 255.0
                    acc[0] += r * alpha
                    acc[1] += g * alpha
                    acc[2] += b * alpha
                    acc[3] += alpha
            n = SAMPLES * SAMPLES
            coverage = acc[3] / n
            if coverage <= 0.0:
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (round(c / acc[3]) for c in acc[:3])
            row.append((b, g, r, round(coverage * 255)))
        rows.append(row)
    return rows


def dib(size):
    """A 32-bit icon image: BITMAPINFOHEADER, XOR pixels bottom-up, AND mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(channel for pixel in row for channel in pixel) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for px, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[px // 8] |= 0x80 >> (px % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico(sizes):
    images = [dib(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


if __name__ == "__main__":
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "quillmarsh.ico")
    with open(target, "wb") as f:
        f.write(ico([32, 16]))
