#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Measures colour-by-number pages and their previews against the photos they come from.

bench/colour_by_number_quality.py CLI PHOTO... [--options "--colour-by-number"] [--keep DIR]

Each photo goes through `CLI convert --colour-by-number PHOTO` and the preview step; printed
per photo, then as medians:
  colours   distinct colours of the preview
  dE        mean CIEDE2000 difference of the preview to the photo
  regions   flat regions of the preview (4-connected pieces of one colour)
  narrowest the narrowest region's inscribed circle, in mm with the picture fitted to A4
  unnumbered regions without a number's ink at least 1 px inside them on the page
  digits    font size of the page's numbers in points on A4 (a digit being 0.72 of it):
            smallest, median, largest
  seconds   time of the numbered page's conversion

Needs python3-numpy, python3-opencv and python3-skimage, which scripts/setup leaves out (see
clean_lines_quality.py).
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

import cv2
import numpy as np
from skimage.color import deltaE_ciede2000, rgb2lab


def per_mm(width, height):
    """Pixels per mm with the picture printed as large as fits on A4 either way round."""
    return max(max(width, height) / 297.0, min(width, height) / 210.0)


def regions_of(preview):
    """Labels of the 4-connected pieces of one colour."""
    code = (preview[..., 0].astype(np.int64) << 16) | (preview[..., 1].astype(np.int64) << 8) \
        | preview[..., 2]
    labels = np.zeros(code.shape, np.int32)
    count = 0
    for value in np.unique(code):
        n, parts = cv2.connectedComponents((code == value).astype(np.uint8), connectivity=4)
        labels[parts > 0] = parts[parts > 0] + count
        count += n - 1
    return labels, count


def measure(cli, photo, options, keep):
    page_file = os.path.join(keep, os.path.basename(photo) + '-page.bmp')
    preview_file = os.path.join(keep, os.path.basename(photo) + '-preview.bmp')
    start = time.monotonic()
    subprocess.run([cli, 'convert', *options.split(), photo, page_file], check=True)
    seconds = time.monotonic() - start
    preview_options = options.replace('--colour-by-number', '--colour-by-number-preview')
    subprocess.run([cli, 'convert', *preview_options.split(), photo, preview_file], check=True)
    original = cv2.imread(photo, cv2.IMREAD_COLOR)
    preview = cv2.imread(preview_file, cv2.IMREAD_COLOR)
    page = cv2.imread(page_file, cv2.IMREAD_COLOR)
    h, w = original.shape[:2]
    scale = per_mm(w, h)
    colours = len(np.unique(preview.reshape(-1, 3), axis=0))
    de = float(deltaE_ciede2000(rgb2lab(original[..., ::-1]), rgb2lab(preview[..., ::-1])).mean())
    labels, count = regions_of(preview)
    narrowest = float('inf')
    unnumbered = 0
    ink = page[:h, :, :].max(axis=2) < 160
    padded = np.pad(labels, 1, constant_values=0)
    for r in range(1, count + 1):
        inside = np.pad((labels == r).astype(np.uint8), 1)
        depth = cv2.distanceTransform(inside, cv2.DIST_L2, cv2.DIST_MASK_PRECISE)
        narrowest = min(narrowest, (2 * depth.max() - 1) / scale)
        if not np.any(ink & (depth[1:-1, 1:-1] > 1.5)):
            unnumbered += 1
    del padded
    n, _, stats, _ = cv2.connectedComponentsWithStats(ink.astype(np.uint8), connectivity=8)
    page_scale = per_mm(page.shape[1], page.shape[0])
    heights = sorted(stats[i, cv2.CC_STAT_HEIGHT] / page_scale * 72 / 25.4 / 0.72
                     for i in range(1, n) if stats[i, cv2.CC_STAT_HEIGHT] >= 2)
    digits = (heights[0], statistics.median(heights), heights[-1]) if heights else (0, 0, 0)
    return dict(colours=colours, dE=de, regions=count, narrowest=narrowest,
                unnumbered=unnumbered, digits=digits, seconds=seconds)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('cli')
    parser.add_argument('photos', nargs='+')
    parser.add_argument('--options', default='--colour-by-number')
    parser.add_argument('--keep')
    args = parser.parse_args()
    keep = args.keep or tempfile.mkdtemp()
    os.makedirs(keep, exist_ok=True)
    results = []
    for photo in args.photos:
        m = measure(args.cli, photo, args.options, keep)
        results.append(m)
        print(f"{os.path.basename(photo):24} colours {m['colours']:3} dE {m['dE']:5.2f} "
              f"regions {m['regions']:4} narrowest {m['narrowest']:5.2f} mm "
              f"unnumbered {m['unnumbered']:3} digits(pt) {m['digits'][0]:4.1f} "
              f"{m['digits'][1]:4.1f} {m['digits'][2]:4.1f} {m['seconds']:5.2f} s")
    for key in ('colours', 'dE', 'regions', 'narrowest', 'unnumbered', 'seconds'):
        print(f"median {key}: {statistics.median(r[key] for r in results):.2f}")
    return 0


if __name__ == '__main__':
    sys.exit(main())
