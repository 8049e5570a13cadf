#!/usr/bin/python3
"""Builds assets/map.jpg, the main window's map, from GSHHG/WDBII data via GMT.

Usage: /usr/bin/python3 tools/mapgen/make_map.py [--scale 1|2] [--out PATH] [--check PNG]

--scale 2 renders the same map at twice the size (assets/map@2x.jpg) for screens
with a device pixel ratio above 1: the same data and warp, each picture pixel
split in four, so it lies under the buttons exactly as the first one does.
--check also writes a PNG with every button rectangle drawn over the map, for
looking at the fit; it is not an asset.
"""

import argparse
import os
import sys
import tempfile

import numpy as np
from PIL import ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, HERE)

import geodata  # noqa: E402
import render  # noqa: E402
from warp import Warp, read_buttons  # noqa: E402

SIZE = (586, 526)
VISIBLE = (585, 521)  # the window shows the picture cut to this
JPEG_QUALITY = 90


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scale", type=int, choices=(1, 2), default=1,
                        help="picture pixels per window pixel (default 1)")
    parser.add_argument("--out", help="default assets/map.jpg, or assets/map@2x.jpg at scale 2")
    parser.add_argument("--check", help="also write this PNG with the buttons drawn over the map")
    args = parser.parse_args()
    if args.out is None:
        name = "map.jpg" if args.scale == 1 else "map@%dx.jpg" % args.scale
        args.out = os.path.join(HERE, "..", "..", "assets", name)
    return args


def fit(buttons):
    cities = [b for b in buttons if b["lat"]]
    warp = Warp([(float(b["lon"]), float(b["lat"])) for b in cities], [b["centre"] for b in cities])
    worst = int(np.argmax(warp.affine_errors))
    print("affine fit over %d cities: RMS %.1f px, worst %.1f px at %s"
          % (len(cities), warp.affine_rms, warp.affine_errors[worst], cities[worst]["name"]))
    placed = warp.forward([(float(b["lon"]), float(b["lat"])) for b in cities])
    miss = np.abs(placed - np.array([b["centre"] for b in cities])).max()
    fold = warp.jacobian_min(geodata.REGION)
    print("after the spline: largest city offset %.2g px; smallest Jacobian %.1f" % (miss, fold))
    if miss > 0.5 or fold <= 0:
        raise SystemExit("mapgen: the warp misses a city or folds the map")
    return warp


def draw_check(image, buttons, path, scale):
    check = image.convert("RGB")
    draw = ImageDraw.Draw(check)
    for b in buttons:
        left, top = int(b["left"]) * scale, int(b["top"]) * scale
        w, h = (19, 21) if b["button"] == "8" else (20, 20)
        colour = (200, 0, 0) if b["lat"] else (120, 0, 160)
        draw.rectangle([left, top, left + w * scale - 1, top + h * scale - 1], outline=colour)
        cx, cy = b["centre"]
        draw.point([(cx * scale, cy * scale)], fill=colour)
        draw.text((left + 2 * scale, top + 4 * scale), b["button"], fill=colour)
    check.save(path)
    print("wrote", path)


def main():
    args = parse_args()
    buttons = read_buttons(os.path.join(HERE, "buttons.csv"))
    warp = fit(buttons)
    with tempfile.TemporaryDirectory() as work:
        mask = geodata.surface_mask(work)
    scale = args.scale
    lon, lat = warp.inverse_grid(SIZE[0] * scale, SIZE[1] * scale, geodata.REGION, scale=scale)
    big = render.paint_surfaces(mask, lon, lat, scale)
    render.draw_lines(big, warp, geodata.shorelines(1), geodata.shorelines(2), geodata.rivers(),
                      scale)
    picture = render.finish(big, (SIZE[0] * scale, SIZE[1] * scale),
                            (VISIBLE[0] * scale, VISIBLE[1] * scale), scale)
    out = os.path.normpath(args.out)
    try:
        picture.save(out, "JPEG", quality=JPEG_QUALITY, optimize=True, progressive=False, subsampling=0)
    except OSError as err:
        raise SystemExit("mapgen: cannot write %s: %s" % (out, err))
    print("wrote %s (%dx%d)" % (out, *picture.size))
    if args.check:
        draw_check(picture, buttons, args.check, scale)


if __name__ == "__main__":
    main()
