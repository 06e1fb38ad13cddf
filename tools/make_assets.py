#!/usr/bin/env python3
"""Draws every picture Morvane ships and writes them as 24-bit BMP files.

Usage: /usr/bin/python3 tools/make_assets.py [ASSETS_DIR] [--icon PATH]
       /usr/bin/python3 tools/make_assets.py --app-icons DIR   (only the desktop icons)

The game composes each screen in software from these pictures, copying most
of them "keyed": a source pixel that is exactly (0, 0, 0) is skipped. So

  * pure black is only ever used where a picture must be see-through;
  * anything drawn over an unknown background gets a hard (thresholded)
    outer edge in a dark, non-black outline colour, so no half-dark fringe
    is left behind when the black around it is dropped;
  * the frame has no pure black pixel at all, because every play-screen
    redraw starts by copying the frame keyed, and only a frame without black
    fully wipes the previous letter, marks and captions.

Everything is drawn at SS times the final size and box-filtered down, which
gives smooth shapes without depending on any renderer's own anti-aliasing.
The output is byte-for-byte reproducible: no clocks, no unseeded randomness,
and the BMP/ICO files are written by hand with fixed header values.
"""

import argparse
import math
import os
import random
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SS = 4  # supersampling factor

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
COND = os.path.join(FONT_DIR, "DejaVuSansCondensed-Bold.ttf")

# --- The palette -------------------------------------------------------------
# A small fixed set; gradients only ever run between two of these.
INK = (22, 26, 56)  # every outline: dark, but never the transparent key
NIGHT = (28, 38, 88)  # screen background
NIGHT_HI = (40, 54, 118)  # background pattern / cards
DEEP = (16, 20, 48)  # troughs and the digit window
RIM = (78, 100, 190)  # thin borders on the dark parts
PAPER = (252, 246, 230)  # the letter panel
PAPER_SHADE = (222, 208, 182)
WHITE = (255, 255, 255)
SKY = (96, 178, 246)
BLUE = (44, 100, 220)
TEAL = (36, 196, 176)
GREEN = (104, 210, 92)
YELLOW = (255, 210, 70)
ORANGE = (255, 142, 48)
RED = (226, 52, 70)
PINK = (255, 118, 156)
PURPLE = (132, 88, 220)

KEY = (0, 0, 0)  # the transparent colour of every keyed copy


# --- Small helpers -----------------------------------------------------------


