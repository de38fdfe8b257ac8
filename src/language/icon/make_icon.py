#!/usr/bin/env python3
"""Draws Sektra's icon (a disk platter with a speed gauge) and writes it as a Windows icon
with 16, 32 and 48 pixel images (32-bit colour with alpha, as BMP entries so that every
Windows version reads them). Standard library only.

usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SIZES = (16, 32, 48)
SUPERSAMPLE = 4


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def gauge_colour(t):
    green, yellow, red = (40, 175, 60), (245, 200, 30), (215, 45, 35)
    return mix(green, yellow, t / 0.5) if t < 0.5 else mix(yellow, red, (t - 0.5) / 0.5)


def over(dst, src, alpha):
    """Paints src (r, g, b) with coverage alpha over dst (r, g, b, a), all premultiplied-free."""
    r, g, b, a = dst
    out_a = alpha + a * (1 - alpha)
    if out_a == 0:
        return (0, 0, 0, 0)
    blend = lambda s, d: (s * alpha + d * a * (1 - alpha)) / out_a
    return (blend(src[0], r), blend(src[1], g), blend(src[2], b), out_a)


NEEDLE_ANGLE = math.radians(30)  # fast: well into the red


def sample(x, y, size):
    """Colour (r, g, b, a) at the point (x, y), unit coordinates with y pointing up."""
    r = math.hypot(x, y)
    pixel = (0, 0, 0, 0)
    # The platter: brushed metal with faint tracks, darker towards the rim.
    if r <= 0.96:
        shade = 236 - 40 * r + (6 * math.sin(r * 60) if size >= 32 else 0) + 14 * (y - x) / 2
        pixel = over(pixel, (shade * 0.93, shade * 0.96, shade), 1.0)
    if 0.88 <= r <= 0.96:
        pixel = over(pixel, (55, 70, 100), 1.0)
    # The gauge: a band of 270 degrees from lower left over the top to lower right.
    angle = math.degrees(math.atan2(y, x))
    if angle <= -135:
        angle += 360
    inner = 0.56 if size >= 32 else 0.50
    if inner <= r <= 0.80 and -45 <= angle <= 225:
        t = (225 - angle) / 270
        pixel = over(pixel, gauge_colour(t), 1.0)
        # Tick gaps every tenth of the scale on the larger images.
        if size >= 32 and abs(((t * 10) % 1) - 0.5) > 0.44:
            pixel = over(pixel, (70, 80, 100), 0.8)
    # The needle: from the hub towards the red part of the scale.
    nx, ny = math.cos(NEEDLE_ANGLE), math.sin(NEEDLE_ANGLE)
    along = x * nx + y * ny
    across = abs(-x * ny + y * nx)
    width = 0.07 if size >= 32 else 0.11
    if -0.12 <= along <= 0.84 and across <= width * (1 - 0.6 * max(along, 0) / 0.84):
        pixel = over(pixel, (185, 20, 25), 1.0)
    # The spindle hub.
    if r <= 0.17:
        pixel = over(pixel, (45, 55, 80), 1.0)
    if r <= 0.07 and size >= 32:
        pixel = over(pixel, (210, 215, 225), 1.0)
    return pixel


def render(size):
    rows = []
    half = size / 2
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    x = (px + (sx + 0.5) / SUPERSAMPLE - half) / (half - 0.5)
                    y = (half - (py + (sy + 0.5) / SUPERSAMPLE)) / (half - 0.5)
                    r, g, b, a = sample(x, y, size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SUPERSAMPLE * SUPERSAMPLE
            alpha = acc[3] / n
            if alpha > 0:
                colour = tuple(min(255, round(c / acc[3])) for c in acc[:3])
            else:
                colour = (0, 0, 0)
            row.append(colour + (round(alpha * 255),))
        rows.append(row)
    return rows


def bmp_entry(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def main():
    images = [bmp_entry(render(size)) for size in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
