// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colour_palette.h"

#include <opencv2/core.hpp>

#include <algorithm>
#include <random>

namespace {

// Enough samples for the colours of any picture, few enough for a few milliseconds a pass.
constexpr int kSamples = 40000;
constexpr int kPasses = 12;
// Colours closer than this (CIELAB units) look alike on paper: they share one number.
constexpr float kAlike = 7.0f;

float distance2(const cv::Vec3f& a, const cv::Vec3f& b) {
    const cv::Vec3f d = a - b;
    return d.dot(d);
}

// Pixels on a regular grid: the same picture gives the same samples.
std::vector<cv::Vec3f> samplesOf(const cv::Mat& lab) {
    const int step = std::max(1, int(std::sqrt(double(lab.total()) / kSamples)));
    std::vector<cv::Vec3f> samples;
    for (int y = step / 2; y < lab.rows; y += step) {
        const auto* row = lab.ptr<cv::Vec3f>(y);
        for (int x = step / 2; x < lab.cols; x += step)
            samples.push_back(row[x]);
    }
    if (samples.empty())
        samples.push_back(lab.at<cv::Vec3f>(0, 0));
    return samples;
}

// k-means++: each next centre drawn with odds growing with the squared distance to the
// nearest centre so far.
std::vector<cv::Vec3f> seeds(const std::vector<cv::Vec3f>& samples, int colours) {
    std::mt19937 random(20260);
    std::vector<cv::Vec3f> centres{samples[samples.size() / 2]};
    std::vector<double> nearest(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        nearest[i] = distance2(samples[i], centres[0]);
    while (int(centres.size()) < colours) {
        double total = 0;
        for (const double d : nearest)
            total += d;
        if (total <= 0)
            break; // fewer distinct colours than asked for
        double pick = std::uniform_real_distribution<double>(0.0, total)(random);
        size_t chosen = 0;
        while (chosen + 1 < samples.size() && pick >= nearest[chosen])
            pick -= nearest[chosen++];
        centres.push_back(samples[chosen]);
        for (size_t i = 0; i < samples.size(); ++i)
            nearest[i] = std::min(nearest[i], double(distance2(samples[i], centres.back())));
    }
    return centres;
}

// Lloyd's passes; a centre no sample chooses goes.
std::vector<cv::Vec3f> refine(const std::vector<cv::Vec3f>& samples, std::vector<cv::Vec3f> centres,
                              std::vector<int>& counts) {
    for (int pass = 0; pass < kPasses; ++pass) {
        std::vector<cv::Vec3d> sums(centres.size());
        counts.assign(centres.size(), 0);
        for (const cv::Vec3f& sample : samples) {
            const auto c = size_t(nearestColour(sample, centres));
            sums[c] += cv::Vec3d(sample);
            ++counts[c];
        }
        std::vector<cv::Vec3f> moved;
        std::vector<int> kept;
        for (size_t c = 0; c < centres.size(); ++c)
            if (counts[c] > 0) {
                moved.push_back(cv::Vec3f(sums[c] / double(counts[c])));
                kept.push_back(counts[c]);
            }
        counts = kept;
        centres = moved;
    }
    return centres;
}

// Joins the closest two colours, weighted by how many samples chose them, while they are
// closer than alike.
void joinAlike(std::vector<cv::Vec3f>& centres, std::vector<int>& counts) {
    while (centres.size() > 1) {
        size_t a = 0;
        size_t b = 1;
        for (size_t i = 0; i < centres.size(); ++i)
            for (size_t j = i + 1; j < centres.size(); ++j)
                if (distance2(centres[i], centres[j]) < distance2(centres[a], centres[b])) {
                    a = i;
                    b = j;
                }
        if (distance2(centres[a], centres[b]) >= kAlike * kAlike)
            return;
        const double total = counts[a] + counts[b];
        centres[a] =
            (centres[a] * float(counts[a] / total) + centres[b] * float(counts[b] / total));
        counts[a] += counts[b];
        centres.erase(centres.begin() + long(b));
        counts.erase(counts.begin() + long(b));
    }
}

} // namespace

int nearestColour(const cv::Vec3f& colour, const std::vector<cv::Vec3f>& palette) {
    int best = 0;
    float bestDistance = distance2(colour, palette[0]);
    for (size_t c = 1; c < palette.size(); ++c) {
        const float d = distance2(colour, palette[c]);
        if (d < bestDistance) {
            bestDistance = d;
            best = int(c);
        }
    }
    return best;
}

std::vector<cv::Vec3f> labPalette(const cv::Mat& lab, int colours) {
    const std::vector<cv::Vec3f> samples = samplesOf(lab);
    std::vector<int> counts;
    std::vector<cv::Vec3f> palette = refine(samples, seeds(samples, std::max(1, colours)), counts);
    joinAlike(palette, counts);
    std::stable_sort(palette.begin(), palette.end(),
                     [](const cv::Vec3f& a, const cv::Vec3f& b) { return a[0] > b[0]; });
    return palette;
}

cv::Mat nearestColours(const cv::Mat& lab, const std::vector<cv::Vec3f>& palette) {
    cv::Mat indices(lab.size(), CV_8U);
    cv::parallel_for_(cv::Range(0, lab.rows), [&](const cv::Range& rows) {
        for (int y = rows.start; y < rows.end; ++y) {
            const auto* in = lab.ptr<cv::Vec3f>(y);
            uchar* out = indices.ptr<uchar>(y);
            for (int x = 0; x < lab.cols; ++x)
                out[x] = uchar(nearestColour(in[x], palette));
        }
    });
    return indices;
}
