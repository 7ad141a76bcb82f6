// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "colourability.h"

#include "bitmap.h"
#include "page_mask.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <stdexcept>
#include <vector>

struct ColourabilityCheck::Regions {
    cv::Mat labels;          // CV_32S, 0 on ink
    std::vector<uchar> tiny; // per label
};

double pixelsPerMmAtA4(int width, int height) {
    const double w = std::max(width, 1);
    const double h = std::max(height, 1);
    return std::min(std::max(w, h) / 297.0, std::min(w, h) / 210.0);
}

namespace {

// Numbers and letters on a page (a colour-by-number page's) are marks no larger than this,
// standing alone: the holes of a 0, 6, 8 or 9 are part of the figure, not regions to colour.
constexpr double kLargestMarkMm = 8.0;
// On a small page, figures drawn a few pixels high stand larger in mm.
constexpr double kLargestMarkPixels = 32.0;

// Clears tiny for every region whose surrounding ink is all one mark: a piece of ink that
// touches no other ink and not the page's edge, and fits in kLargestMarkMm either way.
void spareHolesOfMarks(const cv::Mat& ink, const cv::Mat& labels, double perMm,
                       std::vector<uchar>& tiny) {
    cv::Mat pieces;
    cv::Mat stats;
    cv::Mat centroids;
    cv::connectedComponentsWithStats(ink, pieces, stats, centroids, 8, CV_32S);
    const double largest = std::max(kLargestMarkMm * perMm, kLargestMarkPixels);
    std::vector<uchar> mark(size_t(stats.rows), 0);
    for (int p = 1; p < stats.rows; ++p) {
        const int x = stats.at<int>(p, cv::CC_STAT_LEFT);
        const int y = stats.at<int>(p, cv::CC_STAT_TOP);
        const int w = stats.at<int>(p, cv::CC_STAT_WIDTH);
        const int h = stats.at<int>(p, cv::CC_STAT_HEIGHT);
        mark[size_t(p)] =
            x > 0 && y > 0 && x + w < ink.cols && y + h < ink.rows && std::max(w, h) <= largest;
    }
    // The one piece of ink around each tiny region, -1 before any, -2 for several or the
    // page's edge.
    constexpr int none = -1;
    constexpr int several = -2;
    std::vector<int> around(tiny.size(), none);
    const auto meet = [&](int region, int piece) {
        int& a = around[size_t(region)];
        a = a == none || a == piece ? piece : several;
    };
    for (int y = 0; y < labels.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        for (int x = 0; x < labels.cols; ++x) {
            const int r = label[x];
            if (r == 0 || !tiny[size_t(r)])
                continue;
            if (x == 0 || y == 0 || x + 1 == labels.cols || y + 1 == labels.rows) {
                around[size_t(r)] = several;
                continue;
            }
            const cv::Point sides[] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const cv::Point& side : sides)
                if (labels.at<int>(side) == 0)
                    meet(r, pieces.at<int>(side));
        }
    }
    for (size_t r = 1; r < tiny.size(); ++r)
        if (tiny[r] && around[r] >= 0 && mark[size_t(around[r])])
            tiny[r] = 0;
}

} // namespace

