#!/usr/bin/env python3
"""Draws Velotune's skin: every bitmap of assets/skin and its INI, and the
same pictures at twice the size in assets/skin/2x for displays from 150 %.

A flat, cool-grey face with a deep slate caption and a blue accent. Magenta
(255, 0, 255) marks the pixels a painter must leave out. Run it from anywhere:
    python3 tools/make_skin_art.py [OUTPUT_DIR]
"""
import os
import struct
import sys

MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)
FACE = (240, 242, 245)
FACE_DARK = (226, 230, 236)
LINE = (176, 183, 194)
LINE_SOFT = (205, 210, 218)
SHADOW = (160, 168, 180)
DK_SHADOW = (96, 104, 118)
TEXT = (30, 36, 48)
GREY_TEXT = (150, 156, 166)
ACCENT = (47, 128, 237)
ACCENT_DARK = (28, 98, 196)
ACCENT_LIGHT = (222, 235, 253)
ACCENT_SOFT = (150, 190, 242)
CAPTION = (36, 48, 70)
CAPTION_TOP = (52, 67, 95)
CAPTION_EDGE = (22, 30, 46)
CAPTION_OFF = (128, 136, 150)
CAPTION_OFF_TOP = (146, 154, 168)
CAPTION_OFF_EDGE = (104, 111, 124)
CLOSE_RED = (220, 48, 48)
CLOSE_RED_DARK = (176, 30, 30)