def mix(a, b, t):
    """Colour between a (t=0) and b (t=1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


_font_cache = {}


def font(path, px):
    """The font at px pixels (final-size pixels, scaled for supersampling)."""
    key = (path, px)
    if key not in _font_cache:
        # The basic layout engine keeps the result independent of whether
        # the optional shaping library happens to be installed.
        _font_cache[key] = ImageFont.truetype(path, int(round(px * SS)), layout_engine=ImageFont.Layout.BASIC)
    return _font_cache[key]


class Canvas:
    """An RGBA drawing surface at SS times the final size.

    All coordinates given to its methods are in final pixels (floats are fine);
    boxes are (x0, y0, x1, y1) with x1/y1 exclusive, like pixel edges.
    """

    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        fill = bg + (255,) if bg else (0, 0, 0, 0)
        self.im = Image.new("RGBA", (w * SS, h * SS), fill)

    # masks ----------------------------------------------------------------
    def blank(self):
        return Image.new("L", self.im.size, 0)

    @staticmethod
    def _box(box):
        x0, y0, x1, y1 = box
        return [round(x0 * SS), round(y0 * SS), round(x1 * SS) - 1, round(y1 * SS) - 1]

    def rrect_mask(self, box, r):
        m = self.blank()
        ImageDraw.Draw(m).rounded_rectangle(self._box(box), radius=round(r * SS), fill=255)
        return m

    def ellipse_mask(self, box):
        m = self.blank()
        ImageDraw.Draw(m).ellipse(self._box(box), fill=255)
        return m

    def poly_mask(self, pts):
        m = self.blank()
        ImageDraw.Draw(m).polygon([(x * SS, y * SS) for x, y in pts], fill=255)
        return m

    def text_masks(self, xy, text, px, path=BOLD, stroke=0.0, align="center"):
        """(outline mask, fill mask) for text.

        Horizontally the ink is centred on x (or starts at x for align="left");
        vertically the capital height is centred on y, so words with and
        without descenders share a baseline.
        """
        f = font(path, px)
        sw = round(stroke * SS)
        probe = Image.new("L", (1, 1))
        d = ImageDraw.Draw(probe)
        x0, _, x1, _ = d.textbbox((0, 0), text, font=f, anchor="ls")
        _, cy0, _, cy1 = d.textbbox((0, 0), "H", font=f, anchor="ls")
        x, y = xy
        if align == "center":
            ox = x * SS - (x0 + x1) / 2
        else:
            ox = x * SS - x0
        oy = y * SS - (cy0 + cy1) / 2
        fill = self.blank()
        ImageDraw.Draw(fill).text((ox, oy), text, font=f, fill=255, anchor="ls")
        if sw <= 0:
            return None, fill
        out = self.blank()
        ImageDraw.Draw(out).text((ox, oy), text, font=f, fill=255, anchor="ls", stroke_width=sw, stroke_fill=255)
        return out, fill

    # painting -------------------------------------------------------------
    def paint(self, mask, paint, opacity=1.0):
        """Composites paint (a colour or a full-size RGB(A) image) through mask."""
        if isinstance(paint, tuple):
            layer = Image.new("RGBA", self.im.size, paint[:3] + (255,))
        else:
            layer = paint.convert("RGBA")
        if opacity < 1.0:
            mask = mask.point(lambda v: int(v * opacity))
        layer.putalpha(mask)
        self.im.alpha_composite(layer)

    def vgrad(self, top, bottom, y0, y1):
        """A full-size image running from colour top at y0 to bottom at y1."""
        hh = self.h * SS
        col = Image.new("RGB", (1, hh))
        a, b = y0 * SS, y1 * SS
        for yy in range(hh):
            t = 0.0 if yy <= a else 1.0 if yy >= b else (yy - a) / (b - a)
            col.putpixel((0, yy), mix(top, bottom, t))
        return col.resize(self.im.size, Image.NEAREST)

    def hgrad(self, stops, x0, x1):
        """A full-size image through colour stops spread evenly from x0 to x1."""
        ww = self.w * SS
        row = Image.new("RGB", (ww, 1))
        a, b = x0 * SS, x1 * SS
        n = len(stops) - 1
        for xx in range(ww):
            t = 0.0 if xx <= a else 1.0 if xx >= b else (xx - a) / (b - a)
            i = min(int(t * n), n - 1)
            row.putpixel((xx, 0), mix(stops[i], stops[i + 1], t * n - i))
        return row.resize(self.im.size, Image.NEAREST)

    def rrect(self, box, r, paint, outline=None, width=0):
        if outline is not None and width > 0:
            self.paint(self.rrect_mask(box, r), outline)
            x0, y0, x1, y1 = box
            box = (x0 + width, y0 + width, x1 - width, y1 - width)
            r = max(r - width, 0)
        self.paint(self.rrect_mask(box, r), paint)

    def text(self, xy, text, px, paint, path=BOLD, stroke=0.0, outline=INK, align="center"):
        out, fill = self.text_masks(xy, text, px, path, stroke, align)
        if out is not None:
            self.paint(out, outline)
        self.paint(fill, paint)

    # finishing ------------------------------------------------------------
    def _small(self):
        # Pillow premultiplies alpha while resampling RGBA, so edge colours
        # come out true rather than darkened towards the transparent black.
        return self.im.resize((self.w, self.h), Image.BOX)

    def opaque(self):
        """Final picture for an opaque copy; the canvas must be fully covered."""
        small = self._small()
        return small.convert("RGB")

    def keyed(self, threshold=128):
        """Final picture for a keyed copy, edge hardened against any background.

        A pixel that is mostly covered keeps its colour, anything else becomes
        the key. Content colours are never pure black, so nothing inside a
        shape turns transparent by accident.
        """
        return self._keyed(threshold, lambda rgb, a: rgb)

    def keyed_on(self, ground, threshold=8):
        """Final picture for a keyed copy onto a known flat colour.

        The letters only ever land on the letter panel's paper, so their edges
        can be blended against that paper for a perfectly smooth outline.
        """
        return self._keyed(threshold, lambda rgb, a: mix(ground, rgb, a / 255.0))

    def _keyed(self, threshold, colour_of):
        """Pixels covered at least `threshold` get colour_of(rgb, alpha); the rest
        become the key. A colour that comes out as the key is nudged off it."""
        small = self._small()
        out = Image.new("RGB", small.size, KEY)
        px_in, px_out = small.load(), out.load()
        for y in range(small.height):
            for x in range(small.width):
                r, g, b, a = px_in[x, y]
                if a >= threshold:
                    c = colour_of((r, g, b), a)
                    px_out[x, y] = c if c != KEY else (1, 1, 1)
        return out


def paste_region(sheet, part, x, y):
    """Places a finished keyed picture into the sprite sheet."""
    sheet.paste(part, (x, y))


# --- File writers ------------------------------------------------------------


def bmp_bytes(im):
    """A 24-bit, uncompressed, bottom-up BMP with fixed header values."""
    im = im.convert("RGB")
    w, h = im.size
    row_bytes = (w * 3 + 3) & ~3
    image_size = row_bytes * h
    header = struct.pack("<2sIHHI", b"BM", 54 + image_size, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, image_size, 2835, 2835, 0, 0)
    px = im.load()
    rows = []
    pad = b"\0" * (row_bytes - w * 3)
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = px[x, y]
            row += bytes((b, g, r))
        rows.append(bytes(row) + pad)
    return header + info + b"".join(rows)


def ico_image_bytes(rgba, palette):
    """One 4-bit icon image: BITMAPINFOHEADER (height doubled), palette, XOR, AND."""
    w, h = rgba.size
    xor_row = ((w * 4 + 31) // 32) * 4
    and_row = ((w + 31) // 32) * 4
    px = rgba.load()
    xor = bytearray()
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        nibbles = []
        bits = []
        for x in range(w):
            r, g, b, a = px[x, y]
            if a < 128:
                nibbles.append(0)
                bits.append(1)
            else:
                nibbles.append(nearest(palette, (r, g, b)))
                bits.append(0)
        row = bytearray()
        for i in range(0, w, 2):
            row.append((nibbles[i] << 4) | (nibbles[i + 1] if i + 1 < w else 0))
        row += b"\0" * (xor_row - len(row))
        xor += row
        mrow = bytearray()
        for i in range(0, w, 8):
            byte = 0
            for k in range(8):
                if i + k < w and bits[i + k]:
                    byte |= 0x80 >> k
            mrow.append(byte)
        mrow += b"\0" * (and_row - len(mrow))
        andm += mrow
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 16, 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return info + pal + bytes(xor) + bytes(andm)


def ico_bytes(images, palette):
    """An ICO file holding the given RGBA images, all 16-colour."""
    blobs = [ico_image_bytes(im, palette) for im in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        w, h = im.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def nearest(palette, c):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        d = sum((p[k] - c[k]) ** 2 for k in range(3))
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


# --- Shared pieces -----------------------------------------------------------


def fit_px(text, px, max_w, path=BOLD, stroke=0.0):
    """The largest size not above px at which text (with outline) fits max_w."""
    while px > 8:
        f = font(path, px)
        probe = ImageDraw.Draw(Image.new("L", (1, 1)))
        x0, _, x1, _ = probe.textbbox((0, 0), text, font=f, anchor="ls", stroke_width=round(stroke * SS))
        if (x1 - x0) / SS <= max_w:
            return px
        px -= 0.5
    return px


def keycap(c, box, face, side, label=None, label_px=0, label_paint=WHITE, r=5, label_stroke=None):
    """A chunky keyboard key: outline, darker lower lip, lighter face."""
    x0, y0, x1, y1 = box
    lip = max(2, (y1 - y0) // 8)
    c.rrect(box, r, side, outline=INK, width=2)
    c.rrect((x0 + 2, y0 + 2, x1 - 2, y1 - 2 - lip), max(r - 2, 1), c.vgrad(mix(face, WHITE, 0.25), face, y0, y1))
    if label:
        stroke = max(1, label_px / 12) if label_stroke is None else label_stroke
        c.text(((x0 + x1) / 2, (y0 + y1 - lip) / 2), label, label_px, label_paint, stroke=stroke)


def star_points(cx, cy, r_out, r_in, n=5, turn=-90):

    pts = []
    for i in range(n * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(turn + i * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


# --- The pictures ------------------------------------------------------------

# Screen positions the game draws at; the frame is laid out around them.
LETTER_AT = (88, 16)
LETTER_SIZE = (144, 160)
TIME_AT, TIME_W = (32, 184), 256
GAUGE_AT, GAUGE_W = (32, 200), 128
BAR_H = 16
MISS_DIGITS_AT = (260, 64)  # three 16x24 digits

PANEL_BOX = (72, 8, 248, 182)  # outer edge of the letter panel's rim
PAPER_BOX = tuple(v + d for v, d in zip(PANEL_BOX, (6, 6, -6, -6)))  # the flat paper inside the rim

# The result screen is drawn over this same frame: the misses and rank
# captions come in from the left at (0,96) and (0,144), the three result
# digits land at (192,100) and the rank stamp at (160,120). The panel is wide
# enough that the digits and the stamp's seal sit on its flat paper, clear of
# its rim and of the dashboard below.
RESULT_DIGITS_AT = (192, 100)
STAMP_AT = (160, 120)
# The seal inside the stamp's 80x80 cell: below the result digits' row,
# above the paper's lower edge, right-aligned with the digits.
SEAL_BOX = (26, 5, 78, 53)

# the two side cards, mirror images of each other about the panel
# (the miss digits at (260,64) sit in the right card's well)
HINT_CARD = (7, 32, 65, 90)
MISS_CARD = (255, 32, 313, 90)
CARD_WELL_Y = 61


def make_frame():
    c = Canvas(320, 240, NIGHT)
    c.paint(c.blank().point(lambda v: 255), c.vgrad(NIGHT_HI, NIGHT, 0, 240), 0.55)
    # a quiet dot grid so the background is not a dead flat fill
    dots = c.blank()
    d = ImageDraw.Draw(dots)
    for y in range(6, 240, 12):
        for x in range(6 + (y // 12 % 2) * 6, 320, 12):
            d.ellipse([(x - 1) * SS, (y - 1) * SS, (x + 1) * SS - 1, (y + 1) * SS - 1], fill=255)
    c.paint(dots, NIGHT_HI, 0.9)

    # letter panel: shadow, yellow rim, paper; the paper is one flat colour
    # because the letters' edges are blended against exactly that colour
    x0, y0, x1, y1 = PANEL_BOX
    c.paint(c.rrect_mask((x0 + 4, y0 + 4, x1 + 4, y1 + 4), 14), DEEP, 0.8)
    c.rrect(PANEL_BOX, 14, PAPER, outline=INK, width=2)
    c.paint(c.rrect_mask((x0 + 2, y0 + 2, x1 - 2, y1 - 2), 12), YELLOW)
    c.paint(c.rrect_mask((x0 + 5, y0 + 5, x1 - 5, y1 - 5), 9), INK)
    c.paint(c.rrect_mask(PAPER_BOX, 8), PAPER)

    # two small cards either side of the panel, mirror images of each other:
    # a label on top, a dark well below. Left: what to do, pointing at the
    # letter; right: the miss counter, whose digits sit in the well.
    for card in (HINT_CARD, MISS_CARD):
        cx0, cy0, cx1, cy1 = card
        c.rrect(card, 7, NIGHT_HI, outline=RIM, width=1)
        # the well: square at the top, rounded with the card at the bottom
        well = ImageChops.lighter(
            c.rrect_mask((cx0 + 1, CARD_WELL_Y, cx1 - 1, cy1 - 1), 6),
            c.rrect_mask((cx0 + 1, CARD_WELL_Y, cx1 - 1, CARD_WELL_Y + 8), 0),
        )
        c.paint(well, DEEP)
        c.paint(c.rrect_mask((cx0 + 1, CARD_WELL_Y, cx1 - 1, CARD_WELL_Y + 1), 0), RIM)

    hx0, hy0, hx1, hy1 = HINT_CARD
    hc = (hx0 + hx1) / 2
    c.text((hc, hy0 + 9), "SEE IT,", 10, WHITE, path=COND)
    c.text((hc, hy0 + 21), "PRESS IT!", 10, YELLOW, path=COND)
    ay = (CARD_WELL_Y + 1 + hy1 - 1) / 2
    # a right-pointing arrow: shaft (x0..neck, half height t), head (neck..tip, half height hh)
    for x0, neck, tip, t, hh, paint in ((-12, 1, 12, 4, 9, INK), (-10.5, 2.5, 9.8, 2.5, 5.8, YELLOW)):
        pts = [(x0, -t), (neck, -t), (neck, -hh), (tip, 0), (neck, hh), (neck, t), (x0, t)]
        c.paint(c.poly_mask([(hc + x, ay + y) for x, y in pts]), paint)

    mx0, my0, mx1, my1 = MISS_CARD
    c.text(((mx0 + mx1) / 2, (my0 + CARD_WELL_Y) / 2), "MISS", 12, PINK, stroke=1.5)

    # dashboard: labels left of the bars, dark troughs where the bars go
    c.rrect((2, 180, 318, 219), 7, DEEP, outline=RIM, width=1)
    tx, ty = TIME_AT
    gx, gy = GAUGE_AT
    c.text((17, ty + 8), "TIME", fit_px("TIME", 10.5, 27, COND), YELLOW, path=COND)
    c.text((17, gy + 8), "LIFE", fit_px("LIFE", 10.5, 27, COND), TEAL, path=COND)
    c.paint(c.rrect_mask((tx - 1, ty - 1, tx + TIME_W + 1, ty + BAR_H + 1), 2), RIM)
    c.paint(c.rrect_mask((gx - 1, gy - 1, gx + GAUGE_W + 1, gy + BAR_H + 1), 2), RIM)
    c.paint(c.rrect_mask((tx, ty, tx + TIME_W, ty + BAR_H), 1), NIGHT)
    c.paint(c.rrect_mask((gx, gy, gx + GAUGE_W, gy + BAR_H), 1), NIGHT)
    ticks = c.blank()
    d = ImageDraw.Draw(ticks)
    for x in range(tx + 16, tx + TIME_W, 16):
        d.rectangle([x * SS, (ty + 3) * SS, (x + 1) * SS - 1, (ty + BAR_H - 3) * SS - 1], fill=255)
    for x in range(gx + 16, gx + GAUGE_W, 16):
        d.rectangle([x * SS, (gy + 3) * SS, (x + 1) * SS - 1, (gy + BAR_H - 3) * SS - 1], fill=255)
    c.paint(ticks, NIGHT_HI)
    c.text((160, 229), "PRESS THE KEY YOU SEE", 10, SKY, path=COND)

    im = c.opaque()
    assert KEY not in set(im.getdata()), "the frame must not contain the key colour"
    return im


def make_tab(text, fill, px):
    """A result caption: a tab that comes in from the screen's left edge and
    points right, at the value drawn beside it; its text is right-aligned."""
    w, h = 160, 32
    c = Canvas(w, h)
    y0, y1 = 3, 29
    mid = (y0 + y1) / 2
    tip = 152  # the point
    neck = tip - (y1 - y0) / 2  # where the point starts
    top, bottom = mix(fill, WHITE, 0.3), fill
    out = c.poly_mask([(4, y0), (neck, y0), (tip, mid), (neck, y1), (4, y1)])
    c.paint(out, INK)
    k = 2
    body = [(4 + k, y0 + k), (neck - k * 0.4, y0 + k), (tip - k * 1.4, mid), (neck - k * 0.4, y1 - k), (4 + k, y1 - k)]
    c.paint(c.poly_mask(body), c.vgrad(top, bottom, y0 + k, y1 - k))
    c.paint(c.rrect_mask((4 + k + 2, y0 + k + 1, neck - 6, mid - 1), 4), WHITE, 0.22)
    stroke = max(1.5, px / 10)
    right = neck - 6
    size = fit_px(text, px, right - 20, BOLD, stroke)
    out, fill_m = c.text_masks((0, mid), text, size, BOLD, stroke, align="left")
    # right-align: measure the ink and shift it so it ends at 'right'
    bbox = out.getbbox()
    shift = round(right * SS) - bbox[2]
    out = ImageChops.offset(out, shift, 0)
    fill_m = ImageChops.offset(fill_m, shift, 0)
    c.paint(out, INK)
    c.paint(fill_m, WHITE)
    return c.keyed()


def plate_caption(w, h, text, fill, px, shape="pill", text_paint=WHITE, rim=INK, deco=None, stroke=None):
    """A caption on its own filled plate, so it reads over bars and panels."""
    c = Canvas(w, h)
    box = (2, 2, w - 2, h - 2)
    r = (h - 4) / 2
    top, bottom = mix(fill, WHITE, 0.3), fill
    if shape == "pill":
        c.rrect(box, r, c.vgrad(top, bottom, 4, h - 4), outline=rim, width=2)
        inner = (5, 5, w - 5, h / 2)
        c.paint(c.rrect_mask(inner, (h / 2 - 5) / 2), WHITE, 0.22)
    elif shape == "slant":
        s = h * 0.45
        c.paint(c.poly_mask([(2 + s, 2), (w - 2, 2), (w - 2 - s, h - 2), (2, h - 2)]), rim)
        k = 2.8
        c.paint(
            c.poly_mask([(2 + s + k, 2 + 2), (w - 2 - k * 0.6, 4), (w - 2 - s - k, h - 4), (2 + k * 0.6, h - 4)]),
            c.vgrad(top, bottom, 4, h - 4),
        )
    else:  # "box": a rounded card
        c.rrect(box, 8, c.vgrad(top, bottom, 4, h - 4), outline=rim, width=2)
    if deco:
        deco(c)
    if stroke is None:
        stroke = max(1.5, px / 10)
    c.text((w / 2, h / 2), text, fit_px(text, px, w - 34, BOLD, stroke), text_paint, stroke=stroke)
    return c.keyed()


def make_bar(w, stops):
    """A left-aligned bar strip: reads right at any width cut from the left."""
    h = BAR_H
    c = Canvas(w, h)
    body = c.hgrad(stops, 0, w)
    # square outer corners: the strip must be solid over all its rows and columns
    c.rrect((0, 0, w + 8, h), 0, INK)  # runs past the right edge: no end cap
    c.paint(c.rrect_mask((1, 1, w + 8, h - 1), 2), body)
    c.paint(c.rrect_mask((1, 1, w + 8, 6), 2), WHITE, 0.38)  # shine
    c.paint(c.rrect_mask((1, h - 4, w + 8, h - 1), 1), INK, 0.25)  # shade
    segs = c.blank()
    d = ImageDraw.Draw(segs)
    for x in range(8, w, 8):
        d.rectangle([x * SS, 2 * SS, x * SS + SS - 1, (h - 2) * SS - 1], fill=255)
    c.paint(segs, INK, 0.22)
    return c.keyed()


def sparkle(c, cx, cy, r, paint):
    c.paint(c.poly_mask(star_points(cx, cy, r + 1.6, r * 0.45 + 1.6, 4)), INK)
    c.paint(c.poly_mask(star_points(cx, cy, r, r * 0.45, 4)), paint)


def make_stamp(letter, rank):
    """A red seal stamp, slightly tilted like a real one pressed by hand.

    The seal fills only SEAL_BOX of its 80x80 cell: the cell's top rows lie
    under the result digits and its lower part over the dashboard, so the
    seal keeps to the panel's paper between them.
    """

    c = Canvas(80, 80)
    ink = RED
    x0, y0, x1, y1 = SEAL_BOX
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2

    def inset(k):
        return (x0 + k, y0 + k, x1 - k, y1 - k)

    r = 13
    c.paint(c.rrect_mask(SEAL_BOX, r), mix(ink, INK, 0.35))
    c.paint(c.rrect_mask(inset(1.5), r - 1.5), ink)
    c.paint(c.rrect_mask(inset(4.5), r - 4.5), YELLOW if rank == 0 else PAPER)
    c.paint(c.rrect_mask(inset(6.5), r - 6.5), ink)
    # the letter, tilted, in paper colour
    layer = Canvas(80, 80)
    layer.text((cx, cy + 1), letter, 31, PAPER)
    tilted = layer.im.rotate(12, resample=Image.BICUBIC, center=(cx * SS, cy * SS))
    c.im.alpha_composite(tilted)
    # worn-ink flecks; seeded, so every run draws the same ones
    rnd = random.Random(1000 + rank)
    flecks = c.blank()
    d = ImageDraw.Draw(flecks)
    lim = (x1 - x0) / 2 - 8
    for _ in range(20):
        x, y = rnd.uniform(x0 + 7, x1 - 7), rnd.uniform(y0 + 7, y1 - 7)
        if abs(x - cx) < lim and abs(y - cy) < lim:
            rr = rnd.uniform(0.5, 1.0) * SS
            d.ellipse([x * SS - rr, y * SS - rr, x * SS + rr, y * SS + rr], fill=255)
    c.paint(flecks, mix(ink, PAPER, 0.35), 0.8)
    return c.keyed()


def make_sprite():
    sheet = Image.new("RGB", (320, 368), KEY)

    def good_deco(c):
        sparkle(c, 22, 16, 7, YELLOW)
        sparkle(c, 138, 16, 7, YELLOW)

    def miss_deco(c):
        for cx in (28, 132):
            m = c.blank()
            d = ImageDraw.Draw(m)
            a = 5.5 * SS
            for sx in (-1, 1):
                d.line([(cx * SS - a, 16 * SS - sx * a), (cx * SS + a, 16 * SS + sx * a)], fill=255, width=int(5 * SS))
            c.paint(m, INK)
            m = c.blank()
            d = ImageDraw.Draw(m)
            for sx in (-1, 1):
                d.line([(cx * SS - a, 16 * SS - sx * a), (cx * SS + a, 16 * SS + sx * a)], fill=255, width=int(2.4 * SS))
            c.paint(m, WHITE)

    paste_region(sheet, plate_caption(160, 32, "GOOD!", GREEN, 20, "pill", deco=good_deco), 0, 0)
    paste_region(sheet, plate_caption(160, 32, "MISS", RED, 20, "slant", deco=miss_deco), 0, 32)
    paste_region(sheet, plate_caption(160, 32, "READY?", BLUE, 19, "pill"), 160, 0)
    paste_region(sheet, plate_caption(160, 32, "GO!", ORANGE, 23, "pill", deco=good_deco), 160, 32)

    # end banner: a band across the whole screen
    c = Canvas(320, 64)
    c.paint(c.rrect_mask((0, 6, 320, 58), 0), INK)
    c.paint(c.rrect_mask((0, 9, 320, 55), 0), c.vgrad(mix(RED, WHITE, 0.2), mix(RED, PURPLE, 0.5), 9, 55))
    c.paint(c.rrect_mask((0, 12, 320, 14), 0), YELLOW)
    c.paint(c.rrect_mask((0, 50, 320, 52), 0), YELLOW)
    c.text((160, 32), "GAME OVER", 30, WHITE, stroke=3)
    paste_region(sheet, c.keyed(), 0, 64)

    paste_region(sheet, plate_caption(160, 32, "QUIT GAME?", PAPER, 17, "box", text_paint=RED, stroke=0), 0, 128)
    paste_region(sheet, plate_caption(160, 32, "Y: YES / N: NO", PAPER, 15, "box", text_paint=BLUE, stroke=0), 160, 128)

    paste_region(sheet, make_bar(256, [RED, ORANGE, YELLOW, GREEN]), 0, 160)
    paste_region(sheet, make_bar(128, [PURPLE, SKY, TEAL]), 0, 176)

    # time-up banner: two stacked words on a bright card
    c = Canvas(160, 64)
    c.rrect((3, 3, 157, 61), 14, c.vgrad(mix(YELLOW, WHITE, 0.3), ORANGE, 6, 58), outline=INK, width=3)
    c.paint(c.rrect_mask((8, 7, 152, 24), 8), WHITE, 0.25)
    c.text((80, 32), "TIME UP!", fit_px("TIME UP!", 26, 130, BOLD, 2.5), WHITE, stroke=2.5)
    paste_region(sheet, c.keyed(), 0, 192)

    paste_region(sheet, make_tab("MISSES", PURPLE, 17), 0, 256)
    paste_region(sheet, make_tab("RANK", PURPLE, 17), 160, 256)

    for r, letter in enumerate("SABC"):
        paste_region(sheet, make_stamp(letter, r), 80 * r, 288)
    check_seal_placement()
    return sheet


def check_seal_placement():
    """The seal, where the stamp lands on screen, keeps a pixel of paper all
    round and stays below the result digits' cells."""
    sx, sy = STAMP_AT
    x0, y0, x1, y1 = SEAL_BOX
    px0, py0, px1, py1 = PAPER_BOX
    dx, dy = RESULT_DIGITS_AT
    assert px0 < sx + x0 and sx + x1 < px1 - 1 and py0 < sy + y0 and sy + y1 < py1 - 1, "seal off the paper"
    assert sy + y0 > dy + 24, "seal under the result digits"
    assert dx + 48 < px1 - 1, "result digits off the paper"


