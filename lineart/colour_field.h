// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <opencv2/core/mat.hpp>

// The picture as the region engine sees it: flattened colours in CIELAB and one strength of
// colour change per pixel.

// The colours resized so that the longer side is side pixels: smoothly when shrinking, by
// cubic interpolation when enlarging.
cv::Mat workingCopy(const cv::Mat& colours, int side);
// The size of that copy for a picture of this size.
cv::Size workingCopySize(const cv::Size& picture, int side);
// The same at most side pixels on the longer side: a smaller picture keeps its own size.
cv::Mat shrunkCopy(const cv::Mat& colours, int side);
cv::Size shrunkSize(const cv::Size& picture, int side);

// The colours (8-bit blue, green, red) in CIELAB as floats (L 0..100), smoothed by bilateral
// passes whose reach is in pixels of the picture given: fur, grain and noise go, outlines
// between different colours stay sharp.
cv::Mat flattenedLab(const cv::Mat& colours, double reach);

// The strength of colour change at each pixel, in CIELAB units per pixel: the larger
// eigenvalue's root of the colour structure tensor (Di Zenzo), so an edge between two
// colours of one brightness counts as much as one between light and dark, and both sides
// of an edge agree.
cv::Mat colourEdgeStrength(const cv::Mat& lab, double sigma);