def mix(a, b, t):
    """t = 0 gives a, t = 1 gives b."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


# Pixels per design pixel of the set being drawn: 1 for the 96-DPI pictures,
# 2 for the set drawn at twice the size.
SCALE = 1


class Canvas:
    """A picture addressed in design pixels: each stands for SCALE x SCALE
    pixels. Fills, lines and gradients are drawn at the full resolution,
    curves are computed for each pixel, glyph masks are repeated pixel for
    pixel (nearest) as the grid they are drawn on."""

    def __init__(self, w, h, fill=MAGENTA):
        self.s = SCALE
        self.w, self.h = w, h
        self.pw, self.ph = w * self.s, h * self.s
        self.px = [[fill] * self.pw for _ in range(self.ph)]

    def put(self, x, y, c):
        """One pixel of the picture itself."""
        if 0 <= x < self.pw and 0 <= y < self.ph:
            self.px[y][x] = c

    def set(self, x, y, c):
        self.rect(x, y, x + 1, y + 1, c)

    def rect(self, x0, y0, x1, y1, c):
        s = self.s
        for y in range(max(y0 * s, 0), min(y1 * s, self.ph)):
            row = self.px[y]
            for x in range(max(x0 * s, 0), min(x1 * s, self.pw)):
                row[x] = c

    def vgrad(self, x0, y0, x1, y1, top, bottom):
        s = self.s
        n = max((y1 - y0) * s - s, 1)
        for y in range(y0 * s, y1 * s):
            c = mix(top, bottom, min(max(y - y0 * s - (s - 1) / 2, 0), n) / n)
            for x in range(max(x0 * s, 0), min(x1 * s, self.pw)):
                self.put(x, y, c)

    def hline(self, x0, x1, y, c):
        self.rect(x0, y, x1, y + 1, c)

    def vline(self, x, y0, y1, c):
        self.rect(x, y0, x + 1, y1, c)

    def outline(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1 - 1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1 - 1, y0, y1, c)

    def round_corners(self, x0, y0, x1, y1, radius, outside=MAGENTA, edge=None):
        """Cuts the corners of a box to a quarter circle; edge tints the rim."""
        s = self.s
        r = radius * s
        for dy in range(r):
            for dx in range(r):
                # distance from the corner circle's centre
                cx, cy = r - dx - 0.5, r - dy - 0.5
                d = (cx * cx + cy * cy) ** 0.5
                for (x, y) in ((x0 * s + dx, y0 * s + dy), (x1 * s - 1 - dx, y0 * s + dy),
                               (x0 * s + dx, y1 * s - 1 - dy), (x1 * s - 1 - dx, y1 * s - 1 - dy)):
                    if d > r:
                        self.put(x, y, outside)
                    elif edge is not None and d > r - 1.2 * s:
                        self.put(x, y, edge)

    def disc(self, cx, cy, radius, c):
        """Every pixel whose centre lies within radius of the design pixel (cx, cy)."""
        s = self.s
        for y in range(self.ph):
            for x in range(self.pw):
                dx, dy = (x + 0.5) / s - 0.5 - cx, (y + 0.5) / s - 0.5 - cy
                if (dx * dx + dy * dy) ** 0.5 <= radius:
                    self.px[y][x] = c

    def blit(self, other, x, y):
        s = self.s
        for j in range(other.ph):
            for i in range(other.pw):
                self.put(x * s + i, y * s + j, other.px[j][i])

    def mask(self, x, y, rows, c):
        """Draws a glyph given as strings: '#' is c, '+' half of c on what lies below."""
        s = self.s
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch == '#':
                    self.set(x + i, y + j, c)
                elif ch == '+':
                    for py in range((y + j) * s, (y + j + 1) * s):
                        for px in range((x + i) * s, (x + i + 1) * s):
                            if 0 <= px < self.pw and 0 <= py < self.ph:
                                under = self.px[py][px]
                                self.px[py][px] = c if under == MAGENTA else mix(under, c, 0.5)


def strip(frames, draw, w, h, stacked=False):
    """Draws frames side by side (or stacked) by calling draw(canvas, index)."""
    out = Canvas(w * (1 if stacked else frames), h * (frames if stacked else 1))
    for i in range(frames):
        c = Canvas(w, h)
        draw(c, i)
        out.blit(c, 0 if stacked else i * w, i * h if stacked else 0)
    return out


def write_bmp(path, canvas, bits=24):
    if bits == 8:
        return write_bmp8(path, canvas)
    bpp = bits // 8
    stride = (canvas.pw * bpp + 3) & ~3
    data = bytearray()
    for y in range(canvas.ph - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in canvas.px[y]:
            row += bytes((b, g, r)) + (b'\x00' if bpp == 4 else b'')
        row += b'\x00' * (stride - len(row))
        data += row
    header = struct.pack('<IiiHHIIiiII', 40, canvas.pw, canvas.ph, 1, bits, 0, len(data),
                         2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + 40 + len(data), 0, 0, 54) + header + data)


def write_bmp8(path, canvas):
    palette = []
    for row in canvas.px:
        for c in row:
            if c not in palette:
                palette.append(c)
    assert len(palette) <= 256
    stride = (canvas.pw + 3) & ~3
    data = bytearray()
    for y in range(canvas.ph - 1, -1, -1):
        row = bytearray(palette.index(c) for c in canvas.px[y])
        row += b'\x00' * (stride - len(row))
        data += row
    pal = b''.join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    pal += b'\x00\x00\x00\x00' * (256 - len(palette))
    offset = 14 + 40 + len(pal)
    header = struct.pack('<IiiHHIIiiII', 40, canvas.pw, canvas.ph, 1, 8, 0, len(data),
                         2835, 2835, 256, 0)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset) + header + pal + data)


# ---- glyphs -----------------------------------------------------------------

CHECK = ["      #", "     ##", "#   ## ", "## ##  ", " ###   ", "  #    "]
CHEVRON_DOWN = ["#     #", "##   ##", " ## ## ", "  ###  ", "   #   "]
CHEVRON_UP = list(reversed(CHEVRON_DOWN))
CHEVRON_RIGHT = ["##   ", " ##  ", "  ## ", "   ##", "  ## ", " ##  ", "##   "]
CHEVRON_LEFT = [r[::-1] for r in CHEVRON_RIGHT]
SMALL_DOWN = ["#######", " ##### ", "  ###  ", "   #   "]
SMALL_UP = list(reversed(SMALL_DOWN))
SMALL_RIGHT = ["#   ", "##  ", "### ", "####", "### ", "##  ", "#   "]
SMALL_LEFT = [r[::-1] for r in SMALL_RIGHT]
CLOSE_X = ["#       #", " #     # ", "  #   #  ", "   # #   ", "    #    ",
           "   # #   ", "  #   #  ", " #     # ", "#       #"]
CLOSE_X_BOLD = ["##     ##", "+##   ##+", " +## ##+ ", "  +###+  ", "   ###   ",
                "  +###+  ", " +## ##+ ", "+##   ##+", "##     ##"]
MAX_BOX = ["#########", "#########", "#       #", "#       #", "#       #",
           "#       #", "#       #", "#       #", "#########"]
RESTORE_BOX = ["  #######", "  #######", "  #     #", "#######  #", "#######  #",
               "#     #  #", "#     ###", "#     #  ", "#######  "]
MIN_BAR = ["#########", "#########"]


# ---- frame and caption --------------------------------------------------------

CAPTION_H = 31


def caption_colours(active):
    if active:
        return CAPTION_TOP, CAPTION, CAPTION_EDGE
    return CAPTION_OFF_TOP, CAPTION_OFF, CAPTION_OFF_EDGE


def draw_caption_band(c, y0, h, active):
    top, body, edge = caption_colours(active)
    c.vgrad(0, y0, c.w, y0 + h, top, body)
    c.hline(0, c.w, y0, edge)
    # A thin accent under the caption of the active window.
    if active:
        c.hline(0, c.w, y0 + h - 2, ACCENT_DARK)
        c.hline(0, c.w, y0 + h - 1, ACCENT)
    else:
        c.hline(0, c.w, y0 + h - 1, CAPTION_OFF_EDGE)


def frame_top():
    c = Canvas(100, 2 * CAPTION_H)
    draw_caption_band(c, 0, CAPTION_H, True)
    draw_caption_band(c, CAPTION_H, CAPTION_H, False)
    return c


def frame_side(left):
    c = Canvas(8, 100)
    for frame, active in ((0, True), (1, False)):
        top, body, edge = caption_colours(active)
        x0 = frame * 4
        band = Canvas(4, 100, body)
        draw_caption_band(band, 0, CAPTION_H, active)
        band.rect(0, CAPTION_H, 4, 100, body)
        outer = 0 if left else 3
        band.vline(outer, 0, 100, edge)
        band.hline(0, 4, 99, edge)
        if left:
            band.mask(0, 0, ["###", "#", "#"], MAGENTA)
            band.set(1, 1, edge)
            band.set(2, 0, edge)
        else:
            band.mask(1, 0, ["###", "  #", "  #"], MAGENTA)
            band.set(2, 1, edge)
            band.set(1, 0, edge)
        c.blit(band, x0, 0)
    return c


def frame_bottom():
    c = Canvas(100, 10)
    for frame, active in ((0, True), (1, False)):
        _, body, edge = caption_colours(active)
        c.rect(0, frame * 5, 100, frame * 5 + 5, body)
        c.hline(0, 100, frame * 5 + 4, edge)
    return c


def min_caption():
    c = Canvas(66, 62)
    for frame, active in ((0, True), (1, False)):
        band = Canvas(66, CAPTION_H)
        draw_caption_band(band, 0, CAPTION_H, active)
        band.round_corners(0, 0, 66, CAPTION_H, 4)
        c.blit(band, 0, frame * CAPTION_H)
    return c


# Caption buttons: 6 frames of 35x21, the visible 22x19 box placed in each frame
# so that close, maximize/restore and minimize sit 2 pixels apart.
CAPTION_BUTTON_X = {'close': 6, 'max': 11, 'restore': 1, 'min': 13}


def caption_button(kind):
    glyphs = {'close': CLOSE_X_BOLD, 'max': MAX_BOX, 'restore': RESTORE_BOX, 'min': MIN_BAR}
    glyph = glyphs[kind]
    gx = (22 - len(glyph[0])) // 2
    gy = (19 - len(glyph)) // 2 + (4 if kind == 'min' else 0)

    def draw(c, i):
        # 1 normal, 2 pressed, 3 hover, 4 inactive, 5 and 6 as normal.
        look = [0, 1, 2, 3, 0, 0][i]
        box = Canvas(22, 19)
        if kind == 'close':
            fill = [CLOSE_RED, CLOSE_RED_DARK, (236, 72, 72), CAPTION_OFF_TOP][look]
        else:
            fill = [(62, 78, 108), (28, 38, 58), (80, 98, 132), CAPTION_OFF_TOP][look]
        box.rect(0, 0, 22, 19, fill)
        box.round_corners(0, 0, 22, 19, 4)
        ink = WHITE if look != 3 else (220, 224, 230)
        box.mask(gx, gy, glyph, ink)
        c.blit(box, CAPTION_BUTTON_X[kind], 1)
    return strip(6, draw, 35, 21)


# ---- controls -----------------------------------------------------------------

def push_button():
    def draw(c, i):
        # 1 normal, 2 pressed, 3 disabled, 4 hover, 5 focused or default.
        fills = [(WHITE, FACE_DARK), ((214, 222, 234), (226, 232, 242)), (FACE, FACE),
                 ((244, 249, 255), (220, 234, 252)), (WHITE, FACE_DARK)]
        borders = [LINE, ACCENT_DARK, LINE_SOFT, ACCENT_SOFT, ACCENT]
        top, bottom = fills[i]
        c.vgrad(0, 0, 20, 23, top, bottom)
        c.outline(0, 0, 20, 23, borders[i])
        if i == 4:
            c.outline(1, 1, 19, 22, ACCENT_LIGHT)
        c.round_corners(0, 0, 20, 23, 3, edge=borders[i])
    return strip(5, draw, 20, 23)


def check_box():
    def draw(c, i):
        # Unchecked, checked and mixed, each normal, hover, pressed, disabled.
        state, look = divmod(i, 4)
        disabled = look == 3
        border = [LINE, ACCENT, ACCENT_DARK, LINE_SOFT][look]
        if state == 0:
            fill = [WHITE, (244, 249, 255), ACCENT_LIGHT, FACE][look]
        else:
            fill = [ACCENT, (74, 146, 242), ACCENT_DARK, (190, 198, 210)][look]
            border = fill if not disabled else LINE_SOFT
        c.rect(0, 0, 13, 13, fill)
        c.outline(0, 0, 13, 13, border)
        c.round_corners(0, 0, 13, 13, 2, outside=MAGENTA, edge=border)
        if state == 1:
            c.mask(3, 3, CHECK, WHITE)
        elif state == 2:
            c.rect(3, 6, 10, 8, WHITE)
    return strip(12, draw, 13, 13)


def radio_button():
    def draw(c, i):
        # Off and on, each normal, hover, pressed, disabled.
        state, look = divmod(i, 4)
        ring = [LINE, ACCENT, ACCENT_DARK, LINE_SOFT][look]
        inner = [WHITE, (244, 249, 255), ACCENT_LIGHT, FACE][look]
        dot = [ACCENT, (74, 146, 242), ACCENT_DARK, (190, 198, 210)][look]
        c.disc(6, 6, 6.4, ring)
        c.disc(6, 6, 5.2, inner)
        if state == 1:
            c.disc(6, 6, 2.8, dot)
    return strip(8, draw, 13, 13)


def progress_trough():
    c = Canvas(15, 21, (230, 233, 238))
    c.outline(0, 0, 15, 21, LINE)
    c.hline(1, 14, 1, (218, 222, 228))
    return c


def progress_chunk():
    c = Canvas(69, 12)
    c.vgrad(0, 0, 69, 12, (92, 160, 245), ACCENT_DARK)
    c.hline(1, 68, 1, (140, 188, 250))
    c.round_corners(0, 0, 69, 12, 2)
    return c


def tabs():
    def draw(c, i):
        # 1 normal, 2 selected, 3 hover, 4 disabled, 5 selected and focused.
        fill = [FACE_DARK, WHITE, (236, 242, 250), FACE, WHITE][i]
        border = [LINE, LINE, ACCENT_SOFT, LINE_SOFT, ACCENT][i]
        c.rect(0, 0, 18, 18, fill)
        c.vline(0, 0, 18, border)
        c.vline(17, 0, 18, border)
        c.hline(0, 18, 0, border)
        if i in (1, 4):
            c.hline(1, 17, 0, ACCENT)
            c.hline(1, 17, 1, ACCENT)
        else:
            c.hline(0, 18, 17, LINE)
        c.round_corners(0, 0, 18, 18, 3, outside=FACE, edge=border)
    return strip(5, draw, 18, 18)


def tab_sheet():
    c = Canvas(48, 48, WHITE)
    c.outline(0, 0, 48, 48, LINE)
    c.vline(46, 1, 47, (236, 238, 242))
    c.hline(1, 47, 46, (236, 238, 242))
    c.vline(47, 0, 48, LINE)
    c.hline(0, 48, 47, LINE)
    return c


def combo_button():
    def draw(c, i):
        # In the combo box's order: 1 normal, 2 pressed, 3 disabled, 4 hover.
        fill = [FACE, (212, 226, 246), FACE, (232, 241, 253)][i]
        ink = [TEXT, ACCENT_DARK, GREY_TEXT, ACCENT_DARK][i]
        c.rect(0, 0, 15, 16, fill)
        c.vline(0, 1, 15, LINE_SOFT)
        c.mask(4, 6, CHEVRON_DOWN[:4], ink)
    return strip(4, draw, 15, 16)


def status_bar():
    def draw(c, i):
        c.vgrad(0, 0, 68, 21, (236, 239, 243), (224, 228, 234))
        c.hline(0, 68, 0, LINE)
        c.hline(0, 68, 1, WHITE)
        if i == 1:
            c.vline(0, 4, 18, LINE_SOFT)
            c.vline(1, 4, 18, WHITE)
        if i == 2:
            for k, (x, y) in enumerate([(60, 16), (56, 16), (52, 16), (60, 12), (56, 12), (60, 8)]):
                c.rect(x, y, x + 2, y + 2, SHADOW)
                c.set(x + 1, y + 1, WHITE)
    return strip(3, draw, 68, 21)


def header():
    def draw(c, i):
        # 1 normal, 2 hover, 3 pressed, 4 disabled.
        top, bottom = [(WHITE, FACE), ((246, 250, 255), (226, 236, 250)),
                       ((214, 222, 234), (226, 232, 242)), (FACE, FACE)][i]
        c.vgrad(0, 0, 25, 18, top, bottom)
        c.hline(0, 25, 17, LINE)
        c.vline(24, 3, 15, LINE_SOFT)
        c.set(0, 0, MAGENTA)
    return strip(4, draw, 25, 18)


def scroll_arrows():
    glyphs = [SMALL_UP, SMALL_DOWN, SMALL_LEFT, SMALL_RIGHT]

    def draw(c, i):
        # Up, down, left, right, each normal, hover, pressed, disabled; then the
        # plain button in the same four looks, the track corner, the size grip
        # and an empty cell.
        c.rect(0, 0, 17, 17, FACE)
        if i < 20:
            group, look = divmod(i, 4)
            fill = [FACE, (226, 230, 236), (200, 206, 216), FACE][look]
            ink = [DK_SHADOW, TEXT, TEXT, LINE_SOFT][look]
            c.rect(1, 1, 16, 16, fill)
            if look in (1, 2):
                c.outline(1, 1, 16, 16, LINE_SOFT)
                c.round_corners(1, 1, 16, 16, 2, outside=FACE)
            if group < 4:
                g = glyphs[group]
                c.mask((17 - len(g[0])) // 2, (17 - len(g)) // 2, g, ink)
        elif i == 21:
            for (x, y) in [(12, 12), (8, 12), (4, 12), (12, 8), (8, 8), (12, 4)]:
                c.rect(x, y, x + 2, y + 2, SHADOW)
    return strip(23, draw, 17, 17)


def scroll_thumb(w, h, horizontal):
    def draw(c, i):
        # 1 normal, 2 hover, 3 pressed, 4 disabled.
        fill = [(196, 202, 212), (168, 176, 190), (132, 142, 158), (222, 226, 232)][i]
        c.rect(0, 0, w, h, FACE)
        if horizontal:
            c.rect(1, 4, w - 1, h - 4, fill)
            c.round_corners(1, 4, w - 1, h - 4, 4, outside=FACE)
        else:
            c.rect(4, 1, w - 4, h - 1, fill)
            c.round_corners(4, 1, w - 4, h - 1, 4, outside=FACE)
    return strip(4, draw, w, h)


def scroll_bar(horizontal):
    def draw(c, i):
        # 1 normal, 2 hover, 3 pressed, 4 disabled.
        c.rect(0, 0, 17, 17, [FACE, (234, 237, 241), (222, 226, 232), FACE][i])
        if horizontal:
            c.hline(0, 17, 0, (230, 233, 237))
            c.hline(0, 17, 16, (230, 233, 237))
        else:
            c.vline(0, 0, 17, (230, 233, 237))
            c.vline(16, 0, 17, (230, 233, 237))
    return strip(4, draw, 17, 17)


def menu_background():
    c = Canvas(20, 20, WHITE)
    c.outline(0, 0, 20, 20, LINE)
    c.rect(1, 1, 4, 19, (248, 249, 251))
    return c


def menu_item():
    def draw(c, i):
        # 1 normal (see-through), 2 separator, 3 disabled, 4 selected, 5 selected disabled.
        # A separator item is cut from the bottom of frame 2, as high as the
        # item (8 pixels): the line lies in its fourth row. The selected frame
        # carries the highlight colour, under the white highlight text.
        if i == 1:
            c.hline(2, 18, 13, LINE_SOFT)
        elif i in (3, 4):
            c.rect(0, 0, 20, 18, ACCENT if i == 3 else FACE_DARK)
            c.outline(0, 0, 20, 18, ACCENT_DARK if i == 3 else LINE_SOFT)
            c.round_corners(0, 0, 20, 18, 3, edge=ACCENT_DARK if i == 3 else LINE_SOFT)
    return strip(5, draw, 20, 18)


def extra_images():
    def draw(c, i):
        # The combo arrow, in the combo box's order: normal, pressed, disabled,
        # hover, focused.
        ink = [TEXT, ACCENT_DARK, GREY_TEXT, ACCENT_DARK, ACCENT][i]
        c.mask(4, 6, CHEVRON_DOWN[:4], ink)
    return strip(5, draw, 16, 17)


def track_thumb(pointing_down):
    def draw(c, i):
        # 1 normal, 2 in use, 3 hover, 4 pressed, 5 disabled.
        fill = [WHITE, WHITE, (236, 244, 255), ACCENT_LIGHT, FACE][i]
        ring = [LINE, ACCENT, ACCENT, ACCENT_DARK, LINE_SOFT][i]
        body = 15 if pointing_down else 21
        c.rect(0, 0, 11, body, fill)
        c.outline(0, 0, 11, body, ring)
        c.round_corners(0, 0, 11, body, 2, edge=ring)
        if pointing_down:
            for k in range(6):
                c.hline(k, 11 - k, body - 1 + k, MAGENTA)
                c.set(k, body - 1 + k, ring)
                c.set(10 - k, body - 1 + k, ring)
                c.hline(k + 1, 10 - k, body - 1 + k, fill)
        else:
            c.hline(3, 8, 10, ring if i != 4 else LINE_SOFT)
    return strip(5, draw, 11, 21)


def mdi_buttons():
    glyphs = [["#######", "#######"], ["  #####", "  #   #", "##### #", "#   ###", "#   #  ", "#####  "],
              ["#     #", " #   # ", "  # #  ", "   #   ", "  # #  ", " #   # ", "#     #"]]

    def draw(c, i):
        button, look = divmod(i, 4)
        # Minimize, restore, close; each normal, pressed, hover, disabled.
        fill = [FACE, (200, 206, 216), (226, 232, 242), FACE][look]
        if button == 2 and look in (1, 2):
            fill = [None, CLOSE_RED_DARK, CLOSE_RED][look]
        ink = WHITE if button == 2 and look in (1, 2) else ([TEXT, TEXT, TEXT, LINE_SOFT][look])
        c.rect(0, 0, 13, 13, fill)
        c.round_corners(0, 0, 13, 13, 2)
        g = glyphs[button]
        c.mask(3, (13 - len(g)) // 2 + (3 if button == 0 else 0), g, ink)
    return strip(12, draw, 13, 13)


def spin(vertical):
    def draw(c, i):
        # First half (up or left) 1-4, second half 5-8: normal, pressed, disabled, hover.
        look = i % 4
        fill = [FACE, (204, 214, 230), FACE, (232, 241, 253)][look]
        border = [LINE_SOFT, ACCENT_DARK, LINE_SOFT, ACCENT_SOFT][look]
        c.rect(0, 0, 15, 16, fill)
        c.outline(0, 0, 15, 16, border)
    return strip(8, draw, 15, 16)


def spin_arrows(vertical):
    if vertical:
        glyphs, w, h = [SMALL_UP[:3], SMALL_DOWN[1:]], 7, 6
    else:
        glyphs, w, h = [SMALL_LEFT, SMALL_RIGHT], 6, 7

    def draw(c, i):
        half, look = divmod(i, 4)
        ink = [TEXT, ACCENT_DARK, LINE, ACCENT_DARK][look]
        g = glyphs[half]
        c.mask((w - len(g[0])) // 2, (h - len(g)) // 2, [r.replace('+', '#') for r in g], ink)
    return strip(8, draw, w, h)


INI = """; Velotune's own skin.
[TitlebarSkin]
SkinName=Velotune
SkinAuthor=Velotune