def make_digits():
    """Ten 16x24 figures, tall and narrow like a scoreboard's."""
    out = Image.new("RGB", (160, 24), KEY)
    for d in range(10):
        # drawn wider than the cell, then squeezed into it
        wide = Canvas(24, 24)
        wide.text((12, 12), str(d), 21, wide.vgrad(WHITE, YELLOW, 5, 19), stroke=2.4)
        cell = Canvas(16, 24)
        cell.im = wide.im.resize((16 * SS, 24 * SS), Image.BICUBIC)
        out.paste(cell.keyed(), (16 * d, 0))
    return out


def letter_px():
    """One size for every letter: the largest at which all of them fit."""
    w, h = LETTER_SIZE
    px = 140.0
    while True:
        f = font(COND, px)
        probe = ImageDraw.Draw(Image.new("L", (1, 1)))
        _, cy0, _, cy1 = probe.textbbox((0, 0), "H", font=f, anchor="ls")
        cap = (cy1 - cy0) / SS
        ok = True
        for ch in "ABCDEFGHIJKLMNOPQRSTUVWXYZ":
            x0, y0, x1, y1 = probe.textbbox((0, 0), ch, font=f, anchor="ls", stroke_width=round(4 * SS))
            if (x1 - x0) / SS > w - 12:
                ok = False
            # cap height is centred, so descenders must fit below the centre
            if cap / 2 + y1 / SS + 5 > h / 2:
                ok = False
        if ok:
            return px
        px -= 1


