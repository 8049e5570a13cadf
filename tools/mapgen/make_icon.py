#!/usr/bin/python3
"""Draws assets/icon.png, the window icon: a vermilion seal cut with hills and a river,
in the colours of the map.

Usage: /usr/bin/python3 tools/mapgen/make_icon.py [--out PATH]
"""

import argparse
import math
import os

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 256
SCALE = 4  # drawn large and scaled down for smooth edges
SEAL = (176, 42, 34, 255)
CUT = (236, 226, 192, 255)  # the map's paper colour shows where the stone is cut away


def _worn_edges(alpha, seed=208):
    """Nibble the seal's outline a little, as a stone seal prints; the inside stays clean
    so that the icon still reads at 16 pixels."""
    rng = np.random.default_rng(seed)
    solid = np.asarray(alpha) > 0
    rim = solid & ~np.asarray(Image.fromarray(solid.astype(np.uint8) * 255)
                              .filter(ImageFilter.MinFilter(4 * SCALE + 1))).astype(bool)
    noise = rim & (rng.random(solid.shape) < 0.002)
    bites = Image.fromarray((noise * 255).astype(np.uint8)).filter(ImageFilter.MaxFilter(2 * SCALE + 1))
    bites = bites.filter(ImageFilter.GaussianBlur(SCALE))
    a = np.asarray(alpha, np.float32) * (1 - np.asarray(bites, np.float32) / 255)
    return Image.fromarray(a.astype(np.uint8))


def _river(size, inset, thickness):
    """Outline of a wavy band; a filled outline avoids the seams of a wide polyline."""
    top, bottom = [], []
    for i in range(0, 101):
        t = i / 100
        x = inset + t * (size - 2 * inset)
        y = size * 0.70 + math.sin(t * math.pi * 2.4) * size * 0.045
        top.append((x, y - thickness / 2))
        bottom.append((x, y + thickness / 2))
    return top + bottom[::-1]


def draw_icon():
    n = SIZE * SCALE
    image = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    pad = 10 * SCALE
    draw.rounded_rectangle([pad, pad, n - pad, n - pad], radius=26 * SCALE, fill=SEAL)

    border = 26 * SCALE
    draw.rounded_rectangle([border, border, n - border, n - border], radius=14 * SCALE,
                           outline=CUT, width=9 * SCALE)

    # Three hills, the middle one tallest, as one silhouette.
    base = n * 0.58
    for cx, half, height in ((0.33, 0.16, 0.22), (0.52, 0.19, 0.34), (0.70, 0.15, 0.18)):
        draw.polygon([(n * (cx - half), base), (n * cx, base - n * height), (n * (cx + half), base)],
                     fill=CUT)
    draw.polygon(_river(n, border + 14 * SCALE, 14 * SCALE), fill=CUT)

    alpha = _worn_edges(image.getchannel("A"))
    image.putalpha(alpha)
    return image.resize((SIZE, SIZE), Image.LANCZOS)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(HERE, "..", "..", "assets", "icon.png"))
    out = os.path.normpath(parser.parse_args().out)
    try:
        draw_icon().save(out, "PNG", optimize=True)
    except OSError as err:
        raise SystemExit("make_icon: cannot write %s: %s" % (out, err))
    print("wrote", out)


if __name__ == "__main__":
    main()
