#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Measures how well clean-line pages can be coloured and how closely they follow the photo.

bench/clean_lines_quality.py CLI PHOTO... [--scale 1,2 | --sides 1600,1900] [--options "--clean-lines"]
                             [--keep DIR]

Each photo (at each scale) goes through `CLI convert OPTIONS PHOTO PAGE.bmp`; the page is
measured on its own, then the medians are printed:
  largest    share of the white paper in its largest region
  narrow     share of the page in regions narrower than --narrow-mm (3) at A4
  ends       free line ends of the page's centre lines
  regions    regions at least --narrow-mm across
  tiny       share of regions (by count) narrower than 3 mm
  ink        share of the page that is ink
  blob       share of the ink in strokes more than twice the default line width
  precision  share of centre-line pixels near a strong edge of the photo
  recall     share of strong-edge pixels near a centre line
--sides scales each photo to each of these longer sides instead. The copy the regions are
found on is at most 1024 pixels long, so the page is drawn one way up to 1535 pixels and
another from there.
Strong edges: Canny on CIELAB lightness, sigma 0.25 % of the longer side, hysteresis at the
75th and 90th percentiles of the gradient; near: within 0.6 % of the diagonal.

Needs python3-numpy, python3-opencv and python3-skimage, which scripts/setup leaves out: NumPy
makes OpenBLAS the system's BLAS, which the tests' programs then load through OpenCV.
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

import cv2
import numpy as np
from skimage.feature import canny
from skimage.morphology import skeletonize


def a4_pixels_per_mm(w, h):
    return min(max(w, h) / 297.0, min(w, h) / 210.0)


def blob_share(ink, line_width):
    """Ink in strokes more than twice the line width: covered by a disc of radius over the
    line width that lies wholly in ink."""
    dist = cv2.distanceTransform(ink.astype(np.uint8), cv2.DIST_L2, 5)
    centres = (dist > line_width + 0.5).astype(np.uint8)
    if not centres.any():
        return 0.0
    r = int(np.ceil(line_width + 0.5))
    disc = cv2.getStructuringElement(cv2.MORPH_ELLIPSE, (2 * r + 1, 2 * r + 1))
    blob = cv2.dilate(centres, disc) & ink
    return float(blob.sum()) / max(1, int(ink.sum()))


def region_widths(ink):
    paper = np.pad((ink == 0).astype(np.uint8), 1, constant_values=0)
    count, labels = cv2.connectedComponents(paper, connectivity=4)
    dist = cv2.distanceTransform(paper, cv2.DIST_L2, 3)
    deepest = np.zeros(count, np.float32)
    np.maximum.at(deepest, labels.ravel(), dist.ravel())
    areas = np.bincount(labels.ravel(), minlength=count)
    return 2.0 * deepest[1:] - 1.0, areas[1:]


def free_ends(skeleton):
    s = skeleton.astype(np.uint8)
    n = cv2.filter2D(s, -1, np.ones((3, 3), np.float32), borderType=cv2.BORDER_CONSTANT)
    return int(np.count_nonzero((s == 1) & (n == 2)))


def strong_edges(photo_bgr):
    lab = cv2.cvtColor(photo_bgr.astype(np.float32) / 255.0, cv2.COLOR_BGR2Lab)
    h, w = lab.shape[:2]
    return canny(lab[:, :, 0], sigma=0.0025 * max(w, h), low_threshold=0.75,
                 high_threshold=0.9, use_quantiles=True)


def near(mask, tolerance):
    if not mask.any():
        return np.zeros(mask.shape, bool)
    dist = cv2.distanceTransform((~mask).astype(np.uint8), cv2.DIST_L2, 5)
    return dist <= tolerance


def measure(photo_bgr, page, narrow_mm):
    ink = page < 128
    h, w = ink.shape
    ppm = a4_pixels_per_mm(w, h)
    widths, areas = region_widths(ink)
    white = max(1, int((~ink).sum()))
    narrow = widths < narrow_mm * ppm
    tiny3 = widths < 3.0 * ppm
    skeleton = skeletonize(ink)
    edges = strong_edges(photo_bgr)
    tolerance = 0.006 * np.hypot(w, h)
    centre = int(skeleton.sum())
    precision = float((skeleton & near(edges, tolerance)).sum()) / max(1, centre)
    recall = float((edges & near(skeleton, tolerance)).sum()) / max(1, int(edges.sum()))
    greys = np.unique(page)
    return dict(
        largest=float(areas.max()) / white if len(areas) else 1.0,
        narrow=float(areas[narrow].sum()) / (w * h),
        ends=free_ends(skeleton),
        regions=int((~narrow).sum()),
        tiny=float(tiny3.sum()) / max(1, len(widths)),
        ink=float(ink.mean()),
        blob=blob_share(ink, max(1, int(np.floor(0.6 * ppm + 0.5)))),
        precision=precision,
        recall=recall,
        bw=bool(set(greys.tolist()) <= {0, 255}),
    )


COLUMNS = ["largest", "narrow", "ends", "regions", "tiny", "ink", "blob", "precision", "recall"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("photos", nargs="+")
    parser.add_argument("--scale", default="1,2")
    parser.add_argument("--sides")
    parser.add_argument("--options", default="--clean-lines")
    parser.add_argument("--narrow-mm", type=float, default=3.0)
    parser.add_argument("--keep")
    args = parser.parse_args()
    work = args.keep or tempfile.mkdtemp()
    os.makedirs(work, exist_ok=True)
    rows = []
    print("%-26s" % "photo" + "".join("%10s" % c for c in COLUMNS) + "%8s" % "s")
    for path in args.photos:
        original = cv2.imread(path, cv2.IMREAD_COLOR)
        stem = os.path.splitext(os.path.basename(path))[0]
        if args.sides:
            sizes = [(stem + "@%dpx" % int(side), int(side) / max(original.shape[:2]))
                     for side in args.sides.split(",")]
        else:
            sizes = [(stem + "@%dx" % int(scale), int(scale)) for scale in args.scale.split(",")]
        for name, scale in sizes:
            photo = original
            source = path
            if scale != 1:
                photo = cv2.resize(original, None, fx=scale, fy=scale,
                                   interpolation=cv2.INTER_CUBIC if scale > 1 else cv2.INTER_AREA)
                source = os.path.join(work, name + ".png")
                cv2.imwrite(source, photo)
            out = os.path.join(work, name + ".bmp")
            start = time.time()
            subprocess.run([args.cli, "convert"] + args.options.split() + [source, out],
                           check=True)
            seconds = time.time() - start
            page = cv2.imread(out, cv2.IMREAD_GRAYSCALE)
            m = measure(photo, page, args.narrow_mm)
            rows.append(m)
            print("%-26s" % name + "".join(
                "%10.3f" % m[c] if isinstance(m[c], float) else "%10d" % m[c]
                for c in COLUMNS) + "%8.2f" % seconds + ("" if m["bw"] else "  NOT B/W"))
            sys.stdout.flush()
    print("%-26s" % "median" + "".join(
        "%10.3f" % float(np.median([r[c] for r in rows])) for c in COLUMNS))
    print("%-26s" % "worst" + "".join(
        "%10.3f" % float((np.min if c in ("regions", "precision", "recall") else np.max)(
            [r[c] for r in rows])) for c in COLUMNS))


if __name__ == "__main__":
    main()
