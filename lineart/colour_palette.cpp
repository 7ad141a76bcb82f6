// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colour_palette.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Enough samples for the colours of any picture, few enough for a few milliseconds a pass.
constexpr int kSamples = 40000;
constexpr int kPasses = 12;
// Samples that rank a given palette's colours.
constexpr size_t kChoiceSamples = 10000;
// Colours closer than this (CIEDE2000) are hard for a child to tell apart on paper: they
// share one number. A little above the round figure, so that rounding the colours to bytes
// and another program's conversion to CIELAB still find them that far apart.
constexpr double kApart = kDistinctColours + 0.3;
// Rounds of fitting the colours again after joining or adding some.
constexpr int kJoinRounds = 12;
// A colour is added where the picture lies at least this far (CIEDE2000) from every colour:
// far enough that its cluster stays apart from the others.
constexpr double kFarEnough = 1.5 * kDistinctColours;

float distance2(const cv::Vec3f& a, const cv::Vec3f& b) {
    const cv::Vec3f d = a - b;
    return d.dot(d);
}

// The mean colour of each cell of a regular grid, the cells no smaller than finest: the same
// picture gives the same samples, and a pattern finer than a region can be still counts
// with its colours mixed as the eye mixes them, where one pixel a cell would see only one.
std::vector<cv::Vec3f> samplesOf(const cv::Mat& lab, int finest) {
    const int step = std::max({1, finest, int(std::sqrt(double(lab.total()) / kSamples))});
    cv::Mat cells = lab;
    if (step > 1)
        cv::resize(lab, cells, cv::Size(std::max(1, lab.cols / step), std::max(1, lab.rows / step)),
                   0, 0, cv::INTER_AREA);
    std::vector<cv::Vec3f> samples;
    samples.reserve(cells.total());
    for (int y = 0; y < cells.rows; ++y) {
        const auto* row = cells.ptr<cv::Vec3f>(y);
        samples.insert(samples.end(), row, row + cells.cols);
    }
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

// Each colour moved to the one its bytes show, so that distances are those of the key.
void snapToBytes(std::vector<cv::Vec3f>& lab) {
    if (lab.empty())
        return;
    cv::Mat colours(1, int(lab.size()), CV_32FC3, lab.data());
    cv::Mat bgr;
    cv::cvtColor(colours, bgr, cv::COLOR_Lab2BGR);
    bgr.convertTo(bgr, CV_8UC3, 255.0);
    bgr.convertTo(bgr, CV_32FC3, 1.0 / 255.0);
    cv::cvtColor(bgr, colours, cv::COLOR_BGR2Lab);
}

// Joining leaves fewer colours than asked: a sample farthest from every colour, when far
// enough, becomes a colour of its own. True when one is added.
bool addFarthest(const std::vector<cv::Vec3f>& samples, std::vector<cv::Vec3f>& centres,
                 std::vector<int>& counts) {
    double farthest = 0;
    const cv::Vec3f* chosen = nullptr;
    for (const cv::Vec3f& sample : samples) {
        const double d = deltaE2000(sample, centres[size_t(nearestColour(sample, centres))]);
        if (d > farthest) {
            farthest = d;
            chosen = &sample;
        }
    }
    if (!chosen || farthest < kFarEnough)
        return false;
    centres.push_back(*chosen);
    counts.push_back(1);
    return true;
}

// Joins the two colours nearest each other, weighted by how many samples chose them, while
// any two are closer than kApart. True when it joined any.
bool joinAlike(std::vector<cv::Vec3f>& centres, std::vector<int>& counts) {
    bool joined = false;
    while (centres.size() > 1) {
        size_t a = 0;
        size_t b = 1;
        double nearest = deltaE2000(centres[0], centres[1]);
        for (size_t i = 0; i < centres.size(); ++i)
            for (size_t j = i + 1; j < centres.size(); ++j)
                if (const double d = deltaE2000(centres[i], centres[j]); d < nearest) {
                    nearest = d;
                    a = i;
                    b = j;
                }
        if (nearest >= kApart)
            return joined;
        const double total = counts[a] + counts[b];
        std::vector<cv::Vec3f> mixed{centres[a] * float(counts[a] / total) +
                                     centres[b] * float(counts[b] / total)};
        snapToBytes(mixed);
        centres[a] = mixed[0];
        counts[a] += counts[b];
        centres.erase(centres.begin() + long(b));
        counts.erase(counts.begin() + long(b));
        joined = true;
    }
    return joined;
}

} // namespace

