#!/usr/bin/env python3
"""Rewrites 8-bit RGB PNG files as 8-bit RGBA (alpha 255 everywhere).

The engine's PNG decoder takes RGBA images only, and rsvg-convert drops the
alpha channel of pictures that come out fully opaque. Files that are already
RGBA are left alone; anything else unusual is reported and left alone.

    force_rgba.py FILE.png...

Example: tools/art/force_rgba.py assets/levels/demo/study/study.png
For 16-bit, grey and palette pictures use the converter of the build,
"modcheck --fix FILE.png" (or "modcheck --fix assets" for a whole game).
"""
import struct
import sys
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunks(data):
    pos = len(SIGNATURE)
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def chunk(kind, body):
    crc = zlib.crc32(kind + body) & 0xFFFFFFFF
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, width, height, bpp):
    stride = width * bpp
    rows = []
    previous = bytearray(stride)
    pos = 0
    for _ in range(height):
        kind = raw[pos]
        row = bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = row[i - bpp] if i >= bpp else 0
            up = previous[i]
            corner = previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + ((left + up) >> 1)) & 0xFF
            elif kind == 4:
                row[i] = (row[i] + paeth(left, up, corner)) & 0xFF
        rows.append(row)
        previous = row
    return rows


def convert(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(SIGNATURE):
        print(f"{path}: not a PNG file", file=sys.stderr)
        return False
    parts = list(chunks(data))
    header = parts[0][1]
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", header)
    if colour == 6 and depth == 8:
        return True
    if colour != 2 or depth != 8 or interlace != 0:
        print(f"{path}: colour type {colour}, depth {depth}: left alone", file=sys.stderr)
        return False
    raw = zlib.decompress(b"".join(body for kind, body in parts if kind == b"IDAT"))
    out = bytearray()
    for row in unfilter(raw, width, height, 3):
        out.append(0)
        for x in range(width):
            out += row[3 * x:3 * x + 3]
            out.append(255)
    png = SIGNATURE + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(out), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
    return True


if __name__ == "__main__":
    if any(arg in ("--help", "-h") for arg in sys.argv[1:]):
        print(__doc__.strip())
        sys.exit(0)
    ok = all([convert(p) for p in sys.argv[1:]])
    sys.exit(0 if ok else 1)
