"""Shorelines, lakes and rivers of GSHHG/WDBII, read through GMT.

GMT and its gshhg-low data are needed here only; the program itself ships the
finished picture.
"""

import shutil
import subprocess
import tempfile

import numpy as np

# Wide enough that the warped picture never reaches past the data.
REGION = (94.0, 136.0, 14.0, 48.0)
MASK_STEP_MINUTES = 1
OCEAN, LAND, LAKE = 0, 1, 2


def _gmt(*args, binary=False):
    if shutil.which("gmt") is None:
        raise SystemExit("mapgen: 'gmt' not found; install the Debian packages gmt and gmt-gshhg-low")
    # GMT leaves a gmt.history in its working directory; keep it out of the caller's.
    with tempfile.TemporaryDirectory() as scratch:
        result = subprocess.run(["gmt", *args], cwd=scratch, capture_output=True, check=False)
    if result.returncode != 0:
        raise SystemExit("mapgen: gmt %s failed: %s" % (args[0], result.stderr.decode(errors="replace")))
    return result.stdout if binary else result.stdout.decode()


def _region_arg():
    return "-R%g/%g/%g/%g" % REGION


def surface_mask(workdir):
    """Raster of OCEAN/LAND/LAKE, row 0 at the northern edge, pixel registered.

    Islands inside lakes count as land; ponds on those islands as lake.
    """
    grid = "%s/mask.nc" % workdir
    _gmt("grdlandmask", _region_arg(), "-I%dm" % MASK_STEP_MINUTES, "-r", "-Di",
         "-N%d/%d/%d/%d/%d" % (OCEAN, LAND, LAKE, LAND, LAKE), "-G" + grid)
    raw = _gmt("grd2xyz", grid, "-ZTLu", binary=True)
    per_degree = 60 // MASK_STEP_MINUTES
    cols = int(round((REGION[1] - REGION[0]) * per_degree))
    rows = int(round((REGION[3] - REGION[2]) * per_degree))
    mask = np.frombuffer(raw, dtype=np.uint8)
    if mask.size != rows * cols:
        raise SystemExit("mapgen: mask has %d cells, expected %d" % (mask.size, rows * cols))
    return mask.reshape(rows, cols)


def _segments(text):
    """Parse a GMT multisegment dump into (header, Nx2 lon/lat array) pairs."""
    segments, header, points = [], "", []
    for line in text.splitlines():
        if line.startswith(">"):
            if len(points) > 1:
                segments.append((header, np.array(points)))
            header, points = line, []
        elif line.strip():
            lon, lat = line.split()[:2]
            points.append((float(lon), float(lat)))
    if len(points) > 1:
        segments.append((header, np.array(points)))
    return segments


def _level(header):
    return int(header.rsplit("Level", 1)[1])


def _inside_region(segment):
    """Split a segment wherever it leaves the region (GMT does not clip river dumps)."""
    west, east, south, north = REGION
    inside = ((segment[:, 0] >= west) & (segment[:, 0] <= east)
              & (segment[:, 1] >= south) & (segment[:, 1] <= north))
    pieces, start = [], None
    for i, keep in enumerate(np.append(inside, False)):
        if keep and start is None:
            start = i
        elif not keep and start is not None:
            if i - start > 1:
                pieces.append(segment[start:i])
            start = None
    return pieces


def shorelines(level):
    """Sea coast (level 1) or lake shore (level 2) polylines."""
    text = _gmt("coast", _region_arg(), "-Di", "-W%d/0.1p" % level, "-M")
    return [pts for header, pts in _segments(text) if _level(header) == level]


def rivers():
    """Permanent rivers as (WDBII level, polyline); level 0 and 1 are the largest."""
    text = _gmt("coast", _region_arg(), "-Di", "-Ir", "-I0", "-M")
    result = []
    for header, pts in _segments(text):
        for piece in _inside_region(pts):
            result.append((_level(header), piece))
    return result