[Skins]
Version=200

[Personality]
Left=FrameLeft.bmp
Right=FrameRight.bmp
Top=FrameTop.bmp
Bottom=FrameBottom.bmp
LeftFrame=2
LeftStretch=1
LeftTrans=1
LeftTopHeight=31
LeftBotHeight=5
RightFrame=2
RightStretch=1
RightTrans=1
RightTopHeight=31
RightBotHeight=5
TopFrame=2
TopStretch=1
TopTrans=1
TopTopHeight=32
TopBotHeight=32
BottomFrame=2
BottomStretch=1
BottomTrans=0
BottomTopHeight=32
BottomBotHeight=32
TextShift=28
TextShiftVert=2
TextRightClip=20

[MinCaption]
Image=MinCaption.bmp
TopHeight=10
BottomHeight=8
LeftWidth=28
RightWidth=28
Tile=0
Trans=0
Frame=2

[Button0]
ButtonImage=CloseButton.bmp
Align=1
Xcoord=40
Ycoord=5
Action=0
Visibility=0

[Button1]
ButtonImage=MaxButton.bmp
Align=1
Xcoord=69
Ycoord=5
Action=1
Visibility=2
Visibility1=6

[Button2]
ButtonImage=MinButton.bmp
Align=1
Xcoord=95
Ycoord=5
Action=2
Visibility=8