def make_letter(ch, px):
    w, h = LETTER_SIZE
    c = Canvas(w, h)
    cx, cy = w / 2, h / 2 - 6
    out, fill = c.text_masks((cx, cy), ch, px, COND, stroke=4)
    # soft drop shadow on the paper
    shadow = Image.new("L", out.size, 0)
    shadow.paste(out, (4 * SS, 5 * SS))
    c.paint(shadow, PAPER_SHADE)
    c.paint(out, INK)
    c.paint(fill, c.vgrad(mix(SKY, WHITE, 0.15), BLUE, cy - px * 0.36, cy + px * 0.36))
    # a glossy highlight across the top half of the letter
    hi = c.blank()
    ImageDraw.Draw(hi).rectangle([0, 0, w * SS, int((cy - px * 0.1) * SS)], fill=255)

    c.paint(ImageChops.multiply(hi, fill), WHITE, 0.18)
    return c.keyed_on(PAPER)


def make_logo():
    """The studio splash."""
    c = Canvas(320, 240, NIGHT)
    glow = c.blank()
    ImageDraw.Draw(glow).ellipse([40 * SS, -10 * SS, 280 * SS, 190 * SS], fill=255)

    glow = glow.filter(ImageFilter.GaussianBlur(28 * SS))
    c.paint(glow, mix(NIGHT_HI, BLUE, 0.45))
    # three keys in a row, the middle one raised
    keycap(c, (86, 56, 134, 104), PINK, mix(PINK, INK, 0.4), "M", 26)
    keycap(c, (136, 40, 184, 88), YELLOW, mix(ORANGE, INK, 0.3), "W", 26)
    keycap(c, (186, 56, 234, 104), TEAL, mix(TEAL, INK, 0.45), "K", 26)
    c.text((160, 140), "MORVANE WORKS", 22, WHITE, stroke=2.5)
    c.paint(c.rrect_mask((110, 158, 210, 160), 1), YELLOW)
    c.text((160, 174), "GAMES FOR NIMBLE FINGERS", 10, SKY, path=COND)
    im = c.opaque()
    # The game's row wipe never copies the top row, so that row of the screen
    # stays black; a one-pixel black border on all four sides makes it part
    # of a frame around the picture. (Black is fine here: the splash is
    # copied opaquely.)
    ImageDraw.Draw(im).rectangle([0, 0, im.width - 1, im.height - 1], outline=KEY)
    return im


