#!/usr/bin/env python3
"""Composes sample screens from the shipped pictures, the way the game does.

Usage: /usr/bin/python3 tools/preview_assets.py [ASSETS_DIR] [OUT_DIR] [--scale N]

Keyed copies skip source pixels that are exactly (0, 0, 0), just like the
game's own blitter, so the PNGs show what a player will see (scaled up by
nearest neighbour for a closer look).
"""

import argparse
import os
import sys

from PIL import Image

KEY = (0, 0, 0)


def keyed(dst, src, at, box=None):
    """Copies src (or its box) onto dst at 'at', skipping key-coloured pixels."""
    if box is not None:
        src = src.crop(box)
    sp, dp = src.load(), dst.load()
    ax, ay = at
    for y in range(src.height):
        for x in range(src.width):
            c = sp[x, y]
            if c != KEY and 0 <= ax + x < dst.width and 0 <= ay + y < dst.height:
                dp[ax + x, ay + y] = c


# sprite-sheet regions: (x, y, w, h)
HIT, MISS = (0, 0, 160, 32), (0, 32, 160, 32)
READY, GO = (160, 0, 160, 32), (160, 32, 160, 32)
GAME_OVER = (0, 64, 320, 64)
QUIT_Q, QUIT_YN = (0, 128, 160, 32), (160, 128, 160, 32)
TIME_BAR, GAUGE_BAR = (0, 160, 256, 16), (0, 176, 128, 16)
TIME_UP = (0, 192, 160, 64)
MISSES, RANK = (0, 256, 160, 32), (160, 256, 160, 32)


def box(r):
    x, y, w, h = r
    return (x, y, x + w, y + h)


def digits(dst, font, text, at):
    for i, ch in enumerate(text):
        d = int(ch)
        keyed(dst, font, (at[0] + 16 * i, at[1]), (16 * d, 0, 16 * d + 16, 24))


def screens(a):
    frame = a["frame"]
    out = {}

    # the logo's row wipe never copies the splash's top row: it stays black
    logo = a["vel"].copy()
    logo.paste((0, 0, 0), (0, 0, logo.width, 1))
    out["logo"] = logo
    s = logo.copy()
    keyed(s, a["title"], (0, 0))
    out["title"] = s

    def play(letter, time_w, gauge_w, miss):
        s = frame.copy()
        keyed(s, a[letter], (88, 16))
        keyed(s, a["sprite"], (32, 184), (0, 160, time_w, 176))
        keyed(s, a["sprite"], (32, 200), (0, 176, gauge_w, 192))
        digits(s, a["fonts"], miss, (260, 64))
        return s

    s = play("K", 200, 90, "012")
    keyed(s, a["sprite"], (80, 184), box(HIT))
    out["play_hit"] = s

    s = play("W", 40, 20, "345")
    keyed(s, a["sprite"], (80, 184), box(MISS))
    out["play_miss"] = s

    s = play("Q", 256, 128, "678")
    out["play_q"] = s

    s = frame.copy()
    keyed(s, a["sprite"], (80, 184), box(READY))
    digits(s, a["fonts"], "000", (260, 64))
    out["intro"] = s
    s = frame.copy()
    keyed(s, a["sprite"], (80, 184), box(GO))
    digits(s, a["fonts"], "000", (260, 64))
    out["start"] = s

    s = play("M", 120, 64, "009")
    keyed(s, a["sprite"], (80, 88), box(QUIT_Q))
    keyed(s, a["sprite"], (80, 120), box(QUIT_YN))
    out["quit"] = s

    s = play("J", 3, 8, "019")
    keyed(s, a["sprite"], (80, 88), box(TIME_UP))
    out["time_up"] = s

    s = play("Z", 0, 0, "019")
    keyed(s, a["sprite"], (0, 88), box(GAME_OVER))
    out["game_over"] = s

    for r in range(4):
        # as the game builds it: frame, miss count, gauge, then the results
        s = frame.copy()
        digits(s, a["fonts"], "%03d" % (r * 7), (260, 64))
        keyed(s, a["sprite"], (32, 200), (0, 176, 100 - 20 * r, 192))
        keyed(s, a["sprite"], (0, 96), box(MISSES))
        digits(s, a["fonts"], "%03d" % (r * 7), (192, 100))
        keyed(s, a["sprite"], (0, 144), box(RANK))
        keyed(s, a["sprite"], (160, 120), (80 * r, 288, 80 * r + 80, 368))
        out["result_%d" % r] = s

    sheet = Image.new("RGB", (26 * 144 // 2, 2 * 160), (252, 246, 230))
    for i in range(26):
        ch = chr(ord("A") + i)
        keyed(sheet, a[ch], ((i % 13) * 144, (i // 13) * 160))
    out["letters"] = sheet
    return out


def main(argv):
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(description="Composes sample screens from Morvane's pictures.")
    ap.add_argument("assets", nargs="?", default=os.path.join(repo, "assets"))
    ap.add_argument("out", nargs="?", default="/tmp/morvane-preview")
    ap.add_argument("--scale", type=int, default=2)
    args = ap.parse_args(argv)

    names = ["frame", "sprite", "vel", "title", "fonts"] + [chr(ord("A") + i) for i in range(26)]
    a = {n: Image.open(os.path.join(args.assets, n + ".bmp")).convert("RGB") for n in names}
    os.makedirs(args.out, exist_ok=True)
    for name, im in screens(a).items():
        if name != "letters":
            im = im.resize((im.width * args.scale, im.height * args.scale), Image.NEAREST)
        im.save(os.path.join(args.out, name + ".png"))
    sprite = a["sprite"]
    sprite.resize((sprite.width * args.scale, sprite.height * args.scale), Image.NEAREST).save(
        os.path.join(args.out, "sprite.png")
    )
    print("previews in", args.out)


if __name__ == "__main__":
    main(sys.argv[1:])
