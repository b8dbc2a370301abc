#!/usr/bin/env python3
"""Draws the program's own pictures into pictures/: the window icon, the About box's brand picture, the help
picture window's 520 x 350 picture (256 colours) and the two states of the brain check button.

The window icon is the menu icon (packaging/org.trombus.Trombus.svg) rendered with rsvg-convert; each other
picture is a list of ImageMagick drawing primitives (MVG) below, rendered with ImageMagick's `convert` and the
DejaVu fonts. Run it from any folder; it writes next to itself.
"""

import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
SANS = "DejaVu-Sans"
BOLD = "DejaVu-Sans-Bold"


def render(name, width, height, background, mvg, supersample=1, palette=False, extra=()):
    """Renders the primitives on a canvas of the given size; supersampled pictures are drawn larger and
    scaled down, which smooths the small ones."""
    path = os.path.join(HERE, "pictures", name)
    scale = supersample
    command = ["convert", "-size", f"{width * scale}x{height * scale}", f"xc:{background}",
               "-draw", f"scale {scale},{scale} " + " ".join(mvg)]
    command += list(extra)
    if scale != 1:
        command += ["-filter", "Lanczos", "-resize", f"{width}x{height}!"]
    command += ["-strip", ("PNG8:" if palette else "PNG32:") + path]
    subprocess.run(command, check=True)


def text(x, y, size, words, color="black", font=SANS):
    escaped = words.replace("\\", "\\\\").replace("'", "\\'")
    return f"font '{font}' font-size {size} fill '{color}' stroke none text {x},{y} '{escaped}'"


def trombone(x, y, s, color="#f2c230", edge="#7a5a00"):
    """A small trombone: a slide, a mouthpiece and a bell, its top-left at (x, y), s pixels per unit."""
    u = lambda v: v * s
    return [
        f"stroke '{edge}' stroke-width {u(0.5)} fill none",
        # the slide: two long tubes joined by the U-bend on the left
        f"stroke '{color}' stroke-width {u(1.6)} stroke-linecap round fill none",
        f"line {x + u(3)},{y + u(4)} {x + u(22)},{y + u(4)}",
        f"line {x + u(3)},{y + u(9)} {x + u(16)},{y + u(9)}",
        f"path 'M {x + u(3)},{y + u(4)} A {u(2.5)},{u(2.5)} 0 0 0 {x + u(3)},{y + u(9)}'",
        # the bell's neck and the bell
        f"line {x + u(16)},{y + u(9)} {x + u(24)},{y + u(9)}",
        f"stroke '{edge}' stroke-width {u(0.4)} fill '{color}'",
        f"path 'M {x + u(22)},{y + u(7.6)} L {x + u(28)},{y + u(3.5)} L {x + u(28)},{y + u(14.5)} "
        f"L {x + u(22)},{y + u(10.4)} Z'",
        f"ellipse {x + u(28)},{y + u(9)} {u(1.2)},{u(5.5)} 0,360",
        # the mouthpiece
        f"stroke none fill '{edge}' circle {x + u(22.6)},{y + u(4)} {x + u(23.5)},{y + u(4)}",
    ]


def window_icon():
    # The window icon is the program's menu icon at the size window managers ask for most.
    svg = os.path.join(HERE, "..", "packaging", "org.trombus.Trombus.svg")
    subprocess.run(["rsvg-convert", "--width", "32", "--height", "32", "--output",
                    os.path.join(HERE, "pictures", "app.png"), svg], check=True)


def brand():
    # The maker's mark: a trombone in a round navy seal with the name around it.
    mvg = ["stroke '#0b1f5c' stroke-width 3 fill '#1f3f9f' circle 64,64 64,4",
           "stroke '#f2c230' stroke-width 2 fill none circle 64,64 64,12",
           "stroke none fill '#e9eefc' circle 64,64 64,22"]
    mvg += trombone(22, 44, 3.0)
    mvg += [text(36, 98, 13, "BRUND", "#0b1f5c", BOLD), text(44, 38, 12, "★ ★ ★", "#f2c230", BOLD)]
    render("brand.png", 128, 128, "none", mvg, supersample=4)


def brain(name, pink, fold, light):
    mvg = [f"stroke '{fold}' stroke-width 1 fill '{pink}'",
           "path 'M 6,17 C 1,16 1,9 5,8 C 5,3 11,2 12,5 C 13,2 19,3 19,7 C 24,8 23,16 18,17 "
           "C 17,20 13,20 12,18 C 10,20 7,20 6,17 Z'",
           f"stroke '{fold}' stroke-width 0.9 fill none",
           "path 'M 12,5 C 11,8 13,10 12,13 C 11,15 13,16 12,18'",
           "path 'M 5,8 C 7,9 8,11 6,13'", "path 'M 19,7 C 17,9 17,11 19,13'",
           "path 'M 8,15 C 9,14 10,15 10,13'", "path 'M 16,15 C 15,14 14,15 14,12'",
           f"stroke none fill '{light}' ellipse 8,7 2,1 0,360"]
    render(name, 24, 24, "none", mvg, supersample=8)


def help_picture():
    # A reference card of the program: the main window's pages, and where its hidden corners are.
    mvg = [
        # the card and its header
        "stroke none fill '#fff8dc' rectangle 0,0 519,349",
        "fill '#408000' rectangle 0,0 519,44",
        text(16, 31, 22, "Тромбус — для справки", "white", BOLD),
    ]
    mvg += trombone(430, 8, 2.6)
    # a sketch of the main window
    mvg += [
        "stroke '#1f3f9f' stroke-width 2 fill '#d4d0c8' rectangle 16,60 270,330",
        "stroke none fill '#1f3f9f' rectangle 17,61 269,78",
        text(24, 74, 11, "Тромбус", "white", BOLD),
        "stroke '#808080' stroke-width 1 fill '#f0f0f0' rectangle 24,88 262,322",
    ]
    pages = ["Основная", "Для помощи", "Музычку Включить", "Интернет", "Не забудь", "Информация"]
    for n, page in enumerate(pages):
        y = 96 + n * 36
        mvg += [f"stroke '#808080' stroke-width 1 fill '#ffffff' roundrectangle 32,{y} 254,{y + 28} 4,4",
                text(44, y + 19, 12, f"{n + 1}. {page}", "#202020")]
    # what to remember, on the right
    notes = [
        ("`", "клавиша левее «1» —"),
        ("", "консоль"),
        ("F1", "о программе"),
        ("ZQ5", "ещё одна такая"),
        ("", "справка"),
        ("1…7", "пианино, если"),
        ("", "галочка стоит"),
    ]
    y = 84
    for key, words in notes:
        if key:
            y += 10
            mvg += [f"stroke '#7a5a00' stroke-width 1 fill '#f2c230' roundrectangle 290,{y - 16} 340,{y + 6} 4,4",
                    text(298, y, 13, key, "#202020", BOLD)]
        mvg += [text(350, y, 13, words, "#202020")]
        y += 24
    mvg += ["stroke '#408000' stroke-width 2 fill none line 290,322 505,322",
            text(292, 340, 11, "Брундуков, 2007", "#408000", BOLD)]
    render("help.png", 520, 350, "white", mvg, palette=True)


if __name__ == "__main__":
    window_icon()
    brand()
    brain("brain.png", "#f4a6b8", "#9c3f5a", "#fde4ea")
    brain("brain-disabled.png", "#c8c8c8", "#808080", "#e8e8e8")
    help_picture()
