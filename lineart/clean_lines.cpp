#include "clean_lines.h"

#include "colourability.h"
#include "gap_closing.h"
#include "page_mask.h"
#include "thinning.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

// Scale of the picture: 1 for a picture 1000 pixels on its longer side. Blur widths and
// speck sizes follow it, so a page and a smaller copy of it give the same drawing.
double pictureUnit(int width, int height) {
    return std::max(width, height) / 1000.0;
}

// The Gaussians' ratio and the threshold's steepness as the paper recommends them.
constexpr double kSigmaRatio = 1.6;
constexpr double kSteepness = 200.0;
// The weight of the wider Gaussian: just under 1, so flat areas, however dark, stay paper.
constexpr double kTau = 0.99;

struct LineField {
    double sigma;     // inner Gaussian, pixels of the page
    double threshold; // ink where the weighted difference falls under it (grey 0..1)
};

LineField lineField(int width, int height, int detail) {
    const double d = std::clamp(detail, 0, 100) / 100.0;
    const double unit = std::max(pictureUnit(width, height), 0.25);
    // More detail: narrower blurs (finer structures) and a threshold weak edges pass.
    const double sigma = std::max(0.7, unit * (2.2 - 1.4 * d));
    const double epsilon = -(0.001 + 0.024 * (1.0 - d) * (1.0 - d));
    // 1 + tanh(phi (D - epsilon)) < 1/2 exactly where D < epsilon - atanh(1/2) / phi.
    return {sigma, epsilon - std::atanh(0.5) / kSteepness};
}

// Ink (1) where the extended difference of Gaussians falls under the threshold. It is taken
// in each colour channel, and at each pixel the channel whose blurred picture changes most
// there speaks: an edge between colours of one brightness (yellow on pale blue) is still an
// edge to a child, and both sides of an edge pick the same channel, so it gives one line,
// not one per channel. The blurs run on a copy shrunk so that the inner one is 1 to 2 pixels
// wide; the difference, mapped to
// bytes around the threshold, is brought back to the page's size by linear interpolation,
// so the lines' edges are smooth at full size.
cv::Mat xdogInk(const cv::Mat& colours, const LineField& field) {
    const int factor = std::max(1, int(field.sigma));
    cv::Mat small;
    if (factor > 1)
        cv::resize(
            colours, small,
            cv::Size((colours.cols + factor - 1) / factor, (colours.rows + factor - 1) / factor), 0,
            0, cv::INTER_AREA);
    else
        small = colours;
    cv::Mat level;
    small.convertTo(level, CV_32F, 1.0 / 255.0);
    const double sigma = field.sigma / factor;
    cv::Mat inner;
    cv::Mat outer;
    cv::GaussianBlur(level, inner, cv::Size(), sigma, sigma, cv::BORDER_REPLICATE);
    cv::GaussianBlur(level, outer, cv::Size(), sigma * kSigmaRatio, sigma * kSigmaRatio,
                     cv::BORDER_REPLICATE);
    // 128 + (D - threshold) * gain, saturated to bytes: under 128 is ink.
    constexpr double gain = 2000.0;
    cv::Mat field8;
    cv::Mat differences[3];
    cv::split(inner - kTau * outer, differences);
    cv::Mat gx;
    cv::Mat gy;
    cv::Sobel(outer, gx, CV_32F, 1, 0);
    cv::Sobel(outer, gy, CV_32F, 0, 1);
    const cv::Mat change = gx.mul(gx) + gy.mul(gy);
    cv::Mat difference(change.size(), CV_32F);
    for (int y = 0; y < change.rows; ++y) {
        const auto* c = change.ptr<cv::Vec3f>(y);
        float* d = difference.ptr<float>(y);
        for (int x = 0; x < change.cols; ++x) {
            const int k =
                c[x][0] >= c[x][1] ? (c[x][0] >= c[x][2] ? 0 : 2) : (c[x][1] >= c[x][2] ? 1 : 2);
            d[x] = differences[k].ptr<float>(y)[x];
        }
    }
    difference.convertTo(field8, CV_8U, gain, 128.0 - gain * field.threshold);
    cv::Mat full;
    if (factor > 1)
        cv::resize(field8, full, colours.size(), 0, 0, cv::INTER_LINEAR);
    else
        full = field8;
    cv::Mat ink;
    cv::threshold(full, ink, 127, 1, cv::THRESH_BINARY_INV);
    return ink;
}

