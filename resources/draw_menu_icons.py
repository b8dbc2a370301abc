#!/usr/bin/env python3
"""Draws the 16 x 16 menu pictures of the main menu and the tray menu into pictures/menu/.

The pictures are simple shapes, rendered with 4 x 4 supersampling and written as RGBA PNG files with the
standard library alone. Run it from any folder; it writes next to itself.
"""

import os
import struct
import zlib

SIZE = 16
SAMPLES = 4


class Canvas:
    def __init__(self):
        self.pixels = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]

    def paint(self, inside, color):
        """Covers every pixel by the share of its samples for which inside(x, y) holds."""
        r, g, b = color
        for py in range(SIZE):
            for px in range(SIZE):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES):
                            hits += 1
                if hits:
                    self.blend(px, py, (r, g, b), hits / (SAMPLES * SAMPLES))

    def blend(self, px, py, color, alpha):
        br, bg, bb, ba = self.pixels[py][px]
        ba /= 255
        out = alpha + ba * (1 - alpha)
        mix = [(c * alpha + d * ba * (1 - alpha)) / out for c, d in zip(color, (br, bg, bb))]
        self.pixels[py][px] = (round(mix[0]), round(mix[1]), round(mix[2]), round(out * 255))

    def rect(self, x0, y0, x1, y1, color):
        self.paint(lambda x, y: x0 <= x < x1 and y0 <= y < y1, color)

    def frame(self, x0, y0, x1, y1, width, color):
        self.paint(lambda x, y: x0 <= x < x1 and y0 <= y < y1 and not (
            x0 + width <= x < x1 - width and y0 + width <= y < y1 - width), color)

    def disc(self, cx, cy, radius, color):
        self.paint(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2, color)

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
        png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
        with open(path, "wb") as out:
            out.write(png)


NAVY = (0, 0, 128)
BLUE = (40, 90, 200)
SKY = (120, 170, 240)
WHITE = (255, 255, 255)
GREY = (110, 110, 110)
DARK = (40, 40, 40)
RED = (210, 30, 30)
GREEN = (20, 150, 40)
YELLOW = (240, 200, 40)
ORANGE = (230, 140, 20)


def window(c):
    c.rect(1, 2, 15, 14, WHITE)
    c.frame(1, 2, 15, 14, 1, NAVY)
    c.rect(1, 2, 15, 5, BLUE)


def minimize(c):
    window(c)
    c.rect(4, 10, 12, 12, DARK)


def restore(c):
    window(c)
    c.polygon([(8, 6), (12, 10.5), (4, 10.5)], GREEN)
    c.rect(6.5, 10.5, 9.5, 13, GREEN)


def palette(c):
    for (x, y), color in zip([(1, 1), (8, 1), (1, 8), (8, 8)], [RED, GREEN, BLUE, YELLOW]):
        c.rect(x, y, x + 7, y + 7, color)
        c.frame(x, y, x + 7, y + 7, 1, DARK)


def start_with_system(c):
    window(c)
    c.polygon([(6, 6.5), (12, 9.5), (6, 12.5)], GREEN)


def no_start_with_system(c):
    window(c)
    c.line(5, 7, 11, 12, 2, RED)
    c.line(11, 7, 5, 12, 2, RED)


def exit_(c):
    c.disc(8, 8, 7, RED)
    c.line(5, 5, 11, 11, 2.2, WHITE)
    c.line(11, 5, 5, 11, 2.2, WHITE)


def cpp(c):
    # A ring open to the right makes the C; two plus signs follow it.
    c.paint(lambda x, y: 2.4 ** 2 <= (x - 4.5) ** 2 + (y - 7.5) ** 2 <= 4.2 ** 2 and not (x > 5 and abs(y - 7.5) < 2.2),
            BLUE)
    for left in (9, 13):
        c.rect(left, 7, left + 3, 8, NAVY)
        c.rect(left + 1, 6, left + 2, 9, NAVY)


def info(c):
    c.disc(8, 8, 7, BLUE)
    c.disc(8, 4.5, 1.3, WHITE)
    c.rect(7, 7, 9, 12.5, WHITE)


def folder(c):
    c.polygon([(1, 4), (6, 4), (7.5, 5.5), (14, 5.5), (14, 13), (1, 13)], ORANGE)
    c.polygon([(2.5, 7.5), (15.5, 7.5), (14, 13), (1, 13)], YELLOW)


def play(c):
    c.polygon([(4, 2), (13, 8), (4, 14)], GREEN)


def next_(c):
    c.polygon([(2, 3), (10, 8), (2, 13)], GREEN)
    c.rect(11, 3, 13, 13, GREEN)


def previous(c):
    c.rect(3, 3, 5, 13, GREEN)
    c.polygon([(14, 3), (6, 8), (14, 13)], GREEN)


def random_(c):
    c.rect(2, 2, 14, 14, WHITE)
    c.frame(2, 2, 14, 14, 1, DARK)
    for x, y in [(5, 5), (11, 5), (8, 8), (5, 11), (11, 11)]:
        c.disc(x, y, 1.5, DARK)


PICTURES = {
    "minimize": minimize,
    "restore": restore,
    "palette": palette,
    "startwithsystem": start_with_system,
    "nostartwithsystem": no_start_with_system,
    "exit": exit_,
    "cpp": cpp,
    "info": info,
    "folder": folder,
    "play": play,
    "next": next_,
    "previous": previous,
    "random": random_,
}


def main():
    folder_path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pictures", "menu")
    os.makedirs(folder_path, exist_ok=True)
    for name, draw in PICTURES.items():
        canvas = Canvas()
        draw(canvas)
        canvas.save(os.path.join(folder_path, name + ".png"))


if __name__ == "__main__":
    main()
