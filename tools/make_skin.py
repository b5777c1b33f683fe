#!/usr/bin/env python3
"""Draws the shipped skin "兰红_Slate" (slate blue with red accents) and packs
it as the skin archive the program loads at start-up.

Output (relative to the repository root):
  data/皮肤/兰红_Slate.skn   ZIP archive: skin.ini and 24-bit BMP images

The images are small nine-grids (corners kept, middles stretched), so they
stay sharp at 96 and 144 dpi; caption-button glyphs are drawn by the program
as lines for the same reason. The archive is byte-for-byte reproducible.
Standard library only. The output is committed: the build never runs this.
Usage: python3 tools/make_skin.py [--out REPO_ROOT]
"""

import argparse
import os
import struct
import zipfile

# The palette, also written into skin.ini where a flat colour is enough.
SLATE_DARK = (0x2C, 0x3A, 0x50)
SLATE = (0x3B, 0x4F, 0x6B)
SLATE_LIGHT = (0x5D, 0x6D, 0x7E)
SLATE_MENU = (0x2F, 0x3E, 0x52)
SLATE_BAR = (0x34, 0x49, 0x5E)
RED = (0xC0, 0x39, 0x2B)
RED_LIGHT = (0xE7, 0x4C, 0x3C)
RED_DARK = (0x96, 0x28, 0x1B)
WHITE = (0xFF, 0xFF, 0xFF)
PAPER = (0xE9, 0xED, 0xF2)
INK = (0x1F, 0x2D, 0x3D)
GREY = (0x8A, 0x97, 0xA8)


def hexcolor(c):
    return "#%02X%02X%02X" % c


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def bmp(width, height, pixel):
    """A 24-bit bottom-up BMP; pixel(x, y) gives (r, g, b) with y from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    return header + info + data


def caption():
    # A vertical slate gradient with a red rule along the bottom; the rule
    # sits in the bottom margin so it keeps its thickness when stretched.
    h = 24

    def px(x, y):
        if y >= h - 2:
            return RED
        if y == 0:
            return SLATE_LIGHT
        return mix(SLATE, SLATE_DARK, y / (h - 3))

    return bmp(8, h, px)


def menu_bar():
    h = 20

    def px(x, y):
        if y == h - 1:
            return SLATE_DARK
        return SLATE_BAR

    return bmp(4, h, px)


def menu_selected():
    # The selected item: red with a darker one-pixel outline and a light top.
    w, h = 12, 12

    def px(x, y):
        if x in (0, w - 1) or y in (0, h - 1):
            return RED_DARK
        if y == 1:
            return RED_LIGHT
        return RED

    return bmp(w, h, px)


def push_button():
    # Five frames: normal, hover, pressed, default, disabled.
    w, h = 16, 22
    looks = [
        (SLATE_LIGHT, SLATE, SLATE_DARK),      # normal
        (mix(SLATE_LIGHT, WHITE, 0.2), SLATE_LIGHT, SLATE_DARK),  # hover
        (SLATE_DARK, SLATE_DARK, INK),          # pressed
        (SLATE_LIGHT, SLATE, RED),              # default: red outline
        ((0xB8, 0xC0, 0xCA), (0xB8, 0xC0, 0xCA), GREY),  # disabled
    ]

    def px(x, y):
        frame, fx = divmod(x, w)
        top, bottom, edge = looks[frame]
        if fx in (0, w - 1) or y in (0, h - 1):
            # Rounded look: the corner pixels take the face.
            if (fx in (0, w - 1)) and (y in (0, h - 1)):
                return PAPER
            return edge
        if frame == 3 and (fx in (1, w - 2) or y in (1, h - 2)):
            return edge
        return mix(top, bottom, y / (h - 1))

    return bmp(w * 5, h, px)


SKIN_INI = f"""; 兰红 Slate: slate-blue frames and menus with red accents.
[Skin]
Name = 兰红_Slate
Author = 博闲

[Caption]
Image = caption.bmp
Margins = 0,1,0,2
InactiveColor = #6C7A89
TextColor = #FFFFFF
InactiveTextColor = #D5DBE1

[Border]
Color = {hexcolor(SLATE_DARK)}
InactiveColor = {hexcolor(SLATE_LIGHT)}
BorderColor = #1B2631

[CaptionButtons]
Color = {hexcolor(SLATE)}
HotColor = {hexcolor(RED)}
TextColor = #FFFFFF
HotTextColor = #FFFFFF
DisabledTextColor = {hexcolor(GREY)}
BorderColor = {hexcolor(SLATE_LIGHT)}
Spacing = 2

[MenuBar]
Image = menubar.bmp
Margins = 0,0,0,1
Color = {hexcolor(SLATE_BAR)}
TextColor = #FFFFFF
HotColor = {hexcolor(RED)}
HotTextColor = #FFFFFF
DisabledTextColor = {hexcolor(GREY)}

[Menu]
Color = {hexcolor(SLATE_MENU)}
TextColor = #F4F6F8
HotImage = selected.bmp
HotMargins = 2,2,2,2
HotColor = {hexcolor(RED)}
HotTextColor = #FFFFFF
DisabledTextColor = {hexcolor(GREY)}
LineColor = #AEB6BF
ItemHeight = 22
FontSize = 10

[Button]
Image = button.bmp
Margins = 3,3,3,3
Color = {hexcolor(SLATE)}
HotColor = {hexcolor(SLATE_LIGHT)}
TextColor = #FFFFFF
HotTextColor = #FFFFFF
DisabledTextColor = #F0F0F0

[Panel]
Color = #DDE3EA
BorderColor = {hexcolor(SLATE)}

[Window]
Color = {hexcolor(PAPER)}
TextColor = {hexcolor(INK)}
"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), ".."))
    args = parser.parse_args()
    folder = os.path.join(args.out, "data", "皮肤")
    os.makedirs(folder, exist_ok=True)
    members = [
        ("skin.ini", SKIN_INI.replace("\n", "\r\n").encode("utf-8")),
        ("caption.bmp", caption()),
        ("menubar.bmp", menu_bar()),
        ("selected.bmp", menu_selected()),
        ("button.bmp", push_button()),
    ]
    path = os.path.join(folder, "兰红_Slate.skn")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in members:
            info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            archive.writestr(info, data)
    print(path)


if __name__ == "__main__":
    main()