double deltaE2000(const cv::Vec3f& lab1, const cv::Vec3f& lab2) {
    constexpr double pi = 3.14159265358979323846;
    const auto radians = [](double degrees) { return degrees * pi / 180.0; };
    const double c1 = std::hypot(double(lab1[1]), double(lab1[2]));
    const double c2 = std::hypot(double(lab2[1]), double(lab2[2]));
    const double meanC7 = std::pow(0.5 * (c1 + c2), 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(meanC7 / (meanC7 + std::pow(25.0, 7.0))));
    const double a1 = (1.0 + g) * lab1[1];
    const double a2 = (1.0 + g) * lab2[1];
    const double cp1 = std::hypot(a1, double(lab1[2]));
    const double cp2 = std::hypot(a2, double(lab2[2]));
    const auto hue = [&](double a, double b) {
        if (a == 0 && b == 0)
            return 0.0;
        const double h = std::atan2(b, a) * 180.0 / pi;
        return h < 0 ? h + 360.0 : h;
    };
    const double h1 = hue(a1, lab1[2]);
    const double h2 = hue(a2, lab2[2]);
    const double dL = double(lab2[0]) - lab1[0];
    const double dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dH = 2.0 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2.0));
    const double meanL = 0.5 * (lab1[0] + lab2[0]);
    const double meanCp = 0.5 * (cp1 + cp2);
    double meanH = h1 + h2;
    if (cp1 * cp2 != 0) {
        if (std::abs(h1 - h2) <= 180)
            meanH = 0.5 * (h1 + h2);
        else
            meanH = h1 + h2 < 360 ? 0.5 * (h1 + h2 + 360) : 0.5 * (h1 + h2 - 360);
    }
    const double t = 1.0 - 0.17 * std::cos(radians(meanH - 30)) +
                     0.24 * std::cos(radians(2 * meanH)) + 0.32 * std::cos(radians(3 * meanH + 6)) -
                     0.20 * std::cos(radians(4 * meanH - 63));
    const double dTheta = 30.0 * std::exp(-std::pow((meanH - 275.0) / 25.0, 2.0));
    const double meanCp7 = std::pow(meanCp, 7.0);
    const double rc = 2.0 * std::sqrt(meanCp7 / (meanCp7 + std::pow(25.0, 7.0)));
    const double l50 = (meanL - 50) * (meanL - 50);
    const double sl = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double sc = 1.0 + 0.045 * meanCp;
    const double sh = 1.0 + 0.015 * meanCp * t;
    const double rt = -std::sin(radians(2.0 * dTheta)) * rc;
    const double l = dL / sl;
    const double c = dC / sc;
    const double h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

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

std::vector<cv::Vec3f> labPalette(const cv::Mat& lab, int colours, int finest) {
    const std::vector<cv::Vec3f> samples = samplesOf(lab, finest);
    std::vector<int> counts;
    std::vector<cv::Vec3f> palette = refine(samples, seeds(samples, std::max(1, colours)), counts);
    // Joined colours leave their samples to be shared out again; the last join stands, so
    // no two colours end closer than kApart.
    for (int round = 0; round < kJoinRounds; ++round) {
        snapToBytes(palette);
        const bool joined = joinAlike(palette, counts);
        const bool added = int(palette.size()) < colours && addFarthest(samples, palette, counts);
        if (!joined && !added)
            break;
        palette = refine(samples, palette, counts);
    }
    snapToBytes(palette);
    joinAlike(palette, counts);
    std::stable_sort(palette.begin(), palette.end(),
                     [](const cv::Vec3f& a, const cv::Vec3f& b) { return a[0] > b[0]; });
    return palette;
}

std::vector<int> bestChoices(const cv::Mat& lab, const std::vector<cv::Vec3f>& choices, int colours,
                             int finest) {
    std::vector<cv::Vec3f> samples = samplesOf(lab, finest);
    // Every few samples are enough to rank a few hundred colours.
    const size_t stride = std::max<size_t>(1, samples.size() / kChoiceSamples);
    std::vector<float> distance; // sample by choice
    const size_t n = (samples.size() + stride - 1) / stride;
    distance.reserve(n * choices.size());
    for (size_t i = 0; i < samples.size(); i += stride)
        for (const cv::Vec3f& choice : choices)
            distance.push_back(std::sqrt(distance2(samples[i], choice)));
    // Farther than any two CIELAB colours, yet small enough that differences to it are
    // still told apart in floats.
    std::vector<float> nearest(n, 1000.0f);
    std::vector<int> chosen;
    std::vector<uchar> taken(choices.size(), 0);
    while (int(chosen.size()) < colours) {
        double bestGain = 0;
        int best = -1;
        for (size_t c = 0; c < choices.size(); ++c) {
            if (taken[c])
                continue;
            double gain = 0;
            for (size_t i = 0; i < n; ++i)
                gain += std::max(0.0f, nearest[i] - distance[i * choices.size() + c]);
            if (gain > bestGain) {
                bestGain = gain;
                best = int(c);
            }
        }
        if (best < 0)
            break; // no other colour is nearer to any sample
        taken[size_t(best)] = 1;
        chosen.push_back(best);
        for (size_t i = 0; i < n; ++i)
            nearest[i] = std::min(nearest[i], distance[i * choices.size() + size_t(best)]);
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
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
