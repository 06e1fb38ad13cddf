"""Plays Morvane's real window on an X display: finds the game view on the screen by the
title picture, reads the letter shown by comparing it with the letter pictures, presses it
with xdotool, and saves screenshots of the title, the game in play and the result screen.
Usage: shoot_play.py <folder of pictures> <output folder>  (DISPLAY must be set)."""

import subprocess
import sys
import time
from io import BytesIO
from pathlib import Path

from PIL import Image

LETTER_X, LETTER_Y = 88, 16
PLAY_SECONDS = 60
ABOUT_TITLE = "^ﾊﾞｰｼﾞｮﾝ情報$"


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def screen():
    png = subprocess.run(["import", "-window", "root", "png:-"], check=True, capture_output=True).stdout
    return Image.open(BytesIO(png)).convert("RGB")


def wait_for(what, test, timeout):
    end = time.time() + timeout
    while time.time() < end:
        result = test()
        if result:
            return result
        time.sleep(0.1)
    sys.exit(f"gave up waiting for {what}")


def window_id(name="^Morvane$"):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


def frame_extents(wid):
    """The window manager's decorations, once it has framed the window: left, right, top, bottom."""
    extents = subprocess.run(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"], capture_output=True, text=True).stdout
    if "=" not in extents:
        return None
    return tuple(int(v) for v in extents.split("=")[1].split(","))


def settled():
    """The screen once two looks a tenth of a second apart agree (a window has painted)."""
    last = [screen()]

    def same():
        time.sleep(0.1)
        now = screen()
        agree = now.tobytes() == last[0].tobytes()
        last[0] = now
        return now if agree else None
    return wait_for("the screen to settle", same, 10)


def window_box(wid):
    """The window on the screen, decorations included: left, top, right, bottom."""
    info = run("xwininfo", "-id", wid)
    get = lambda key: int(next(l for l in info.splitlines() if key in l).split(":")[1])
    x, y, w, h = get("Absolute upper-left X"), get("Absolute upper-left Y"), get("Width"), get("Height")
    left, right, top, bottom = wait_for("the window's frame", lambda: frame_extents(wid), 30)
    return x - left, y - top, x + w + right, y + h + bottom


def samples(picture, step):
    """Points of a picture that are not transparent black, with their colours."""
    px = picture.load()
    return [((x, y), px[x, y]) for y in range(0, picture.height, step) for x in range(0, picture.width, step)
            if px[x, y] != (0, 0, 0)]


def shows(img, origin, points):
    px = img.load()
    return all(px[origin[0] + x, origin[1] + y] == c for (x, y), c in points)


def find_view(img, box, points):
    """Top-left corner of the game view, found where the given picture shows in the window."""
    for oy in range(box[1], box[3] - 239):
        for ox in range(box[0], box[2] - 319):
            if shows(img, (ox, oy), points[:8]) and shows(img, (ox, oy), points):
                return ox, oy
    return None


def read_letter(img, view, letters):
    for ch, points in letters.items():
        if shows(img, (view[0] + LETTER_X, view[1] + LETTER_Y), points):
            return ch
    return None


def save(img, box, path):
    img.crop(box).save(path)
    print("saved", path, flush=True)


def main():
    assets, out = Path(sys.argv[1]), Path(sys.argv[2])
    title = samples(Image.open(assets / "title.bmp").convert("RGB"), 7)
    letters = {}
    for i in range(26):
        ch = chr(ord("A") + i)
        points = samples(Image.open(assets / f"{ch}.bmp").convert("RGB"), 3)
        letters[ch] = points[:: max(1, len(points) // 200)]

    wid = wait_for("the window", window_id, 30)
    box = window_box(wid)
    view = wait_for("the title", lambda: find_view(screen(), box, title), 30)
    save(screen(), box, out / "1-title.png")

    # The help menu by its mnemonic, its item by its own, the about box, and OK by Enter;
    # then F must reach the game: the view has the focus back.
    before = screen().crop(box)
    run("xdotool", "key", "--window", wid, "alt+h")
    wait_for("the help menu", lambda: screen().crop(box) != before, 10)
    save(settled(), box, out / "1-menu.png")
    run("xdotool", "key", "a")
    about_box = window_box(wait_for("the about box", lambda: window_id(ABOUT_TITLE), 10))
    save(settled(), about_box, out / "1-about.png")
    run("xdotool", "key", "Return")
    wait_for("the about box to close", lambda: window_id(ABOUT_TITLE) is None, 10)

    run("xdotool", "key", "--window", wid, "f")
    wait_for("the game to start", lambda: not shows(screen(), view, title), 10)
    started, pressed, missed = None, 0, False
    deadline = time.time() + 30  # the frame wipe and the intro come before the first letter
    while not started or time.time() - started < PLAY_SECONDS + 0.5:
        if not started and time.time() > deadline:
            sys.exit("gave up waiting for the first letter")
        img = screen()
        ch = read_letter(img, view, letters)
        if ch:
            started = started or time.time()
            if pressed == 7 and not missed:
                # one wrong key on purpose, so that the miss counter and its mark show
                run("xdotool", "key", "--window", wid, "q" if ch != "Q" else "w")
                time.sleep(0.1)
                save(screen(), box, out / "2-play-miss.png")
                missed = True
                time.sleep(0.2)
                continue  # a wrong key also brings the next letter: look again
            run("xdotool", "key", "--window", wid, ch.lower())
            pressed += 1
            if pressed == 20:
                time.sleep(0.1)
                save(screen(), box, out / "3-play.png")
            time.sleep(0.3)  # the next letter is on screen before the next look
        else:
            time.sleep(0.05)
    print("letters pressed:", pressed, flush=True)
    time.sleep(8)  # the time-up banner, then the result builds up to its stamp
    save(screen(), box, out / "4-result.png")
    time.sleep(5)
    save(screen(), box, out / "5-end-banner.png")
    wait_for("the title again", lambda: shows(screen(), view, title), 30)
    # J quits from the title; xdotool may complain that the window went away under it.
    subprocess.run(["xdotool", "key", "--window", wid, "j"], capture_output=True)


main()