def make_title():
    """The title card; black parts let the studio splash show through."""
    c = Canvas(320, 240)
    box = (10, 118, 310, 234)
    c.paint(c.rrect_mask((box[0] + 4, box[1] + 5, box[2] + 4, box[3] + 5), 16), DEEP)
    c.rrect(box, 16, YELLOW, outline=INK, width=3)
    c.paint(c.rrect_mask((box[0] + 3, box[1] + 8, box[2] - 3, box[3] - 3), 13), PAPER)

    out, fill = c.text_masks((160, 146), "Morvane", 40, BOLD, stroke=3.5)
    shadow = Image.new("L", out.size, 0)
    shadow.paste(out, (3 * SS, 3 * SS))
    c.paint(shadow, PAPER_SHADE)
    c.paint(out, INK)
    c.paint(fill, c.vgrad(mix(SKY, WHITE, 0.2), BLUE, 132, 162))
    c.text((160, 177), "Typing drill: press the key you see!", 11, INK, path=COND)

    keycap(c, (54, 191, 82, 222), YELLOW, mix(ORANGE, INK, 0.3), "F", 15, label_paint=INK, label_stroke=0)
    c.text((89, 205), "START", 15, BLUE, align="left")
    keycap(c, (188, 191, 216, 222), PINK, mix(PINK, INK, 0.4), "J", 15, label_paint=INK, label_stroke=0)
    c.text((223, 205), "QUIT", 15, RED, align="left")
    im = c.keyed()
    # keep the outermost rows and columns black, so the splash's black border
    # shows through all round
    assert all(im.getpixel((x, y)) == KEY for x in range(320) for y in (0, 239))
    assert all(im.getpixel((x, y)) == KEY for y in range(240) for x in (0, 319))
    return im


