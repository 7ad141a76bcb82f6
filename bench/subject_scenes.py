#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Makes pictures of a subject whose true outline is known: objects cut out of
scikit-image's sample photographs (a careful GrabCut at full size from a hand-placed box, its
largest piece with holes filled), and photographed animals and things that Tux Paint's stamps
(Debian package tuxpaint-stamps-default) ship with an alpha channel, pasted onto other
photographs and textures. Most stamps are chosen to share colours with their ground: a brown
bear on grey gravel, a fox on brick, a cow on cobbles of the same brown, stones on gravel.
Without the stamps package only the first eight scenes are made.

bench/subject_scenes.py OUTDIR [--fresh]

--fresh makes a second set instead, of ten other stamps on other grounds, that no setting was
tuned on: a giraffe and a kangaroo on orange flowers, a zebra by a black-and-white
motorbike, a lion and a dingo on sand, a horse on cobbles, a gorilla on brick. Its figures tell
how far those of the first set carry over.

Writes OUTDIR/NAME.png (the picture, 1200 px on its longer side), OUTDIR/NAME.mask.png (255 on
the subject) and OUTDIR/boxes.txt (NAME X,Y,W,H: the subject's bounding box widened by 3 % of
the picture's diagonal on each side, clipped to the picture).
"""
import os
import sys

import cv2
import numpy as np

DATA = "/usr/lib/python3/dist-packages/skimage/data/"
STAMPS = "/usr/share/tuxpaint/stamps/"

# Object photo, the box around the object in it (x, y, w, h).
OBJECTS = {
    "cat": ("chelsea.png", (20, 10, 420, 288)),
    "astronaut": ("astronaut.png", (40, 20, 310, 490)),
    "cup": ("coffee.png", (150, 20, 340, 290)),
    "rocket": ("rocket.jpg", (220, 10, 120, 400)),
}

# Photographed stamps whose alpha channel is their true outline.
STAMP_OBJECTS = {
    "bear": "animals/mammals/bears/european-bear.png",
    "fox": "animals/mammals/dogs/fox.png",
    "cow": "animals/mammals/bovines/cow.png",
    "husky": "animals/mammals/dogs/dog.png",
    "guineafowl": "animals/birds/helmeted_guineafowl.png",
    "stones": "town/monuments/inukshuk-photo.png",
    # for the fresh set
    "giraffe": "animals/mammals/giraffe.png",
    "tiger": "animals/mammals/cats/tiger.png",
    "lion": "animals/mammals/cats/lion.png",
    "zebra": "animals/mammals/equines/zebra.png",
    "horse": "animals/mammals/equines/horse.png",
    "elephant": "animals/mammals/elephant.png",
    "gorilla": "animals/mammals/apes/gorilla.png",
    "dingo": "animals/mammals/dogs/dingo.png",
    "kangaroo": "animals/marsupials/kangaroo.png",
    "sheep": "animals/mammals/bovines/sheep.png",
}


def stamp(name):
    picture = cv2.imread(STAMPS + STAMP_OBJECTS[name], cv2.IMREAD_UNCHANGED)
    alpha = np.where(picture[:, :, 3] >= 128, 255, 0).astype(np.uint8)
    x, y, w, h = cv2.boundingRect(alpha)
    return picture[y:y + h, x:x + w, :3], alpha[y:y + h, x:x + w]


def cut_out(name):
    if name in STAMP_OBJECTS:
        return stamp(name)
    path, box = OBJECTS[name]
    photo = cv2.imread(DATA + path, cv2.IMREAD_COLOR)
    mask = np.zeros(photo.shape[:2], np.uint8)
    bgd = np.zeros((1, 65), np.float64)
    fgd = np.zeros((1, 65), np.float64)
    cv2.setRNGSeed(7)
    cv2.grabCut(photo, mask, box, bgd, fgd, 10, cv2.GC_INIT_WITH_RECT)
    subject = ((mask & 1) * 255).astype(np.uint8)
    subject = cv2.morphologyEx(subject, cv2.MORPH_OPEN, np.ones((5, 5), np.uint8))
    count, labels, stats, _ = cv2.connectedComponentsWithStats(subject)
    largest = 1 + int(np.argmax(stats[1:, cv2.CC_STAT_AREA]))
    subject = np.where(labels == largest, 255, 0).astype(np.uint8)
    # Holes filled: the outline is the outer contour.
    contours, _ = cv2.findContours(subject, cv2.RETR_EXTERNAL, cv2.CHAIN_APPROX_NONE)
    filled = np.zeros_like(subject)
    cv2.drawContours(filled, contours, -1, 255, cv2.FILLED)
    x, y, w, h = cv2.boundingRect(filled)
    return photo[y:y + h, x:x + w], filled[y:y + h, x:x + w]


def tinted(texture, colour):
    grey = cv2.imread(DATA + texture, cv2.IMREAD_GRAYSCALE).astype(np.float32) / 255.0
    mirrored = np.block([[grey, grey[:, ::-1]], [grey[::-1, :], grey[::-1, ::-1]]])
    tiled = np.tile(mirrored, (2, 2))[:900, :1200]
    return np.clip(tiled[:, :, None] * np.array(colour, np.float32)[None, None, :] * 1.6,
                   0, 255).astype(np.uint8)


def photo_ground(path):
    photo = cv2.imread(DATA + path, cv2.IMREAD_COLOR)
    return cv2.resize(photo, (1200, 900), interpolation=cv2.INTER_CUBIC)


GROUNDS = {
    "grass": lambda: tinted("grass.png", (60, 160, 90)),
    "gravel": lambda: tinted("gravel.png", (150, 160, 170)),
    "brick": lambda: tinted("brick.png", (90, 110, 170)),
    "street": lambda: photo_ground("motorcycle_left.png"),
    "launchpad": lambda: photo_ground("rocket.jpg"),
    "cobbles": lambda: tinted("gravel.png", (120, 130, 170)),
    # for the fresh set
    "flowers": lambda: tinted("grass.png", (40, 140, 200)),
    "sand": lambda: tinted("gravel.png", (110, 150, 170)),
    "road": lambda: photo_ground("motorcycle_right.png"),
    "coffee": lambda: photo_ground("coffee.png"),
    "meadow": lambda: tinted("grass.png", (70, 150, 120)),
}

# Object, ground, height of the subject as a share of the picture's, centre (shares).
SCENES = [
    ("cat", "grass", 0.55, (0.45, 0.55)),
    ("cat", "brick", 0.5, (0.55, 0.45)),
    ("astronaut", "gravel", 0.8, (0.5, 0.55)),
    ("astronaut", "street", 0.75, (0.35, 0.55)),
    ("cup", "grass", 0.5, (0.6, 0.5)),
    ("cup", "brick", 0.55, (0.45, 0.5)),
    ("rocket", "gravel", 0.85, (0.5, 0.5)),
    ("cat", "street", 0.45, (0.6, 0.6)),
    ("bear", "gravel", 0.55, (0.45, 0.55)),
    ("fox", "brick", 0.65, (0.55, 0.5)),
    ("cow", "cobbles", 0.5, (0.5, 0.55)),
    ("husky", "launchpad", 0.6, (0.4, 0.6)),
    ("guineafowl", "grass", 0.6, (0.55, 0.5)),
    ("stones", "gravel", 0.8, (0.5, 0.5)),
]

# The fresh set: the same, with animals and grounds no setting was tuned on.
FRESH_SCENES = [
    ("giraffe", "flowers", 0.8, (0.5, 0.5)),
    ("tiger", "meadow", 0.5, (0.5, 0.55)),
    ("lion", "sand", 0.32, (0.5, 0.5)),
    ("zebra", "road", 0.55, (0.5, 0.55)),
    ("horse", "cobbles", 0.6, (0.5, 0.5)),
    ("elephant", "gravel", 0.6, (0.5, 0.5)),
    ("gorilla", "brick", 0.6, (0.5, 0.5)),
    ("dingo", "sand", 0.5, (0.5, 0.5)),
    ("kangaroo", "flowers", 0.7, (0.45, 0.5)),
    ("sheep", "coffee", 0.5, (0.5, 0.55)),
]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    scenes = FRESH_SCENES if "--fresh" in sys.argv[2:] else SCENES
    boxes = []
    for obj, ground, height, centre in scenes:
        if obj in STAMP_OBJECTS and not os.path.isdir(STAMPS):
            continue
        colours, alpha = cut_out(obj)
        picture = GROUNDS[ground]()
        scale = height * picture.shape[0] / colours.shape[0]
        colours = cv2.resize(colours, None, fx=scale, fy=scale, interpolation=cv2.INTER_AREA)
        alpha = cv2.resize(alpha, (colours.shape[1], colours.shape[0]),
                           interpolation=cv2.INTER_LINEAR)
        h, w = alpha.shape
        x0 = int(centre[0] * picture.shape[1] - w / 2)
        y0 = int(centre[1] * picture.shape[0] - h / 2)
        x0 = min(max(0, x0), picture.shape[1] - w)
        y0 = min(max(0, y0), picture.shape[0] - h)
        a = alpha.astype(np.float32)[:, :, None] / 255.0
        region = picture[y0:y0 + h, x0:x0 + w].astype(np.float32)
        picture[y0:y0 + h, x0:x0 + w] = (a * colours + (1 - a) * region).astype(np.uint8)
        mask = np.zeros(picture.shape[:2], np.uint8)
        mask[y0:y0 + h, x0:x0 + w] = np.where(alpha >= 128, 255, 0)
        name = "%s-%s" % (obj, ground)
        cv2.imwrite(os.path.join(out, name + ".png"), picture)
        cv2.imwrite(os.path.join(out, name + ".mask.png"), mask)
        x, y, bw, bh = cv2.boundingRect(mask)
        widen = int(round(0.03 * np.hypot(*picture.shape[:2])))
        left, top = max(0, x - widen), max(0, y - widen)
        right = min(picture.shape[1], x + bw + widen)
        bottom = min(picture.shape[0], y + bh + widen)
        boxes.append("%s %d,%d,%d,%d" % (name, left, top, right - left, bottom - top))
    with open(os.path.join(out, "boxes.txt"), "w") as f:
        f.write("\n".join(boxes) + "\n")


if __name__ == "__main__":
    main()
