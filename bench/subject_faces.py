#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Whether a boxed person keeps her head and her eyes, on scikit-image's own astronaut photo
(not pasted onto another ground: her hair and face share the wall's colours), at each
smallest region a page offers (3, 5 and 8 mm) and at several sizes of the photo.

bench/subject_faces.py CLI [--sizes 512,1200,2400] [--keep DIR]

Each page is `CLI convert --smallest-region MM --subject BOX --clean-lines PHOTO PAGE.bmp`,
with three boxes: tight around her, loose, and the whole picture. Per page:
  head  1 when her face's centre lies in paper closed off from the paper at the page's
        corner (her head is inside an outline), else 0
  eyes  how many of her two eyes have ink within 1.2 % of the picture's side of their centre
Needs python3-opencv and python3-skimage.
"""
import argparse
import os
import subprocess
import tempfile

import cv2
import numpy as np
from skimage import data

# In fractions of the 512-pixel photo's side.
FACE = (0.42, 0.24)
EYES = [(0.389, 0.195), (0.481, 0.201)]
BOXES = {
    "tight": (0.125, 0.033, 0.667, 0.967),
    "loose": (0.05, 0.017, 0.933, 0.983),
    "whole": (0.0, 0.0, 1.0, 1.0),
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--sizes", default="512,1200,2400")
    parser.add_argument("--keep")
    args = parser.parse_args()
    work = args.keep or tempfile.mkdtemp()
    os.makedirs(work, exist_ok=True)
    photo = cv2.cvtColor(data.astronaut(), cv2.COLOR_RGB2BGR)
    print("%-8s %-6s %4s %6s %6s" % ("size", "box", "mm", "head", "eyes"))
    heads = eyes_kept = pages = 0
    for size in [int(s) for s in args.sizes.split(",")]:
        source = os.path.join(work, "astronaut%d.png" % size)
        cv2.imwrite(source, cv2.resize(photo, (size, size), interpolation=cv2.INTER_AREA
                                       if size < 512 else cv2.INTER_CUBIC))
        for name, (x, y, w, h) in BOXES.items():
            box = ",".join(str(int(round(v * size))) for v in (x, y, w, h))
            for mm in (3, 5, 8):
                out = os.path.join(work, "astronaut%d-%s-%d.bmp" % (size, name, mm))
                subprocess.run([args.cli, "convert", "--smallest-region", str(mm),
                                "--subject", box, "--clean-lines", source, out], check=True)
                ink = cv2.imread(out, cv2.IMREAD_GRAYSCALE) < 128
                paper = np.pad((~ink).astype(np.uint8), 1, constant_values=1)
                _, labels = cv2.connectedComponents(paper, connectivity=4)
                face = labels[int(FACE[1] * size) + 1, int(FACE[0] * size) + 1]
                head = int(face != 0 and face != labels[0, 0])
                reach = max(2, int(0.012 * size))
                eyes = sum(int(ink[max(0, int(ey * size) - reach):int(ey * size) + reach,
                                   max(0, int(ex * size) - reach):int(ex * size) + reach].any())
                           for ex, ey in EYES)
                print("%-8d %-6s %4d %6d %6d" % (size, name, mm, head, eyes))
                heads += head
                eyes_kept += eyes
                pages += 1
    print("heads kept on %d of %d pages, %d of %d eyes" % (heads, pages, eyes_kept, 2 * pages))


if __name__ == "__main__":
    main()