def make_icon(size):
    """The program icon: a keycap with the M on it, drawn large and scaled down."""
    big = 8
    c = Canvas(size * big, size * big)
    s = size * big
    c.rrect((0, 0, s, s), s * 0.2, INK)
    lip = s * 0.12
    c.rrect((s * 0.06, s * 0.06, s * 0.94, s * 0.94), s * 0.15, BLUE)
    c.rrect((s * 0.06, s * 0.06, s * 0.94, s * 0.94 - lip), s * 0.14, SKY)
    c.text((s / 2, (s - lip) / 2), "M", s * 0.58, WHITE, stroke=s * 0.05)
    return c.im.resize((size * SS, size * SS), Image.BOX).resize((size, size), Image.BOX)


# At 16x16 a scaled-down drawing turns to mush, so the small icon is placed
# pixel by pixel: the same key, darker face, white M.
ICON16 = [
    ".kkkkkkkkkkkkkk.",
    "kssssssssssssssk",
    "kbbbbbbbbbbbbbbk",
    "kbbwwbbbbbbwwbbk",
    "kbbwwwbbbbwwwbbk",
    "kbbwwwwbbwwwwbbk",
    "kbbwwbwwwwbwwbbk",
    "kbbwwbbwwbbwwbbk",
    "kbbwwbbbbbbwwbbk",
    "kbbwwbbbbbbwwbbk",
    "kbbwwbbbbbbwwbbk",
    "kbbbbbbbbbbbbbbk",
    "kddddddddddddddk",
    "kddddddddddddddk",
    ".kkkkkkkkkkkkkk.",
    "................",
]


