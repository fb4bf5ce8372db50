#!/usr/bin/env python3
"""Draws the window icon (resources/images/symbol-velmora_32.png): a lens
ring in the accent colour on a dark rounded square, with a white record dot.
Standard library only; 4x4 supersampling for smooth edges."""
import struct
import sys
import zlib

SIZE, SS = 32, 4
BG, ACCENT, WHITE = (0x28, 0x28, 0x28), (0xE4, 0x56, 0x2E), (0xFF, 0xFF, 0xFF)


def sample(x, y):
    """Colour and alpha of one point in icon coordinates (0..32)."""
    r = 6.0  # corner radius of the square
    cx, cy = min(max(x, r), SIZE - r), min(max(y, r), SIZE - r)
    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
        return (0, 0, 0), 0
    d2 = (x - 16) ** 2 + (y - 16) ** 2
    if 9.5 ** 2 <= d2 <= 12.5 ** 2:
        return ACCENT, 255
    if d2 <= 4.5 ** 2:
        return WHITE, 255
    return BG, 255


def render():
    rows = []
    for py in range(SIZE):
        row = bytearray([0])  # filter byte
        for px in range(SIZE):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    (cr, cg, cb), a = sample(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                    acc[0] += cr * a
                    acc[1] += cg * a
                    acc[2] += cb * a
                    acc[3] += a
            alpha = acc[3] / (SS * SS)
            colour = [round(c / acc[3]) if acc[3] else 0 for c in acc[:3]]
            row += bytes(colour + [round(alpha)])
        rows.append(bytes(row))
    return b"".join(rows)


def png(width, height, raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "resources/images/symbol-velmora_32.png"
    with open(out, "wb") as f:
        f.write(png(SIZE, SIZE, render()))
