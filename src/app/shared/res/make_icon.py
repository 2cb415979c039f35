#!/usr/bin/env python3
"""Builds dralmoft.ico from ledger-32.xpm and ledger-16.xpm: two 16-colour images
(4 bits per pixel, the standard VGA palette) with a transparency mask.

    python3 src/app/shared/res/make_icon.py     (from anywhere; writes beside this file)
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
VGA = ["#000000", "#800000", "#008000", "#808000", "#000080", "#800080", "#008080", "#C0C0C0",
       "#808080", "#FF0000", "#00FF00", "#FFFF00", "#0000FF", "#FF00FF", "#00FFFF", "#FFFFFF"]


def read_xpm(path):
    strings = [l.split('"')[1] for l in open(path) if l.strip().startswith('"')]
    width, height, ncolors, cpp = map(int, strings[0].split())
    colors = {}
    for entry in strings[1:1 + ncolors]:
        key, value = entry[:cpp], entry[cpp:].split()[-1]
        colors[key] = None if value == "None" else VGA.index(value.upper())
    rows = strings[1 + ncolors:1 + ncolors + height]
    return width, height, [[colors[row[x * cpp:(x + 1) * cpp]] for x in range(width)] for row in rows]


def image(width, height, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes([int(c[5:7], 16), int(c[3:5], 16), int(c[1:3], 16), 0]) for c in VGA)
    xor = b""
    mask = b""
    for row in reversed(pixels):  # bottom-up
        line = bytes(((row[x] or 0) << 4) | (row[x + 1] or 0) for x in range(0, width, 2))
        xor += line + b"\0" * (-len(line) % 4)
        bits = 0
        maskline = b""
        for x in range(width):
            bits = (bits << 1) | (1 if row[x] is None else 0)
            if x % 8 == 7:
                maskline += bytes([bits])
                bits = 0
        mask += maskline + b"\0" * (-len(maskline) % 4)
    return header + palette + xor + mask


def main():
    images = [read_xpm(os.path.join(HERE, name)) for name in ("ledger-32.xpm", "ledger-16.xpm")]
    blobs = [image(*i) for i in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (width, height, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    with open(os.path.join(HERE, "dralmoft.ico"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
