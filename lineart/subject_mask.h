// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "region_merging.h"

#include <opencv2/core/mat.hpp>

#include <vector>

// The subject of a picture, cut out of a box drawn around it, and what a page keeps of the
// rest.

// What a page draws around its subject: white paper, the few largest shapes of the
// background, or the whole background as without a subject.
enum class Background { None, Simple, Full };

// A stroke of the keep brush (certainly subject) or the remove brush (certainly background):
// a line through points, radius pixels either side of it.
struct SubjectStroke {
    bool keep = true;
    int radius = 1;
    std::vector<cv::Point> points;

    bool operator==(const SubjectStroke& other) const {
        return keep == other.keep && radius == other.radius && points == other.points;
    }
};

struct Subject {
    // In the picture's pixels; empty: the whole picture is drawn as it is.
    cv::Rect box;
    Background background = Background::None;
    // Corrections of the cut inside the box, in the picture's pixels.
    std::vector<SubjectStroke> strokes{};
    // A first answer: the cut made on a smaller copy, without cutting its edge again, in a
    // fraction of the time, for a preview to show while the page's own cut is made.
    bool rough = false;

    bool isSet() const { return !box.empty(); }
};

// How many background regions a simple background keeps at most.
inline constexpr int kSimpleBackgroundRegions = 6;

// The box of a picture of this size in a copy of another size, clipped to the copy.
cv::Rect scaledBox(const cv::Rect& box, cv::Size picture, cv::Size copy);
// The strokes of a picture of this size in a copy of another size.
std::vector<SubjectStroke> scaledStrokes(const std::vector<SubjectStroke>& strokes,
                                         cv::Size picture, cv::Size copy);

// 1 on what GrabCut takes for the subject inside box, 0 elsewhere, at the size of colours
// (8-bit blue, green, red). It runs on a copy of the box and a margin around it at most
// kGrabCutSide pixels on its longer side, where its cost stays a fraction of a second; any
// region of the photo that runs out of the box is ground. Near the cut's edge (within
// kEdgeBand of colours' diagonal outside it, kSettledDepth times that inside) it is cut again
// on a copy at most kRefineSide pixels on its longer side (smaller where the edge's bounds
// would hold over kRefinePixels), where fur and ground of alike colours were blurred
// together on the small copy. The same picture and box
// give the same mask, and the last few masks are kept for the same colours, box and strokes asked
// again. Under strokes (in the pixels of colours) the cut is what the brush says.
// A rough cut (for a first answer) is made at kRoughGrabCutSide with fewer rounds, and is
// neither settled outside the box nor cut again near its edge.
inline constexpr int kGrabCutSide = 400;
inline constexpr int kRoughGrabCutSide = 200;
inline constexpr int kRefineSide = 1024;
// At most this many pixels around the edge are cut again: fewer for a subject that fills
// its picture, where the edge's bounds hold nearly the whole copy.
inline constexpr double kRefinePixels = 250000;
inline constexpr double kEdgeBand = 0.012;
// How deep inside the rough cut's edge, in kEdgeBands, the fine cut may still move it.
inline constexpr int kSettledDepth = 12;
// The fine cut learns the subject's colours only from deeper than this inside the rough
// cut's edge, in kEdgeBands, when at least kLearnedCoreShare of the cut lies there.
inline constexpr double kLearnedDepth = 1.5;
inline constexpr double kLearnedCoreShare = 0.15;
cv::Mat grabCutMask(const cv::Mat& colours, const cv::Rect& box,
                    const std::vector<SubjectStroke>& strokes = {}, bool rough = false);

// The mask (0/1) moved onto the picture's own edges: a region (labels, CV_32S) goes wholly
// to the side most of it is on when the part it moves lies within half of across pixels of
// the mask's edge; a region reaching deep into both sides keeps the mask's cut. Thin spurs and
// slivers narrower than across pixels go, and of the pieces left only those with at least a
// tenth of the largest's area stay: each has one closed outline.
cv::Mat snapToRegions(const cv::Mat& mask, const cv::Mat& labels, double across);

// The pieces of labels (CV_32S) where `where` is non-zero reduced to the most largest; every
// other pixel there takes the label of the nearest kept piece. Pixels outside `where` keep
// their labels.
void keepLargestRegions(cv::Mat& labels, const cv::Mat& where, int most);

// The colours of a working copy (8-bit blue, green, red) of a picture of size picture, with
// its background as a colour-by-number page shows it: white paper for none, each of the
// few largest background shapes in its mean colour for simple, unchanged for full. across
// is the narrowest region, in pixels of the copy. Returns the subject (CV_8U, 1 on it, the
// copy's size), or nothing when the whole photo is drawn.
cv::Mat paintAroundSubject(cv::Mat& colours, const Subject& subject, cv::Size picture,
                           double across);
