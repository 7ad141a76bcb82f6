// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

#include <vector>

// A few colours that stand for all of a picture's, chosen in CIELAB so that distances
// between them are the differences people see.

// The least CIEDE2000 difference between two colours of a palette of the photo's own colours:
// closer ones are hard for a child to tell apart among the crayons.
inline constexpr double kDistinctColours = 10.0;

// The CIEDE2000 difference of two CIELAB colours (L 0..100).
double deltaE2000(const cv::Vec3f& lab1, const cv::Vec3f& lab2);

// At most colours colours (CIELAB, L 0..100) for a CV_32FC3 CIELAB picture: k-means++ seeded
// from a fixed number, so the same picture always gives the same palette, with colours
// closer than kDistinctColours joined. Ordered from light to dark. Patterns finer
// than finest pixels count as the mean of their colours.
std::vector<cv::Vec3f> labPalette(const cv::Mat& lab, int colours, int finest = 1);

// The places in choices (CIELAB) of at most colours colours that together render a CV_32FC3
// CIELAB picture best: each taken in turn where it most lowers the summed CIELAB difference
// of the picture's colours to the nearest taken. In ascending order.
std::vector<int> bestChoices(const cv::Mat& lab, const std::vector<cv::Vec3f>& choices, int colours,
                             int finest = 1);

// The index in palette of the colour nearest to each pixel (CV_8U).
cv::Mat nearestColours(const cv::Mat& lab, const std::vector<cv::Vec3f>& palette);

// The index of the colour of palette nearest to colour.
int nearestColour(const cv::Vec3f& colour, const std::vector<cv::Vec3f>& palette);
