#!/usr/bin/env python3
"""Writes an 8-bit RGB or RGBA PNG as a binary PPM (alpha dropped), the
input cjpeg takes: tools/art/guide_shots.sh turns screenshots into JPEGs
with it.

    png_to_ppm.py IN.png OUT.ppm

Example: tools/art/png_to_ppm.py shot.png shot.ppm && cjpeg -outfile shot.jpg shot.ppm
"""
import struct
import sys
import zlib

from force_rgba import SIGNATURE, chunks, unfilter


def main(args):
    if len(args) != 2 or args[0] in ("-h", "--help"):
        print(__doc__.strip())
        return 0 if args and args[0] in ("-h", "--help") else 2
    with open(args[0], "rb") as f:
        data = f.read()
    if not data.startswith(SIGNATURE):
        print(f"{args[0]}: not a PNG file", file=sys.stderr)
        return 1
    parts = list(chunks(data))
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", parts[0][1])
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        print(f"{args[0]}: only 8-bit RGB or RGBA without interlacing", file=sys.stderr)
        return 1
    bpp = 4 if colour == 6 else 3
    raw = zlib.decompress(b"".join(body for kind, body in parts if kind == b"IDAT"))
    pixels = bytearray()
    for row in unfilter(raw, width, height, bpp):
        if bpp == 4:
            del row[3::4]
        pixels += row
    with open(args[1], "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (width, height))
        f.write(pixels)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