[Button3]
ButtonImage=RestroreButton.bmp
Align=1
Xcoord=59
Ycoord=5
Action=1
Visibility=1

[Button4]
Align=0
Xcoord=8
Ycoord=7
Action=3
Visibility=0

[MDICONTROLS]
Image=Mdibutton.bmp

[Buttons]
Bitmap=Buttons.bmp
TopHeight=4
BottomHeight=4
LeftWidth=5
RightWidth=5
Trans=1
CheckButton=Checkbox.bmp
CheckButtonFrame=12
RadioButton=RadioButton.bmp
RadioButtonFrame=8

[Progress]
Bitmap=Progress.bmp
TopHeight=3
BottomHeight=3
LeftWidth=3
RightWidth=3
Trans=0
Tile=0
Style=1

[Progress.Chunk]
Image=ProgressChunk.bmp
TopHeight=2
BottomHeight=2
LeftWidth=2
RightWidth=2
Trans=1
Tile=0
Style=1

[Tabs]
Image=Tab.bmp
TopHeight=3
BottomHeight=0
LeftWidth=4
RightWidth=5
Trans=0
Tile=0
Style=1

[Tab.Pane]
Image=TabSheet.bmp
TopHeight=2
BottomHeight=4
LeftWidth=2
RightWidth=4
Trans=0
Tile=0
Style=1

