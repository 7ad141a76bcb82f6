// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

// Closed regions of a flattened picture: seeded flooding of the colour edge strength cuts it
// into small cells whose borders run along the strongest change, then neighbours are merged,
// weakest border first, until every border left is a real outline and every region is wide
// enough to colour.
struct RegionRules {
    // Neighbours whose border costs less than this merge (see borderCost).
    double mergeBelow = 8.0;
    // Every region ends at least this wide, in pixels: the widest disc inside it, its
    // borders and the picture's edge being one pixel lines.
    double minimumAcross = 10.0;
    // A region larger than this share of the picture is cut where its parts hold together
    // most weakly, into parts of at least smallestPart of the picture: a subject standing on a
    // background of nearly its colour keeps the best outline there is.
    double largestShare = 0.25;
    double smallestPart = 0.03;
    // How much of the mean edge strength inside two regions their border's strength loses
    // before it counts: 0 judges borders as they are, 1 against the texture around them.
    double texture = 1.0;
    // How much a border's cost owes to its edge strength rather than the colour step across
    // it (see borderCost).
    double strengthWeight = 0.5;
    // Distance between the seeds of the first cells, in pixels.
    int seedSpacing = 8;
};

// The cost of the border between two neighbours: the mean edge strength along it and the
// difference of their mean colours, weighted strengthWeight to 1 - strengthWeight. A shading
// band has a weak border and a small colour step, texture a strong border between alike
// colours; an outline has both.
double borderCost(double meanStrength, double colourDifference, double strengthWeight);

// The region of every pixel (CV_32S, 0 .. count - 1, numbered in order of first appearance
// going down the rows). lab is CV_32FC3, strength CV_32F of the same size.
cv::Mat segmentRegions(const cv::Mat& lab, const cv::Mat& strength, const RegionRules& rules);

// Gives each pixel the region most of its eight neighbours and itself belong to, passes
// times: the borders lose the steps and hooks the first cells' noise left, and run as the
// regions' shapes do.
void smoothRegions(cv::Mat& labels, int passes);

// 1 on the pixels that border another region to their right or below, 0 elsewhere: the
// regions' outlines, one pixel wide, each on one side of the border.
cv::Mat regionBorders(const cv::Mat& labels);
