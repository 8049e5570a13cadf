"""Geographic coordinates to picture pixels, bent so each city sits under its button.

The button layout follows no projection. An affine least-squares fit gets the
broad shape; a thin-plate spline on the leftover offsets then moves every city
exactly onto its button centre. Triangle-wise affine warps were avoided on
purpose: rivers would kink at every triangle edge.
"""

import csv

import numpy as np
from scipy.interpolate import RBFInterpolator, griddata

BUTTON_HALF = 10  # a city's centre is (left + 10, top + 10), whatever the button's size

# Without these anchors the spline keeps squeezing the far south towards the
# southernmost city. Copying the offsets found along 21°N to 17°N makes the
# south move as one piece instead.
PIN_FROM_LAT, PIN_TO_LAT = 21.0, 17.0
PIN_LONS = np.arange(94.0, 136.1, 2.0)


def read_buttons(path):
    """Rows of the button table; cities carry lat/lon, peoples and regions do not."""
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    for row in rows:
        row["centre"] = (int(row["left"]) + BUTTON_HALF, int(row["top"]) + BUTTON_HALF)
    return rows


class Warp:
    def __init__(self, lonlat, pixels):
        lonlat = np.asarray(lonlat, float)
        pixels = np.asarray(pixels, float)
        design = np.c_[lonlat, np.ones(len(lonlat))]
        self.affine, *_ = np.linalg.lstsq(design, pixels, rcond=None)
        residual = pixels - design @ self.affine
        self.affine_errors = np.hypot(residual[:, 0], residual[:, 1])

        first = RBFInterpolator(lonlat, residual, kernel="thin_plate_spline")
        src = np.c_[PIN_LONS, np.full(PIN_LONS.size, PIN_FROM_LAT)]
        pins = np.c_[PIN_LONS, np.full(PIN_LONS.size, PIN_TO_LAT)]
        self.spline = RBFInterpolator(np.r_[lonlat, pins], np.r_[residual, first(src)],
                                      kernel="thin_plate_spline")

    @property
    def affine_rms(self):
        return float(np.sqrt(np.mean(self.affine_errors ** 2)))

    def forward(self, lonlat):
        """(N, 2) lon/lat -> (N, 2) pixel x/y."""
        lonlat = np.asarray(lonlat, float)
        return np.c_[lonlat, np.ones(len(lonlat))] @ self.affine + self.spline(lonlat)

    def inverse_grid(self, width, height, region, step=0.05, scale=1):
        """Lon and lat arrays (height x width) for the pixel centres of the picture.

        A picture at `scale` has `scale` x `scale` pixels for each window pixel;
        their centres are taken in window pixels, so every scale shows the same map.
        Inverts the warp by linear interpolation over a dense forward-mapped
        lattice; fine because the warp does not fold (see jacobian_min).
        """
        west, east, south, north = region
        lons, lats = np.meshgrid(np.arange(west, east + 1e-9, step),
                                 np.arange(south, north + 1e-9, step))
        lattice = np.c_[lons.ravel(), lats.ravel()]
        px = self.forward(lattice)
        gx, gy = np.meshgrid((np.arange(width) + 0.5) / scale, (np.arange(height) + 0.5) / scale)
        query = np.c_[gx.ravel(), gy.ravel()]
        lonlat = griddata(px, lattice, query, method="linear")
        if np.isnan(lonlat).any():
            raise SystemExit("mapgen: the picture reaches past the data region %s" % (region,))
        return lonlat[:, 0].reshape(height, width), lonlat[:, 1].reshape(height, width)

    def jacobian_min(self, region, step=0.1):
        """Smallest determinant of d(pixel)/d(lon, lat) over the region; > 0 means no fold.

        Latitude grows upwards while y grows downwards, so the determinant of an
        unfolded map is negative; the sign is flipped here.
        """
        west, east, south, north = region
        lons, lats = np.meshgrid(np.arange(west, east, step), np.arange(south, north, step))
        base = self.forward(np.c_[lons.ravel(), lats.ravel()])
        dlon = (self.forward(np.c_[lons.ravel() + step, lats.ravel()]) - base) / step
        dlat = (self.forward(np.c_[lons.ravel(), lats.ravel() + step]) - base) / step
        det = dlon[:, 0] * dlat[:, 1] - dlon[:, 1] * dlat[:, 0]
        return float(-det.max())