[ComboButton]
Image=ComboboxBtn.bmp
Trans=0
Style=1

[StatusBarEdges]
Image=StatusBar.bmp
TopHeight=5
BottomHeight=9
LeftWidth=50
RightWidth=17
Tile=1

[Headerbar]
Image=Header.bmp
TopHeight=3
BottomHeight=3
LeftWidth=1
RightWidth=2
Tile=0
Trans=1
frame=4

[Scrollbar]
Image=ScrollbarArrow.bmp

[HorzScrollThumb]
Image=ScrollbarHThumb.bmp
TopHeight=5
BottomHeight=5
LeftWidth=5
RightWidth=5
FrameCount=4

[VertScrollThumb]
Image=ScrollbarVThumb.bmp
TopHeight=5
BottomHeight=5
LeftWidth=5
RightWidth=5
FrameCount=4

[HorzScroll]
Image=ScrollbarHBar.bmp
TopHeight=1
BottomHeight=1
LeftWidth=0
RightWidth=0
Tile=0

[VertScroll]
Image=ScrollbarVBar.bmp
TopHeight=0
BottomHeight=0
LeftWidth=1
RightWidth=1
Tile=0

[MenuBackground]
Image=MenuBackground.bmp
TopHeight=5
BottomHeight=5
LeftWidth=5
RightWidth=5

