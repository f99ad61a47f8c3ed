#!/usr/bin/env python3
"""Reads an X window dump (xwd -root) and answers questions about its pixels.

  screen.py <dump> find <r> <g> <b>        centre "x y" of the pixels of that colour
  screen.py <dump> stats <x> <y> <w> <h>   "nonblack <fraction> mean <r> <g> <b>" of a box
  screen.py <dump> png <out.png>           the dump as a PNG, for people to look at
"""
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
        values = []
        for x in range(0, width * step, step):
            chunk = row[x:x + step]
            values.append(int.from_bytes(chunk, "little" if byte_order == 0 else "big"))
        pixels.append(values)
    return width, height, pixels


def rgb(value):
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


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
    elif command == "png":
        raw = b"".join(b"\0" + b"".join(bytes(rgb(p)) for p in row) for row in pixels)
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
