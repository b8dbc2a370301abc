#!/usr/bin/env python3
"""Draws the pictures of the system tweaks and of the key code help into pictures/tweaks/.

Simple shapes rendered with 4 x 4 supersampling and written as RGBA PNG files with the standard library alone.
Run it from any folder; it writes next to itself.
"""

import math
import os
import struct
import zlib

SAMPLES = 4


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def paint(self, inside, color, alpha=1.0):
        """Covers every pixel by the share of its samples for which inside(x, y) holds."""
        for py in range(self.size):
            for px in range(self.size):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES):
                            hits += 1
                if hits:
                    self.blend(px, py, color, alpha * hits / (SAMPLES * SAMPLES))

    def blend(self, px, py, color, alpha):
        br, bg, bb, ba = self.pixels[py][px]
        ba /= 255
        out = alpha + ba * (1 - alpha)
        mix = [(c * alpha + d * ba * (1 - alpha)) / out for c, d in zip(color, (br, bg, bb))]
        self.pixels[py][px] = (round(mix[0]), round(mix[1]), round(mix[2]), round(out * 255))

    def rect(self, x0, y0, x1, y1, color):
        self.paint(lambda x, y: x0 <= x < x1 and y0 <= y < y1, color)

    def rounded(self, x0, y0, x1, y1, radius, color):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
        self.paint(inside, color)

    def disc(self, cx, cy, radius, color):
        self.paint(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2, color)

    def ring(self, cx, cy, inner, outer, color):
        self.paint(lambda x, y: inner ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= outer ** 2, color)

    def line(self, x0, y0, x1, y1, width, color):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy

        def inside(x, y):
            t = max(0, min(1, ((x - x0) * dx + (y - y0) * dy) / length2))
            return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= (width / 2) ** 2
        self.paint(inside, color)

    def polygon(self, points, color):
        def inside(x, y):
            hit = False
            j = len(points) - 1
            for i, (xi, yi) in enumerate(points):
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        self.paint(inside, color)

    def save(self, path):
        raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
        png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
        with open(path, "wb") as out:
            out.write(png)


NAVY = (0, 0, 128)
BLUE = (40, 90, 200)
SKY = (150, 200, 250)
SILVER = (200, 205, 215)
WHITE = (255, 255, 255)
GREY = (120, 120, 120)
DARK = (40, 40, 40)
RED = (210, 30, 30)
GREEN = (20, 150, 40)
YELLOW = (240, 200, 40)
ORANGE = (230, 140, 20)
SKIN = (240, 190, 150)
SKIN_EDGE = (170, 110, 70)


def cd_door(c):
    # A drive front with its tray out, a disc on the tray and an arrow pointing out of the drive.
    c.rounded(1, 3, 23, 11, 1.5, DARK)
    c.rect(2, 4, 22, 10, SILVER)
    c.rect(4, 6.5, 20, 7.5, DARK)
    c.disc(19.5, 8.5, 0.8, GREEN)
    c.polygon([(3, 11), (21, 11), (23, 16), (1, 16)], GREY)
    c.disc(12, 17, 6.2, SILVER)
    c.ring(12, 17, 5.4, 6.2, GREY)
    c.paint(lambda x, y: 1.5 <= math.hypot(x - 12, y - 17) <= 4.5 and x < 12 and y < 17, SKY)
    c.disc(12, 17, 1.6, WHITE)
    c.ring(12, 17, 1.6, 2.2, GREY)
    c.polygon([(12, 0), (16, 3), (8, 3)], GREEN)


def source_editor(c):
    # A page with a folded corner and "C++" on it.
    c.polygon([(4, 1), (15, 1), (20, 6), (20, 23), (4, 23)], DARK)
    c.polygon([(5, 2), (14.5, 2), (19, 6.5), (19, 22), (5, 22)], WHITE)
    c.polygon([(14.5, 2), (19, 6.5), (14.5, 6.5)], SILVER)
    c.paint(lambda x, y: 1.6 ** 2 <= (x - 8.5) ** 2 + (y - 13.5) ** 2 <= 3 ** 2 and not (x > 9 and abs(y - 13.5) < 1.5),
            BLUE)
    for centre in (13.5, 17.5):
        c.rect(centre - 1.5, 13, centre + 1.5, 14, NAVY)
        c.rect(centre - 0.5, 11.5, centre + 0.5, 15.5, NAVY)
    for top in (5, 8):
        c.rect(7, top, 13, top + 1, GREY)
    c.rect(7, 19, 17, 20, GREY)


def file_type(c):
    # A blank document with a question mark: the icon of a file type not looked up yet.
    c.polygon([(6, 1), (20, 1), (27, 8), (27, 31), (6, 31)], DARK)
    c.polygon([(7, 2), (19.5, 2), (26, 8.5), (26, 30), (7, 30)], WHITE)
    c.polygon([(19.5, 2), (26, 8.5), (19.5, 8.5)], SILVER)
    c.paint(lambda x, y: 2.2 <= math.hypot(x - 16.5, y - 14) <= 4.4 and not (x < 14.5 and y > 14), BLUE)
    c.rect(15.4, 17.5, 17.6, 21.5, BLUE)
    c.disc(16.5, 25, 1.5, BLUE)


def left_hand(c):
    # A mouse whose left (the user's) button is marked.
    def body(x, y, x0=5, y0=2, x1=15, y1=18, radius=4.8):
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return x0 <= x < x1 and y0 <= y < y1 and (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    c.rounded(4, 1, 16, 19, 5.5, DARK)
    c.paint(body, SILVER)
    c.paint(lambda x, y: body(x, y) and x < 9.7 and y < 8.5, RED)
    c.rect(9.7, 2, 10.3, 8.5, DARK)
    c.rect(5, 8.5, 15, 9.1, DARK)


def key_help(c):
    # A yellow key cap with a question mark.
    c.rounded(1, 1, 15, 15, 2.5, ORANGE)
    c.rounded(2, 2, 14, 13, 2, YELLOW)
    c.paint(lambda x, y: 1.6 <= math.hypot(x - 8, y - 5.5) <= 3.2 and not (x < 6.6 and y > 5.5), NAVY)
    c.rect(7.2, 7.6, 8.8, 9.8, NAVY)
    c.disc(8, 11.3, 1.0, NAVY)


PICTURES = {
    "cddoor": (24, cd_door),
    "sourceeditor": (24, source_editor),
    "filetype": (32, file_type),
    "lefthand": (20, left_hand),
    "keyhelp": (16, key_help),
}


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pictures", "tweaks")
    os.makedirs(folder, exist_ok=True)
    for name, (size, draw) in PICTURES.items():
        canvas = Canvas(size)
        draw(canvas)
        canvas.save(os.path.join(folder, name + ".png"))


if __name__ == "__main__":
    main()
