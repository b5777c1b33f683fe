#!/usr/bin/env python3
"""Draws the about box's picture: a small landscape (sky, sun, hills, a green
field with rows of young rice), 144x90, written as a baseline JPEG.

The large areas are flat colours on purpose: the picture is shown shrunk to
65x57, and the tests compare pixels in the middle of those areas.

Output: res/about.jpg (committed; the build never runs this).
Needs ImageMagick's `convert`. Usage: python3 tools/draw_about_picture.py
"""

import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "res", "about.jpg")

SKY = "#8CC8F0"
SUN = "#FFD23C"
HILLS = "#5A7896"
FIELD = "#3C9A3C"
ROWS = "#2E7A2E"


def main():
    draw = [
        "-fill", SUN, "-draw", "circle 112,22 112,34",
        "-fill", HILLS, "-draw", "polygon 0,52 22,36 46,48 70,30 98,46 120,38 144,48 144,60 0,60",
        "-fill", FIELD, "-draw", "rectangle 0,58 143,89",
    ]
    # Rows of rice converging towards the horizon.
    for i in range(-6, 7):
        draw += ["-stroke", ROWS, "-strokewidth", "1",
                 "-draw", "line %d,60 %d,89" % (72 + i * 6, 72 + i * 22)]
    subprocess.run(["convert", "-size", "144x90", "xc:" + SKY] + draw +
                   ["-strip", "-interlace", "none", "-sampling-factor", "2x2",
                    "-quality", "90", "jpeg:" + OUT], check=True)
    print("wrote", OUT)


if __name__ == "__main__":
    main()
