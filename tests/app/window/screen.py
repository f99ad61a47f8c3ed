#!/usr/bin/env python3
"""Reads an X window dump (xwd -root) and answers questions about its pixels.

  screen.py <dump> find <r> <g> <b>        centre "x y" of the pixels of that colour
  screen.py <dump> stats <x> <y> <w> <h>   "nonblack <fraction> mean <r> <g> <b>" of a box
  screen.py <dump> png <out.png>           the dump as a PNG, for people to look at
  screen.py <dump> blocks <x> <y> <w> <h> <n>
                                           fraction of the box's n x n blocks (from its
                                           corner) whose pixels are all one colour
"""
import array
import struct
import sys
import zlib


def read_xwd(path):
    data = open(path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, _, _, depth, width, height = fields[0:6]
    bits_per_pixel, bytes_per_line = fields[11], fields[12]
    ncolors = fields[19]
    if bits_per_pixel not in (24, 32):
        sys.exit("unsupported dump: %d bits per pixel" % bits_per_pixel)
    step = bits_per_pixel // 8
    byte_order = fields[7]  # 0: least significant byte first
    offset = header_size + ncolors * 12
    pixels = []
    for y in range(height):
        row = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step]
        if step == 4:
            # Whole rows at once: a full-HD dump has two million pixels.
            values = array.array("I", row)
            if (byte_order == 0) != (sys.byteorder == "little"):
                values.byteswap()
        else:
            values = [int.from_bytes(row[x:x + step], "little" if byte_order == 0 else "big")
                      for x in range(0, width * step, step)]
        pixels.append(values)
    return width, height, pixels


def rgb(value):
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


def rgb_row(row):
    if isinstance(row, array.array):
        # Native words hold B, G, R, X in memory on little-endian machines: reorder in bulk.
        words = row if sys.byteorder == "little" else array.array("I", row)
        if sys.byteorder != "little":
            words.byteswap()
        source = words.tobytes()
        out = bytearray(len(row) * 3)
        out[0::3] = source[2::4]
        out[1::3] = source[1::4]
        out[2::3] = source[0::4]
        return bytes(out)
    return b"".join(bytes(rgb(p)) for p in row)


def main():
    width, height, pixels = read_xwd(sys.argv[1])
    command = sys.argv[2]
    if command == "find":
        want = tuple(int(v) for v in sys.argv[3:6])
        xs, ys = [], []
        for y in range(height):
            for x in range(width):
                if rgb(pixels[y][x]) == want:
                    xs.append(x)
                    ys.append(y)
        if not xs:
            sys.exit("colour not found")
        print(sum(xs) // len(xs), sum(ys) // len(ys))
    elif command == "stats":
        x0, y0, w, h = (int(v) for v in sys.argv[3:7])
        count = nonblack = 0
        total = [0, 0, 0]
        for y in range(max(0, y0), min(height, y0 + h)):
            for x in range(max(0, x0), min(width, x0 + w)):
                r, g, b = rgb(pixels[y][x])
                count += 1
                nonblack += (r + g + b) > 24
                total[0] += r
                total[1] += g
                total[2] += b
        count = max(count, 1)
        print("nonblack %.3f mean %d %d %d" % (nonblack / count, total[0] // count,
                                               total[1] // count, total[2] // count))
    elif command == "blocks":
        x0, y0, w, h, n = (int(v) for v in sys.argv[3:8])
        blocks = uniform = 0
        for by in range(y0, y0 + h - n + 1, n):
            for bx in range(x0, x0 + w - n + 1, n):
                colours = {pixels[y][x] & 0xFFFFFF for y in range(by, by + n)
                           for x in range(bx, bx + n)}
                blocks += 1
                uniform += len(colours) == 1
        print("%.4f" % (uniform / max(blocks, 1)))
    elif command == "png":
        raw = b"".join(b"\0" + rgb_row(row) for row in pixels)
        def chunk(tag, body):
            return (struct.pack(">I", len(body)) + tag + body +
                    struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF))
        png = (b"\x89PNG\r\n\x1a\n" +
               chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
               chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
        open(sys.argv[3], "wb").write(png)
    else:
        sys.exit(__doc__)


main()
