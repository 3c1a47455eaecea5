#!/usr/bin/env python3
"""Makes Tavlo's window outline, RgnBack.rgn, from the skin's background.

Every pixel of the background that is not the outside colour belongs to the
window. The file is a Windows RGNDATA block: a 32-byte header (its size 32,
type 1 for rectangles, the rectangle count, the size of the rectangle data,
the bounding rectangle), then one rectangle per run of window pixels in each
row, as left, top, right, bottom: 32-bit little-endian integers, right and
bottom outside the run.

Usage: skin_region.py <background.bmp> <colour as RRGGBB hex> <RgnBack.rgn>
"""
import struct
import sys


def read_bitmap(path):
    """The rows of an uncompressed 24-bit bitmap file, top row first, as bytes
    of blue, green, red per pixel."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:2] != b'BM':
        raise ValueError(f'{path} is not a bitmap file')
    offset, = struct.unpack_from('<I', data, 10)
    width, height, _, bits, compression = struct.unpack_from('<iiHHI', data, 18)
    if bits != 24 or compression != 0:
        raise ValueError(f'{path}: only uncompressed 24-bit bitmaps are read')
    stride = (3 * width + 3) // 4 * 4
    bottom_up = height > 0
    height = abs(height)
    rows = []
    for y in range(height):
        stored = height - 1 - y if bottom_up else y
        start = offset + stored * stride
        rows.append(data[start:start + 3 * width])
    return width, rows


def runs(row, width, outside):
    """(start, end) of each run of pixels that are not the outside colour."""
    x = 0
    while x < width:
        while x < width and row[3 * x:3 * x + 3] == outside:
            x += 1
        start = x
        while x < width and row[3 * x:3 * x + 3] != outside:
            x += 1
        if x > start:
            yield start, x


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    source, colour, target = sys.argv[1:]
    red, green, blue = bytes.fromhex(colour)
    outside = bytes((blue, green, red))
    width, rows = read_bitmap(source)
    rectangles = [(left, y, right, y + 1)
                  for y, row in enumerate(rows) for left, right in runs(row, width, outside)]
    if rectangles:
        bounds = (min(r[0] for r in rectangles), min(r[1] for r in rectangles),
                  max(r[2] for r in rectangles), max(r[3] for r in rectangles))
    else:
        bounds = (0, 0, 0, 0)
    header = struct.pack('<IIII4i', 32, 1, len(rectangles), 16 * len(rectangles), *bounds)
    body = b''.join(struct.pack('<4i', *r) for r in rectangles)
    with open(target, 'wb') as f:
        f.write(header + body)


if __name__ == '__main__':
    main()
