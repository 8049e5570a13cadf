"""Paints the warped geography in the manner of an old hand-tinted map.

Everything is drawn at SUPERSAMPLE times the final size and scaled down once,
which antialiases the raster fill and the lines alike. Sizes below are in window
pixels; a picture at scale 2 has two picture pixels to each of them.
"""

import numpy as np
from PIL import Image, ImageDraw
from scipy import ndimage

import geodata

SUPERSAMPLE = 3

PAPER = (233, 222, 186)
COAST_WASH = (200, 190, 134)  # band of tint along the inner side of the coast
SEA_SHALLOW = (190, 212, 204)
SEA_DEEP = (120, 160, 178)
LAKE = (168, 198, 200)
COAST_LINE = (86, 92, 96)
LAKE_LINE = (92, 118, 128)
RIPPLE = (150, 180, 184)
RIVER = (78, 118, 150)
FRAME = (92, 70, 48)
FRAME_FILL = (214, 200, 162)

# WDBII level -> (line width in final pixels, colour blend towards the paper).
RIVER_STYLE = {0: (1.5, 0.0), 1: (1.4, 0.0), 2: (1.0, 0.15), 3: (0.6, 0.45)}
SEA_DEPTH_PIXELS = 45.0  # distance from shore at which the sea reaches its deepest tint
COAST_WASH_PIXELS = 6.0
RIPPLE_AT = (3.0, 6.5)  # final pixels from shore


def _upsample(field, scale):
    h, w = field.shape
    j = (np.arange(h * scale) + 0.5) / scale - 0.5
    i = (np.arange(w * scale) + 0.5) / scale - 0.5
    jj, ii = np.meshgrid(j, i, indexing="ij")
    return ndimage.map_coordinates(field, [jj, ii], order=1, mode="nearest")


def _coverage(mask, lon, lat, value):
    """Fraction (0..1) of each pixel covered by the given surface class."""
    west, _, _, north = geodata.REGION
    per_degree = 60 // geodata.MASK_STEP_MINUTES
    rows = (north - lat) * per_degree - 0.5
    cols = (lon - west) * per_degree - 0.5
    layer = (mask == value).astype(np.float32)
    return ndimage.map_coordinates(layer, [rows, cols], order=1, mode="nearest")


def _mix(a, b, t):
    t = np.clip(t, 0.0, 1.0)[..., None]
    return np.asarray(a, np.float32) * (1 - t) + np.asarray(b, np.float32) * t


def _paper_grain(shape, scale, seed=1855):
    """Low-frequency blotches of a wash on paper; fixed seed keeps the picture reproducible.

    The noise is made at scale 1 and stretched, so every scale shows the same blotches.
    """
    rng = np.random.default_rng(seed)
    base = (shape[0] // scale, shape[1] // scale)
    coarse = ndimage.gaussian_filter(rng.standard_normal(base), 18 * SUPERSAMPLE)
    fine = ndimage.gaussian_filter(rng.standard_normal(base), 1.5 * SUPERSAMPLE)
    grain = coarse / (np.abs(coarse).max() + 1e-9) * 0.035 + fine / (np.abs(fine).max() + 1e-9) * 0.012
    if scale != 1:
        grain = _upsample(grain, scale)
    return (1.0 + grain)[..., None]


def paint_surfaces(mask, lon, lat, scale=1):
    s = SUPERSAMPLE
    lon, lat = _upsample(lon, s), _upsample(lat, s)
    land = _coverage(mask, lon, lat, geodata.LAND)
    lake = _coverage(mask, lon, lat, geodata.LAKE)
    ocean = np.clip(1.0 - land - lake, 0.0, 1.0)

    from_shore = ndimage.distance_transform_edt(ocean > 0.5) / (s * scale)
    inland = ndimage.distance_transform_edt(ocean <= 0.5) / (s * scale)

    sea = _mix(SEA_SHALLOW, SEA_DEEP, (from_shore / SEA_DEPTH_PIXELS) ** 0.7)
    for at in RIPPLE_AT:
        line = np.exp(-((from_shore - at) / 0.45) ** 2) * (1 - at / 12.0)
        sea = _mix(sea, RIPPLE, line * 0.5)
    ground = _mix(COAST_WASH, PAPER, inland / COAST_WASH_PIXELS)

    rgb = (sea * ocean[..., None] + ground * land[..., None]
           + np.asarray(LAKE, np.float32) * lake[..., None])
    rgb *= _paper_grain(land.shape, scale)
    return Image.fromarray(np.clip(rgb, 0, 255).astype(np.uint8), "RGB")


def _line_width(width, scale):
    return max(1, int(round(width * SUPERSAMPLE * scale)))


def _toward_paper(colour, t):
    return tuple(int(round(c * (1 - t) + p * t)) for c, p in zip(colour, PAPER))


def draw_lines(image, warp, coast, lake_shores, rivers, scale=1):
    draw = ImageDraw.Draw(image)
    s = SUPERSAMPLE * scale

    def polyline(points, colour, width):
        px = warp.forward(points) * s
        draw.line([tuple(p) for p in px], fill=colour, width=_line_width(width, scale),
                  joint="curve")

    # Minor rivers first so the great ones stay unbroken where they meet.
    for level in sorted(RIVER_STYLE, reverse=True):
        width, fade = RIVER_STYLE[level]
        colour = _toward_paper(RIVER, fade)
        for lvl, pts in rivers:
            if lvl == level:
                polyline(pts, colour, width)
    for pts in lake_shores:
        polyline(pts, LAKE_LINE, 0.6)
    for pts in coast:
        polyline(pts, COAST_LINE, 0.8)


def finish(image, size, visible, scale=1):
    """Scale down and frame the part that the window shows.

    The window cuts the picture's right and bottom edges, so the frame is drawn
    around the visible part only and the hidden strip is filled plainly.
    """
    small = image.resize(size, Image.LANCZOS)
    draw = ImageDraw.Draw(small)
    vw, vh = visible
    w, h = size
    if vw < w:
        draw.rectangle([vw, 0, w - 1, h - 1], fill=FRAME_FILL)
    if vh < h:
        draw.rectangle([0, vh, w - 1, h - 1], fill=FRAME_FILL)
    draw.rectangle([0, 0, vw - 1, vh - 1], outline=FRAME, width=scale)
    inner = 2 * scale
    draw.rectangle([inner, inner, vw - 1 - inner, vh - 1 - inner],
                   outline=_toward_paper(FRAME, 0.45), width=scale)
    return small
