#!/usr/bin/env python3
"""Writes editicon.ico: a 32x32, 16-colour icon of a page with text lines
and a pencil, the editor window's icon.  Run from this directory."""
import struct

W = H = 32
# 16-colour palette as (blue, green, red): 0 black, 8 dark grey, 9 blue, 14 yellow, 15 white
PALETTE = [(0, 0, 0), (0x80, 0, 0), (0, 0x80, 0), (0x80, 0x80, 0), (0, 0, 0x80), (0x80, 0, 0x80),
           (0, 0x80, 0x80), (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80), (0xFF, 0, 0), (0, 0xFF, 0),
           (0xFF, 0xFF, 0), (0, 0, 0xFF), (0xFF, 0, 0xFF), (0, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF)]

pix = [[None] * W for _ in range(H)]  # None = transparent; rows top to bottom
for y in range(2, 30):
    for x in range(5, 25):
        pix[y][x] = 0 if x in (5, 24) or y in (2, 29) else 15
for y in range(7, 27, 4):
    for x in range(8, 21 if y % 8 else 17):
        pix[y][x] = 9
for i in range(12):  # the pencil, lower left to upper right
    x, y = 14 + i, 26 - i
    for dx in range(3):
        if x + dx < W:
            pix[y][x + dx] = 0 if i < 2 else 14 if dx == 1 else 8

xor = bytearray()
andmask = bytearray()
for y in reversed(range(H)):  # bottom-up
    row = pix[y]
    for x in range(0, W, 2):
        hi, lo = row[x] or 0, row[x + 1] or 0
        xor.append((hi << 4) | lo)
    bits = 0
    for x in range(W):
        bits = (bits << 1) | (1 if row[x] is None else 0)
    andmask += struct.pack(">I", bits)

header = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 4, 0, len(xor) + len(andmask), 0, 0, 16, 0)
palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in [(p[2], p[1], p[0]) for p in PALETTE])
image = header + palette + bytes(xor) + bytes(andmask)
ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 16, 0, 1, 4, len(image), 22) + image
with open("editicon.ico", "wb") as f:
    f.write(ico)