// Follows each piece of line (8-connected) from its first pixel and wipes it when its
// bounding box is under size both ways. The lines are thin by now, so the work follows them.
void removeSpecks(cv::Mat& lines, int size) {
    constexpr uchar kSeen = 2;
    std::vector<cv::Point> piece;
    for (int y = 0; y < lines.rows; ++y) {
        const uchar* row = lines.ptr<uchar>(y);
        for (int x = 0; x < lines.cols; ++x) {
            if (row[x] != 1)
                continue;
            piece.assign(1, cv::Point(x, y));
            lines.at<uchar>(y, x) = kSeen;
            cv::Rect box(x, y, 1, 1);
            for (size_t next = 0; next < piece.size(); ++next) {
                const cv::Point at = piece[next];
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const cv::Point n(at.x + dx, at.y + dy);
                        if (n.x < 0 || n.y < 0 || n.x >= lines.cols || n.y >= lines.rows ||
                            lines.at<uchar>(n) != 1)
                            continue;
                        lines.at<uchar>(n) = kSeen;
                        piece.push_back(n);
                        box |= cv::Rect(n, cv::Size(1, 1));
                    }
            }
            const uchar value = std::max(box.width, box.height) >= size ? kSeen : 0;
            for (const cv::Point& at : piece)
                lines.at<uchar>(at) = value;
        }
    }
    // Kept lines back to 1.
    cv::threshold(lines, lines, 0, 1, cv::THRESH_BINARY);
}

// Strokes of a large page are many pixels wide (about twice the blur): their centres are
// found on a copy of half the size, where a pixel is ink if any of the four it covers is, and
// the half-size centre lines, brought back to full size two pixels wide, are thinned again.
// The centre moves by at most a pixel of the page; the thinning's work drops about eightfold.
void thinToCentreLines(cv::Mat& lines, bool wideStrokes) {
    if (wideStrokes) {
        cv::Mat half;
        cv::dilate(lines, half, cv::Mat::ones(2, 2, CV_8U), cv::Point(0, 0));
        cv::resize(half, half, cv::Size((lines.cols + 1) / 2, (lines.rows + 1) / 2), 0, 0,
                   cv::INTER_NEAREST);
        thinStrokes(half);
        cv::resize(half, lines, lines.size(), 0, 0, cv::INTER_NEAREST);
    }
    thinStrokes(lines);
}

void drawAtThickness(cv::Mat& lines, int thickness) {
    if (thickness <= 1)
        return;
    const cv::Mat pen =
        cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(thickness, thickness));
    cv::dilate(lines, lines, pen);
}

} // namespace

CleanLineSettings defaultCleanLineSettings(int width, int height) {
    return {50, std::max(1, int(std::lround(0.6 * pixelsPerMmAtA4(width, height))))};
}

int speckSize(int width, int height) {
    return std::max(2, int(std::lround(12.0 * pictureUnit(width, height))));
}

std::optional<Bitmap> cleanLines(const Bitmap& page, const CleanLineSettings& settings,
                                 const StageProgress& progress) {
    constexpr int stages = 4;
    auto proceed = [&progress](int stage) { return !progress || progress(stage, stages); };
    if (page.isEmpty())
        return Bitmap(0, 0, 1);
    if (!proceed(0))
        return std::nullopt;
    const LineField field = lineField(page.width(), page.height(), settings.detail);
    cv::Mat lines = xdogInk(coloursOf(page), field);
    if (!proceed(1))
        return std::nullopt;
    thinToCentreLines(lines, field.sigma >= 4.0);
    if (!proceed(2))
        return std::nullopt;
    const int speck = speckSize(page.width(), page.height());
    removeSpecks(lines, speck);
    closeGaps(lines, speck);
    if (!proceed(3))
        return std::nullopt;
    drawAtThickness(lines, settings.thickness);
    return pageOfInk(lines);
}