ColourabilityCheck::ColourabilityCheck(const Bitmap& page, double minimumAcrossMm) {
    m_minimumAcross = minimumAcrossMm * pixelsPerMmAtA4(page.width(), page.height());
    auto regions = std::make_shared<Regions>();
    m_regionsMap = regions;
    if (page.isEmpty())
        return;
    const cv::Mat ink = inkOf(page);
    const double pixels = double(ink.total());
    m_inkShare = cv::countNonZero(ink) / pixels;

    // Paper framed by a line of ink: the page's edge closes regions as a line does.
    cv::Mat paper;
    cv::copyMakeBorder(ink, paper, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(1));
    cv::threshold(paper, paper, 0, 255, cv::THRESH_BINARY_INV);
    // Regions meet only through sides: lines of diagonal steps still separate them.
    cv::Mat framedLabels;
    const int count = cv::connectedComponents(paper, framedLabels, 4, CV_32S);
    // The depth of each region: the distance of its deepest pixel from ink. On a large page
    // it is measured on a copy shrunk by a whole factor in which a pixel is paper only where
    // all it covers is paper, an error of at most that factor against a width many times it.
    const int factor = std::clamp(int(m_minimumAcross / 16.0), 1, 4);
    cv::Mat shrunk = paper;
    if (factor > 1) {
        cv::erode(paper, shrunk, cv::Mat::ones(factor, factor, CV_8U), cv::Point(0, 0));
        cv::resize(shrunk, shrunk, cv::Size(paper.cols / factor, paper.rows / factor), 0, 0,
                   cv::INTER_NEAREST);
    }
    cv::Mat distance;
    cv::distanceTransform(shrunk, distance, cv::DIST_L2, cv::DIST_MASK_3, CV_32F);
    std::vector<int> column(size_t(paper.cols));
    for (int x = 0; x < paper.cols; ++x)
        column[size_t(x)] = std::min(x / factor, distance.cols - 1);
    std::vector<float> deepest(size_t(count), 0.0f);
    for (int y = 1; y < paper.rows - 1; ++y) {
        const int* label = framedLabels.ptr<int>(y);
        const float* d = distance.ptr<float>(std::min(y / factor, distance.rows - 1));
        for (int x = 1; x < paper.cols - 1; ++x) {
            float& deep = deepest[size_t(label[x])];
            deep = std::max(deep, d[column[size_t(x)]] * float(factor));
        }
    }
    regions->labels = framedLabels(cv::Rect(1, 1, ink.cols, ink.rows));
    regions->tiny.assign(size_t(count), 0);
    m_regions = count - 1;
    for (int label = 1; label < count; ++label) {
        // The widest disc that fits: a pixel next to ink lies 1 from it, so a region one
        // pixel wide is 1 across.
        const double across = 2.0 * deepest[size_t(label)] - 1.0;
        if (across < m_minimumAcross)
            regions->tiny[size_t(label)] = 1;
    }
    if (std::find(regions->tiny.begin(), regions->tiny.end(), 1) != regions->tiny.end())
        spareHolesOfMarks(ink, regions->labels, pixelsPerMmAtA4(page.width(), page.height()),
                          regions->tiny);
    m_tinyRegions = int(std::count(regions->tiny.begin(), regions->tiny.end(), 1));
}

void ColourabilityCheck::closeTinyRegions(Bitmap& page) const {
    const Regions& regions = *m_regionsMap;
    if (m_tinyRegions == 0)
        return;
    if (regions.labels.cols != page.width() || regions.labels.rows != page.height())
        throw std::invalid_argument("the page is not the one checked");
    const bool mono = page.depth() == 1;
    const QImage& image = page.image();
    if (!mono && image.depth() < 16) {
        // Palette pages of 4 or 8 bits: black through the page's own table.
        QImage painted = image.convertToFormat(QImage::Format_RGB32);
        paintTiny(painted, qRgb(0, 0, 0));
        page = Bitmap::fromImage(painted, page.depth());
        return;
    }
    // A two-colour page stays two-colour: its black is index 0; other depths get black.
    const int bytes = image.depth() / 8;
    for (int y = 0; y < page.height(); ++y) {
        const int* label = regions.labels.ptr<int>(y);
        uchar* row = nullptr;
        for (int x = 0; x < page.width(); ++x) {
            if (!regions.tiny[size_t(label[x])])
                continue;
            if (!row)
                row = page.scanLine(y);
            if (mono)
                row[x / 8] = uchar(row[x / 8] & ~(0x80 >> (x % 8)));
            else if (bytes == 4)
                reinterpret_cast<QRgb*>(row)[x] = qRgb(0, 0, 0);
            else
                std::fill_n(row + x * bytes, bytes, uchar(0));
        }
    }
}

QImage ColourabilityCheck::overlay(const Bitmap& page) const {
    const Regions& regions = *m_regionsMap;
    QImage marked = page.image().convertToFormat(QImage::Format_RGB32);
    if (m_tinyRegions == 0 || regions.labels.cols != marked.width() ||
        regions.labels.rows != marked.height())
        return marked;
    paintTiny(marked, qRgb(230, 20, 20));
    return marked;
}

void ColourabilityCheck::paintTiny(QImage& picture, QRgb colour) const {
    const Regions& regions = *m_regionsMap;
    for (int y = 0; y < picture.height(); ++y) {
        const int* label = regions.labels.ptr<int>(y);
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (regions.tiny[size_t(label[x])])
                row[x] = colour;
    }
}
