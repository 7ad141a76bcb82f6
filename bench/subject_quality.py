#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Measures pages of a subject chosen with a box, on pictures whose true outline is known
(made by bench/subject_scenes.py).

bench/subject_quality.py CLI SCENES_DIR [--scale 1,2] [--background none] [--colour-by-number]
                         [--keep DIR]

Each picture (at each scale) goes through `CLI convert --subject BOX --background B
--clean-lines PICTURE PAGE.bmp` (or --colour-by-number); the page is measured:
  outline   share of the true outline with ink within 0.6 % of the diagonal
  away      share of the ink farther than that from the subject
  inside    regions of paper wholly inside the subject (at least 3 mm across on A4)
  spread    share of the subject's inside in regions reaching beyond it
  bgregions regions of paper wholly outside the subject
  blob      share of the ink in strokes more than twice the line width
  tiny      share of regions (by count) narrower than 3 mm on A4
For colour by number, ink is every pixel that is not white, in the picture above the key.
Without --subject (--no-box) the same page is made as today, for comparison.
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

import cv2
import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from clean_lines_quality import a4_pixels_per_mm, blob_share  # noqa: E402


def paper_regions(ink):
    paper = np.pad((~ink).astype(np.uint8), 1, constant_values=0)
    count, labels = cv2.connectedComponents(paper, connectivity=4)
    dist = cv2.distanceTransform(paper, cv2.DIST_L2, 3)
    deepest = np.zeros(count, np.float32)
    np.maximum.at(deepest, labels.ravel(), dist.ravel())
    return labels[1:-1, 1:-1], 2.0 * deepest - 1.0, count


def measure(page, mask, cbn):
    h, w = mask.shape
    page = page[:h, :w]
    ink = page < (250 if cbn else 128)
    diag = np.hypot(w, h)
    tol = 0.006 * diag
    subject = mask > 0
    outline = cv2.morphologyEx(subject.astype(np.uint8), cv2.MORPH_GRADIENT,
                               np.ones((3, 3), np.uint8)) > 0
    outline &= subject
    to_ink = cv2.distanceTransform((~ink).astype(np.uint8), cv2.DIST_L2, 5)
    to_subject = cv2.distanceTransform((~subject).astype(np.uint8), cv2.DIST_L2, 5)
    from_background = cv2.distanceTransform(subject.astype(np.uint8), cv2.DIST_L2, 5)
    ppm = a4_pixels_per_mm(w, h)
    line_width = max(1, round(0.6 * ppm))
    labels, widths, count = paper_regions(ink)
    near_subject = to_subject <= tol
    outside = np.zeros(count, bool)
    np.logical_or.at(outside, labels[~near_subject], True)
    touches_subject = np.zeros(count, bool)
    np.logical_or.at(touches_subject, labels[from_background > tol], True)
    real = widths >= 3.0 * ppm
    ids = np.arange(count)
    regions = (ids > 0)
    inside = regions & ~outside & real
    spread_ids = regions & outside & touches_subject
    deep = from_background > tol
    spread = float(np.isin(labels[deep], ids[spread_ids]).sum()) / max(1, int(deep.sum()))
    background_regions = regions & ~touches_subject
    tiny = regions & (widths < 3.0 * ppm)
    return dict(
        outline=float((to_ink[outline] <= tol).mean()),
        away=float((ink & (to_subject > tol)).sum()) / max(1, int(ink.sum())),
        inside=int(inside.sum()),
        spread=spread,
        bgregions=int(background_regions.sum()),
        blob=0.0 if cbn else blob_share(ink, line_width),
        tiny=float(tiny.sum()) / max(1, int(regions.sum())),
        bw=bool(set(np.unique(page).tolist()) <= {0, 255}),
    )


COLUMNS = ["outline", "away", "inside", "spread", "bgregions", "blob", "tiny"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("scenes")
    parser.add_argument("--scale", default="1,2")
    parser.add_argument("--background", default=None)
    parser.add_argument("--colour-by-number", action="store_true")
    parser.add_argument("--no-box", action="store_true")
    parser.add_argument("--keep")
    args = parser.parse_args()
    work = args.keep or tempfile.mkdtemp()
    os.makedirs(work, exist_ok=True)
    boxes = dict(line.split() for line in open(os.path.join(args.scenes, "boxes.txt")))
    step = "--colour-by-number" if args.colour_by_number else "--clean-lines"
    rows = []
    print("%-22s" % "picture" + "".join("%10s" % c for c in COLUMNS) + "%8s" % "s")
    for name in sorted(boxes):
        original = cv2.imread(os.path.join(args.scenes, name + ".png"), cv2.IMREAD_COLOR)
        true_mask = cv2.imread(os.path.join(args.scenes, name + ".mask.png"),
                               cv2.IMREAD_GRAYSCALE)
        box = [int(v) for v in boxes[name].split(",")]
        for scale in [int(s) for s in args.scale.split(",")]:
            label = "%s@%dx" % (name, scale)
            source = os.path.join(args.scenes, name + ".png")
            mask = true_mask
            if scale != 1:
                source = os.path.join(work, label + ".png")
                cv2.imwrite(source, cv2.resize(original, None, fx=scale, fy=scale,
                                               interpolation=cv2.INTER_CUBIC))
                mask = cv2.resize(true_mask, None, fx=scale, fy=scale,
                                  interpolation=cv2.INTER_NEAREST)
            options = [step]
            if not args.no_box:
                options = ["--subject", ",".join(str(v * scale) for v in box)] + options
                if args.background:
                    options = ["--background", args.background] + options
            out = os.path.join(work, label + ".bmp")
            start = time.time()
            subprocess.run([args.cli, "convert"] + options + [source, out], check=True)
            seconds = time.time() - start
            page = cv2.imread(out, cv2.IMREAD_GRAYSCALE)
            m = measure(page, mask, args.colour_by_number)
            rows.append(m)
            print("%-22s" % label + "".join(
                "%10.3f" % m[c] if isinstance(m[c], float) else "%10d" % m[c]
                for c in COLUMNS) + "%8.2f" % seconds +
                ("" if m["bw"] or args.colour_by_number else "  NOT B/W"))
            sys.stdout.flush()
    print("%-22s" % "median" + "".join(
        "%10.3f" % float(np.median([r[c] for r in rows])) for c in COLUMNS))
    print("%-22s" % "worst" + "".join(
        "%10.3f" % float((np.min if c in ("outline", "inside") else np.max)(
            [r[c] for r in rows])) for c in COLUMNS))


if __name__ == "__main__":
    main()
