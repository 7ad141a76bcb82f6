// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>
#include <opencv2/core/types.hpp>

#include <vector>

// A centre line as points in pixel coordinates (a pixel's centre at x + 0.5, y + 0.5).
struct CentreLine {
    std::vector<cv::Point2f> points;
    bool closed = false;
};

// The lines of a thinned picture (non-zero is ink, one pixel wide): each runs from an end or
// a meeting of lines to the next, a loop without either is one closed line, and a lone pixel
// is a line of one point. Lines that meet share their meeting pixel's point, so drawn, they
// stay joined.
std::vector<CentreLine> traceCentreLines(const cv::Mat& skeleton);

// Drops the spurs: open lines shorter than shorterThan that run from a meeting of lines to a
// free end inside the picture (of size `picture`). They close nothing, and on a page they are
// the burrs and tabs of thinning. Before smoothing, while meetings are shared points.
void pruneSpurs(std::vector<CentreLine>& lines, double shorterThan, const cv::Size& picture);

// Takes the pixel steps out of each line: every point but the ends of an open line moves
// towards the middle of its neighbours, passes times.
void smoothCentreLines(std::vector<CentreLine>& lines, int passes);

// Draws the lines of a picture of `from` pixels on ink of another size, scaled to it, one
// pixel wide and 8-connected: a pen of the chosen thickness widens them afterwards, as
// OpenCV's own thick lines come out about two pixels wider than asked. A line that reaches
// the edge of the picture reaches the edge of the ink, so what it divides there stays divided.
void drawCentreLines(cv::Mat& ink, const std::vector<CentreLine>& lines, const cv::Size& from);