def make_icon16():
    colours = {"k": INK, "s": SKY, "b": BLUE, "w": WHITE, "d": mix(BLUE, INK, 0.5)}
    im = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    for y, row in enumerate(ICON16):
        for x, ch in enumerate(row):
            if ch != ".":
                im.putpixel((x, y), colours[ch] + (255,))
    return im


# Sixteen colours for the icon: the palette's main colours plus greys.
ICON_PALETTE = [
    (0, 0, 0),
    INK,
    NIGHT,
    BLUE,
    SKY,
    mix(SKY, WHITE, 0.5),
    WHITE,
    (128, 128, 128),
    (192, 192, 192),
    mix(BLUE, INK, 0.5),
    mix(SKY, BLUE, 0.5),
    mix(SKY, INK, 0.5),
    YELLOW,
    RED,
    TEAL,
    PAPER,
]


def build_all():
    """Every picture by file name, plus the icon bytes."""
    files = {
        "frame.bmp": make_frame(),
        "sprite.bmp": make_sprite(),
        "vel.bmp": make_logo(),
        "title.bmp": make_title(),
        "fonts.bmp": make_digits(),
    }
    px = letter_px()
    for ch in "ABCDEFGHIJKLMNOPQRSTUVWXYZ":
        files[ch + ".bmp"] = make_letter(ch, px)
    icon = ico_bytes([make_icon(32), make_icon16()], ICON_PALETTE)
    return files, icon


