#!/usr/bin/env python3
"""Draws data/goal.png: a 64 x 64 goal (posts, bar and net) on a transparent background."""
import struct
import sys
import zlib

SIZE = 64
FRAME = (250, 250, 250, 255)
FRAME_EDGE = (200, 30, 30, 255)
NET = (200, 210, 220, 140)


def goal_pixels():
    pixels = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    left, right, top, bottom = 8, 55, 14, 56
    for y in range(top + 4, bottom):          # the net, behind the frame
        for x in range(left + 4, right - 3):
            if (x - left) % 6 == 0 or (y - top) % 6 == 0:
                pixels[y][x] = NET
    for y in range(top, bottom + 1):           # posts and bar, 4 px thick with a red edge
        for x in range(left, right + 1):
            on_post = x < left + 4 or x > right - 4
            on_bar = y < top + 4
            if on_post or on_bar:
                edge = x in (left, right) or y == top or (on_post and y == bottom)
                pixels[y][x] = FRAME_EDGE if edge else FRAME
    for x in range(2, SIZE - 2):               # the goal line
        pixels[bottom + 2][x] = FRAME
    return pixels


def png(pixels):
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


if __name__ == "__main__":
    target = sys.argv[1] if len(sys.argv) > 1 else "data/goal.png"
    with open(target, "wb") as out:
        out.write(png(goal_pixels()))
