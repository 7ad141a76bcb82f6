// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

#include <vector>

// A few colours that stand for all of a picture's, chosen in CIELAB so that distances
// between them are the differences people see.

// At most colours colours (CIELAB, L 0..100) for a CV_32FC3 CIELAB picture: k-means++ seeded
// from a fixed number, so the same picture always gives the same palette, with colours
// closer than a just visible difference joined. Ordered from light to dark.
std::vector<cv::Vec3f> labPalette(const cv::Mat& lab, int colours);

// The index in palette of the colour nearest to each pixel (CV_8U).
cv::Mat nearestColours(const cv::Mat& lab, const std::vector<cv::Vec3f>& palette);

// The index of the colour of palette nearest to colour.
int nearestColour(const cv::Vec3f& colour, const std::vector<cv::Vec3f>& palette);