# The desktop's icon theme sizes; 16 is the hand-placed icon, the rest the large drawing.
APP_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
APP_ICON_NAME = "io.github.morvane.Morvane.png"


def write_app_icons(root):
    """The program icon as PNGs in an icon theme's layout: root/NxN/apps/<id>.png."""
    for size in APP_ICON_SIZES:
        im = make_icon16() if size == 16 else make_icon(size)
        folder = os.path.join(root, f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        # No time stamp or other text chunk, so the files are the same on every run.
        im.save(os.path.join(folder, APP_ICON_NAME), optimize=True)
    print(f"wrote {len(APP_ICON_SIZES)} desktop icons to {root}")


def main(argv):
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(description="Draws Morvane's pictures and icon.")
    ap.add_argument("assets", nargs="?", default=os.path.join(repo, "assets"), help="output folder for the BMPs")
    ap.add_argument("--icon", default=os.path.join(repo, "app", "morvane.ico"), help="where to write the icon")
    ap.add_argument("--app-icons", metavar="DIR", help="write only the desktop icons, under DIR")
    args = ap.parse_args(argv)

    for path in (BOLD, COND):
        if not os.path.exists(path):
            sys.exit(f"missing font {path}: install the fonts-dejavu-core package")
    if args.app_icons:
        write_app_icons(args.app_icons)
        return
    files, icon = build_all()
    os.makedirs(args.assets, exist_ok=True)
    for name, im in files.items():
        with open(os.path.join(args.assets, name), "wb") as f:
            f.write(bmp_bytes(im))
    os.makedirs(os.path.dirname(os.path.abspath(args.icon)), exist_ok=True)
    with open(args.icon, "wb") as f:
        f.write(icon)
    print(f"wrote {len(files)} pictures to {args.assets} and the icon to {args.icon}")


if __name__ == "__main__":
    main(sys.argv[1:])