[MenuItem]
Image=MenuItem.bmp
TopHeight=3
BottomHeight=3
LeftWidth=2
RightWidth=2
Frame=5
Trans=1

[ExtraImages]
Image=ExtraImages.bmp

[Trackbar.ThumbHorz]
Image=TrackThumbH.bmp

[Trackbar.ThumbDown]
Image=TrackBot.bmp

[UpDown.Vert]
Image=Spin.bmp
GlyphImage=SpinArrow.bmp

[UpDown.Horz]
Image=Spinh.bmp
GlyphImage=SpinhArrow.bmp

[Colours]
ButtonFace=240 242 245
TitleTextActive=255 255 255
TitleTextNoActive=225 229 236
ButtonHilight=255 255 255
ButtonShadow=160 168 180
ButtonDkShadow=96 104 118
Buttonlight=248 249 251
Menubar=240 242 245
Menu=255 255 255
MenuText=30 36 48
MenuBarText=30 36 48
Hilight=47 128 237
HilightText=255 255 255
"""

# name: (drawing, bits)
BITMAPS = {
    'Buttons.bmp': (push_button, 24),
    'Checkbox.bmp': (check_box, 24),
    'RadioButton.bmp': (radio_button, 24),
    'Progress.bmp': (progress_trough, 24),
    'ProgressChunk.bmp': (progress_chunk, 24),
    'Tab.bmp': (tabs, 24),
    'TabSheet.bmp': (tab_sheet, 24),
    'ComboboxBtn.bmp': (combo_button, 24),
    'StatusBar.bmp': (status_bar, 24),
    'Header.bmp': (header, 24),
    'ScrollbarArrow.bmp': (scroll_arrows, 32),
    'ScrollbarHThumb.bmp': (lambda: scroll_thumb(22, 17, True), 24),
    'ScrollbarVThumb.bmp': (lambda: scroll_thumb(17, 22, False), 24),
    'ScrollbarHBar.bmp': (lambda: scroll_bar(True), 24),
    'ScrollbarVBar.bmp': (lambda: scroll_bar(False), 24),
    'MenuBackground.bmp': (menu_background, 32),
    'MenuItem.bmp': (menu_item, 32),
    'ExtraImages.bmp': (extra_images, 24),
    'TrackThumbH.bmp': (lambda: track_thumb(False), 24),
    'TrackBot.bmp': (lambda: track_thumb(True), 24),
    'Mdibutton.bmp': (mdi_buttons, 24),
    'Spin.bmp': (lambda: spin(True), 24),
    'SpinArrow.bmp': (lambda: spin_arrows(True), 8),
    'Spinh.bmp': (lambda: spin(False), 24),
    'SpinhArrow.bmp': (lambda: spin_arrows(False), 8),
    'CloseButton.bmp': (lambda: caption_button('close'), 24),
    'MaxButton.bmp': (lambda: caption_button('max'), 24),
    'MinButton.bmp': (lambda: caption_button('min'), 24),
    'RestroreButton.bmp': (lambda: caption_button('restore'), 24),
    'FrameLeft.bmp': (lambda: frame_side(True), 24),
    'FrameRight.bmp': (lambda: frame_side(False), 24),
    'FrameTop.bmp': (frame_top, 24),
    'FrameBottom.bmp': (frame_bottom, 24),
    'MinCaption.bmp': (min_caption, 24),
}


def main():
    global SCALE
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'assets', 'skin')
    # The 96-DPI set, then the same pictures at twice the size in 2x/, with
    # the same INI: its measures are those of the 96-DPI set, and the program
    # doubles them with the pictures.
    for scale, folder in ((1, out), (2, os.path.join(out, '2x'))):
        SCALE = scale
        os.makedirs(folder, exist_ok=True)
        for name, (draw, bits) in BITMAPS.items():
            write_bmp(os.path.join(folder, name), draw(), bits)
        with open(os.path.join(folder, 'Velotune.ini'), 'w', newline='\r\n') as f:
            f.write(INI)
        print('%d bitmaps and Velotune.ini written to %s' % (len(BITMAPS), os.path.normpath(folder)))


if __name__ == '__main__':
    main()
